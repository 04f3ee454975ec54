#include "platform/mfc/PreTranslatePump.h"

#include "platform/mfc/Wnd.h"

CPreTranslatePump::CPreTranslatePump() {
    CUserHand& hand = CUserHand::Instance();
    m_previous = hand.SetPreTranslateHook(nullptr);
    hand.SetPreTranslateHook([previous = m_previous](MSG& msg) {
        if (CWnd::WalkPreTranslateTree(nullptr, &msg))
            return true;
        return previous ? previous(msg) : false;
    });
}

CPreTranslatePump::~CPreTranslatePump() {
    CUserHand::Instance().SetPreTranslateHook(std::move(m_previous));
}
