#include <functional>

#include <gtest/gtest.h>

#include "profile/controls/PVCtrl.h"
#include "tests/profile/panel/PanelTestSupport.h"

namespace {

constexpr HRESULT kOrdinaryError = static_cast<HRESULT>(0x80070005); // E_ACCESSDENIED
constexpr HRESULT kFrameworkError = static_cast<HRESULT>(0x80040201);

// A page with three recording controls a, b, c on a host parent.
struct ThreeControls {
    CallLog calls;
    CRecordingCtrl a{L"a", &calls}, b{L"b", &calls}, c{L"c", &calls};
    std::shared_ptr<CHostContext> context = ContextFor(ProjectJson(true, false, false));
    CComPtr<CHostParent> parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage();

    ThreeControls() {
        page->AddControlToList(&a);
        page->AddControlToList(&b);
        page->AddControlToList(&c);
        EXPECT_EQ(S_OK, page->Init(parent));
        calls.clear();
    }
};

// One event of the broadcast rule: how the page is told, the operation the control
// records and the message a failure is logged with.
struct BroadcastCase {
    const char* name;
    std::function<HRESULT(CTestPage&)> send;
    std::wstring operation;
    std::wstring function;
    std::wstring message;
};

class BroadcastRule : public ::testing::TestWithParam<BroadcastCase> {};

TEST_P(BroadcastRule, EveryControlIsCalledAndTheLastFailureIsTheResult) {
    const BroadcastCase& event = GetParam();
    ThreeControls page;
    page.b.Answer(event.operation, kOrdinaryError);
    CAopLogCapture log;
    EXPECT_EQ(kOrdinaryError, event.send(*page.page));
    EXPECT_EQ((CallLog{L"a:" + event.operation, L"b:" + event.operation, L"c:" + event.operation}),
              page.calls);
    EXPECT_EQ((Lines{event.function + L" | " + event.message}), LogLines(log));
}

TEST_P(BroadcastRule, AnEmptyListAnswersSOk) {
    const BroadcastCase& event = GetParam();
    auto context = ContextFor(ProjectJson(true, false, false));
    auto parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage();
    ASSERT_EQ(S_OK, page->Init(parent));
    CAopLogCapture log;
    EXPECT_EQ(S_OK, event.send(*page));
    EXPECT_TRUE(log.Records().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Events, BroadcastRule,
    ::testing::Values(
        BroadcastCase{"Refresh", [](CTestPage& p) { return p.Refresh(); }, L"Refresh",
                      L"CPVPanelEnum::Refresh", L"A control failed to handle the refresh event."},
        BroadcastCase{"ClearDirty", [](CTestPage& p) { return p.ClearDirty(); }, L"ClearDirty",
                      L"CPVPanelEnum::ClearDirty", L"A control failed to handle the clear dirty event."},
        BroadcastCase{"PreInitialActivate", [](CTestPage& p) { return p.PreInitialActivate(); },
                      L"PreInitialActivate", L"CPVPanelEnum::PreInitialActivate",
                      L"A control failed to handle the pre-initial activate event."},
        BroadcastCase{"OnActivate", [](CTestPage& p) { return p.OnActivate(); }, L"OnActivate",
                      L"CPVPanelEnum::OnActivate", L"A control failed to handle the on activate event."},
        BroadcastCase{"LogixStateChanged", [](CTestPage& p) { return p.LogixStateChanged(3); },
                      L"LogixStateChanged3", L"CPVPanelEnum::LogixStateChanged",
                      L"A control failed to handle the logix state change event."},
        BroadcastCase{"ModuleStatusChanged", [](CTestPage& p) { return p.ModuleStatusChanged(); },
                      L"ModuleStatusChanged", L"CPVPanelEnum::ModuleStatusChanged",
                      L"A control failed to handle the module status change event."},
        BroadcastCase{"Flush", [](CTestPage& p) { return p.Flush(); }, L"Flush", L"CPVPanelEnum::Flush",
                      L"A control failed to handle the flush event."},
        BroadcastCase{"DataChanged", [](CTestPage& p) { return p.DataChanged(); }, L"DataChanged",
                      L"CPVPanelEnum::DataChanged", L"A control failed to handle the data changed event."},
        BroadcastCase{"ModuleDefinitionChanged", [](CTestPage& p) { return p.ModuleDefinitionChanged(); },
                      L"ModuleDefinitionChanged", L"CPVPanelEnum::ModuleDefinitionChanged",
                      L"A control failed to handle the module definition changed event."},
        BroadcastCase{"Reverted", [](CTestPage& p) { return p.Reverted(); }, L"Reverted",
                      L"CPVPanelEnum::Reverted", L"A control failed to handle the reverted event."},
        BroadcastCase{"DirtyStateChanged", [](CTestPage& p) { return p.DirtyStateChanged(); },
                      L"DirtyStateChanged", L"CPVPanelEnum::DirtyStateChanged",
                      L"A control failed to handle the dirty state change event."},
        BroadcastCase{"CtrlModified",
                      [](CTestPage& p) { return p.CtrlModified(nullptr, 1001, VARIANT_FALSE); },
                      L"OnChangedCtrlData1001", L"CPVPanelEnum::CtrlModified",
                      L"A control failed OnChangedCtrlData()."}),
    [](const auto& info) { return std::string(info.param.name); });

// Save and OnDeactivate: which failures end the broadcast, and which are logged.
struct StopCase {
    const char* name;
    bool deactivate;
    HRESULT failure;
    bool thirdCalled;
    bool logged;
};

class StopRule : public ::testing::TestWithParam<StopCase> {};

TEST_P(StopRule, SecondControlFails) {
    const StopCase& rule = GetParam();
    ThreeControls page;
    const std::wstring operation = rule.deactivate ? L"OnDeactivate" : L"Save";
    page.b.Answer(operation, rule.failure);
    CAopLogCapture log;
    EXPECT_EQ(rule.failure, rule.deactivate ? page.page->OnDeactivate() : page.page->Save());
    CallLog expected{L"a:" + operation, L"b:" + operation};
    if (rule.thirdCalled)
        expected.push_back(L"c:" + operation);
    EXPECT_EQ(expected, page.calls);
    Lines lines;
    if (rule.logged)
        lines.push_back(rule.deactivate
                            ? L"CPVPanelEnum::OnDeactivate | Unknown error returned from OnDeactivate."
                            : L"CPVPanelEnum::Save | A control failed to handle save event.");
    EXPECT_EQ(lines, LogLines(log));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, StopRule,
    ::testing::Values(StopCase{"SaveFrameworkError", false, kFrameworkError, false, false},
                      StopCase{"SaveFirstOfRange", false, static_cast<HRESULT>(0x80040200), false, false},
                      StopCase{"SaveLastOfRange", false, static_cast<HRESULT>(0x8004022B), false, false},
                      StopCase{"SaveJustAfterRange", false, static_cast<HRESULT>(0x8004022C), true, true},
                      StopCase{"SaveJustBeforeRange", false, static_cast<HRESULT>(0x800401FF), true, true},
                      StopCase{"SaveInvalidArg", false, E_INVALIDARG, true, true},
                      StopCase{"DeactivateOrdinaryError", true, kOrdinaryError, false, true},
                      StopCase{"DeactivateFrameworkError", true, kFrameworkError, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PanelEnum, AnEmptyListAnswersTheSpecialEvents) {
    auto context = ContextFor(ProjectJson(true, false, false));
    auto parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage();
    ASSERT_EQ(S_OK, page->Init(parent));
    EXPECT_EQ(S_OK, page->Save());
    EXPECT_EQ(S_OK, page->OnDeactivate());
    EXPECT_EQ(E_FAIL, page->ValidationErrorHandler(0, nullptr, nullptr));
    EXPECT_EQ(S_FALSE, page->PostModDefChange());
}

struct PostModDefCase {
    const char* name;
    HRESULT first;
    HRESULT second;
    HRESULT expected;
    size_t logLines;
};

class PostModDefChangeRule : public ::testing::TestWithParam<PostModDefCase> {};

TEST_P(PostModDefChangeRule, SOkWhenAnyControlAnsweredSOk) {
    const PostModDefCase& rule = GetParam();
    CallLog calls;
    CRecordingCtrl a{L"a", &calls}, b{L"b", &calls};
    a.Answer(L"PostModDefChange", rule.first);
    b.Answer(L"PostModDefChange", rule.second);
    CComPtr<CTestPage> page = NewPage();
    page->AddControlToList(&a);
    page->AddControlToList(&b);
    calls.clear();
    CAopLogCapture log;
    EXPECT_EQ(rule.expected, page->PostModDefChange());
    EXPECT_EQ((CallLog{L"a:PostModDefChange", L"b:PostModDefChange"}), calls);
    EXPECT_EQ(Lines(rule.logLines, L"CPVPanelEnum::PostModDefChange | Control failed PostModDefChange()."),
              LogLines(log));
}

INSTANTIATE_TEST_SUITE_P(Combinations, PostModDefChangeRule,
                         ::testing::Values(PostModDefCase{"FalseThenOk", S_FALSE, S_OK, S_OK, 0},
                                           PostModDefCase{"BothFalse", S_FALSE, S_FALSE, S_FALSE, 0},
                                           PostModDefCase{"OkThenFailure", S_OK, E_FAIL, S_OK, 1},
                                           PostModDefCase{"FailureThenFalse", E_FAIL, S_FALSE, S_FALSE, 1},
                                           // Another success code is not S_OK.
                                           PostModDefCase{"OtherSuccess", static_cast<HRESULT>(2), S_FALSE,
                                                          S_FALSE, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ValidationCase {
    const char* name;
    HRESULT a, b, c;
    HRESULT expected;
    CallLog calls;
};

class ValidationFirstTaker : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(ValidationFirstTaker, StopsAtTheFirstControlThatClaimsTheError) {
    const ValidationCase& rule = GetParam();
    CallLog calls;
    CRecordingCtrl a{L"a", &calls}, b{L"b", &calls}, c{L"c", &calls};
    a.Answer(L"ValidationErrorHandler", rule.a);
    b.Answer(L"ValidationErrorHandler", rule.b);
    c.Answer(L"ValidationErrorHandler", rule.c);
    CComPtr<CTestPage> page = NewPage();
    for (auto* control : {&a, &b, &c})
        page->AddControlToList(control);
    calls.clear();
    CAopLogCapture log;
    EXPECT_EQ(rule.expected, page->ValidationErrorHandler(7, nullptr, nullptr));
    EXPECT_EQ(rule.calls, calls);
    EXPECT_TRUE(log.Records().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Offers, ValidationFirstTaker,
    ::testing::Values(
        ValidationCase{"SecondClaims",
                       E_FAIL,
                       S_OK,
                       S_OK,
                       S_OK,
                       {L"a:ValidationErrorHandler", L"b:ValidationErrorHandler"}},
        ValidationCase{"FirstClaimsWithSFalse", S_FALSE, S_OK, S_OK, S_FALSE, {L"a:ValidationErrorHandler"}},
        ValidationCase{
            "NoneClaims",
            E_FAIL,
            E_INVALIDARG,
            kOrdinaryError,
            kOrdinaryError,
            {L"a:ValidationErrorHandler", L"b:ValidationErrorHandler", L"c:ValidationErrorHandler"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PanelEnum, CtrlModifiedMarksTheProfileDirtyOnlyWhenAsked) {
    for (VARIANT_BOOL setDirty : {VARIANT_FALSE, VARIANT_TRUE}) {
        ThreeControls page;
        EXPECT_EQ(S_OK, page.page->CtrlModified(nullptr, 1005, setDirty));
        EXPECT_EQ(setDirty == VARIANT_TRUE, page.parent->ProfileDirty());
        EXPECT_EQ(
            (CallLog{L"a:OnChangedCtrlData1005", L"b:OnChangedCtrlData1005", L"c:OnChangedCtrlData1005"}),
            page.calls);
    }
}

// A parent query that fails with another code than E_NOINTERFACE raises inside
// GetIPVParent; SetDirty takes that as a failed call, so the controls are still told.
TEST(PanelEnum, SetDirtyFailureIsLoggedAndTheControlsAreStillTold) {
    const struct {
        const wchar_t* operation;
        const wchar_t* member;
        Lines log;
    } faults[] = {
        {L"SetProfileDirty", L"", {L"CPVPanel::SetDirty | Panel's call to SetProfileDirty() failed."}},
        {L"QueryInterface",
         L"IPVParent",
         {L"CPVPanel::GetIPVParent | Panel has invalid parent pointer.",
          L"CPVPanel::SetDirty | Panel's call to SetProfileDirty() failed."}},
    };
    for (const auto& fault : faults) {
        ThreeControls page;
        page.context->Faults().Inject(fault.operation, E_OUTOFMEMORY, fault.member);
        CAopLogCapture log;
        EXPECT_EQ(S_OK, page.page->CtrlModified(nullptr, 1, VARIANT_TRUE)) << fault.operation;
        EXPECT_EQ(3u, page.calls.size()) << fault.operation;
        EXPECT_EQ(fault.log, LogLines(log)) << fault.operation;
    }
}

TEST(PanelEnum, AControlAddedTwiceReceivesEachEventTwice) {
    CallLog calls;
    CRecordingCtrl a{L"a", &calls};
    CComPtr<CTestPage> page = NewPage();
    EXPECT_EQ(S_OK, page->AddControlToList(&a));
    EXPECT_EQ(S_OK, page->AddControlToList(&a));
    EXPECT_EQ(2, page->GetControlCount());
    calls.clear();
    EXPECT_EQ(S_OK, page->Refresh());
    EXPECT_EQ(S_OK, page->Flush());
    EXPECT_EQ((CallLog{L"a:Refresh", L"a:Refresh", L"a:Flush", L"a:Flush"}), calls);
}

TEST(PanelEnum, AControlBaseRefusesASecondPage) {
    struct Ctrl : CPVCtrl {
        Ctrl() : CPVCtrl(1001) {}
        HRESULT UpdateEnabledState() override { return S_OK; }
    } control;
    CComPtr<CTestPage> page = NewPage();
    CAopLogCapture log;
    EXPECT_EQ(S_OK, page->AddControlToList(&control));
    EXPECT_EQ(E_UNEXPECTED, page->AddControlToList(&control));
    EXPECT_EQ(1, page->GetControlCount());
    EXPECT_EQ((Lines{L"CPVCtrlBase::SetIPVPropPageEnum | SetIPVPropPageEnum should only be called once.",
                     L"CPVPanelEnum::AddControlToList | Unable to set control's IPVPropPageEnum."}),
              LogLines(log));
}

TEST(PanelEnum, AddControlToListRefusesNull) {
    CComPtr<CTestPage> page = NewPage();
    CAopLogCapture log;
    EXPECT_EQ(E_INVALIDARG, page->AddControlToList(nullptr));
    EXPECT_EQ((Lines{L"CPVPanelEnum::AddControlToList | Bad input parameter."}), LogLines(log));
}

TEST(PanelEnum, AControlHandsItsPageInterface) {
    CallLog calls;
    CRecordingCtrl a{L"a", &calls};
    CComPtr<CTestPage> page = NewPage();
    page->AddControlToList(&a);
    EXPECT_EQ(static_cast<IPVPropPageEnum*>(page.p()), a.Page());
    EXPECT_EQ((CallLog{L"a:SetIPVPropPageEnum"}), calls);
}

TEST(PanelEnum, ControlsWithoutEventHandlerArePassedOver) {
    CallLog calls;
    CRecordingCtrl a{L"a", &calls, false}, b{L"b", &calls};
    CComPtr<CTestPage> page = NewPage();
    page->AddControlToList(&a);
    page->AddControlToList(&b);
    calls.clear();
    CAopLogCapture log;
    EXPECT_EQ(S_OK, page->DataChanged());
    EXPECT_EQ((CallLog{L"b:DataChanged"}), calls);
    EXPECT_EQ((Lines{L"CPVPanelEnum::DataChanged | Control does not support IPVEventHandler2."}),
              LogLines(log));
}

TEST(PanelEnum, InitHandsTheModuleToEveryControl) {
    CallLog calls;
    CRecordingCtrl a{L"a", &calls}, b{L"b", &calls}, c{L"c", &calls};
    b.Answer(L"SetIModule", E_UNEXPECTED);
    auto context = ContextFor(ProjectJson(true, false, false));
    auto parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage();
    for (auto* control : {&a, &b, &c})
        page->AddControlToList(control);
    calls.clear();
    CAopLogCapture log;
    EXPECT_EQ(E_UNEXPECTED, page->CPVPanelEnum::Init(parent));
    EXPECT_EQ((CallLog{L"a:SetIModule", L"b:SetIModule", L"c:SetIModule"}), calls);
    EXPECT_NE(nullptr, c.Module());
    EXPECT_EQ((Lines{L"CPVPanelEnum::Init | IPVCtrl::SetIModule() failed."}), LogLines(log));
}

TEST(PanelEnum, InitFailures) {
    CComPtr<CTestPage> page = NewPage();
    {
        CAopLogCapture log;
        EXPECT_EQ(E_FAIL, page->Init(nullptr));
        EXPECT_EQ((Lines{L"CPVPanelEnum::Init | Invalid parameter.",
                         L"CPVConfigPanelEnum::Init | Base class initialization failed."}),
                  LogLines(log));
    }
    auto context = ContextFor(ProjectJson(true, false, false));
    auto parent = MakeHostObject<CHostParent>(context);
    context->Faults().Inject(L"GetModule", E_OUTOFMEMORY);
    CAopLogCapture log;
    EXPECT_EQ(E_FAIL, page->Init(parent));
    EXPECT_EQ((Lines{L"CPVPanelEnum::Init | Unable to get IModule interface.",
                     L"CPVConfigPanelEnum::Init | Base class initialization failed."}),
              LogLines(log));
}

// The page's services to its controls pass the host's answers through.
TEST(PanelEnum, PropPageEnumPassesTheParentsAnswers) {
    ThreeControls page;
    IPVPropPageEnum* services = page.page;
    page.context->Project().Controller().mode = 3;
    page.context->Project().Controller().redundancyState = 1;
    page.context->Project().Controller().parentStates = {{2, true}};
    LONG value = 0;
    EXPECT_EQ(S_OK, services->GetLogixMode(&value));
    EXPECT_EQ(3, value);
    EXPECT_EQ(S_OK, services->GetRedundancyState(&value));
    EXPECT_EQ(1, value);
    VARIANT_BOOL state = VARIANT_FALSE;
    EXPECT_EQ(S_OK, services->GetParentState(&state, 2));
    EXPECT_EQ(VARIANT_TRUE, state);
    EXPECT_EQ(S_OK, services->GetParentState(&state, 9));
    EXPECT_EQ(VARIANT_FALSE, state);
    EXPECT_EQ(S_OK, services->NotifyParent());
    EXPECT_EQ(1, page.parent->Notifications());

    page.parent->QueueAnswer(7);
    LONG button = 0;
    EXPECT_EQ(S_OK, services->MessageDlg(nullptr, nullptr, 4 /* MB_YESNO */, 0, nullptr, &button));
    EXPECT_EQ(7, button);
    page.context->Faults().Inject(L"MessageDlg", E_FAIL);
    EXPECT_EQ(E_FAIL, services->MessageDlg(nullptr, nullptr, 4, 0, nullptr, &button));
    EXPECT_EQ(-1, button);

    BSTR text = SysAllocString(L"Totalizer:  out of range");
    EXPECT_EQ(S_OK, services->ShowError(text, nullptr, 12));
    SysFreeString(text);
    ASSERT_EQ(1u, page.parent->ShownErrors().size());
    EXPECT_EQ(L"Totalizer:  out of range", page.parent->ShownErrors()[0].text);
    EXPECT_EQ(12u, page.parent->ShownErrors()[0].helpContext);
}

TEST(PanelEnum, RequestInputFocusFailures) {
    ThreeControls page;
    IPVPropPageEnum* services = page.page;
    CAopLogCapture log;
    EXPECT_EQ(E_INVALIDARG, services->RequestInputFocus(nullptr));
    EXPECT_EQ((Lines{L"CPVPanelEnum::RequestInputFocus | Invalid parameter."}), LogLines(log));
}

TEST(PanelEnum, WithoutParentTheServicesFail) {
    CComPtr<CTestPage> page = NewPage();
    IPVPropPageEnum* services = page;
    CComPtr<IUnknown> object;
    CAopLogCapture log;
    EXPECT_EQ(E_FAIL, services->GetHostService(IUnknown::Iid, &object));
    LONG button = 0;
    EXPECT_EQ(E_FAIL, services->MessageDlg(nullptr, nullptr, 0, 0, nullptr, &button));
    EXPECT_EQ(-1, button);
    EXPECT_EQ((Lines{L"CPVPanel::GetIPVParent | Panel has invalid parent pointer.",
                     L"CPVPanel::GetIPVParent | Panel has invalid parent pointer."}),
              LogLines(log));
}

} // namespace
