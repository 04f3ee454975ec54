// The panel as a window of the framework: created from its template under the host's
// window, translating the host's queued input through its windows and handing the
// input focus to the control that asked for it last.
#include <gtest/gtest.h>

#include "platform/mfc/Wnd.h"
#include "profile/resources/ResourceIds.h"
#include "tests/profile/panel/PanelTestSupport.h"

namespace {

constexpr UINT kSysUnitTemplate = IDD_SYSUNIT;

HWND HostSheet() {
    return CreateWindowExW(0, L"Static", L"Properties", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                           nullptr, nullptr, nullptr);
}

// A window object that takes key presses before they are dispatched.
class CKeyTaker : public CWnd {
public:
    BOOL PreTranslateMessage(MSG* msg) override {
        ++offered;
        return msg->message == WM_KEYDOWN ? TRUE : FALSE;
    }
    int offered = 0;
};

// A page created under a host sheet, on a host parent.
struct CreatedPage {
    std::shared_ptr<CHostContext> context = ContextFor(ProjectJson(true, false, false));
    CComPtr<CHostParent> parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage(kSysUnitTemplate);
    HWND sheet = HostSheet();

    CreatedPage() {
        EXPECT_EQ(S_OK, page->Init(parent));
        EXPECT_EQ(S_OK, page->Create(sheet));
    }
    ~CreatedPage() {
        page->Destroy();
        DestroyWindow(sheet);
    }
    HWND Item(int id) const { return GetDlgItem(page->GetSafeHwnd(), id); }
    IPVPropPageEnum* Services() { return page; }
};

struct PreTranslateCase {
    const char* name;
    bool takerOnItem;  // the mass flow combo box takes key presses
    bool takerOnSheet; // the host's sheet, outside the panel, would take them
    UINT message;
    HRESULT expected;
    int offeredToItem;
};

class PanelPreTranslate : public ::testing::TestWithParam<PreTranslateCase> {};

TEST_P(PanelPreTranslate, WalksFromTheMessagesWindowUpToThePanel) {
    const PreTranslateCase& c = GetParam();
    CreatedPage on;
    CKeyTaker item;
    CKeyTaker sheet;
    if (c.takerOnItem) {
        ASSERT_TRUE(item.SubclassDlgItem(IDC_SYSUNIT_MASS_FLOW, CWnd::FromHandle(on.page->GetSafeHwnd())));
    }
    if (c.takerOnSheet) {
        ASSERT_TRUE(sheet.SubclassWindow(on.sheet));
    }
    MSG msg{};
    msg.hwnd = on.Item(IDC_SYSUNIT_MASS_FLOW);
    msg.message = c.message;
    IPVWndMsg* host = on.page;
    EXPECT_EQ(c.expected, host->PreTranslateMessage(&msg));
    EXPECT_EQ(c.offeredToItem, item.offered);
    // The walk ends at the panel: the host's own windows are not the panel's to ask.
    EXPECT_EQ(0, sheet.offered);
    if (c.takerOnItem)
        item.UnsubclassWindow();
    if (c.takerOnSheet)
        sheet.UnsubclassWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Messages, PanelPreTranslate,
    ::testing::Values(PreTranslateCase{"ItemTakesKey", true, false, WM_KEYDOWN, S_OK, 1},
                      PreTranslateCase{"ItemLeavesChar", true, false, WM_CHAR, S_FALSE, 1},
                      PreTranslateCase{"NoObjectOnItem", false, false, WM_KEYDOWN, S_FALSE, 0},
                      PreTranslateCase{"SheetIsNotAsked", false, true, WM_KEYDOWN, S_FALSE, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PanelPreTranslate, NothingWithoutMessageOrWindow) {
    CComPtr<CTestPage> page = NewPage(kSysUnitTemplate);
    IPVWndMsg* host = page;
    MSG msg{};
    EXPECT_EQ(S_FALSE, host->PreTranslateMessage(&msg));
    CreatedPage on;
    IPVWndMsg* created = on.page;
    EXPECT_EQ(S_FALSE, created->PreTranslateMessage(nullptr));
}

TEST(PanelCreateParent, TheHostWindowIsWrappedOnlyForTheCall) {
    CreatedPage on;
    EXPECT_EQ(on.sheet, GetParent(on.page->GetSafeHwnd()));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(on.sheet));
    EXPECT_EQ(on.page.p(), CWnd::FromHandlePermanent(on.page->GetSafeHwnd()));

    // A host window the framework already has an object for keeps it.
    auto context = ContextFor(ProjectJson(true, false, false));
    auto parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> second = NewPage(kSysUnitTemplate);
    ASSERT_EQ(S_OK, second->Init(parent));
    HWND sheet = HostSheet();
    CWnd owner;
    ASSERT_TRUE(owner.Attach(sheet));
    ASSERT_EQ(S_OK, second->Create(sheet));
    EXPECT_EQ(&owner, CWnd::FromHandlePermanent(sheet));
    EXPECT_EQ(sheet, GetParent(second->GetSafeHwnd()));
    EXPECT_EQ(S_OK, second->Destroy());
    owner.Detach();
    DestroyWindow(sheet);
}

TEST(PanelFocus, ActivationGivesTheFocusBackToTheFocusControl) {
    struct Case {
        const char* name;
        int focusItem; // 0: no focus control
        bool destroyItFirst;
    };
    const Case cases[] = {{"VolumeFlow", IDC_SYSUNIT_VOLUME_FLOW, false},
                          {"None", 0, false},
                          {"DestroyedWindow", IDC_SYSUNIT_VOLUME_FLOW, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CreatedPage on;
        HWND other = on.Item(IDC_SYSUNIT_MASS_FLOW);
        if (c.focusItem) {
            HWND item = on.Item(c.focusItem);
            ASSERT_EQ(S_OK, on.Services()->SetFocusCtrl(CWnd::FromHandle(item)));
            if (c.destroyItFirst)
                DestroyWindow(item);
        }
        SetFocus(other);
        ASSERT_EQ(other, GetFocus());
        EXPECT_EQ(S_OK, on.page->OnActivate());
        const HWND expected = c.focusItem && !c.destroyItFirst ? on.Item(c.focusItem) : other;
        EXPECT_EQ(expected, GetFocus());
    }
}

TEST(PanelFocus, RequestInputFocusAsksTheParentFirst) {
    struct Case {
        const char* name;
        HRESULT parentAnswer;
        bool focused;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {"Agrees", S_OK, true, {}},
        {"Refuses",
         E_ACCESSDENIED,
         false,
         {L"CPVPanelEnum::RequestInputFocus | Panel failed to get input focus from parent."}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CreatedPage on;
        HWND other = on.Item(IDC_SYSUNIT_MASS_FLOW);
        HWND wanted = on.Item(IDC_SYSUNIT_DENSITY);
        SetFocus(other);
        if (FAILED(c.parentAnswer))
            on.context->Faults().Inject(L"RequestInputFocus", c.parentAnswer);
        CAopLogCapture log;
        EXPECT_EQ(c.parentAnswer, on.Services()->RequestInputFocus(CWnd::FromHandle(wanted)));
        EXPECT_EQ(c.focused ? wanted : other, GetFocus());
        EXPECT_EQ(c.focused ? 1 : 0, on.parent->FocusRequests());
        EXPECT_EQ(c.lines, LogLines(log));
    }
}

TEST(PanelWindowObject, ThePageIsItsOwnWindowObject) {
    CComPtr<CTestPage> unborn = NewPage(kSysUnitTemplate);
    CWnd* wnd = nullptr;
    IPVPropPageEnum* services = unborn;
    ASSERT_EQ(S_OK, services->GetPropPageEnumCWnd(&wnd));
    EXPECT_EQ(static_cast<CWnd*>(unborn.p()), wnd);
    EXPECT_EQ(nullptr, wnd->GetSafeHwnd());

    CreatedPage on;
    ASSERT_EQ(S_OK, on.Services()->GetPropPageEnumCWnd(&wnd));
    EXPECT_EQ(on.page->GetSafeHwnd(), wnd->GetSafeHwnd());
    EXPECT_EQ(on.Item(IDC_SYSUNIT_MASS_FLOW), wnd->GetDlgItem(IDC_SYSUNIT_MASS_FLOW)->GetSafeHwnd());
}

} // namespace
