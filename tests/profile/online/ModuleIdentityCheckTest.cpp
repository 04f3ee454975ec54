// The module identity check: the status and the host's prompt for each answer of the
// device, nothing asked while the controller is offline or its mode unknown, the answer
// kept until a refresh, and only a failed query shown to the user by the button.
#include <gtest/gtest.h>

#include "host/HostServers.h"
#include "logger/AopLogCapture.h"
#include "tests/profile/online/OnlineTestSupport.h"

namespace {

using Identity = CDeviceConfig::Identity;

TEST(ModuleIdentityCheck, StatusAndPromptByTheDevicesAnswer) {
    const struct {
        Identity identity;
        LONG mode; // -1: the page cannot tell it
        int status;
        const wchar_t* prompt;
        bool asked;
    } cases[] = {
        {Identity::Matching, 1, 0, L"", true},
        {Identity::Missing, 2, 1,
         L"The device at the module's address does not answer. Check that it is connected and switched on.",
         true},
        {Identity::Mismatched, 5, 1, L"The device that answers is not the one configured for this module.",
         true},
        {Identity::Failing, 6, 2,
         L"The module cannot be reached. Check the connection to the controller and try again.", true},
        {Identity::Missing, 0, 0, L"", false},
        {Identity::Failing, 7, 0, L"", false},
        {Identity::Failing, -1, 0, L"", false},
    };
    for (const auto& c : cases) {
        OnlinePage p(CPVCtrlOnlineButton::kTimerOnClick, 0, 0,
                     [&](CDeviceConfig& d) { d.identity = c.identity; });
        CHostServers servers(p.context);
        ASSERT_EQ(S_OK, servers.Register());
        p.context->Project().Controller().mode = c.mode;
        if (c.mode < 0)
            p.context->Faults().Inject(L"GetLogixMode", E_FAIL, L"", 0, -1);
        CPVModuleIdentityCheck check;
        ASSERT_EQ(S_OK, check.Initialize(static_cast<IDeviceInfo2*>(p.parent->Module()), p.page.p()));
        CAopLogCapture log;
        CPromptInfo prompt;
        EXPECT_EQ(check.CheckModuleIdentity(&prompt, 0), c.status) << c.mode;
        EXPECT_EQ(std::wstring(prompt.m_strText.GetString()), c.prompt);
        EXPECT_EQ(check.CheckModuleIdentity(&prompt, 0), c.status);
        const size_t cached = p.context->Faults().CallsOf(L"GetIdentity").size();
        EXPECT_EQ(cached, c.asked ? 1U : 0U) << c.mode;
        // The button asks again and shows only a failed query.
        EXPECT_EQ(p.button.GetModuleStatus(), c.status == 0);
        EXPECT_EQ(p.context->Faults().CallsOf(L"GetIdentity").size(), cached * 2);
        EXPECT_EQ(p.parent->ShownErrors().size(), c.status == 2 ? 1U : 0U);
        EXPECT_EQ(c.mode < 0, !LogLines(log).empty() &&
                                  LogLines(log)[0] == L"CPVModuleIdentityCheck::IsOnline | Failed to get "
                                                      L"GetLogixMode() return value.");
    }
}

TEST(ModuleIdentityCheck, UnsetOrWronglySetItTellsNothing) {
    CAopLogCapture log;
    CPVModuleIdentityCheck check;
    CPromptInfo prompt;
    EXPECT_EQ(check.CheckModuleIdentity(&prompt, 1), CPVModuleIdentityCheck::kNotChecked);
    EXPECT_EQ(check.Initialize(nullptr), E_POINTER);
    EXPECT_EQ(
        LogLines(log),
        (Lines{
            L"CPVModuleIdentityCheck::InitializationIsValid | Error: Failed to initialize the data members.",
            L"CPVModuleIdentityCheck::Initialize | Pointer passed to this method is NULL."}));
}

} // namespace
