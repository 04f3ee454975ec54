#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "host/HostServers.h"
#include "platform/kernel/DosPath.h"

#include "platform/htmlhelp/HtmlHelp.h"
#include "platform/user/UserRecorder.h"
#include "profile/panel/PanelDialogSize.h"
#include "profile/server/AopWinApp.h"
#include "profile/server/PVComponentsGlobals.h"
#include "profile/server/PVModuleLock.h"
#include "profile/server/ResourceDllManager.h"
#include "tests/profile/panel/PanelTestSupport.h"

namespace {

const wchar_t kPageClsid[] = L"{0A6E2B34-5C7D-4E8F-9A0B-1C2D3E4F5A6B}";
const wchar_t kOtherClsid[] = L"{11111111-2222-3333-4444-555555555555}";

std::wstring Take(BSTR text) {
    std::wstring value = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return value;
}

HRESULT SetInfo(CTestPage& page, const std::wstring& xml) {
    BSTR text = SysAllocString(xml.c_str());
    const HRESULT hr = page.SetExtendedInfo(text);
    SysFreeString(text);
    return hr;
}

std::wstring Info(const std::wstring& body) {
    return L"<ExtendedInfo xmlns:pv=\"xsdPV\">" + body + L"</ExtendedInfo>";
}

std::wstring MapItem(const std::wstring& pageId, const std::wstring& clsid) {
    return L"<pv:PVPageIdToClsidMapItem PageId=\"" + pageId + L"\" Clsid=\"" + clsid + L"\"/>";
}

// The locale the resource library manager runs in: English, from the library beside
// the test program.
LCID CurrentLocale() {
    return CResourceDllManager::GetInstance()->GetLocale();
}

TEST(Panel, TheTestRunsInEnglish) {
    EXPECT_EQ(1033u, CurrentLocale());
}

// QueryInterface answers in a fixed order; IPVProvideHelp only while the page
// provides help.
struct LookupCase {
    const char* name;
    IID iid;
    int expected; // 0 none, 1 IPVChild, 2 IPVPanel3, 3 IPVExtendedInfoXml2, 4 own interface
};

class PanelLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(PanelLookup, AnswersTheInterface) {
    const LookupCase& lookup = GetParam();
    CComPtr<CTestPage> page = NewPage();
    void* answer = nullptr;
    const HRESULT hr = page->QueryInterface(lookup.iid, &answer);
    if (lookup.expected == 0) {
        EXPECT_EQ(E_NOINTERFACE, hr);
        EXPECT_EQ(nullptr, answer);
        return;
    }
    ASSERT_EQ(S_OK, hr);
    void* expected = nullptr;
    CTestPage* p = page;
    if (lookup.expected == 1)
        expected = static_cast<IPVChild*>(p);
    else if (lookup.expected == 2)
        expected = static_cast<IPVPanel3*>(p);
    else if (lookup.expected == 3)
        expected = static_cast<IPVExtendedInfoXml2*>(p);
    else if (lookup.iid == IPVProvideHelp::Iid)
        expected = static_cast<IPVProvideHelp*>(p);
    else if (lookup.iid == IPVEventHandler2::Iid)
        expected = static_cast<IPVEventHandler2*>(p);
    else if (lookup.iid == IPVDocumentation::Iid)
        expected = static_cast<IPVDocumentation*>(p);
    else if (lookup.iid == IPVWndMsg::Iid)
        expected = static_cast<IPVWndMsg*>(p);
    else if (lookup.iid == IDynamicSubItemEvents::Iid)
        expected = static_cast<IDynamicSubItemEvents*>(p);
    else if (lookup.iid == IPVDynamicSubItem::Iid)
        expected = static_cast<IPVDynamicSubItem*>(p);
    else if (lookup.iid == IPVPropPageEnum::Iid)
        expected = static_cast<IPVPropPageEnum*>(p);
    EXPECT_EQ(expected, answer);
    static_cast<IUnknown*>(answer)->Release();
}

INSTANTIATE_TEST_SUITE_P(Interfaces, PanelLookup,
                         ::testing::Values(LookupCase{"IUnknown", IUnknown::Iid, 1},
                                           LookupCase{"IPVChild", IPVChild::Iid, 1},
                                           LookupCase{"IPVPanel", IPVPanel::Iid, 2},
                                           LookupCase{"IPVPanel2", IPVPanel2::Iid, 2},
                                           LookupCase{"IPVPanel3", IPVPanel3::Iid, 2},
                                           LookupCase{"IPVExtendedInfoXml", IPVExtendedInfoXml::Iid, 3},
                                           LookupCase{"IPVExtendedInfoXml2", IPVExtendedInfoXml2::Iid, 3},
                                           LookupCase{"IPVProvideHelp", IPVProvideHelp::Iid, 4},
                                           LookupCase{"IPVEventHandler2", IPVEventHandler2::Iid, 4},
                                           LookupCase{"IPVDocumentation", IPVDocumentation::Iid, 4},
                                           LookupCase{"IPVWndMsg", IPVWndMsg::Iid, 4},
                                           LookupCase{"IDynamicSubItemEvents", IDynamicSubItemEvents::Iid, 4},
                                           LookupCase{"IPVDynamicSubItem", IPVDynamicSubItem::Iid, 4},
                                           LookupCase{"IPVPropPageEnum", IPVPropPageEnum::Iid, 4},
                                           LookupCase{"IPVParent", IPVParent::Iid, 0},
                                           LookupCase{"IClassFactory", IClassFactory::Iid, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Panel, LookupWithoutAnswerSlot) {
    CComPtr<CTestPage> page = NewPage();
    for (const IID& iid : {IPVChild::Iid, IPVPropPageEnum::Iid, IPVParent::Iid})
        EXPECT_EQ(E_POINTER, page->QueryInterface(iid, nullptr));
}

TEST(Panel, HelpIsOfferedOnlyByAHelpProvider) {
    CComPtr<CTestPage> page = NewPage();
    page->SetHelpProvider(FALSE);
    CComPtr<IPVProvideHelp> help;
    EXPECT_EQ(E_NOINTERFACE, page->QueryInterface(IPVProvideHelp::Iid, reinterpret_cast<void**>(&help)));
    page->SetHelpProvider(TRUE);
    EXPECT_EQ(S_OK, page->QueryInterface(IPVProvideHelp::Iid, reinterpret_cast<void**>(&help)));
}

TEST(Panel, ALivePageHoldsTheModuleLock) {
    const LONG before = CPVModuleLock::Count();
    // Born with the one reference its maker holds, and with the lock.
    CTestPage* raw = Make<CTestPage>().Detach();
    EXPECT_EQ(before + 1, CPVModuleLock::Count());
    IPVPanel3* panel = nullptr;
    ASSERT_EQ(S_OK, raw->QueryInterface(IPVPanel3::Iid, reinterpret_cast<void**>(&panel)));
    EXPECT_EQ(before + 1, CPVModuleLock::Count());
    // Every interface counts on the one object.
    EXPECT_EQ(1u, panel->Release());
    EXPECT_EQ(0u, static_cast<IPVChild*>(raw)->Release());
    EXPECT_EQ(before, CPVModuleLock::Count());
}

// SetExtendedInfo ------------------------------------------------------------

struct InfoCase {
    const char* name;
    std::wstring xml;
    HRESULT result;
    std::wstring title;
    std::wstring banner;
    LONG expanded;
    std::map<std::wstring, std::wstring> map;
    Lines log;
};

class ExtendedInfo : public ::testing::TestWithParam<InfoCase> {};

TEST_P(ExtendedInfo, ReadsWhatTheHostGives) {
    const InfoCase& info = GetParam();
    CComPtr<CTestPage> page = NewPage();
    CAopLogCapture log;
    EXPECT_EQ(info.result, SetInfo(*page, info.xml));
    EXPECT_EQ(info.title, page->GetTitle().GetString());
    EXPECT_EQ(info.banner, page->GetBanner().GetString());
    EXPECT_EQ(info.expanded, page->GetDefaultExpandedState());
    std::map<std::wstring, std::wstring> map;
    for (const auto& [key, value] : page->GetPageMap())
        map[static_cast<const wchar_t*>(key)] = static_cast<const wchar_t*>(value);
    EXPECT_EQ(info.map, map);
    EXPECT_EQ(info.log, LogLines(log));
}

const std::wstring kTitles =
    L"<pv:PVPanelTitle><pv:Text LCID=\"1031\">Einheiten</pv:Text>"
    L"<pv:Text LCID=\"1033\">Units</pv:Text></pv:PVPanelTitle>"
    L"<pv:PVBannerTitle><pv:Text LCID=\"1033\">Units banner</pv:Text></pv:PVBannerTitle>";

INSTANTIATE_TEST_SUITE_P(
    Texts, ExtendedInfo,
    ::testing::Values(
        InfoCase{"TitlesOfTheCurrentLocale", Info(kTitles), S_OK, L"Units", L"Units banner", 1, {}, {}},
        InfoCase{"TitlesOnlyForAnotherLocale",
                 Info(L"<pv:PVPanelTitle><pv:Text LCID=\"1031\">Einheiten</pv:Text></pv:PVPanelTitle>"
                      L"<pv:PVBannerTitle><pv:Text LCID=\"1031\">E</pv:Text></pv:PVBannerTitle>"),
                 S_OK,
                 L"",
                 L"",
                 1,
                 {},
                 {}},
        InfoCase{"WrongNamespaceIsIgnored",
                 L"<ExtendedInfo><PVPanelTitle><Text LCID=\"1033\">Units</Text></PVPanelTitle>"
                 L"<PVPanelState Expand=\"false\"/></ExtendedInfo>",
                 S_OK,
                 L"",
                 L"",
                 1,
                 {},
                 {}},
        InfoCase{"ExpandTrue", Info(L"<pv:PVPanelState Expand=\"True\"/>"), S_OK, L"", L"", 1, {}, {}},
        InfoCase{"ExpandLowerTrue", Info(L"<pv:PVPanelState Expand=\"true\"/>"), S_OK, L"", L"", 1, {}, {}},
        InfoCase{"ExpandCapitals", Info(L"<pv:PVPanelState Expand=\"TRUE\"/>"), S_OK, L"", L"", 0, {}, {}},
        InfoCase{"ExpandFalse", Info(L"<pv:PVPanelState Expand=\"false\"/>"), S_OK, L"", L"", 0, {}, {}},
        InfoCase{"StateWithoutExpand", Info(L"<pv:PVPanelState/>"), S_OK, L"", L"", 1, {}, {}},
        InfoCase{"NotXml",
                 L"<ExtendedInfo>",
                 S_OK,
                 L"",
                 L"",
                 1,
                 {},
                 {L"CPVPanel::SetExtendedInfo | Failed to create XML DOM for PV extended info xml"}},
        InfoCase{"PageMap",
                 Info(L"<pv:PVPageIdToClsidMap>" + MapItem(L"12", kPageClsid) + MapItem(L"*", kOtherClsid) +
                      L"</pv:PVPageIdToClsidMap>"),
                 S_OK,
                 L"",
                 L"",
                 1,
                 {{L"12", kPageClsid}, {L"*", kOtherClsid}},
                 {}},
        InfoCase{"ASecondItemReplacesTheFirst",
                 Info(L"<pv:PVPageIdToClsidMap>" + MapItem(L"12", kPageClsid) + MapItem(L"12", kOtherClsid) +
                      L"</pv:PVPageIdToClsidMap>"),
                 S_OK,
                 L"",
                 L"",
                 1,
                 {{L"12", kOtherClsid}},
                 {}},
        InfoCase{"BadClsidEndsTheMap",
                 Info(L"<pv:PVPageIdToClsidMap>" + MapItem(L"1", kPageClsid) +
                      MapItem(L"2", L"{not-a-guid}") + MapItem(L"3", kPageClsid) +
                      L"</pv:PVPageIdToClsidMap>"),
                 CO_E_CLASSSTRING,
                 L"",
                 L"",
                 1,
                 {{L"1", kPageClsid}},
                 {L"CPVPanel::ReadPageMapItem | Failed to get clsid from string"}},
        InfoCase{"NonIntegerPageId",
                 Info(L"<pv:PVPageIdToClsidMap>" + MapItem(L"1x", kPageClsid) + L"</pv:PVPageIdToClsidMap>"),
                 DISP_E_TYPEMISMATCH,
                 L"",
                 L"",
                 1,
                 {},
                 {L"CPVPanel::ReadPageMapItem | Failed to convert pageId string to integer"}},
        InfoCase{"MissingClsid",
                 Info(L"<pv:PVPageIdToClsidMap><pv:PVPageIdToClsidMapItem PageId=\"4\"/>"
                      L"</pv:PVPageIdToClsidMap>"),
                 E_FAIL,
                 L"",
                 L"",
                 1,
                 {},
                 {L"CPVPanel::ReadPageMapItem | Failed to get page CLSID\n."}},
        InfoCase{"MissingPageId",
                 Info(L"<pv:PVPageIdToClsidMap><pv:PVPageIdToClsidMapItem Clsid=\"" +
                      std::wstring(kPageClsid) + L"\"/></pv:PVPageIdToClsidMap>"),
                 E_FAIL,
                 L"",
                 L"",
                 1,
                 {},
                 {L"CPVPanel::ReadPageMapItem | Failed to get page Id\n."}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Panel, TitlesFollowTheResourceLocale) {
    CComPtr<CTestPage> page = NewPage();
    // The switch happens in the module's state, as the application object does it.
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    ASSERT_TRUE(CResourceDllManager::GetInstance()->Load(1031));
    EXPECT_EQ(S_OK, SetInfo(*page, Info(kTitles)));
    ASSERT_TRUE(CResourceDllManager::GetInstance()->Load(1033));
    EXPECT_EQ(L"Einheiten", std::wstring(page->GetTitle()));
    // No banner for 1031: it stays as it was.
    EXPECT_EQ(L"", std::wstring(page->GetBanner()));
}

TEST(Panel, HelpNamedButMissingFallsBackToTheApplicationsHelp) {
    CComPtr<CTestPage> page = NewPage();
    ASSERT_EQ(S_OK, SetInfo(*page, Info(L"<pv:Help HelpID=\"77\" HelpFile=\"\\\\Flow\\NoSuchHelp\"/>")));
    EXPECT_TRUE(page->HasCustomHelp());
    ASSERT_TRUE(page->GetHelpId().has_value());
    EXPECT_EQ(77, *page->GetHelpId());
    EXPECT_EQ(0u, page->GetHelpFile().length());

    CHtmlHelp::Instance().ClearRequests();
    const size_t boxes = CUserRecorder::Instance().MessageBoxes().size();
    CAopLogCapture log;
    EXPECT_EQ(S_OK, page->ShowHelp());
    ASSERT_EQ(1u, CHtmlHelp::Instance().Requests().size());
    EXPECT_EQ(HH_HELP_CONTEXT, CHtmlHelp::Instance().Requests()[0].command);
    EXPECT_EQ(77u, CHtmlHelp::Instance().Requests()[0].data);
    EXPECT_EQ((Lines{L"CPVPanel::CustomHelp | Error: Failed to display help - HtmlHelp: HelpFile = , "
                     L"HH_HELP_CONTEXT: = $4d, HelpID: = 77."}),
              LogLines(log));
    ASSERT_EQ(boxes + 1, CUserRecorder::Instance().MessageBoxes().size());
    EXPECT_EQ(L"Failed to launch help.", CUserRecorder::Instance().MessageBoxes().back().text);
}

TEST(Panel, HelpWithoutAttributesStillMeansCustomHelp) {
    CComPtr<CTestPage> page = NewPage();
    ASSERT_EQ(S_OK, SetInfo(*page, Info(L"<pv:Help HelpID=\"x\"/>")));
    EXPECT_TRUE(page->HasCustomHelp());
    EXPECT_FALSE(page->GetHelpId().has_value());
}

TEST(Panel, ExpandedStateNeedsAnAnswerSlot) {
    CComPtr<CTestPage> page = NewPage();
    CAopLogCapture log;
    EXPECT_EQ(E_POINTER, page->GetPanelDefaultExpandedState(nullptr));
    EXPECT_EQ((Lines{L"CPVPanel::GetPanelDefaultExpandedState | pExpanded is null pointer"}), LogLines(log));
    ASSERT_EQ(S_OK, SetInfo(*page, Info(L"<pv:PVPanelState Expand=\"no\"/>")));
    VARIANT_BOOL expanded = VARIANT_TRUE;
    EXPECT_EQ(S_OK, page->GetPanelDefaultExpandedState(&expanded));
    EXPECT_EQ(VARIANT_FALSE, expanded);
}

TEST(Panel, PlainAnswers) {
    CComPtr<CTestPage> page = NewPage();
    CAopLogCapture log;
    EXPECT_EQ(S_OK, page->ModuleDeleted());
    EXPECT_EQ((Lines{L"CPVPanel::ModuleDeleted | Unexpected module deleted event received by panel."}),
              LogLines(log));
    VARIANT_BOOL dirty = VARIANT_TRUE;
    EXPECT_EQ(S_OK, page->GetDocumentationDirtyState(&dirty));
    EXPECT_EQ(VARIANT_FALSE, dirty);
    EXPECT_EQ(S_OK, page->ReservedA());
    EXPECT_EQ(S_OK, page->ReservedB(3));
    EXPECT_EQ(S_OK, page->CPVPanel::PostModDefChange() == S_FALSE ? S_OK : E_FAIL);
    log.Clear();
    EXPECT_EQ(E_INVALIDARG, page->CPVPanel::Init(nullptr));
    EXPECT_EQ((Lines{L"CPVPanel::Init | Bad parent interface pointer."}), LogLines(log));
}

TEST(Panel, SetLocaleWithoutApplicationObject) {
    CComPtr<CTestPage> page = NewPage();
    CAopLogCapture log;
    EXPECT_EQ(E_UNEXPECTED, page->SetLocale(1033));
    EXPECT_EQ((Lines{L"CPVPanel::SetLocale | Bad application pointer."}), LogLines(log));
}

// Windows ----------------------------------------------------------------------

HWND NewWindow(const wchar_t* text) {
    return CreateWindowExW(0x101 /* WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE */, L"Static", text,
                           WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 20, 300, 200, nullptr, nullptr, nullptr,
                           nullptr);
}

TEST(PanelWindow, WithoutWindow) {
    CComPtr<CTestPage> page = NewPage();
    BSTR title = nullptr;
    EXPECT_EQ(E_UNEXPECTED, page->Show(SW_SHOW));
    RECT rect{0, 0, 10, 10};
    EXPECT_EQ(E_UNEXPECTED, page->Move(&rect));
    EXPECT_EQ(E_UNEXPECTED, page->GetPanelTitle(&title));
    EXPECT_EQ(E_UNEXPECTED, page->GetBannerTitle(&title));
    EXPECT_EQ(S_FALSE, page->Destroy());
    // A banner title needs no window.
    ASSERT_EQ(S_OK, SetInfo(*page, Info(kTitles)));
    EXPECT_EQ(S_OK, page->GetBannerTitle(&title));
    EXPECT_EQ(L"Units banner", Take(title));
}

TEST(PanelWindow, ShowMoveTitleDestroy) {
    CComPtr<CTestPage> page = NewPage();
    HWND hwnd = NewWindow(L"Window text");
    ASSERT_TRUE(IsWindow(hwnd));
    page->AdoptWindow(hwnd);

    EXPECT_EQ(S_OK, page->Show(SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    EXPECT_EQ(S_OK, page->Show(SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(IsWindowEnabled(hwnd));

    RECT target{5, 6, 105, 56};
    EXPECT_EQ(S_OK, page->Move(&target));
    RECT now{};
    GetWindowRect(hwnd, &now);
    EXPECT_EQ(100, now.right - now.left);
    EXPECT_EQ(50, now.bottom - now.top);

    BSTR title = nullptr;
    EXPECT_EQ(S_OK, page->GetPanelTitle(&title));
    EXPECT_EQ(L"Window text", Take(title));
    EXPECT_EQ(S_OK, page->GetBannerTitle(&title));
    EXPECT_EQ(L"Window text", Take(title));
    ASSERT_EQ(S_OK, SetInfo(*page, Info(kTitles)));
    EXPECT_EQ(S_OK, page->GetPanelTitle(&title));
    EXPECT_EQ(L"Units", Take(title));

    EXPECT_EQ(S_OK, page->Destroy());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(S_FALSE, page->Destroy());
}

TEST(PanelWindow, DialogInitialisationMakesAChildControlParent) {
    auto context = ContextFor(ProjectJson(true, false, false));
    auto parent = MakeHostObject<CHostParent>(context);
    CallLog calls;
    CRecordingCtrl control{L"a", &calls};
    CComPtr<CTestPage> page = NewPage();
    page->AddControlToList(&control);
    ASSERT_EQ(S_OK, page->Init(parent));
    calls.clear();
    HWND hwnd = NewWindow(L"Panel");
    page->AdoptWindow(hwnd);
    EXPECT_TRUE(page->RunDialogInit());
    const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
    EXPECT_EQ(0u, style & 0x00CC0080);
    EXPECT_EQ(0x40000400u, style & 0x40000400);
    EXPECT_EQ(0u, exStyle & 0x101);
    EXPECT_EQ(0x10000u, exStyle & 0x10000);
    // The page's own first activation reached the control.
    EXPECT_EQ((CallLog{L"a:PreInitialActivate"}), calls);
    // Without a page map the sub-item events are not registered.
    EXPECT_EQ(0u, parent->Module()->AdvisedCount());
}

TEST(PanelWindow, DialogInitialisationFailsWithoutModule) {
    auto context = ContextFor(ProjectJson(true, false, false));
    auto parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage();
    ASSERT_EQ(S_OK, page->Init(parent));
    page->AdoptWindow(NewWindow(L"Panel"));
    context->Faults().Inject(L"GetModule", E_FAIL);
    CAopLogCapture log;
    EXPECT_FALSE(page->RunDialogInit());
    EXPECT_EQ((Lines{L"CPVPanel::OnInitDialog | Failed to retrieve IModule"}), LogLines(log));
}

// Dynamic sub-items ----------------------------------------------------------

const char kSubItems[] = "<PageSet><Page Id='5'><Page Id='6'/></Page><Page Id='7'/></PageSet>";

// A page with a window, initialised on a module with sub-items and the map given.
struct SubItemPage {
    std::shared_ptr<CHostContext> context = ContextFor(ProjectJson(true, false, false, kSubItems));
    CComPtr<CHostParent> parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage();

    explicit SubItemPage(const std::wstring& map) {
        EXPECT_EQ(S_OK, page->Init(parent));
        if (!map.empty()) {
            EXPECT_EQ(S_OK,
                      SetInfo(*page, Info(L"<pv:PVPageIdToClsidMap>" + map + L"</pv:PVPageIdToClsidMap>")));
        }
        page->AdoptWindow(NewWindow(L"Panel"));
        EXPECT_TRUE(page->RunDialogInit());
    }
    // The host destroys a page before its last Release; that ends the registration,
    // which otherwise keeps page and module alive through each other.
    ~SubItemPage() {
        if (IsWindow(page->GetSafeHwnd()))
            page->Destroy();
    }
};

TEST(SubItems, WithoutMapTheAnswerIsNull) {
    SubItemPage sub(L"");
    EXPECT_EQ(0u, sub.parent->Module()->AdvisedCount());
    BSTR xml = nullptr;
    EXPECT_EQ(S_OK, sub.page->GetSubItemsXML(&xml));
    EXPECT_EQ(nullptr, xml);
    EXPECT_EQ(S_OK, sub.page->OnSubItemSelChanged(5));
    EXPECT_TRUE(sub.parent->Module()->SelectedSubItems().empty());
}

TEST(SubItems, EveryPageGetsTheClassOfItsId) {
    SubItemPage sub(MapItem(L"6", kPageClsid) + MapItem(L"*", kOtherClsid));
    EXPECT_EQ(1u, sub.parent->Module()->AdvisedCount());
    BSTR xml = nullptr;
    ASSERT_EQ(S_OK, sub.page->GetSubItemsXML(&xml));
    const std::wstring text = Take(xml);
    EXPECT_EQ(L"<ProfileViewDirectory xmlns=\"xsdPV\" xsi:schemaLocation=\"xsdPV PV.xsd\" "
              L"xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><PageSet>"
              L"<Page Id=\"5\" Clsid=\"{11111111-2222-3333-4444-555555555555}\">"
              L"<Page Id=\"6\" Clsid=\"{0A6E2B34-5C7D-4E8F-9A0B-1C2D3E4F5A6B}\"/></Page>"
              L"<Page Id=\"7\" Clsid=\"{11111111-2222-3333-4444-555555555555}\"/></PageSet>"
              L"</ProfileViewDirectory>\r\n",
              text);
}

TEST(SubItems, AnUnmappedPageFailsAndLeavesTheFragment) {
    SubItemPage sub(MapItem(L"5", kPageClsid) + MapItem(L"7", kPageClsid));
    BSTR xml = nullptr;
    CAopLogCapture log;
    EXPECT_EQ(E_FAIL, sub.page->GetSubItemsXML(&xml));
    EXPECT_EQ(L"<PageSet><Page Id='5'><Page Id='6'/></Page><Page Id='7'/></PageSet>", Take(xml));
    EXPECT_EQ((Lines{L"CPVPanel::RecursivelyAddPageClsid | Failed to find pageId\n.",
                     L"CPVPanel::RecursivelyAddPageClsid | Failed to update page clsid for child pages",
                     L"CPVPanel::AddPageClsidAndXMLHeader | Failed to add page clsid",
                     L"CPVPanel::GetSubItemsXML | Failed to update page clsid and XML header"}),
              LogLines(log));
}

TEST(SubItems, HostFailures) {
    SubItemPage sub(MapItem(L"*", kPageClsid));
    BSTR xml = nullptr;
    CAopLogCapture log;
    EXPECT_EQ(E_POINTER, sub.page->GetSubItemsXML(nullptr));
    sub.context->Faults().Inject(L"GetSubItemsXml", E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, sub.page->GetSubItemsXML(&xml));
    sub.context->Faults().Inject(L"SubItemSelChanged", E_OUTOFMEMORY);
    EXPECT_EQ(E_OUTOFMEMORY, sub.page->OnSubItemSelChanged(5));
    EXPECT_EQ(S_OK, sub.page->OnSubItemSelChanged(7));
    EXPECT_EQ(std::vector<ULONG>{7}, sub.parent->Module()->SelectedSubItems());
    sub.context->Faults().Inject(L"RebuildSubItems", E_FAIL);
    sub.page->OnWMSubItemChanged(0, 0);
    EXPECT_EQ((Lines{L"CPVPanel::GetSubItemsXML | pXml is null",
                     L"CPVPanel::GetSubItemsXML | Failed to get the sub items XML",
                     L"CPVPanel::OnSubItemSelChanged | Failed to notify item changed",
                     L"CPVPanel::OnWMSubItemChanged | Failed to rebuild dynamic sub items"}),
              LogLines(log));
}

TEST(SubItems, AChangeIsPostedAndRebuiltFromTheLoop) {
    SubItemPage sub(MapItem(L"*", kPageClsid));
    sub.parent->Module()->FireSubItemsChanged(0);
    EXPECT_EQ(0, sub.parent->RebuildRequests());
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, sub.page->GetSafeHwnd(), 0x0464, 0x0464, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
    EXPECT_EQ(0, msg.lParam);
    sub.page->OnWMSubItemChanged(msg.wParam, msg.lParam);
    EXPECT_EQ(1, sub.parent->RebuildRequests());
}

TEST(SubItems, DestroyUnregistersAndKeepsTheWindowWhenThatFails) {
    SubItemPage sub(MapItem(L"*", kPageClsid));
    HWND hwnd = sub.page->GetSafeHwnd();
    sub.context->Faults().Inject(L"UnadviseSubItems", E_FAIL);
    EXPECT_EQ(E_FAIL, sub.page->Destroy());
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(S_OK, sub.page->Destroy());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(0u, sub.parent->Module()->AdvisedCount());
}

TEST(SubItems, RegistrationFailureFailsTheDialogInitialisation) {
    auto context = ContextFor(ProjectJson(true, false, false, kSubItems));
    auto parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage();
    ASSERT_EQ(S_OK, page->Init(parent));
    ASSERT_EQ(S_OK, SetInfo(*page, Info(L"<pv:PVPageIdToClsidMap>" + MapItem(L"*", kPageClsid) +
                                        L"</pv:PVPageIdToClsidMap>")));
    page->AdoptWindow(NewWindow(L"Panel"));
    context->Faults().Inject(L"AdviseSubItems", E_FAIL);
    CAopLogCapture log;
    EXPECT_FALSE(page->RunDialogInit());
    EXPECT_EQ((Lines{L"CPVPanel::OnInitDialog | Failed to register the sub items change events"}),
              LogLines(log));
}

} // namespace

namespace {

// A page template of 250 x 180 dialog units in "MS Shell Dlg" 8, whose base units are
// 6 x 13 at 96 dots per inch, as are those of the property sheet's font.
TEST(PanelSize, FromTheTemplateInDialogUnits) {
    CComPtr<CTestPage> page = NewPage(9079);
    SIZE size{-1, -1};
    EXPECT_EQ(S_OK, page->GetSize(&size));
    EXPECT_EQ(375, size.cx); // 250 * 6 / 4
    EXPECT_EQ(293, size.cy); // 180 * 13 / 8, rounded
}

TEST(PanelSize, AMissingTemplateLeavesTheSizeAlone) {
    CComPtr<CTestPage> page = NewPage(1);
    SIZE size{-1, -1};
    CAopLogCapture log;
    EXPECT_EQ(E_FAIL, page->GetSize(&size));
    EXPECT_EQ(-1, size.cx);
    EXPECT_EQ(-1, size.cy);
    EXPECT_EQ((Lines{L"CPanelDialogSize::Compute | Unable to find panel dialog resource."}), LogLines(log));
}

TEST(PanelSize, TheSystemFontWithoutAFontInTheTemplate) {
    // Base units 8 x 16 of the system font.
    const auto units = CPanelDialogSize::FontBaseUnits(8, nullptr);
    EXPECT_EQ(8, units.x);
    EXPECT_EQ(16, units.y);
    EXPECT_EQ(16, units.charHeight);
    const auto shell = CPanelDialogSize::FontBaseUnits(8, L"MS Shell Dlg");
    EXPECT_EQ(6, shell.x);
    EXPECT_EQ(13, shell.y);
}

} // namespace

namespace {

// The page's application object for the length of a test.
class CAppInForce {
public:
    CAppInForce() { m_state->m_pCurrentWinApp = &m_app; }
    ~CAppInForce() {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        CResourceDllManager::GetInstance()->Load(1033);
        m_state->m_pCurrentWinApp = nullptr;
    }
    CAppInForce(const CAppInForce&) = delete;
    CAppInForce& operator=(const CAppInForce&) = delete;

private:
    AFX_MODULE_STATE* m_state = AfxGetStaticModuleState();
    CAopWinApp m_app;
};

struct LocaleCase {
    const char* name;
    LCID lcid;
    HRESULT expected;
    LCID after;
};

class PanelSetLocale : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(PanelSetLocale, SwitchesTheResourceLibrary) {
    const LocaleCase& locale = GetParam();
    CComPtr<CTestPage> page = NewPage();
    CAppInForce app;
    EXPECT_EQ(locale.expected, page->SetLocale(locale.lcid));
    EXPECT_EQ(locale.after, CurrentLocale());
}

INSTANTIATE_TEST_SUITE_P(Locales, PanelSetLocale,
                         ::testing::Values(LocaleCase{"Current", 1033, S_OK, 1033},
                                           LocaleCase{"German", 1031, S_OK, 1031},
                                           // No library for British English: the old one stays.
                                           LocaleCase{"Missing", 2057, E_FAIL, 1033},
                                           LocaleCase{"Unknown", 0x7F7F, E_FAIL, 1033}),
                         [](const auto& info) { return std::string(info.param.name); });

// A help file of the extended info that exists: the host's file finder is asked for it.
class CustomHelpFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = GetHelpFilePath(L"\\Flow\\PanelHelp", 1033);
        ASSERT_FALSE(m_path.IsEmpty());
        const std::string unixPath = CDosPath::ToUnix(m_path.GetString());
        std::filesystem::create_directories(std::filesystem::path(unixPath).parent_path());
        std::ofstream(unixPath) << "help";
    }
    void TearDown() override { std::filesystem::remove(CDosPath::ToUnix(m_path.GetString())); }

    CString m_path;
};

TEST_F(CustomHelpFile, IsKeptAndResolvedByTheHost) {
    CComPtr<CTestPage> page = NewPage();
    ASSERT_EQ(S_OK, SetInfo(*page, Info(L"<pv:Help HelpID=\"12\" HelpFile=\"\\\\Flow\\PanelHelp\"/>")));
    EXPECT_EQ(std::wstring(m_path), std::wstring(page->GetHelpFile()));
    CAopLogCapture log;
    // No host classes registered: the finder cannot be made.
    EXPECT_EQ(REGDB_E_CLASSNOTREG, page->ShowHelp());
    EXPECT_EQ((Lines{L"CPVPanel::CustomHelp | Failed to create ModuleSpecificFileFind."}), LogLines(log));

    auto context = ContextFor(ProjectJson(true, false, false));
    CHostServers servers(context);
    ASSERT_EQ(S_OK, servers.Register());
    context->Faults().Inject(L"ResolvePath", E_ACCESSDENIED);
    log.Clear();
    EXPECT_EQ(E_ACCESSDENIED, page->ShowHelp());
    EXPECT_EQ((Lines{L"CPVPanel::CustomHelp | Failed to find resolved path."}), LogLines(log));
}

} // namespace

namespace {

// The host's property sheet: the window a panel is created in.
HWND SheetWindow() {
    return CreateWindowExW(0, L"Static", L"Properties", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                           nullptr, nullptr, nullptr);
}

// Dispatches what is queued, as the host's message loop does.
void PumpMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

TEST(PanelCreate, BuildsTheChildDialogFromItsTemplate) {
    auto context = ContextFor(ProjectJson(true, false, false, kSubItems));
    auto parent = MakeHostObject<CHostParent>(context);
    CallLog calls;
    CRecordingCtrl control{L"a", &calls};
    CComPtr<CTestPage> page = NewPage(9079);
    page->AddControlToList(&control);
    ASSERT_EQ(S_OK, page->Init(parent));
    ASSERT_EQ(S_OK, SetInfo(*page, Info(L"<pv:PVPageIdToClsidMap>" + MapItem(L"*", kPageClsid) +
                                        L"</pv:PVPageIdToClsidMap>")));
    calls.clear();
    HWND sheet = SheetWindow();
    ASSERT_EQ(S_OK, page->Create(sheet));
    HWND panel = page->GetSafeHwnd();
    ASSERT_TRUE(IsWindow(panel));
    EXPECT_EQ(sheet, GetParent(panel));
    EXPECT_EQ(0x40000400u, static_cast<DWORD>(GetWindowLongW(panel, GWL_STYLE)) & 0x40000400u);
    EXPECT_EQ((CallLog{L"a:PreInitialActivate"}), calls);
    EXPECT_EQ(1u, parent->Module()->AdvisedCount());

    // A change of the sub-items is handled from the loop, not inside the notification.
    parent->Module()->FireSubItemsChanged(0);
    EXPECT_EQ(0, parent->RebuildRequests());
    PumpMessages();
    EXPECT_EQ(1, parent->RebuildRequests());

    EXPECT_EQ(S_OK, page->Destroy());
    EXPECT_FALSE(IsWindow(panel));
    EXPECT_EQ(0u, parent->Module()->AdvisedCount());
    DestroyWindow(sheet);
}

TEST(PanelCreate, AMissingTemplateFails) {
    CComPtr<CTestPage> page = NewPage(1);
    HWND sheet = SheetWindow();
    CAopLogCapture log;
    EXPECT_EQ(E_FAIL, page->Create(sheet));
    EXPECT_EQ(nullptr, page->GetSafeHwnd());
    EXPECT_EQ((Lines{L"CPVPanel::Create | Failed to create panel."}), LogLines(log));
    DestroyWindow(sheet);
}

} // namespace
