// The tab framework on a page made from the totalizer templates: a configuration tab
// control with three tab pages, each holding one recording control, inside a host
// sheet. Switched with the user's hand; events sent by the host's side, requests made
// by the recording controls through their tab page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/HostFaults.h"
#include "platform/com/RuntimeClass.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/hand/UserHand.h"
#include "platform/mfc/DataExchange.h"
#include "platform/user/WindowDump.h"
#include "profile/panel/PVCtrlConfigTabCtrl.h"
#include "profile/panel/PVTabPageConfigEnum.h"
#include "profile/resources/ResourceIds.h"
#include "tests/profile/panel/PanelTestSupport.h"

namespace {

constexpr HRESULT kRefused = static_cast<HRESULT>(0x80040201);

class CTabTestPage : public CTestPage {
public:
    CTabTestPage() : CTestPage(IDD_TOTALIZER) {}

    CPVCtrlConfigTabCtrl tabs{IDC_TOTALIZER_TABS};
    CPVTabPageConfigEnum pages[3] = {CPVTabPageConfigEnum(IDD_TOTALIZER_TAB),
                                     CPVTabPageConfigEnum(IDD_TOTALIZER_TAB),
                                     CPVTabPageConfigEnum(IDD_TOTALIZER_TAB)};

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CTestPage::DoDataExchange(dx);
        DDX_Control(dx, IDC_TOTALIZER_TABS, tabs);
    }
};

// Tab i holds control "t<i+1>"; the first tab has no title of its own.
struct TabsOnHost {
    CallLog calls;
    CRecordingCtrl ctrl[3] = {{L"t1", &calls}, {L"t2", &calls}, {L"t3", &calls}};
    std::shared_ptr<CHostContext> context = CHostContext::Create();
    CComPtr<CHostParent> parent;
    CComPtr<CTabTestPage> page = Make<CTabTestPage>();
    HWND sheet = nullptr;

    TabsOnHost() {
        CUserHand::Instance().Reset();
        std::string error;
        EXPECT_TRUE(context->Project().LoadDefault(&error)) << error;
        parent = MakeHostObject<CHostParent>(context);
        const wchar_t* titles[] = {L"", L"2", L"3"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(S_OK, page->pages[i].AddControlToList(&ctrl[i]));
            EXPECT_EQ(S_OK, page->tabs.AddTabPage(&page->pages[i], titles[i]));
        }
        EXPECT_EQ(S_OK, page->AddControlToList(&page->tabs));
        EXPECT_EQ(S_OK, page->Init(parent));
        sheet = CreateWindowExW(0, L"Static", L"Properties", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                                nullptr, nullptr, nullptr);
        EXPECT_EQ(S_OK, page->Create(sheet));
        EXPECT_EQ(S_OK, page->Show(SW_SHOW));
        calls.clear();
        context->Faults().ClearCalls();
    }
    ~TabsOnHost() {
        page->Destroy();
        DestroyWindow(sheet);
    }

    HWND Strip() const { return page->tabs.GetSafeHwnd(); }
    int Selected() const { return page->tabs.GetCurSel(); }
    std::vector<std::wstring> Titles() const {
        std::vector<std::wstring> titles(3);
        for (int i = 0; i < 3; ++i) {
            CString title;
            page->tabs.GetTabTitle(i, title);
            titles[static_cast<size_t>(i)] = title.GetString();
        }
        return titles;
    }
    // The tabs whose page the user sees.
    std::vector<int> Shown() const {
        std::vector<int> shown;
        for (int i = 0; i < 3; ++i)
            if (page->pages[i].IsWindowVisible())
                shown.push_back(i);
        return shown;
    }
    size_t HostCalls(const std::wstring& operation) const {
        return context->Faults().CallsOf(operation).size();
    }
};

// What the hand does: click tab `tab`, or press key `key` on the strip, which the hand
// gives the focus first, as a person does.
struct Act {
    int tab = -1;
    int key = 0;
};

struct SwitchCase {
    const char* name;
    std::wstring refusal; // "t1:OnDeactivate": that control fails the operation
    std::vector<Act> acts;
    int selected;
    CallLog calls;
};

