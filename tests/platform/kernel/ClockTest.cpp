#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "platform/kernel/Clock.h"

namespace {

class ClockTest : public ::testing::Test {
protected:
    // Every test starts on a fresh virtual clock.
    void SetUp() override {
        clock.SetVirtual(false);
        clock.SetVirtual(true);
    }
    void TearDown() override {
        for (int id : m_listeners)
            clock.RemoveAdvanceListener(id);
        clock.SetVirtual(true);
    }
    int Listen(CClock::Listener listener) {
        const int id = clock.AddAdvanceListener(std::move(listener));
        m_listeners.push_back(id);
        return id;
    }

    CClock& clock = CClock::Instance();
    std::vector<int> m_listeners;
};

TEST_F(ClockTest, VirtualTimeStandsStillUntilAdvanced) {
    EXPECT_EQ(CClock::kVirtualStart, GetTickCount64());
    EXPECT_EQ(CClock::kVirtualStart, GetTickCount64());
    EXPECT_TRUE(clock.Advance(250));
    EXPECT_EQ(CClock::kVirtualStart + 250, GetTickCount64());
    EXPECT_EQ(static_cast<DWORD>(CClock::kVirtualStart + 250), GetTickCount());
}

TEST_F(ClockTest, SleepMovesVirtualTimeByExactlyItsArgument) {
    for (DWORD ms : {0u, 1u, 16u, 1000u, 60000u}) {
        const ULONGLONG before = GetTickCount64();
        Sleep(ms);
        EXPECT_EQ(before + ms, GetTickCount64()) << ms;
    }
}

TEST_F(ClockTest, GetTickCountWrapsAfterThirtyTwoBits) {
    const ULONGLONG toWrap = 0x100000000ull - (GetTickCount64() & 0xFFFFFFFFull);
    clock.Advance(toWrap - 5);
    EXPECT_EQ(0xFFFFFFFBu, GetTickCount());
    const ULONGLONG before = GetTickCount64();
    clock.Advance(10);
    EXPECT_EQ(5u, GetTickCount());
    EXPECT_EQ(before + 10, GetTickCount64());
    // Elapsed time computed the Windows way survives the wrap.
    EXPECT_EQ(10u, static_cast<DWORD>(GetTickCount() - 0xFFFFFFFBu));
}

TEST_F(ClockTest, ListenersHearEveryAdvanceInTheOrderAdded) {
    std::vector<std::string> heard;
    Listen([&](ULONGLONG now) { heard.push_back("a@" + std::to_string(now - CClock::kVirtualStart)); });
    Listen([&](ULONGLONG now) { heard.push_back("b@" + std::to_string(now - CClock::kVirtualStart)); });
    clock.Advance(10);
    Sleep(5);
    EXPECT_EQ((std::vector<std::string>{"a@10", "b@10", "a@15", "b@15"}), heard);
}

TEST_F(ClockTest, ARemovedListenerIsNotCalled) {
    int calls = 0;
    const int id = Listen([&](ULONGLONG) { ++calls; });
    clock.Advance(1);
    clock.RemoveAdvanceListener(id);
    clock.Advance(1);
    EXPECT_EQ(1, calls);
}

// A timer killed by an earlier timer's handler must not fire in the same advance.
TEST_F(ClockTest, AListenerRemovedDuringANotificationIsNotCalledAfterIt) {
    std::vector<std::string> heard;
    int second = 0;
    Listen([&](ULONGLONG) {
        heard.push_back("first");
        clock.RemoveAdvanceListener(second);
    });
    second = Listen([&](ULONGLONG) { heard.push_back("second"); });
    Listen([&](ULONGLONG) { heard.push_back("third"); });
    clock.Advance(1);
    EXPECT_EQ((std::vector<std::string>{"first", "third"}), heard);
}

TEST_F(ClockTest, AListenerMayRemoveItselfAndAddAnother) {
    std::vector<std::string> heard;
    int self = 0;
    self = Listen([&](ULONGLONG) {
        heard.push_back("once");
        clock.RemoveAdvanceListener(self);
        Listen([&](ULONGLONG) { heard.push_back("later"); });
    });
    clock.Advance(1);
    EXPECT_EQ(std::vector<std::string>{"once"}, heard);
    clock.Advance(1);
    EXPECT_EQ((std::vector<std::string>{"once", "later"}), heard);
}

TEST_F(ClockTest, RealModeFollowsTheMonotonicClockAndCannotBeAdvanced) {
    int calls = 0;
    Listen([&](ULONGLONG) { ++calls; });
    clock.SetVirtual(false);
    EXPECT_FALSE(clock.IsVirtual());
    timespec before{};
    timespec after{};
    clock_gettime(CLOCK_MONOTONIC, &before);
    const ULONGLONG now = GetTickCount64();
    clock_gettime(CLOCK_MONOTONIC, &after);
    EXPECT_GE(now, static_cast<ULONGLONG>(before.tv_sec) * 1000 +
                       static_cast<ULONGLONG>(before.tv_nsec) / 1000000);
    EXPECT_LE(now,
              static_cast<ULONGLONG>(after.tv_sec) * 1000 + static_cast<ULONGLONG>(after.tv_nsec) / 1000000);
    EXPECT_FALSE(clock.Advance(1000));
    EXPECT_EQ(0, calls);

    // Back to virtual: the clock starts again from its fixed point.
    clock.SetVirtual(true);
    EXPECT_EQ(CClock::kVirtualStart, GetTickCount64());
}

TEST_F(ClockTest, SwitchingVirtualModeOnAgainKeepsTheTime) {
    clock.Advance(500);
    clock.SetVirtual(true);
    EXPECT_EQ(CClock::kVirtualStart + 500, GetTickCount64());
}

struct TimeCase {
    ULONGLONG advance;
    SYSTEMTIME expected;
};

class ClockTimeTable : public ClockTest, public ::testing::WithParamInterface<TimeCase> {};

TEST_P(ClockTimeTable, TheVirtualTimeOfDayStartsOnNewYear2024) {
    clock.Advance(GetParam().advance);
    SYSTEMTIME system{};
    SYSTEMTIME local{};
    GetSystemTime(&system);
    GetLocalTime(&local);
    const SYSTEMTIME& e = GetParam().expected;
    for (const SYSTEMTIME* t : {&system, &local}) {
        EXPECT_EQ(e.wYear, t->wYear);
        EXPECT_EQ(e.wMonth, t->wMonth);
        EXPECT_EQ(e.wDayOfWeek, t->wDayOfWeek);
        EXPECT_EQ(e.wDay, t->wDay);
        EXPECT_EQ(e.wHour, t->wHour);
        EXPECT_EQ(e.wMinute, t->wMinute);
        EXPECT_EQ(e.wSecond, t->wSecond);
        EXPECT_EQ(e.wMilliseconds, t->wMilliseconds);
    }
}

constexpr ULONGLONG kDay = 86400000;

// Fields in SYSTEMTIME order: year, month, day of week (0 = Sunday), day, h, m, s, ms.

INSTANTIATE_TEST_SUITE_P(
    Moments, ClockTimeTable,
    ::testing::Values(TimeCase{0, {2024, 1, 1, 1, 0, 0, 0, 0}},                     // a Monday
                      TimeCase{kDay + 3723456, {2024, 1, 2, 2, 1, 2, 3, 456}},      // 01:02:03.456
                      TimeCase{59 * kDay, {2024, 2, 4, 29, 0, 0, 0, 0}},            // leap day
                      TimeCase{366 * kDay - 1, {2024, 12, 2, 31, 23, 59, 59, 999}}, // last instant
                      TimeCase{366 * kDay, {2025, 1, 3, 1, 0, 0, 0, 0}}));

} // namespace
