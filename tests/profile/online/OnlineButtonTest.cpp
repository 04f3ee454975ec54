// The online button against the simulated device through the host and the user's
// hand: the action 300 ms after the last click on the virtual clock, the confirmation,
// the dialog lock on every path, the page's notifications, the 2.5 s poll and its end,
// and the controller going offline.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/device/DeviceResults.h"
#include "logger/AopLogCapture.h"
#include "profile/online/PVDlgLock.h"
#include "tests/profile/online/OnlineTestSupport.h"

namespace {

using Ticks = std::vector<ULONGLONG>;
using Calls = std::vector<std::wstring>;

TEST(OnlineButton, ActsOnce300MsAfterTheLastClickWithTheDialogsLocked) {
    OnlinePage p(CPVCtrlOnlineButton::kTimerOnClick);
    LONG locks = 0;
    HRESULT closing = S_OK;
    p.button.during = [&] {
        locks = p.parent->DlgManager()->LockCount();
        closing = p.button.OnDeactivate();
    };
    ASSERT_TRUE(p.Click());
    p.Wait(299);
    EXPECT_EQ(p.Refreshes(), Ticks{});
    p.Wait(1);
    EXPECT_EQ(p.Refreshes(), Ticks{300});
    EXPECT_EQ(locks, 1);
    EXPECT_EQ(closing, CPVCtrlOnlineButton::kServiceRunning);
    EXPECT_EQ(p.button.OnDeactivate(), S_OK);
    // A second click 200 ms after the first restarts the wait.
    ASSERT_TRUE(p.Click());
    p.Wait(200);
    ASSERT_TRUE(p.Click());
    p.Wait(5000);
    EXPECT_EQ(p.Refreshes(), (Ticks{300, 800}));
    EXPECT_EQ(p.HostCalls(),
              (Calls{L"Lock", L"ExecuteService", L"Unlock", L"Lock", L"ExecuteService", L"Unlock"}));
    EXPECT_TRUE(p.parent->DlgManager()->IsBalanced());
}

TEST(OnlineButton, AsksFirstAndActsOnlyOnYes) {
    const struct {
        LONG answer;
        HRESULT boxFault;
        Calls calls;
        const wchar_t* log;
    } cases[] = {
        {IDYES, S_OK, {L"Lock", L"MessageDlg", L"ExecuteService", L"Unlock"}, nullptr},
        {IDNO, S_OK, {L"Lock", L"MessageDlg", L"Unlock"}, nullptr},
        {IDYES, E_FAIL, {L"Lock", L"MessageDlg", L"Unlock"}, L"Error displaying confirmation dialog"},
    };
    for (const auto& c : cases) {
        OnlinePage p(CPVCtrlOnlineButton::kTimerOnClick, 0, 1);
        CAopLogCapture log;
        p.parent->QueueAnswer(c.answer);
        if (FAILED(c.boxFault))
            p.context->Faults().Inject(L"MessageDlg", c.boxFault);
        ASSERT_TRUE(p.Click());
        p.Wait(300);
        EXPECT_EQ(p.HostCalls(), c.calls) << c.answer;
        ASSERT_EQ(p.parent->MessageDlgs().size(), 1U);
        EXPECT_EQ(p.parent->MessageDlgs()[0].text, L"Send the request?");
        EXPECT_EQ(p.parent->MessageDlgs()[0].type, MB_ICONEXCLAMATION | MB_YESNO);
        const Lines lines = LogLines(log);
        const std::wstring line =
            std::wstring(L"CPVCtrlOnlineButton::DisplayConfirmationDlg | ") + (c.log ? c.log : L"");
        EXPECT_EQ(c.log != nullptr, std::find(lines.begin(), lines.end(), line) != lines.end());
        EXPECT_TRUE(p.parent->ShownErrors().empty());
        EXPECT_TRUE(p.parent->DlgManager()->IsBalanced());
    }
}

TEST(OnlineButton, TellsThePageBeforeAndAfterAsItsNotifyModeSays) {
    const struct {
        int notifyMode;
        size_t before, after;
    } cases[] = {{0, 0, 0}, {1, 1, 1}, {2, 0, 1}, {3, 1, 2}};
    for (const auto& c : cases) {
        // The page is told after a failed action too.
        OnlinePage p(CPVCtrlOnlineButton::kTimerOnClick, c.notifyMode, 0,
                     [](CDeviceConfig& d) { d.failingRequests = {L"Refresh"}; });
        const std::wstring changed = L"watcher:OnChangedCtrlData" + std::to_wstring(IDC_VERSET_REFRESH);
        size_t before = 99;
        p.button.during = [&] { before = std::count(p.calls.begin(), p.calls.end(), changed); };
        ASSERT_TRUE(p.Click());
        p.Wait(300);
        EXPECT_EQ(before, c.before) << c.notifyMode;
        EXPECT_EQ(std::count(p.calls.begin(), p.calls.end(), changed), c.after) << c.notifyMode;
    }
}

TEST(OnlineButton, AFailureShowsTheDevicesMessageAndLeavesTheButtonForARetry) {
    OnlinePage p(CPVCtrlOnlineButton::kTimerOnClick, 0, 0,
                 [](CDeviceConfig& d) { d.failingRequests = {L"Refresh"}; });
    ASSERT_TRUE(p.Click());
    p.Wait(300);
    ASSERT_EQ(p.parent->ShownErrors().size(), 1U);
    EXPECT_EQ(p.parent->ShownErrors()[0].text, L"The device refused 'Refresh'.");
    EXPECT_EQ(p.button.GetServiceResult(), DEVICE_E_REFUSED);
    EXPECT_FALSE(p.button.GetLastSucceeded());
    EXPECT_TRUE(IsWindowVisible(p.Button()) && IsWindowEnabled(p.Button()));
    EXPECT_TRUE(p.parent->DlgManager()->IsBalanced());
}

TEST(OnlineButton, PollsEvery2500MsHiddenUntilTheDeviceStopsAnswering) {
    OnlinePage p(CPVCtrlOnlineButton::kTimerRepeat, 2, 0, [](CDeviceConfig& d) { d.silentAfterMs = 6000; });
    VARIANT empty;
    VariantInit(&empty);
    ASSERT_EQ(p.Device().ExecuteService(L"StartVerification", empty), S_OK);
    p.Wait(300);
    EXPECT_FALSE(IsWindowVisible(p.Button()) || IsWindowVisible(p.Item(IDC_VERSET_STATUS)));
    p.Wait(20000);
    EXPECT_EQ(p.Refreshes(), (Ticks{300, 2800, 5300, 7800}));
    EXPECT_EQ(p.button.GetServiceResult(), DEVICE_E_NOANSWER);
    EXPECT_TRUE(IsWindowVisible(p.Button()) && IsWindowVisible(p.Item(IDC_VERSET_STATUS)));
    ASSERT_EQ(p.parent->ShownErrors().size(), 1U);
    EXPECT_EQ(p.parent->ShownErrors()[0].text, L"The device stopped answering.");
    EXPECT_TRUE(p.parent->DlgManager()->IsBalanced());
}

TEST(OnlineButton, OfflineItIsDisabledAndBackOnlineItResumesByItsTimerMode) {
    // A click (mode 0) or the activation's action at 300 ms; offline from 500 to 3500 ms.
    const struct {
        int timerMode;
        bool visibleOffline;
        Ticks refreshes;
    } cases[] = {{CPVCtrlOnlineButton::kTimerOnClick, true, {}},
                 {CPVCtrlOnlineButton::kTimerUntilSucceeded, true, {300, 3800}},
                 {CPVCtrlOnlineButton::kTimerRepeat, false, {300, 3800}}};
    for (const auto& c : cases) {
        OnlinePage p(c.timerMode);
        p.Wait(300);
        if (c.timerMode == CPVCtrlOnlineButton::kTimerOnClick) {
            ASSERT_TRUE(p.Click());
        }
        p.Wait(200);
        p.SetMode(0);
        EXPECT_FALSE(IsWindowEnabled(p.Button()));
        EXPECT_EQ(IsWindowVisible(p.Button()) != FALSE, c.visibleOffline);
        EXPECT_FALSE(p.Click());
        p.Wait(3000);
        p.SetMode(1);
        p.Wait(2600);
        EXPECT_EQ(p.Refreshes(), c.refreshes) << c.timerMode;
        EXPECT_TRUE(p.parent->DlgManager()->IsBalanced());
    }
}

TEST(DlgLock, WithoutADialogManagerNothingIsSent) {
    OnlinePage p(CPVCtrlOnlineButton::kTimerOnClick);
    CAopLogCapture log;
    p.context->Faults().Inject(L"GetDlgManager", E_FAIL);
    ASSERT_TRUE(p.Click());
    p.Wait(300);
    EXPECT_EQ(p.Refreshes(), Ticks{});
    ASSERT_FALSE(LogLines(log).empty());
    EXPECT_EQ(LogLines(log).back(), L"CPVCtrlOnlineButton::OnTimer | Invalid dialog manager");
}

TEST(DlgLock, UnlocksOnlyWhatItLocked) {
    auto context = CHostContext::Create();
    CComPtr<CHostDlgManager> manager = MakeHostObject<CHostDlgManager>(context);
    CAopLogCapture log;
    { CPVDlgLock lock(nullptr); }
    context->Faults().Inject(L"Lock", E_FAIL);
    { CPVDlgLock lock(manager); }
    {
        CPVDlgLock lock(manager);
        EXPECT_EQ(manager->LockCount(), 1);
    }
    EXPECT_TRUE(manager->IsBalanced());
    EXPECT_EQ(LogLines(log), (Lines{L"CPVDlgLock::CPVDlgLock | Invalid IPVDlgManager passed into CPVDlgLock.",
                                    L"CPVDlgLock::~CPVDlgLock | Invalid CPVDlgLock state.",
                                    L"CPVDlgLock::~CPVDlgLock | Invalid CPVDlgLock state."}));
}

} // namespace
