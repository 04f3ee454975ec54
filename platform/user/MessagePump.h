// The thread's message pump: what the user's hand, the modal loops and the framework's
// PreTranslateMessage share. Queued messages (input and posted ones, due timers
// included) are offered to a pre-translate hook first, then translated and dispatched,
// so that a dialog manager or a framework sees input as it would on Windows.
#pragma once

#include <functional>

#include "platform/base/WinTypes.h"

class CMessagePump {
public:
    // Answers true when it has handled the message (it is then neither translated nor
    // dispatched).
    using PreTranslateHook = std::function<bool(MSG&)>;

    static CMessagePump& Instance();

    // Returns the hook it replaces.
    PreTranslateHook SetPreTranslateHook(PreTranslateHook hook);
    // Translates and dispatches what is queued; stops at WM_QUIT. Answers the number of
    // messages taken from the queue.
    int Pump();
    bool QuitReceived() const { return m_quit; }
    int QuitCode() const { return m_quitCode; }
    void ForgetQuit();

private:
    CMessagePump() = default;

    PreTranslateHook m_hook;
    bool m_quit = false;
    int m_quitCode = 0;
};
