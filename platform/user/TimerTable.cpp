#include "platform/user/TimerTable.h"

#include <algorithm>

#include "platform/base/Win32Error.h"
#include "platform/kernel/Clock.h"
#include "platform/user/WindowTable.h"

CTimerTable& CTimerTable::Instance() {
    static CTimerTable table;
    return table;
}

UINT_PTR CTimerTable::Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hwnd && !CWindowTable::Instance().Find(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    const ULONGLONG due = CClock::Instance().Now() + elapse;
    auto existing = std::find_if(m_timers.begin(), m_timers.end(), [&](const Timer& t) {
        return t.hwnd == hwnd && t.id == id && (hwnd || id != 0);
    });
    if (existing != m_timers.end()) {
        // Setting an existing timer again replaces it and restarts its period.
        existing->elapse = elapse;
        existing->proc = proc;
        existing->due = due;
        return hwnd ? (id ? id : 1) : id;
    }
    if (!hwnd)
        id = m_nextThreadId++; // a thread timer with an unknown id gets a new one
    m_timers.push_back(Timer{hwnd, id, elapse, proc, due, m_nextOrder++});
    return hwnd ? (id ? id : 1) : id;
}

BOOL CTimerTable::Kill(HWND hwnd, UINT_PTR id) {
    const size_t removed =
        std::erase_if(m_timers, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    return removed ? TRUE : FALSE;
}

void CTimerTable::KillAll(HWND hwnd) {
    std::erase_if(m_timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

bool CTimerTable::TakeDue(ULONGLONG now, HWND filter, bool remove, MSG* msg) {
    Timer* best = nullptr;
    for (Timer& timer : m_timers) {
        if (timer.due > now || (filter && timer.hwnd != filter))
            continue;
        if (!best || timer.due < best->due || (timer.due == best->due && timer.order < best->order))
            best = &timer;
    }
    if (!best)
        return false;
    msg->hwnd = best->hwnd;
    msg->message = WM_TIMER;
    msg->wParam = best->id;
    msg->lParam = reinterpret_cast<LPARAM>(best->proc);
    if (remove) {
        best->due = now + best->elapse;
        best->order = m_nextOrder++;
    }
    return true;
}

std::optional<ULONGLONG> CTimerTable::NextDue(HWND filter) const {
    std::optional<ULONGLONG> next;
    for (const Timer& timer : m_timers) {
        if (filter && timer.hwnd != filter)
            continue;
        if (!next || timer.due < *next)
            next = timer.due;
    }
    return next;
}
