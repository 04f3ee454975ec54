// The control base's window services on a page the host created: the enable rules
// reaching the item's window, showing, focus, errors and message dialogs through the
// host parent.
#include <gtest/gtest.h>

#include <functional>

#include "platform/com/ErrorInfo.h"
#include "platform/mfc/Wnd.h"
#include "profile/controls/PVCtrl.h"
#include "profile/resources/ResourceIds.h"
#include "profile/server/PromptInfo.h"
#include "tests/profile/panel/PanelTestSupport.h"

namespace {

// A control as the base leaves it: its window services unchanged.
class CItemCtrl : public CPVCtrl {
public:
    explicit CItemCtrl(UINT id) : CPVCtrl(id) {}
};

// A page on a host parent with the control on the mass flow box and a recording
// control after it; created under a host sheet unless told otherwise.
struct CtrlOnPage {
    std::shared_ptr<CHostContext> context;
    CComPtr<CHostParent> parent;
    CComPtr<CTestPage> page = NewPage(IDD_SYSUNIT);
    CItemCtrl control;
    CallLog calls;
    CRecordingCtrl recorder{L"r", &calls};
    HWND sheet = nullptr;

    explicit CtrlOnPage(LONG mode = 1, bool create = true, UINT id = IDC_SYSUNIT_MASS_FLOW)
        : context(ContextFor(ProjectJson(true, false, false))), parent(MakeHostObject<CHostParent>(context)),
          control(id) {
        context->Project().Controller().mode = mode;
        context->Project().Controller().redundancyState = 0;
        EXPECT_EQ(S_OK, page->AddControlToList(&control));
        EXPECT_EQ(S_OK, page->AddControlToList(&recorder));
        EXPECT_EQ(S_OK, page->Init(parent));
        if (create) {
            sheet = CreateWindowExW(0, L"Static", L"Properties", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400,
                                    nullptr, nullptr, nullptr, nullptr);
            EXPECT_EQ(S_OK, page->Create(sheet));
        }
        calls.clear();
    }
    ~CtrlOnPage() {
        page->Destroy();
        if (sheet)
            DestroyWindow(sheet);
    }
    HWND Item(int id = IDC_SYSUNIT_MASS_FLOW) const { return GetDlgItem(page->GetSafeHwnd(), id); }
};

struct EnableCase {
    const char* name;
    LONG modeAtCreate;
    bool enabledAtCreate;
    LONG modeLater;
    bool enabledLater;
};

class WindowEnable : public ::testing::TestWithParam<EnableCase> {};

TEST_P(WindowEnable, TheModeReachesTheItemsWindow) {
    const EnableCase& c = GetParam();
    CtrlOnPage on(c.modeAtCreate);
    ASSERT_NE(nullptr, on.Item());
    // The dialog initialisation hands the first activation to the controls.
    EXPECT_EQ(c.enabledAtCreate, IsWindowEnabled(on.Item()) != FALSE);
    on.context->Project().Controller().mode = c.modeLater;
    EXPECT_EQ(S_OK, on.page->LogixStateChanged(c.modeLater));
    EXPECT_EQ(c.enabledLater, IsWindowEnabled(on.Item()) != FALSE);
    // The neighbours are not the control's.
    EXPECT_TRUE(IsWindowEnabled(on.Item(IDC_SYSUNIT_VOLUME_FLOW)));
}

INSTANTIATE_TEST_SUITE_P(Modes, WindowEnable,
                         ::testing::Values(EnableCase{"RunToProgramLocked", 1, true, 4, false},
                                           EnableCase{"OfflineToRun", 8, false, 1, true},
                                           EnableCase{"RunToOffline", 1, true, 8, false},
                                           EnableCase{"Mode6StaysEnabled", 6, true, 7, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WindowServices, ShowControlShowsAndHidesTheItem) {
    CtrlOnPage on;
    ASSERT_EQ(S_OK, on.page->Show(SW_SHOW));
    EXPECT_EQ(S_OK, on.control.ShowControl(SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(on.Item()));
    EXPECT_EQ(S_OK, on.control.ShowControl(SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(on.Item()));
}

TEST(WindowServices, WithoutTheItemsWindowNothingIsTouched) {
    struct Case {
        const char* name;
        bool create;
        UINT id;
    };
    const Case cases[] = {{"PageNotCreated", false, IDC_SYSUNIT_MASS_FLOW}, {"NoSuchItem", true, 4242}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CtrlOnPage on(1, c.create, c.id);
        CAopLogCapture log;
        EXPECT_EQ(E_FAIL, on.control.ShowControl(SW_HIDE));
        EXPECT_EQ(S_OK, on.control.UpdateEnabledState());
        EXPECT_EQ((Lines{L"CPVCtrl::GetCWnd | Failed to obtain PVCtrl's CWnd",
                         L"CPVCtrl::ShowControl | Failed to obtain CWnd",
                         L"CPVCtrl::GetCWnd | Failed to obtain PVCtrl's CWnd"}),
                  LogLines(log));
    }
}

TEST(WindowServices, WithoutPageTheWindowIsNotFound) {
    CItemCtrl control(IDC_SYSUNIT_MASS_FLOW);
    CAopLogCapture log;
    EXPECT_EQ(nullptr, control.GetCWnd());
    EXPECT_EQ(E_FAIL, control.OnCtrlSetFocus());
    EXPECT_EQ(-1, control.MessageDlg(CPromptInfo(L"Text", L"", 0), MB_OK));
    EXPECT_EQ(
        (Lines{
            L"CPVCtrlBase::GetIPVPropPageEnum | Attempted to retrieve null pointer. SetIPVPropPageEnum has "
            L"not been called.",
            L"CPVCtrlBase::GetParentCWnd | Failed to retrieve PropPageEnumCWnd",
            L"CPVCtrl::GetCWnd | Failed to obtain parent CWnd",
            L"CPVCtrlBase::GetIPVPropPageEnum | Attempted to retrieve null pointer. SetIPVPropPageEnum has "
            L"not been called.",
            L"CPVCtrl::OnCtrlSetFocus | Failed to obtain IPVPropPageEnum",
            L"CPVCtrlBase::GetIPVPropPageEnum | Attempted to retrieve null pointer. SetIPVPropPageEnum has "
            L"not been called.",
            L"CPVCtrl::MessageDlg | Failed to obtain IPVPropPageEnum"}),
        LogLines(log));
}

TEST(WindowServices, AModificationReachesThePageAndTheOtherControls) {
    CtrlOnPage on;
    EXPECT_EQ(S_OK, on.control.OnCtrlModified());
    EXPECT_TRUE(on.control.IsDirty());
    EXPECT_TRUE(on.parent->ProfileDirty());
    EXPECT_EQ((CallLog{L"r:OnChangedCtrlData9132"}), on.calls);
}

TEST(WindowServices, TheFocusComesBackWhenThePageIsActivated) {
    CtrlOnPage on;
    SetFocus(on.Item());
    EXPECT_EQ(S_OK, on.control.OnCtrlSetFocus());
    SetFocus(on.Item(IDC_SYSUNIT_DENSITY));
    EXPECT_EQ(S_OK, on.page->OnActivate());
    EXPECT_EQ(on.Item(), GetFocus());
}

CComPtr<IErrorInfo> ErrorObject(const wchar_t* text, const wchar_t* helpFile, DWORD context) {
    CComPtr<ICreateErrorInfo> create;
    EXPECT_EQ(S_OK, CreateErrorInfo(&create));
    create->SetDescription(const_cast<LPOLESTR>(text));
    create->SetHelpFile(const_cast<LPOLESTR>(helpFile));
    create->SetHelpContext(context);
    CComPtr<IErrorInfo> error;
    EXPECT_EQ(S_OK, create.QueryInterface(&error));
    return error;
}

struct ErrorCase {
    const char* name;
    std::function<HRESULT(CPVCtrl&, IErrorInfo**)> handler;
    const wchar_t* function;
    HRESULT showError; // what the host answers
};

class ErrorDisplay : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorDisplay, TheHostShowsItAndTheWindowGetsTheFocus) {
    const ErrorCase& c = GetParam();
    CtrlOnPage on;
    HWND elsewhere = on.Item(IDC_SYSUNIT_DENSITY);
    SetFocus(elsewhere);
    if (FAILED(c.showError))
        on.context->Faults().Inject(L"ShowError", c.showError);
    CComPtr<IErrorInfo> error = ErrorObject(L"Mass flow: out of range", L"C:\\help.chm", 77);
    IErrorInfo* raw = error.p();
    CAopLogCapture log;
    EXPECT_EQ(c.showError, c.handler(on.control, &raw));
    EXPECT_EQ(1, on.parent->FocusRequests());
    if (SUCCEEDED(c.showError)) {
        ASSERT_EQ(1u, on.parent->ShownErrors().size());
        EXPECT_EQ(L"Mass flow: out of range", on.parent->ShownErrors()[0].text);
        EXPECT_EQ(L"C:\\help.chm", on.parent->ShownErrors()[0].helpFile);
        EXPECT_EQ(77u, on.parent->ShownErrors()[0].helpContext);
        EXPECT_EQ(on.Item(), GetFocus());
        EXPECT_TRUE(LogLines(log).empty());
    } else {
        EXPECT_TRUE(on.parent->ShownErrors().empty());
        EXPECT_EQ((Lines{std::wstring(c.function) + L" | Failed to display error dialog"}), LogLines(log));
    }
}

HRESULT ByValidation(CPVCtrl& c, IErrorInfo** e) {
    return c.DefaultValidationErrorHandler(0, nullptr, e);
}
HRESULT ByErrorInfo(CPVCtrl& c, IErrorInfo** e) {
    return c.IErrorInfoErrorHandler(e);
}
HRESULT ByPrompt(CPVCtrl& c, IErrorInfo**) {
    return c.PromptMsgHandler(CPromptInfo(L"Mass flow: out of range", L"C:\\help.chm", 77));
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, ErrorDisplay,
    ::testing::Values(ErrorCase{"Validation", ByValidation, L"CPVCtrl::DefaultValidationErrorHandler", S_OK},
                      ErrorCase{"ValidationRefused", ByValidation, L"CPVCtrl::DefaultValidationErrorHandler",
                                E_ACCESSDENIED},
                      ErrorCase{"ErrorInfo", ByErrorInfo, L"CPVCtrl::IErrorInfoErrorHandler", S_OK},
                      ErrorCase{"ErrorInfoRefused", ByErrorInfo, L"CPVCtrl::IErrorInfoErrorHandler", E_FAIL},
                      ErrorCase{"Prompt", ByPrompt, L"CPVCtrl::PromptMsgHandler", S_OK},
                      ErrorCase{"PromptRefused", ByPrompt, L"CPVCtrl::PromptMsgHandler", E_OUTOFMEMORY}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageDialog, TheHostAsksOnThePagesWindow) {
    struct Case {
        const char* name;
        LONG queued; // 0: none, the default button
        HRESULT fault;
        LONG expected;
        Lines lines;
    };
    const Case cases[] = {
        {"Yes", IDYES, S_OK, IDYES, {}},
        {"No", IDNO, S_OK, IDNO, {}},
        {"DefaultButton", 0, S_OK, IDYES, {}},
        {"HostFails", 0, E_FAIL, -1, {L"CPVCtrl::MessageDlg | Failed to display message dialog"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CtrlOnPage on;
        SetFocus(on.Item(IDC_SYSUNIT_DENSITY));
        if (c.queued)
            on.parent->QueueAnswer(c.queued);
        if (FAILED(c.fault))
            on.context->Faults().Inject(L"MessageDlg", c.fault);
        CAopLogCapture log;
        EXPECT_EQ(c.expected, on.control.MessageDlg(CPromptInfo(L"Reset the totalizer?", L"C:\\h.chm", 5),
                                                    MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(c.lines, LogLines(log));
        ASSERT_EQ(1u, on.parent->MessageDlgs().size());
        const CMessageDlgCall& call = on.parent->MessageDlgs()[0];
        EXPECT_EQ(on.page->GetSafeHwnd(), call.owner);
        EXPECT_EQ(L"Reset the totalizer?", call.text);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), call.type);
        EXPECT_EQ(5u, call.helpContext);
        EXPECT_EQ(L"C:\\h.chm", call.helpFile);
        EXPECT_EQ(1, on.parent->FocusRequests());
        // The page moves the focus to the control once the host agrees, before asking.
        EXPECT_EQ(on.Item(), GetFocus());
    }
}

} // namespace
