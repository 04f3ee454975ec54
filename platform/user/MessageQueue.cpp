#include "platform/user/MessageQueue.h"

#include <algorithm>

#include "platform/kernel/Clock.h"
#include "platform/user/KeyboardState.h"
#include "platform/user/TimerTable.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowTable.h"

namespace {

bool InRange(UINT message, UINT filterMin, UINT filterMax) {
    if (filterMin == 0 && filterMax == 0)
        return true;
    return message >= filterMin && message <= filterMax;
}

} // namespace

CMessageQueue& CMessageQueue::Instance() {
    static CMessageQueue queue;
    return queue;
}

void CMessageQueue::Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    m_posted.push_back(Entry{hwnd, msg, wParam, lParam, 0, false});
}

void CMessageQueue::PostQuit(int exitCode) {
    m_quit = true;
    m_exitCode = exitCode;
}

void CMessageQueue::PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, wchar_t packet) {
    m_input.push_back(Entry{hwnd, msg, wParam, lParam, packet, hwnd == nullptr});
}

bool CMessageQueue::Matches(const Entry& entry, HWND target, HWND hwnd, UINT filterMin,
                            UINT filterMax) const {
    if (!InRange(entry.message, filterMin, filterMax))
        return false;
    if (hwnd == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)))
        return target == nullptr;
    return !hwnd || target == hwnd || CWindowTable::Instance().IsAncestor(hwnd, target);
}

void CMessageQueue::Fill(MSG* msg, HWND target, const Entry& entry) {
    msg->hwnd = target;
    msg->message = entry.message;
    msg->wParam = entry.wParam;
    msg->lParam = entry.lParam;
    msg->time = GetTickCount();
    msg->pt = POINT{0, 0};
}

BOOL CMessageQueue::Peek(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
    if (!msg)
        return FALSE;
    const bool remove = (removeMsg & PM_REMOVE) != 0;
    for (auto it = m_posted.begin(); it != m_posted.end(); ++it) {
        if (!Matches(*it, it->hwnd, hwnd, filterMin, filterMax))
            continue;
        const Entry entry = *it;
        if (remove)
            m_posted.erase(it);
        Fill(msg, entry.hwnd, entry);
        return TRUE;
    }
    if (m_quit && (!hwnd || hwnd == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) &&
        InRange(WM_QUIT, filterMin, filterMax)) {
        if (remove)
            m_quit = false;
        Fill(msg, nullptr, Entry{nullptr, WM_QUIT, static_cast<WPARAM>(m_exitCode), 0, 0, false});
        return TRUE;
    }
    for (auto it = m_input.begin(); it != m_input.end(); ++it) {
        const HWND target = it->toFocus ? CWindowTable::Instance().Focus() : it->hwnd;
        if (!Matches(*it, target, hwnd, filterMin, filterMax))
            continue;
        const Entry entry = *it;
        if (remove) {
            m_input.erase(it);
            // The key state follows the input as it is taken out.
            CKeyboardState::Instance().OnKeyMessage(entry.message, entry.wParam, entry.packet);
        }
        Fill(msg, target, entry);
        return TRUE;
    }
    if (InRange(WM_TIMER, filterMin, filterMax)) {
        const HWND filter = hwnd == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) ? nullptr : hwnd;
        if (CTimerTable::Instance().TakeDue(CClock::Instance().Now(), filter, remove, msg)) {
            msg->time = GetTickCount();
            msg->pt = POINT{0, 0};
            return TRUE;
        }
    }
    return FALSE;
}

bool CMessageQueue::HasWaiting() {
    MSG msg{};
    return Peek(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

void CMessageQueue::Purge(HWND hwnd) {
    std::erase_if(m_posted, [hwnd](const Entry& e) { return e.hwnd == hwnd; });
    std::erase_if(m_input, [hwnd](const Entry& e) { return !e.toFocus && e.hwnd == hwnd; });
}

void CMessageQueue::Clear() {
    m_posted.clear();
    m_input.clear();
    m_quit = false;
}
