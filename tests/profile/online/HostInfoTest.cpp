// The host information boxes typed into by the hand, their remembered values, and the
// report browse button answered through the file dialog.
#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "host/HostServers.h"
#include "platform/commdlg/FileDialogRecorder.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/DosPath.h"
#include "platform/user/UserRecorder.h"
#include "profile/online/ENetHostExtInfo.h"
#include "profile/online/HostTime.h"
#include "profile/online/HostVolt.h"
#include "profile/online/PVCtrlRSNetworxBrowseBtn1.h"
#include "profile/online/PVENetHostName.h"
#include "profile/resources/ResourceIds.h"
#include "tests/profile/controls/ControlPageSupport.h"

namespace {

// The settings page with one box of each class.
struct SettingsPage : PageOnHost {
    CENetHostName customer;
    CENetHostExtInfo location;
    CHostTime year;
    CHostVolt month;
    SettingsPage() : PageOnHost(IDD_VERIFICATION_SETTINGS) {
        Create();
        Subclass(customer, IDC_VERSET_CUSTOMER);
        Subclass(location, IDC_VERSET_LOCATION);
        Subclass(year, IDC_VERSET_YEAR);
        Subclass(month, IDC_VERSET_MONTH);
    }
    CHostInfoEdit& Box(UINT id) {
        return id == IDC_VERSET_CUSTOMER   ? static_cast<CHostInfoEdit&>(customer)
               : id == IDC_VERSET_LOCATION ? static_cast<CHostInfoEdit&>(location)
               : id == IDC_VERSET_YEAR     ? static_cast<CHostInfoEdit&>(year)
                                           : static_cast<CHostInfoEdit&>(month);
    }
};

class HostInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        CClock::Instance().SetVirtual(true);
        hand.Reset();
        CUserRecorder::Instance().Clear();
        CFileDialogRecorder::Instance().Clear();
    }
    CUserHand& hand = CUserHand::Instance();
};

struct TypingRow {
    const char* name;
    UINT id;
    std::wstring typed;
    bool paste;
    std::wstring shown;
};

const TypingRow kTyping[] = {
    {"NameRefusesAHyphen", IDC_VERSET_CUSTOMER, L"Ab 1-x", false, L"Ab 1x"},
    {"NameStopsAt32", IDC_VERSET_CUSTOMER, std::wstring(33, L'x'), false, std::wstring(32, L'x')},
    {"NamePasteWithAHyphenIsRefused", IDC_VERSET_CUSTOMER, L"a-b", true, L""},
    {"ExtInfoTakesHyphenAndPoint", IDC_VERSET_LOCATION, L"A-1.b_", false, L"A-1.b"},
    {"TimeFieldRefusesLettersAndAThirdDigit", IDC_VERSET_YEAR, L"1a23", false, L"12"},
    {"TimeFieldTakesBackspace", IDC_VERSET_YEAR, L"12\b3", false, L"13"},
    {"VoltTakesSignAndPointUpTo8", IDC_VERSET_MONTH, L"-1.5V01234", false, L"-1.50123"},
};

TEST_F(HostInfoTest, TypedTextIsFilteredLimitedAndRemembered) {
    for (const TypingRow& row : kTyping) {
        SCOPED_TRACE(row.name);
        CUserRecorder::Instance().Clear();
        SettingsPage page;
        ASSERT_TRUE(hand.Focus(page.Item(row.id)));
        row.paste ? hand.Paste(row.typed) : hand.Type(row.typed);
        EXPECT_EQ(row.shown, TextOf(page.Item(row.id)));
        CString value;
        EXPECT_EQ(S_OK, page.Box(row.id).GetValue(&value));
        EXPECT_EQ(row.shown, std::wstring(value.GetString()));
        EXPECT_EQ(row.paste ? 1u : 0u, CUserRecorder::Instance().Beeps().size());
    }
}

struct ValueRow {
    const char* name;
    UINT id;
    const wchar_t* set;
    HRESULT result;
    int keep;     // the keep-when-disabled flag
    bool disable; // the box is disabled after the value was set
    std::wstring shown;
    const wchar_t* value;
};

const ValueRow kValues[] = {
    {"ValidNameIsKeptButNotShown", IDC_VERSET_CUSTOMER, L"Plant 7", S_OK, 1, false, L"", L"Plant 7"},
    {"InvalidNameLeavesNoValue", IDC_VERSET_CUSTOMER, L"Plant-7", E_INVALIDARG, 1, false, L"", L""},
    {"ClockFieldShowsItsMask", IDC_VERSET_YEAR, L"12", S_OK, 1, false, std::wstring(45, L'*'), L"12"},
    {"ClockFieldRefusesALetter", IDC_VERSET_YEAR, L"1a", E_INVALIDARG, 1, false, L"", L""},
    {"DisabledBoxKeepsItsValue", IDC_VERSET_LOCATION, L"Hall", S_OK, 1, true, L"", L"Hall"},
    {"DisabledBoxWithoutKeepForgetsIt", IDC_VERSET_LOCATION, L"Hall", S_OK, 0, true, L"", L""},
    {"DisabledClockFieldStillMasked", IDC_VERSET_YEAR, L"07", S_OK, 1, true, std::wstring(45, L'*'), L"07"},
};

