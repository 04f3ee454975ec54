#include "platform/user/MessagePump.h"

#include "platform/user/WinUser.h"

namespace {

// A window that keeps posting to itself must not hold the pump forever.
constexpr int kPumpLimit = 100000;

} // namespace

CMessagePump& CMessagePump::Instance() {
    static CMessagePump pump;
    return pump;
}

CMessagePump::PreTranslateHook CMessagePump::SetPreTranslateHook(PreTranslateHook hook) {
    PreTranslateHook previous = std::move(m_hook);
    m_hook = std::move(hook);
    return previous;
}

int CMessagePump::Pump() {
    int count = 0;
    MSG msg{};
    while (count < kPumpLimit && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ++count;
        if (msg.message == WM_QUIT) {
            m_quit = true;
            m_quitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (m_hook && m_hook(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return count;
}

void CMessagePump::ForgetQuit() {
    m_quit = false;
    m_quitCode = 0;
}
