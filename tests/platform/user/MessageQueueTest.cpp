#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/user/MessagePump.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/Clock.h"
#include "platform/hand/UserHand.h"
#include "platform/user/WinUser.h"
#include "tests/platform/user/MessageSpy.h"

namespace {

using Seq = std::vector<SpyEntry>;

class MessageQueueTest : public UserTest {};

TEST_F(MessageQueueTest, PostedMessagesComeOutInOrderThroughTheFilters) {
    PostMessageW(parent, WM_USER + 1, 1, 0);
    PostMessageW(nullptr, WM_USER + 2, 2, 0);
    PostMessageW(parent, WM_USER + 3, 3, 0);
    MSG msg{};
    // Peeking without removing leaves the message first in line.
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(WM_USER + 1, msg.message);
    // A range filter skips what lies outside it.
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 2, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(WM_USER + 2, msg.message);
    EXPECT_EQ(nullptr, msg.hwnd);
    // A window filter leaves thread messages alone.
    PostMessageW(nullptr, WM_USER + 4, 4, 0);
    ASSERT_TRUE(PeekMessageW(&msg, parent, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_USER + 1, msg.message);
    ASSERT_TRUE(PeekMessageW(&msg, parent, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_USER + 3, msg.message);
    EXPECT_FALSE(PeekMessageW(&msg, parent, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_USER + 4, msg.message);
    EXPECT_FALSE(PostMessageW(reinterpret_cast<HWND>(0x5550000), WM_USER, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
}

TEST_F(MessageQueueTest, QuitComesAfterPostedMessagesAndEndsGetMessage) {
    PostQuitMessage(3);
    PostMessageW(parent, WM_USER, 0, 0);
    MSG msg{};
    EXPECT_EQ(TRUE, GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(WM_USER, msg.message);
    EXPECT_EQ(FALSE, GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(WM_QUIT, msg.message);
    EXPECT_EQ(3u, msg.wParam);
}

TEST_F(MessageQueueTest, GetMessageWithNothingToWaitForFailsInsteadOfHanging) {
    MSG msg{};
    SetLastError(0);
    EXPECT_EQ(-1, GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_TIMEOUT), GetLastError());
}

TEST_F(MessageQueueTest, GetMessageForOneWindowDoesNotWaitForAnothersTimer) {
    HWND other =
        CreateWindowExW(0, L"SpyParent", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetTimer(other, 1, 100, nullptr);
    MSG msg{};
    EXPECT_EQ(-1, GetMessageW(&msg, parent, 0, 0));
    EXPECT_EQ(-1, GetMessageW(&msg, nullptr, WM_USER, WM_USER)); // timers are outside the range
    EXPECT_EQ(-1, GetMessageW(&msg, reinterpret_cast<HWND>(0x4440000), 0, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
}

TEST_F(MessageQueueTest, GetMessageWaitsOnTheVirtualClockForTheNextTimer) {
    const ULONGLONG before = GetTickCount64();
    SetTimer(parent, 7, 250, nullptr);
    MSG msg{};
    ASSERT_EQ(TRUE, GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(WM_TIMER, msg.message);
    EXPECT_EQ(7u, msg.wParam);
    EXPECT_EQ(parent, msg.hwnd);
    EXPECT_EQ(before + 250, GetTickCount64());
}

TEST_F(MessageQueueTest, TimersFireInOrderOfTheirDueTimes) {
    spy.Only({WM_TIMER});
    std::vector<std::pair<WPARAM, ULONGLONG>> fired;
    const ULONGLONG begin = GetTickCount64();
    // Log the time of each WM_TIMER as the parent gets it.
    CMessagePump::Instance().SetPreTranslateHook([&](MSG& msg) {
        if (msg.message == WM_TIMER)
            fired.emplace_back(msg.wParam, GetTickCount64() - begin);
        return false;
    });
    SetTimer(parent, 3, 30, nullptr);
    SetTimer(parent, 1, 10, nullptr);
    SetTimer(parent, 2, 20, nullptr);
    CUserHand::Instance().AdvanceClock(35);
    // At equal due times the timer that waited longer goes first.
    const std::vector<std::pair<WPARAM, ULONGLONG>> expected = {{1, 10}, {2, 20}, {1, 20}, {3, 30}, {1, 30}};
    EXPECT_EQ(expected, fired);
    EXPECT_EQ(5u, spy.Log().size()); // and each reached the window
    EXPECT_EQ(begin + 35, GetTickCount64());
}

TEST_F(MessageQueueTest, KilledTimersAndTimersOfDestroyedWindowsStayQuiet) {
    HWND child =
        CreateWindowExW(0, L"SpyParent", L"", WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr, nullptr);
    spy.Only({WM_TIMER});
    EXPECT_EQ(1u, SetTimer(parent, 1, 100, nullptr));
    EXPECT_EQ(2u, SetTimer(child, 2, 100, nullptr));
    EXPECT_TRUE(KillTimer(parent, 1));
    EXPECT_FALSE(KillTimer(parent, 1));
    DestroyWindow(child);
    CUserHand::Instance().AdvanceClock(1000);
    EXPECT_TRUE(spy.Log().empty());
    EXPECT_FALSE(KillTimer(child, 2));
}

TEST_F(MessageQueueTest, ATimerDueManyTimesUnseenFiresOnce) {
    spy.Only({WM_TIMER});
    SetTimer(parent, 1, 10, nullptr);
    CClock::Instance().Advance(100); // nobody pumped meanwhile
    CMessagePump::Instance().Pump();
    EXPECT_EQ(1u, spy.Log().size());
}

TEST_F(MessageQueueTest, SettingATimerAgainRestartsItAndShortOnesAreClamped) {
    spy.Only({WM_TIMER});
    SetTimer(parent, 1, 100, nullptr);
    CUserHand::Instance().AdvanceClock(60);
    SetTimer(parent, 1, 100, nullptr);
    CUserHand::Instance().AdvanceClock(60);
    EXPECT_TRUE(spy.Log().empty()); // restarted at 60, due at 160
    CUserHand::Instance().AdvanceClock(40);
    EXPECT_EQ(1u, spy.Log().size());
    KillTimer(parent, 1);
    spy.Clear();
    SetTimer(parent, 2, 1, nullptr); // below USER_TIMER_MINIMUM
    CUserHand::Instance().AdvanceClock(9);
    EXPECT_TRUE(spy.Log().empty());
    CUserHand::Instance().AdvanceClock(1);
    EXPECT_EQ(1u, spy.Log().size());
}

std::vector<std::pair<HWND, UINT_PTR>> g_procCalls;
void CALLBACK RecordTimer(HWND hwnd, UINT msg, UINT_PTR id, DWORD) {
    if (msg == WM_TIMER)
        g_procCalls.emplace_back(hwnd, id);
}

TEST_F(MessageQueueTest, TimerProceduresAreCalledInsteadOfTheWindow) {
    g_procCalls.clear();
    spy.Only({WM_TIMER});
    SetTimer(parent, 5, 50, RecordTimer);
    const UINT_PTR threadTimer = SetTimer(nullptr, 0, 70, RecordTimer);
    EXPECT_NE(0u, threadTimer);
    CUserHand::Instance().AdvanceClock(70);
    const std::vector<std::pair<HWND, UINT_PTR>> expected = {{parent, 5}, {nullptr, threadTimer}};
    EXPECT_EQ(expected, g_procCalls);
    EXPECT_TRUE(spy.Log().empty());
    EXPECT_TRUE(KillTimer(nullptr, threadTimer));
}

TEST_F(MessageQueueTest, PostedMessagesToADestroyedWindowAreDropped) {
    HWND child =
        CreateWindowExW(0, L"SpyParent", L"", WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr, nullptr);
    PostMessageW(child, WM_USER, 0, 0);
    DestroyWindow(child);
    MSG msg{};
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

} // namespace
