// The properties dialog driving the test pages: the order of the panel calls, Apply,
// OK and Cancel on the project, a page refusing to be left, the controller going
// online and offline, help and refresh, and a page class that cannot be had.
#include <filesystem>
#include <unistd.h>

#include "host/HostProject.h"
#include "host/HostResults.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "tests/host/PropertiesDialogTestSupport.h"

namespace {

using Calls = std::vector<std::wstring>;

constexpr wchar_t kValueMember[] = L"LowFlowCutOffLowFlowCutOnVal";

float StoredValue(CHostContext& context) {
    return std::get<float>(context.Project().ConfigTag().Find(kValueMember)->StoredValue());
}

float CurrentValue(CHostContext& context) {
    return std::get<float>(context.Project().ConfigTag().Find(kValueMember)->Value());
}

std::wstring TabText(HWND tab, int index) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[128] = {};
    GetWindowTextW(hwnd, text, 128);
    return text;
}

class PropertiesDialogTest : public PropertiesDialogFixture {};

TEST_F(PropertiesDialogTest, DrivesEveryPageThroughItsLifeInTheHostsOrder) {
    Open();
    HWND tab = dialog->Item(CPropertiesDialog::kTabId);
    CUserHand& hand = CUserHand::Instance();
    struct Step {
        const char* action;
        std::function<void()> act;
        Calls expected;
    } steps[] = {
        {"open",
         [] {},
         {L"A:Init", L"A:SetLocale 1033", L"A:SetExtendedInfo", L"A:GetSize", L"A:Create", L"A:Show 5",
          L"A:Move", L"A:OnActivate"}},
        {"second tab",
         [&] { ASSERT_TRUE(hand.ClickTab(tab, 1)); },
         {L"A:OnDeactivate", L"A:Show 0", L"B:Init", L"B:SetLocale 1033", L"B:SetExtendedInfo", L"B:GetSize",
          L"B:Create", L"B:Show 5", L"B:Move", L"B:OnActivate"}},
        {"first tab again",
         [&] { ASSERT_TRUE(hand.ClickTab(tab, 0)); },
         {L"B:OnDeactivate", L"B:Show 0", L"A:Show 5", L"A:Move", L"A:OnActivate"}},
        {"OK",
         [&] { ASSERT_TRUE(hand.Click(dialog->Item(IDOK))); },
         {L"A:Save", L"B:Save", L"A:ClearDirty", L"B:ClearDirty", L"A:OnDeactivate", L"A:Destroy",
          L"A:Release", L"B:Destroy", L"B:Release"}},
    };
    for (Step& step : steps) {
        step.act();
        EXPECT_EQ(step.expected, Take()) << "after " << step.action;
    }
    EXPECT_FALSE(dialog->IsOpen());
    EXPECT_EQ(IDOK, dialog->Result());
}

