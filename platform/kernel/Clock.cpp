#include "platform/kernel/Clock.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>

namespace {

void ToSystemTime(LONGLONG msSince1970, bool local, SYSTEMTIME* out) {
    const std::time_t seconds = static_cast<std::time_t>(msSince1970 / 1000);
    std::tm parts{};
    if (local)
        localtime_r(&seconds, &parts);
    else
        gmtime_r(&seconds, &parts);
    out->wYear = static_cast<WORD>(parts.tm_year + 1900);
    out->wMonth = static_cast<WORD>(parts.tm_mon + 1);
    out->wDayOfWeek = static_cast<WORD>(parts.tm_wday);
    out->wDay = static_cast<WORD>(parts.tm_mday);
    out->wHour = static_cast<WORD>(parts.tm_hour);
    out->wMinute = static_cast<WORD>(parts.tm_min);
    out->wSecond = static_cast<WORD>(parts.tm_sec);
    out->wMilliseconds = static_cast<WORD>(msSince1970 % 1000);
}

} // namespace

CClock& CClock::Instance() {
    static CClock clock;
    return clock;
}

CClock::CClock() {
    const char* env = std::getenv("PV_VIRTUAL_CLOCK");
    m_virtual = env && std::strcmp(env, "1") == 0;
}

void CClock::SetVirtual(bool on) {
    if (on && !m_virtual)
        m_virtualNow = kVirtualStart;
    m_virtual = on;
}

ULONGLONG CClock::Now() const {
    if (m_virtual)
        return m_virtualNow;
    // CLOCK_MONOTONIC counts from boot, as Windows' tick count does.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<ULONGLONG>(now.tv_sec) * 1000 + static_cast<ULONGLONG>(now.tv_nsec) / 1000000;
}

LONGLONG CClock::WallTime() const {
    if (m_virtual)
        return kVirtualEpochMs + static_cast<LONGLONG>(m_virtualNow - kVirtualStart);
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

bool CClock::Advance(ULONGLONG milliseconds) {
    if (!m_virtual)
        return false;
    m_virtualNow += milliseconds;
    Notify();
    return true;
}

void CClock::Sleep(DWORD milliseconds) {
    if (m_virtual) {
        Advance(milliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    Notify();
}

int CClock::AddAdvanceListener(Listener listener) {
    const int id = m_nextListener++;
    m_listeners.emplace_back(id, std::move(listener));
    return id;
}

void CClock::RemoveAdvanceListener(int id) {
    std::erase_if(m_listeners, [id](const auto& entry) { return entry.first == id; });
}

void CClock::Notify() {
    // Listeners may add or remove listeners (a timer that kills itself): walk a list
    // of ids taken now and look each up again before calling it.
    std::vector<int> ids;
    for (const auto& entry : m_listeners)
        ids.push_back(entry.first);
    for (int id : ids) {
        auto it = std::find_if(m_listeners.begin(), m_listeners.end(),
                               [id](const auto& entry) { return entry.first == id; });
        if (it == m_listeners.end())
            continue;
        Listener listener = it->second; // the call may remove the entry it came from
        listener(Now());
    }
}

extern "C" DWORD GetTickCount() {
    return static_cast<DWORD>(CClock::Instance().Now());
}

extern "C" ULONGLONG GetTickCount64() {
    return CClock::Instance().Now();
}

extern "C" void Sleep(DWORD milliseconds) {
    CClock::Instance().Sleep(milliseconds);
}

extern "C" void GetSystemTime(SYSTEMTIME* time) {
    if (time)
        ToSystemTime(CClock::Instance().WallTime(), false, time);
}

extern "C" void GetLocalTime(SYSTEMTIME* time) {
    if (!time)
        return;
    CClock& clock = CClock::Instance();
    ToSystemTime(clock.WallTime(), !clock.IsVirtual(), time);
}
