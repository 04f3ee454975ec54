#include <gtest/gtest.h>

#include "profile/controls/PVCtrl.h"
#include "profile/controls/SafetyController.h"
#include "profile/interfaces/DlgManager.h"
#include "tests/profile/panel/PanelTestSupport.h"

namespace {

// A configuration control as the pages make them, recording what the base asks of it.
class CTestCtrl : public CPVCtrl {
public:
    CTestCtrl() : CPVCtrl(1001) {}

    HRESULT UpdateEnabledState() override {
        enabledStates.push_back(IsCtrlEnabled());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Refresh() override {
        // What a configuration control checks before it reloads.
        dirtyAtRefresh.push_back(IsDirty());
        return refreshResult;
    }

    std::vector<bool> enabledStates;
    std::vector<BOOL> dirtyAtRefresh;
    HRESULT refreshResult = S_OK;
};

// A control on a page on a host parent, as a page constructor and Init leave it.
struct ControlOnPage {
    std::shared_ptr<CHostContext> context;
    CComPtr<CHostParent> parent;
    CComPtr<CTestPage> page = NewPage();
    CTestCtrl control;

    explicit ControlOnPage(const std::string& json = ProjectJson(true, false, false))
        : context(ContextFor(json)), parent(MakeHostObject<CHostParent>(context)) {
        EXPECT_EQ(S_OK, page->AddControlToList(&control));
        EXPECT_EQ(S_OK, page->Init(parent));
    }
    CControllerState& Controller() { return context->Project().Controller(); }
};

struct EnableCase {
    const char* name;
    LONG mode;
    LONG redundancy;
    bool safetyEnabled;
    bool lockedOut;
    LONG ignoreSafetyLock;
    bool enabled;
};

class EnableRules : public ::testing::TestWithParam<EnableCase> {};

TEST_P(EnableRules, ByModeRedundancyAndSafety) {
    const EnableCase& rule = GetParam();
    ControlOnPage on(ProjectJson(true, true, false));
    on.Controller().mode = rule.mode;
    on.Controller().redundancyState = rule.redundancy;
    on.Controller().safetyEnabled = rule.safetyEnabled;
    on.Controller().safetyLockedOut = rule.lockedOut;
    on.control.SetIgnoreSafetyLock(rule.ignoreSafetyLock);
    // The page's first activation and a controller state change both re-evaluate.
    EXPECT_EQ(S_OK, on.page->PreInitialActivate());
    EXPECT_EQ(S_OK, on.page->LogixStateChanged(rule.mode));
    EXPECT_EQ((std::vector<bool>{rule.enabled, rule.enabled}), on.control.enabledStates);
}

INSTANTIATE_TEST_SUITE_P(
    States, EnableRules,
    ::testing::Values(EnableCase{"OnlineRun", 1, 0, false, false, 0, true},
                      EnableCase{"OnlineMode6", 6, 0, false, false, 0, true},
                      EnableCase{"Mode4", 4, 0, false, false, 0, false},
                      EnableCase{"Offline", 8, 0, false, false, 0, false},
                      EnableCase{"Mode7", 7, 0, false, false, 0, true},
                      EnableCase{"RedundantPartner", 1, 1, false, false, 0, false},
                      EnableCase{"RedundancyOther", 1, 2, false, false, 0, true},
                      EnableCase{"SafetySecured", 1, 0, true, false, 0, false},
                      EnableCase{"SafetySecuredIgnored", 1, 0, true, false, 1, true},
                      EnableCase{"SafetyIgnoredOnlyForOne", 1, 0, true, false, 2, false},
                      EnableCase{"SafetyLockedOut", 1, 0, true, true, 0, true},
                      EnableCase{"IgnoredSafetyButRedundant", 1, 1, true, false, 1, false},
                      EnableCase{"IgnoredSafetyButOffline", 8, 0, true, false, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct QueryFailureCase {
    const char* name;
    const wchar_t* operation;
    Lines log;
};

class StateQueryFailures : public ::testing::TestWithParam<QueryFailureCase> {};

// An unknown state takes the default, which disables the control.
TEST_P(StateQueryFailures, DefaultsDisable) {
    const QueryFailureCase& failure = GetParam();
    ControlOnPage on(ProjectJson(true, true, false));
    on.Controller().mode = 1;
    on.context->Faults().Inject(failure.operation, E_FAIL);
    CAopLogCapture log;
    EXPECT_FALSE(on.control.IsCtrlEnabled());
    EXPECT_EQ(failure.log, LogLines(log));
}

INSTANTIATE_TEST_SUITE_P(
    Queries, StateQueryFailures,
    ::testing::Values(
        QueryFailureCase{
            "LogixMode", L"GetLogixMode", {L"CPVCtrlBase::GetLogixMode | Failed to retrieve Logix Mode"}},
        QueryFailureCase{"Redundancy",
                         L"GetRedundancyState",
                         {L"CPVCtrlBase::GetRedundancyState | Failed to retrieve Redundancy State"}},
        QueryFailureCase{"SafetyEnabled",
                         L"GetSafetyEnabled",
                         {L"CSafetyController::GetSafetySecuredState | Error: Failed to get safety "
                          L"enabled state\n",
                          L"CPVCtrlBase::GetSafetySecuredState | Failed to retrieve Safety Secured "
                          L"State"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SafetyCase {
    const char* name;
    bool safety;
    bool enabled;
    bool lockedOut;
    const wchar_t* fault;
    HRESULT expected;
    LONG secured;
};

class SafetyController : public ::testing::TestWithParam<SafetyCase> {};

TEST_P(SafetyController, SecuredWhenEnabledAndNotLockedOut) {
    const SafetyCase& safety = GetParam();
    auto context = ContextFor(ProjectJson(true, safety.safety, false));
    context->Project().Controller().safetyEnabled = safety.enabled;
    context->Project().Controller().safetyLockedOut = safety.lockedOut;
    if (*safety.fault)
        context->Faults().Inject(safety.fault, E_ACCESSDENIED);
    auto module = MakeHostObject<CHostModule>(context);
    LONG secured = 7;
    EXPECT_EQ(safety.expected,
              CSafetyController::GetSafetySecuredState(static_cast<IModule*>(module), &secured));
    EXPECT_EQ(safety.secured, secured);
}

INSTANTIATE_TEST_SUITE_P(
    Modules, SafetyController,
    ::testing::Values(SafetyCase{"NoSafetyInterfaces", false, false, false, L"", S_OK, 0},
                      SafetyCase{"SafetyOff", true, false, false, L"", S_OK, 0},
                      SafetyCase{"SafetyOn", true, true, false, L"", S_OK, 1},
                      SafetyCase{"LockedOut", true, true, true, L"", S_OK, 0},
                      SafetyCase{"LockQueryFails", true, true, true, L"GetSafetyLockedOut", S_OK, 1},
                      SafetyCase{"EnabledQueryFails", true, true, false, L"GetSafetyEnabled", E_ACCESSDENIED,
                                 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SafetyControllerNoModule, IsAFailure) {
    LONG secured = 7;
    EXPECT_EQ(E_FAIL, CSafetyController::GetSafetySecuredState(nullptr, &secured));
    EXPECT_EQ(0, secured);
}

TEST(CtrlBase, LinksAreSetOnce) {
    ControlOnPage on;
    CAopLogCapture log;
    EXPECT_EQ(E_UNEXPECTED, on.control.SetIPVPropPageEnum(on.page));
    EXPECT_EQ(E_INVALIDARG, on.control.SetIPVPropPageEnum(nullptr));
    IModule* first = on.control.GetIModule();
    auto other = MakeHostObject<CHostModule>(on.context);
    EXPECT_EQ(E_UNEXPECTED, on.control.SetIModule(other));
    EXPECT_EQ(E_INVALIDARG, on.control.SetIModule(nullptr));
    EXPECT_EQ(first, on.control.GetIModule());
    EXPECT_TRUE(on.control.IsValid());
    EXPECT_EQ((Lines{L"CPVCtrlBase::SetIPVPropPageEnum | SetIPVPropPageEnum should only be called once.",
                     L"CPVCtrlBase::SetIPVPropPageEnum | Invalid argument 'pIPVPropPageEnum'",
                     L"CPVCtrlBase::SetIModule | SetIModule should only be called once.",
                     L"CPVCtrlBase::SetIModule | Invalid parameter 'pIModule'"}),
              LogLines(log));
}

TEST(CtrlBase, AccessorsOfAControlWithoutLinks) {
    CTestCtrl control;
    CAopLogCapture log;
    EXPECT_EQ(nullptr, control.GetIModule());
    EXPECT_EQ(nullptr, control.GetIPVPropPageEnum());
    EXPECT_FALSE(control.IsValid());
    EXPECT_FALSE(control.GetModuleStateFlag());
    EXPECT_EQ(nullptr, control.GetIApplication().p());
    EXPECT_EQ(
        (Lines{
            L"CPVCtrlBase::GetIModule | Attempted to retrieve null pointer. SetIModule has not been called.",
            L"CPVCtrlBase::GetIPVPropPageEnum | Attempted to retrieve null pointer. SetIPVPropPageEnum "
            L"has not been called.",
            L"CPVCtrlBase::IsValid | Object state is invalid.",
            L"CPVCtrlBase::GetIPVPropPageEnum | Attempted to retrieve null pointer. SetIPVPropPageEnum "
            L"has not been called.",
            L"CPVCtrlBase::GetIApplication | Failed to obtain CLSID_PVExtHostViewConnector."}),
        LogLines(log));
}

TEST(CtrlBase, RevertedClearsDirtyBeforeTheReload) {
    ControlOnPage on;
    on.control.MarkDirty();
    ASSERT_TRUE(on.control.IsDirty());
    EXPECT_EQ(S_OK, on.page->Reverted());
    EXPECT_EQ(std::vector<BOOL>{FALSE}, on.control.dirtyAtRefresh);
    EXPECT_FALSE(on.control.IsDirty());
    // DataChanged reloads too, and passes the reload's failure on.
    on.control.refreshResult = E_ACCESSDENIED;
    EXPECT_EQ(E_ACCESSDENIED, on.control.DataChanged());
}

TEST(CtrlBase, ModificationsDirtyOnlyWhileTracked) {
    for (BOOL track : {TRUE, FALSE}) {
        ControlOnPage on;
        on.control.SetTrackChanges(track);
        EXPECT_EQ(S_OK, on.control.CtrlModified(nullptr, 1001));
        EXPECT_EQ(track, on.control.IsDirty());
        EXPECT_EQ(track == TRUE, on.parent->ProfileDirty());
        on.control.MarkDirty();
        EXPECT_EQ(track, on.control.IsDirty());
    }
}

TEST(CtrlBase, PlainAnswers) {
    CTestCtrl control;
    CAopLogCapture log;
    EXPECT_EQ(S_OK, control.ModuleDeleted());
    EXPECT_EQ(E_INVALIDARG, control.GetDocumentationDirtyState(nullptr));
    VARIANT_BOOL dirty = VARIANT_TRUE;
    EXPECT_EQ(S_OK, control.GetDocumentationDirtyState(&dirty));
    EXPECT_EQ(VARIANT_FALSE, dirty);
    EXPECT_EQ(E_FAIL, control.ValidationErrorHandler(0, nullptr, nullptr));
    EXPECT_EQ(S_FALSE, control.PostModDefChange());
    EXPECT_EQ(S_OK, control.OnCloseDlg());
    EXPECT_EQ(
        (Lines{L"CPVCtrlBase::ModuleDeleted | ModuleDeleted() should never get called",
               L"CPVCtrlBase::GetDocumentationDirtyState | Pointer pUserDescriptionDirtyState is NULL"}),
        LogLines(log));
}

TEST(CtrlBase, InterfacesAreSubObjectsThatCountNothing) {
    CTestCtrl control;
    void* answer = nullptr;
    ASSERT_EQ(S_OK, control.QueryInterface(IUnknown::Iid, &answer));
    EXPECT_EQ(static_cast<IPVCtrl*>(&control), answer);
    ASSERT_EQ(S_OK, control.QueryInterface(IPVEventHandler2::Iid, &answer));
    EXPECT_EQ(static_cast<IPVEventHandler2*>(&control), answer);
    ASSERT_EQ(S_OK, control.QueryInterface(IPVCloseDlgHandler::Iid, &answer));
    EXPECT_EQ(static_cast<IPVCloseDlgHandler*>(&control), answer);
    ASSERT_EQ(S_OK, control.QueryInterface(IPVDocumentation::Iid, &answer));
    EXPECT_EQ(static_cast<IPVDocumentation*>(&control), answer);
    ASSERT_EQ(S_OK, control.QueryInterface(IPVLogixProperties::Iid, &answer));
    EXPECT_EQ(static_cast<IPVLogixProperties*>(&control), answer);
    EXPECT_EQ(E_NOINTERFACE, control.QueryInterface(IPVPropPageEnum::Iid, &answer));
    EXPECT_EQ(nullptr, answer);
    EXPECT_EQ(2u, control.AddRef());
    EXPECT_EQ(1u, control.Release());
}

TEST(CtrlBase, HostServicesThroughThePage) {
    ControlOnPage on;
    on.Controller().mode = 3;
    LONG mode = 0;
    EXPECT_EQ(S_OK, static_cast<IPVLogixProperties&>(on.control).GetLogixMode(&mode));
    EXPECT_EQ(3, mode);
    EXPECT_NE(nullptr, on.control.GetIApplication().p());
    EXPECT_NE(nullptr, on.control.GetIPVDlgManager().p());
    on.Controller().moduleStateFlag = true;
    EXPECT_TRUE(on.control.GetModuleStateFlag());
    on.context->Faults().Inject(L"get_ModuleStateFlag", E_FAIL);
    EXPECT_FALSE(on.control.GetModuleStateFlag());

    on.context->Faults().Inject(L"GetDlgManager", E_FAIL);
    CAopLogCapture log;
    EXPECT_EQ(nullptr, on.control.GetIPVDlgManager().p());
    EXPECT_EQ((Lines{L"CPVCtrlBase::GetIPVDlgManager | Failed to obtain IPVDialogManager"}), LogLines(log));
}

} // namespace