TEST_F(PropertiesDialogTest, GivesEachPageItsTitleInTheExtendedInfoAndTakesThePagesOwnTitleForTheTab) {
    Open();
    HWND tab = dialog->Item(CPropertiesDialog::kTabId);
    const auto lastXml = reinterpret_cast<const std::wstring* (*)()>(
        GetProcAddress(module, "HostTestPagesLastExtendedInfo"))();
    ASSERT_NE(nullptr, lastXml);
    EXPECT_NE(std::wstring::npos, lastXml->find(L"<pv:PVPanelTitle><pv:Text LCID=\"1033\">Alpha</pv:Text>"))
        << *lastXml;
    EXPECT_EQ(0u, lastXml->find(L"<ExtendedInfo xmlns:pv=\"xsdPV\">"));
    // The created page names itself; the page not yet created keeps the host's title.
    EXPECT_EQ(L"First Test Page", TabText(tab, 0));
    EXPECT_EQ(L"Beta", TabText(tab, 1));
    EXPECT_EQ(2, SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
}

TEST_F(PropertiesDialogTest, ApplyWritesTheProjectAndCancelDiscardsWhatFollowed) {
    const std::string file =
        (std::filesystem::temp_directory_path() / ("props-apply-" + std::to_string(getpid()) + ".json"))
            .string();
    dialog->SetSavePath(file);
    Open();
    CUserHand& hand = CUserHand::Instance();
    HWND apply = dialog->Item(CPropertiesDialog::kApplyId);
    EXPECT_FALSE(IsWindowEnabled(apply)) << "nothing changed yet";
    TypeInto(PageItem(0, kPageValueEdit), L"12.5");
    ASSERT_TRUE(hand.PickComboItem(PageItem(0, kPageModeCombo), 1, CUserHand::Pick::Mouse));
    EXPECT_TRUE(IsWindowEnabled(apply)) << "a page marked the profile dirty";
    ASSERT_TRUE(hand.Click(apply));
    EXPECT_EQ("", dialog->LastError());
    EXPECT_FLOAT_EQ(12.5f, StoredValue(*context));
    EXPECT_FALSE(IsWindowEnabled(apply));
    CHostProject written;
    std::string error;
    ASSERT_TRUE(written.LoadFile(file, &error)) << error;
    EXPECT_FLOAT_EQ(12.5f, std::get<float>(written.ConfigTag().Find(kValueMember)->Value()));
    EXPECT_EQ(1LL, std::get<LONGLONG>(written.ConfigTag().Find(L"ProcessFlowOverride")->Value()));

    // A change after Apply, carried into the tag by leaving the page, then Cancel.
    TypeInto(PageItem(0, kPageValueEdit), L"7");
    ASSERT_TRUE(hand.ClickTab(dialog->Item(CPropertiesDialog::kTabId), 1));
    EXPECT_FLOAT_EQ(7.0f, CurrentValue(*context));
    ASSERT_TRUE(hand.Click(dialog->Item(IDCANCEL)));
    EXPECT_FALSE(dialog->IsOpen());
    EXPECT_EQ(IDCANCEL, dialog->Result());
    EXPECT_FLOAT_EQ(12.5f, CurrentValue(*context));
    EXPECT_FALSE(context->Project().IsDirty());
    ASSERT_TRUE(written.LoadFile(file, &error)) << error;
    EXPECT_FLOAT_EQ(12.5f, std::get<float>(written.ConfigTag().Find(kValueMember)->Value()));
    std::filesystem::remove(file);
}

TEST_F(PropertiesDialogTest, CancelDestroysEveryPageWithoutSavingOrDeactivating) {
    Open();
    TypeInto(PageItem(0, kPageValueEdit), L"3");
    ASSERT_TRUE(CUserHand::Instance().ClickTab(dialog->Item(CPropertiesDialog::kTabId), 1));
    ASSERT_TRUE(context->Project().IsDirty()) << "leaving the page wrote the value into the tag";
    Take();
    ASSERT_TRUE(CUserHand::Instance().Click(dialog->Item(IDCANCEL)));
    EXPECT_EQ((Calls{L"A:Destroy", L"A:Release", L"B:Destroy", L"B:Release"}), Take());
    EXPECT_FALSE(context->Project().IsDirty());
}

TEST_F(PropertiesDialogTest, APageThatRefusesToBeLeftKeepsItsTabAndOkAppliesNothing) {
    Open();
    CUserHand& hand = CUserHand::Instance();
    HWND tab = dialog->Item(CPropertiesDialog::kTabId);
    TypeInto(PageItem(0, kPageValueEdit), L"abc");
    Take();
    ASSERT_TRUE(hand.ClickTab(tab, 1));
    EXPECT_EQ((Calls{L"A:OnDeactivate"}), Take()) << "the second page is never made";
    EXPECT_EQ(0, dialog->CurrentPage());
    EXPECT_EQ(0, SendMessageW(tab, TCM_GETCURSEL, 0, 0));
    EXPECT_TRUE(IsWindowVisible(dialog->PageWindow(0)));
    EXPECT_NE(std::string::npos, dialog->LastError().find("'First Test Page' refused to be left"))
        << dialog->LastError();
    ASSERT_EQ(1u, dialog->Parent()->ShownErrors().size());
    EXPECT_EQ(L"Not a number: abc", dialog->Parent()->ShownErrors()[0].text);

    ASSERT_TRUE(hand.Click(dialog->Item(IDOK)));
    EXPECT_TRUE(dialog->IsOpen()) << "a page that cannot save keeps the dialog open";
    EXPECT_EQ((Calls{L"A:Save"}), Take());
    EXPECT_FLOAT_EQ(0.5f, StoredValue(*context));

    // Corrected, the page lets go.
    TypeInto(PageItem(0, kPageValueEdit), L"4");
    ASSERT_TRUE(hand.ClickTab(tab, 1));
    EXPECT_EQ(1, dialog->CurrentPage());
}

// A write the host refuses fails the page with the host's code; the dialog offers its
// error to the page, and since this page takes none, shows the error itself.
TEST_F(PropertiesDialogTest, ARefusedWriteNoControlTakesIsShownByTheHost) {
    Open();
    TypeInto(PageItem(0, kPageValueEdit), L"-1");
    for (const bool leave : {true, false}) {
        const HRESULT hr = leave ? dialog->SelectPage(1) : dialog->Apply();
        EXPECT_EQ(HOST_E_OUTOFRANGE, hr);
        EXPECT_EQ(0, dialog->CurrentPage());
        ASSERT_EQ(leave ? 1u : 2u, dialog->Parent()->ShownErrors().size());
        EXPECT_EQ(L"Local:1:C.LowFlowCutOffLowFlowCutOnVal: -1 is outside the range 0 to 999999.",
                  dialog->Parent()->ShownErrors().back().text);
    }
    // A failure of another kind is no refusal of the host's: nothing more is shown.
    context->Faults().Inject(L"SetValue", E_FAIL);
    EXPECT_EQ(E_FAIL, dialog->SelectPage(1));
    EXPECT_EQ(2u, dialog->Parent()->ShownErrors().size());
}

TEST_F(PropertiesDialogTest, GoingOnlineAndOfflineReachesEveryCreatedPageAndTheProject) {
    Open();
    CUserHand& hand = CUserHand::Instance();
    ASSERT_TRUE(hand.ClickTab(dialog->Item(CPropertiesDialog::kTabId), 1));
    Take();
    HWND online = dialog->Item(CPropertiesDialog::kOnlineId);
    struct Case {
        const wchar_t* buttonBefore;
        LONG mode;
        BOOL resetEnabled;
    } cases[] = {{L"Go Online", CPropertiesDialog::kOnlineMode, TRUE},
                 {L"Go Offline", CControllerState::kOfflineMode, FALSE}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.buttonBefore, WindowText(online));
        ASSERT_TRUE(hand.Click(online));
        const std::wstring event = L"LogixStateChanged " + std::to_wstring(c.mode);
        EXPECT_EQ((Calls{L"A:" + event, L"B:" + event}), Take());
        EXPECT_EQ(c.mode, context->Project().Controller().mode);
        EXPECT_EQ(c.resetEnabled, IsWindowEnabled(PageItem(0, kPageResetButton)));
        EXPECT_EQ(c.resetEnabled, IsWindowEnabled(PageItem(1, kPageResetButton)));
    }
}