class TabSwitching : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(TabSwitching, TheStripShowsTheTabWhosePageIsShown) {
    const SwitchCase& c = GetParam();
    TabsOnHost tabs;
    if (!c.refusal.empty())
        tabs.ctrl[c.refusal[1] - L'1'].Answer(c.refusal.substr(3), kRefused);
    for (const Act& act : c.acts) {
        if (act.tab >= 0)
            EXPECT_TRUE(CUserHand::Instance().ClickTab(tabs.Strip(), act.tab));
        else if (CUserHand::Instance().Focus(tabs.Strip()))
            CUserHand::Instance().PressKey(act.key);
    }
    EXPECT_EQ(c.selected, tabs.Selected());
    EXPECT_EQ(std::vector<int>{c.selected}, tabs.Shown());
    EXPECT_EQ(c.calls, tabs.calls);
}

INSTANTIATE_TEST_SUITE_P(
    MouseAndKeys, TabSwitching,
    ::testing::Values(SwitchCase{"Click", L"", {{2}}, 2, {L"t1:OnDeactivate", L"t3:OnActivate"}},
                      SwitchCase{"ClickOnTheTabShown", L"", {{0}}, 0, {}},
                      SwitchCase{
                          "ArrowsStopAtTheEnds",
                          L"",
                          {{-1, VK_LEFT}, {-1, VK_RIGHT}, {-1, VK_DOWN}, {-1, VK_RIGHT}},
                          2,
                          {L"t1:OnDeactivate", L"t2:OnActivate", L"t2:OnDeactivate", L"t3:OnActivate"}},
                      SwitchCase{"ArrowsBack",
                                 L"",
                                 {{2}, {-1, VK_UP}, {-1, VK_LEFT}, {-1, VK_LEFT}},
                                 0,
                                 {L"t1:OnDeactivate", L"t3:OnActivate", L"t3:OnDeactivate", L"t2:OnActivate",
                                  L"t2:OnDeactivate", L"t1:OnActivate"}},
                      SwitchCase{"APageRefusingToBeLeftKeepsTheStrip",
                                 L"t1:OnDeactivate",
                                 {{1}, {-1, VK_RIGHT}, {2}},
                                 0,
                                 {L"t1:OnDeactivate", L"t1:OnDeactivate", L"t1:OnDeactivate"}},
                      SwitchCase{"APageRefusingToBeShownIsNotShown",
                                 L"t2:OnActivate",
                                 {{1}},
                                 0,
                                 {L"t1:OnDeactivate", L"t2:OnActivate"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TabCtrl, TheModifiedMarkerIsAppendedOnceAndClearDirtyRemovesIt) {
    TabsOnHost tabs;
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"2", L"3"}), tabs.Titles());
    ASSERT_TRUE(CUserHand::Instance().ClickTab(tabs.Strip(), 1));
    IPVPropPageEnum* tabPage = tabs.ctrl[1].Page();
    EXPECT_EQ(S_OK, tabPage->CtrlModified(nullptr, 1, VARIANT_FALSE));
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"2", L"3"}), tabs.Titles());
    EXPECT_FALSE(tabs.page->tabs.IsTabCtrlDirty());
    EXPECT_EQ(S_OK, tabPage->CtrlModified(nullptr, 1, VARIANT_TRUE));
    EXPECT_EQ(S_OK, tabPage->CtrlModified(nullptr, 1, VARIANT_TRUE));
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"2*", L"3"}), tabs.Titles());
    EXPECT_TRUE(tabs.page->tabs.IsTabCtrlDirty());
    EXPECT_EQ(2u, tabs.HostCalls(L"SetProfileDirty"));

    tabs.calls.clear();
    EXPECT_EQ(S_OK, tabs.page->ClearDirty());
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"2", L"3"}), tabs.Titles());
    EXPECT_FALSE(tabs.page->tabs.IsTabCtrlDirty());
    EXPECT_EQ((CallLog{L"t1:ClearDirty", L"t2:ClearDirty", L"t3:ClearDirty"}), tabs.calls);
}

