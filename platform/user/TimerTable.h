// Window and thread timers on the process clock. A due timer does not queue anything:
// the message queue asks for WM_TIMER when nothing else is waiting, as Windows does, so
// a timer that was due several times while nobody looked fires once.
#pragma once

#include <optional>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

class CTimerTable {
public:
    static CTimerTable& Instance();

    UINT_PTR Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
    BOOL Kill(HWND hwnd, UINT_PTR id);
    void KillAll(HWND hwnd);

    // The earliest due timer for `filter` (null: any) at time `now`, as a WM_TIMER
    // message; with `remove` its next period starts now.
    bool TakeDue(ULONGLONG now, HWND filter, bool remove, MSG* msg);
    // When the next timer for `filter` (null: any) is due.
    std::optional<ULONGLONG> NextDue(HWND filter = nullptr) const;
    size_t Count() const { return m_timers.size(); }
    void Clear() { m_timers.clear(); }

private:
    struct Timer {
        HWND hwnd;
        UINT_PTR id;
        UINT elapse;
        TIMERPROC proc;
        ULONGLONG due;
        ULONGLONG order;
    };
    std::vector<Timer> m_timers;
    ULONGLONG m_nextOrder = 0;
    UINT_PTR m_nextThreadId = 1;
};