TEST_F(HostInfoTest, SetValueRemembersOnlyValidText) {
    for (const ValueRow& row : kValues) {
        SCOPED_TRACE(row.name);
        SettingsPage page;
        CHostInfoEdit& box = page.Box(row.id);
        box.SetKeepWhenDisabled(row.keep);
        EXPECT_EQ(row.result, box.SetValue(row.set));
        if (row.disable)
            box.EnableWindow(FALSE);
        EXPECT_EQ(row.shown, TextOf(page.Item(row.id)));
        CString value = L"untouched";
        EXPECT_EQ(S_OK, box.GetValue(&value));
        EXPECT_EQ(std::wstring(row.value), std::wstring(value.GetString()));
    }
}

// What a composite control around a customer box is told.
struct CListener : IPVAggregateCtrl {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnAggregateCommand(CWnd* ctrl, UINT id) override {
        commands.push_back({ctrl, id});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnAggregateSetFocus(CWnd* ctrl) override {
        focused.push_back(ctrl);
        return S_OK;
    }
    std::vector<std::pair<CWnd*, UINT>> commands;
    std::vector<CWnd*> focused;
};

TEST_F(HostInfoTest, CustomerBoxTellsItsListener) {
    PageOnHost page(IDD_VERIFICATION_SETTINGS);
    page.Create();
    CPVENetHostName box;
    CListener listener;
    box.SetListener(&listener);
    page.Subclass(box, IDC_VERSET_CUSTOMER);
    ASSERT_TRUE(hand.Focus(page.Item(IDC_VERSET_LOCATION)));
    ASSERT_TRUE(hand.Focus(box.m_hWnd));
    hand.Type(L"A-b");
    EXPECT_EQ((std::vector<CWnd*>{&box}), listener.focused);
    // Two accepted characters, two changes; the refused one changes nothing.
    const std::pair<CWnd*, UINT> change{&box, IDC_VERSET_CUSTOMER};
    EXPECT_EQ((std::vector<std::pair<CWnd*, UINT>>{change, change}), listener.commands);
}

// The report page with the browse button, on the host's device as `configure` leaves it.
struct ReportPage : PageOnHost {
    CHostServers servers{context};
    CPVCtrlRSNetworxBrowseBtn1 browse{IDC_VER_BROWSE, IDC_VER_FILE_NAME};
    template <class Configure>
    explicit ReportPage(Configure configure) : PageOnHost(IDD_VERIFICATION_REPORT) {
        CDeviceConfig device = context->Project().Device();
        configure(device, context->Project().Controller());
        context->Project().SetDevice(device);
        Add(&browse);
        Create();
        Subclass(browse, IDC_VER_BROWSE);
        EXPECT_EQ(S_OK, browse.OnActivate());
    }
    ReportPage() : ReportPage([](CDeviceConfig&, auto&) {}) {}
    bool Enabled() { return IsWindowEnabled(Item(IDC_VER_BROWSE)) != FALSE; }
};

TEST_F(HostInfoTest, BrowseButtonNeedsAnOnlineDeviceWithBothReportOptionBits) {
    EXPECT_TRUE(ReportPage().Enabled());
    EXPECT_FALSE(ReportPage([](CDeviceConfig& d, auto&) { d.optionWord = 0x8000; }).Enabled());
    EXPECT_FALSE(ReportPage([](CDeviceConfig& d, auto&) { d.optionWord = 0x4000; }).Enabled());
    EXPECT_FALSE(
        ReportPage([](CDeviceConfig& d, auto&) { d.failingRequests = {L"SWOPTEnabled"}; }).Enabled());
    EXPECT_FALSE(ReportPage([](CDeviceConfig&, auto& controller) { controller.mode = 8; }).Enabled());
    EXPECT_FALSE(
        ReportPage([](CDeviceConfig&, auto& controller) { controller.redundancyState = 1; }).Enabled());
    // The option word is asked for with the device's selector byte.
    ReportPage page;
    const auto& asked = page.parent->Module()->Device().Requests();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(L"SWOPTEnabled", asked.back().name);
    EXPECT_EQ(L"I1 -116", asked.back().payload); // 0x8C
}

TEST_F(HostInfoTest, ChosenFileNameEndsInPdf) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("browse-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::wstring dir = CDosPath::ToDos(folder.string()) + L"\\";
    const struct {
        const char* name;
        const wchar_t* answer; // null: cancelled
        std::wstring shown;
    } rows[] = {
        {"NoExtensionGetsPdf", L"report", dir + L"report.pdf"},
        {"UpperCasePdfKept", L"Report.PDF", dir + L"Report.PDF"},
        {"OtherExtensionGetsPdf", L"report.txt", dir + L"report.txt.pdf"},
        {"CancelChangesNothing", nullptr, dir + L"preset.pdf"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CFileDialogRecorder::Instance().Clear();
        ReportPage page;
        SetWindowTextW(page.Item(IDC_VER_FILE_NAME), (dir + L"preset.pdf").c_str());
        row.answer ? hand.AnswerNextFileDialog(dir + row.answer) : hand.CancelNextFileDialog();
        ASSERT_TRUE(hand.Click(page.Item(IDC_VER_BROWSE)));
        EXPECT_EQ(row.shown, TextOf(page.Item(IDC_VER_FILE_NAME)));
        ASSERT_EQ(1u, CFileDialogRecorder::Instance().Dialogs().size());
        const CFileDialogRecorder::Record& shown = CFileDialogRecorder::Instance().Dialogs()[0];
        EXPECT_TRUE(shown.open);
        EXPECT_EQ(std::make_tuple(DWORD{0x88806}, std::wstring(L"pdf"), dir + L"preset.pdf"),
                  std::make_tuple(shown.flags, shown.defaultExtension, shown.initialFile));
        // Choosing a file name is no configuration change.
        EXPECT_FALSE(page.browse.IsDirty());
    }
    std::filesystem::remove_all(folder);
}

} // namespace
