// The one clock of the process: GetTickCount, Sleep, the time of day and (through
// advance listeners) the window timers all read it. In virtual mode (tests, scripted
// runs, PV_VIRTUAL_CLOCK=1) it stands still until advanced, so runs are repeatable.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "platform/base/WinTypes.h"

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

extern "C" {
// Milliseconds since the clock started; wraps after 49.7 days as on Windows.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
// In virtual mode, moves the clock on instead of waiting.
void Sleep(DWORD milliseconds);
void GetSystemTime(SYSTEMTIME* time);
// The virtual clock's machine lives in UTC, so there both calls agree.
void GetLocalTime(SYSTEMTIME* time);
}

class CClock {
public:
    using Listener = std::function<void(ULONGLONG now)>;

    // Where the virtual clock starts: its tick count, and the time of day it shows then
    // (2024-01-01 00:00:00 UTC, in milliseconds since 1970).
    static constexpr ULONGLONG kVirtualStart = 1000000;
    static constexpr LONGLONG kVirtualEpochMs = 1704067200000;

    static CClock& Instance();

    bool IsVirtual() const { return m_virtual; }
    // Switching virtual mode on starts the virtual clock at kVirtualStart; switching it
    // on again while it is on changes nothing.
    void SetVirtual(bool on);

    // The tick count in milliseconds: since boot in real mode.
    ULONGLONG Now() const;
    // Milliseconds since 1970-01-01 UTC.
    LONGLONG WallTime() const;

    // Virtual mode: moves the clock on and tells every listener the new time. Real
    // time cannot be pushed: false, and nothing happens.
    bool Advance(ULONGLONG milliseconds);
    // Virtual mode: Advance. Real mode: waits, then tells the listeners.
    void Sleep(DWORD milliseconds);

    // Listeners hear, in the order they were added, of every advance; one removed during
    // a notification is not called after its removal.
    int AddAdvanceListener(Listener listener);
    void RemoveAdvanceListener(int id);

private:
    CClock();
    void Notify();

    bool m_virtual = false;
    ULONGLONG m_virtualNow = kVirtualStart;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextListener = 1;
};
