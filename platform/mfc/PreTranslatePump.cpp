#include "platform/mfc/PreTranslatePump.h"

#include "platform/mfc/Wnd.h"

CPreTranslatePump::CPreTranslatePump() {
    CMessagePump& pump = CMessagePump::Instance();
    m_previous = pump.SetPreTranslateHook(nullptr);
    pump.SetPreTranslateHook([previous = m_previous](MSG& msg) {
        if (CWnd::WalkPreTranslateTree(nullptr, &msg))
            return true;
        return previous ? previous(msg) : false;
    });
}

CPreTranslatePump::~CPreTranslatePump() {
    CMessagePump::Instance().SetPreTranslateHook(std::move(m_previous));
}