TEST_F(PropertiesDialogTest, HelpAndRefreshReachThePages) {
    Open();
    CUserHand& hand = CUserHand::Instance();
    Take();
    ASSERT_TRUE(hand.Click(dialog->Item(CPropertiesDialog::kHelpId)));
    EXPECT_EQ((Calls{L"A:ShowHelp"}), Take());
    context->Project().ConfigTag().Find(kValueMember)->Assign(2.25f);
    ASSERT_TRUE(hand.Click(dialog->Item(CPropertiesDialog::kRefreshId)));
    EXPECT_EQ((Calls{L"A:Refresh"}), Take());
    EXPECT_EQ(L"2.25", WindowText(PageItem(0, kPageValueEdit)));
}

TEST_F(PropertiesDialogTest, APageClassThatCannotBeHadIsReportedAndTheOthersStillWork) {
    std::vector<CPropertyPageInfo> pages = TestPages();
    CPropertyPageInfo missing;
    CLSIDFromString(L"{00000000-1111-2222-3333-444444444444}", &missing.clsid);
    missing.title = L"Missing";
    pages.insert(pages.begin(), missing);
    std::vector<std::string> reported;
    dialog->SetReporter([&](const std::string& line) { reported.push_back(line); });
    ASSERT_EQ(S_OK, dialog->Open(pages, L"Properties"));
    EXPECT_TRUE(FAILED(dialog->PageFailure(0)));
    EXPECT_EQ(nullptr, dialog->PageWindow(0));
    EXPECT_NE(std::string::npos, dialog->LastError().find("page 'Missing': its class cannot be had"))
        << dialog->LastError();
    EXPECT_FALSE(IsWindowEnabled(dialog->Item(CPropertiesDialog::kHelpId)));
    ASSERT_TRUE(CUserHand::Instance().ClickTab(dialog->Item(CPropertiesDialog::kTabId), 1));
    EXPECT_EQ(1, dialog->CurrentPage());
    EXPECT_NE(nullptr, dialog->PageWindow(1));
    EXPECT_EQ(S_OK, dialog->Ok());
    EXPECT_FALSE(reported.empty());
}

TEST_F(PropertiesDialogTest, OperationsOnAClosedDialogFailWithoutHarm) {
    struct Case {
        const char* name;
        std::function<HRESULT()> call;
    } cases[] = {
        {"Apply", [&] { return dialog->Apply(); }},
        {"Cancel", [&] { return dialog->Cancel(); }},
        {"Refresh", [&] { return dialog->Refresh(); }},
        {"SetOnline", [&] { return dialog->SetOnline(true); }},
        {"SelectPage", [&] { return dialog->SelectPage(0); }},
    };
    for (const Case& c : cases)
        EXPECT_EQ(E_UNEXPECTED, c.call()) << c.name;
    EXPECT_EQ(CControllerState::kOfflineMode, context->Project().Controller().mode);
    Open();
    EXPECT_EQ(E_INVALIDARG, dialog->SelectPage(2));
    EXPECT_EQ(E_UNEXPECTED, dialog->Open(TestPages(), L"again"));
}

} // namespace