// The owner draws each tab: the face colour over the item, the title centred in the
// button text colour, one edge lower on a button strip.
TEST(TabCtrl, TheOwnerDrawsEachTab) {
    TabsOnHost tabs;
    ASSERT_TRUE(CUserHand::Instance().ClickTab(tabs.Strip(), 1));
    ASSERT_EQ(S_OK, tabs.ctrl[1].Page()->CtrlModified(nullptr, 1, VARIANT_TRUE));
    const nlohmann::json state = CWindowDump::Json(tabs.Strip())["state"];
    const nlohmann::json& drawn = state["ownerDrawn"];
    ASSERT_EQ(6u, drawn.size());
    for (size_t i = 0; i < 3; ++i) {
        const nlohmann::json& fill = drawn[2 * i];
        const nlohmann::json& text = drawn[2 * i + 1];
        const nlohmann::json& item = state["itemRects"][i];
        EXPECT_EQ("fill", fill["op"]);
        EXPECT_EQ(item, fill["rect"]);
        EXPECT_EQ(GetSysColor(COLOR_3DFACE), fill["color"].get<DWORD>());
        EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), text["color"].get<DWORD>());
        EXPECT_EQ(item[1].get<int>() + GetSystemMetrics(SM_CYEDGE), text["rect"][1].get<int>());
        const std::string title = i == 0 ? "0" : i == 1 ? "2*" : "3";
        ASSERT_EQ(1u, text["lines"].size());
        EXPECT_EQ(title, text["lines"][0]["text"]);
        // Centred: as far from the left edge as from the right.
        const int left = text["lines"][0]["x"].get<int>() - item[0].get<int>();
        const int width = item[2].get<int>() - item[0].get<int>();
        EXPECT_NEAR(width / 2.0, left + 6.0 * static_cast<double>(title.size()) / 2, 1.0) << title;
    }
}

// Events reach the visible tab page only where they concern what the user sees, every
// tab page otherwise; a control's change goes up to the page and comes back down.
TEST(TabCtrl, EventsGoDownAndRequestsGoUp) {
    TabsOnHost tabs;
    ASSERT_TRUE(CUserHand::Instance().ClickTab(tabs.Strip(), 1));
    tabs.calls.clear();
    EXPECT_EQ(S_OK, tabs.page->Save());
    EXPECT_EQ(S_OK, tabs.page->Refresh());
    EXPECT_EQ(S_OK, tabs.page->Flush());
    EXPECT_EQ(S_OK, tabs.page->LogixStateChanged(4));
    EXPECT_EQ(S_OK, tabs.ctrl[1].Page()->CtrlModified(nullptr, 9131, VARIANT_TRUE));
    EXPECT_EQ(S_OK, tabs.page->OnDeactivate());
    EXPECT_EQ((CallLog{L"t2:Save", L"t2:Refresh", L"t1:Flush", L"t2:Flush", L"t3:Flush",
                       L"t1:LogixStateChanged4", L"t2:LogixStateChanged4", L"t3:LogixStateChanged4",
                       L"t2:OnChangedCtrlData9131", L"t2:OnDeactivate"}),
              tabs.calls);
    EXPECT_EQ(1u, tabs.HostCalls(L"SetProfileDirty"));
}

struct FocusCase {
    const char* name;
    HRESULT leaveFirstTab;
    HRESULT result;
    int selected;
    size_t hostRequests;
};

class FocusRequest : public ::testing::TestWithParam<FocusCase> {};

TEST_P(FocusRequest, AControlOnAHiddenTabBringsItsTabToTheFront) {
    const FocusCase& c = GetParam();
    TabsOnHost tabs;
    tabs.ctrl[0].Answer(L"OnDeactivate", c.leaveFirstTab);
    CWnd* box = tabs.page->pages[2].GetDlgItem(IDC_TOTALIZER_ASSIGN);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(c.result, tabs.ctrl[2].Page()->RequestInputFocus(box));
    EXPECT_EQ(c.selected, tabs.Selected());
    EXPECT_EQ(std::vector<int>{c.selected}, tabs.Shown());
    EXPECT_EQ(c.hostRequests, tabs.HostCalls(L"RequestInputFocus"));
}

INSTANTIATE_TEST_SUITE_P(LeavingTheTabShown, FocusRequest,
                         ::testing::Values(FocusCase{"Allowed", S_OK, S_OK, 2, 1},
                                           FocusCase{"Refused", kRefused, E_FAIL, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ModDefCase {
    const char* name;
    HRESULT answers[3];
    HRESULT result;
};

class PostModDefChange : public ::testing::TestWithParam<ModDefCase> {};

TEST_P(PostModDefChange, OneTabPageThatChangedIsEnough) {
    const ModDefCase& c = GetParam();
    TabsOnHost tabs;
    for (int i = 0; i < 3; ++i)
        tabs.ctrl[i].Answer(L"PostModDefChange", c.answers[i]);
    EXPECT_EQ(c.result, tabs.page->tabs.PostModDefChange());
}

INSTANTIATE_TEST_SUITE_P(Answers, PostModDefChange,
                         ::testing::Values(ModDefCase{"OneChanged", {S_FALSE, S_OK, S_FALSE}, S_OK},
                                           ModDefCase{"NoneChanged", {S_FALSE, E_FAIL, S_FALSE}, S_FALSE}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
