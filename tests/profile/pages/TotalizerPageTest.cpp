// The totalizer page of the shipped module in the host's properties dialog: each tab
// binds its totalizer's members as the catalogue's tab page rows say, a new assignment
// writes its default unit at once, and a project without totalizer 3 or a host that
// refuses the unit leave the page usable.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logger/AopLogCapture.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "tests/profile/pages/PagesTestSupport.h"

namespace {

using Members = std::vector<std::wstring>;
using PVPageCatalogue::kTotalizerConfig;
using PVPageCatalogue::kTotalizerTab;

// Totalizer `n`'s members of the tab page rows with value class `value` (None: every
// member), in list order.
Members TabMembers(int n, PVValue value) {
    Members members;
    for (const CPVControlRow& row : kTotalizerTab.rows)
        if (row.member && (row.value == value || value == PVValue::None))
            members.push_back(PVNumberedMember(row.member, n));
    return members;
}

// Totalizer `n`'s member of the tab page row on dialog item `item`.
std::wstring Member(UINT item, int n) {
    for (const CPVControlRow& row : kTotalizerTab.rows)
        if (row.item == item && row.member)
            return PVNumberedMember(row.member, n);
    return L"";
}

std::wstring Text(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

bool Logged(const CAopLogCapture& log, const std::wstring& text) {
    for (const auto& record : log.Records())
        if (record.message.find(text) != std::wstring::npos)
            return true;
    return false;
}

class TotalizerPage : public ::testing::Test {
protected:
    void Open(const std::string& project = "") {
        ASSERT_EQ("", module.error);
        host = std::make_unique<CProfileHost>(project);
        ASSERT_EQ("", host->error);
        ASSERT_EQ(S_OK, host->Open({&kTotalizerConfig}));
    }
    HWND Strip() const { return host->Item(0, static_cast<int>(kTotalizerConfig.rows[0].item)); }
    int Selected() const { return static_cast<int>(SendMessageW(Strip(), TCM_GETCURSEL, 0, 0)); }
    // The tab pages carry the same items: the item on the one page shown, null when
    // more than one page is shown.
    HWND Shown(UINT item) const {
        HWND found = nullptr;
        for (HWND tab = GetWindow(host->dialog->PageWindow(0), GW_CHILD); tab;
             tab = GetWindow(tab, GW_HWNDNEXT))
            if (IsWindowVisible(tab) && GetDlgItem(tab, static_cast<int>(item)))
                found = found ? HWND(-1) : GetDlgItem(tab, static_cast<int>(item));
        return found == HWND(-1) ? nullptr : found;
    }
    int Selection(UINT item) const { return static_cast<int>(SendMessageW(Shown(item), CB_GETCURSEL, 0, 0)); }
    int Count(UINT item) const { return static_cast<int>(SendMessageW(Shown(item), CB_GETCOUNT, 0, 0)); }
    std::wstring Title(int tab) const {
        wchar_t text[16] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 16;
        SendMessageW(Strip(), TCM_GETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    bool Pick(UINT item, int index) {
        return CUserHand::Instance().PickComboItem(Shown(item), index, CUserHand::Pick::Mouse);
    }
    const CHostFaults& Calls() const { return host->context->Faults(); }

    CProfileModule module;
    std::unique_ptr<CProfileHost> host;
};

// The embedded project's totalizers 1 and 2 count mass in kg; 3 is off, so its unit
// list holds every unit, at lb.
struct TabCase {
    int units;
    int unitSelection;
    const wchar_t* presetUnit;
};
const TabCase kTabs[] = {{7, 1, L"kg"}, {7, 1, L"kg"}, {35, 4, L"lb"}};

TEST_F(TotalizerPage, EachTabBindsItsTotalizerAndLoadsItWhenShown) {
    Open();
    // Every tab page binds as its window is made, each unit box reading its stored
    // assignment for its list; only the tab shown loads its values.
    EXPECT_EQ(EnumerationMembers(kTotalizerConfig, true), MembersOf(Calls(), L"GetEnumStrings"));
    Members read = TabMembers(1, PVValue::Enumeration);
    read.insert(read.begin(), {Member(IDC_TOTALIZER_ASSIGN, 1), Member(IDC_TOTALIZER_ASSIGN, 2),
                               Member(IDC_TOTALIZER_ASSIGN, 3)});
    EXPECT_EQ(read, MembersOf(Calls(), L"GetEnumIndex"));
    EXPECT_EQ(TabMembers(1, PVValue::Float), MembersOf(Calls(), L"GetValue"));
    EXPECT_EQ(Strip(), GetFocus()) << "the page's focus control is its tab strip";

    for (int tab = 0; tab < 3; ++tab) {
        SCOPED_TRACE(tab + 1);
        host->context->Faults().ClearCalls();
        ASSERT_TRUE(CUserHand::Instance().ClickTab(Strip(), tab));
        ASSERT_EQ(tab, Selected());
        // A click on the tab shown asks nothing of its page.
        EXPECT_EQ(tab > 0 ? TabMembers(tab + 1, PVValue::Enumeration) : Members{},
                  MembersOf(Calls(), L"GetEnumIndex"));
        EXPECT_EQ(std::wstring(kTotalizerConfig.rows[0].tabTitles[tab]), Title(tab));
        EXPECT_EQ(kTabs[tab].units, Count(IDC_TOTALIZER_UNIT));
        EXPECT_EQ(kTabs[tab].unitSelection, Selection(IDC_TOTALIZER_UNIT));
        EXPECT_EQ(kTabs[tab].presetUnit, Text(Shown(IDC_TOTALIZER_PRESET_UNIT)));
        EXPECT_EQ(L"0.00", Text(Shown(IDC_TOTALIZER_PRESET)));
    }
}

// Totalizer 1 from mass flow to volume flow: the unit box lists the volume units and
// writes unit 18 at once (a refusal is logged and leaves the member), the label
// follows; the assignment is written when its tab is left, and stored by Apply only.
struct ChangeCase {
    const char* name;
    bool refuseUnit;
    bool apply;
    LONGLONG unitAtOnce;
    LONGLONG storedAssignment;
    LONGLONG storedUnit;
};

class TotalizerAssignment : public TotalizerPage, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(TotalizerAssignment, WritesTheDefaultUnitAtOnceAndKeepsTheChangeForApply) {
    const ChangeCase& c = GetParam();
    Open();
    if (c.refuseUnit)
        host->context->Faults().Inject(L"SetEnumIndex", E_FAIL, Member(IDC_TOTALIZER_UNIT, 1));
    host->context->Faults().ClearCalls();
    CAopLogCapture log;
    ASSERT_TRUE(Pick(IDC_TOTALIZER_ASSIGN, 1));
    EXPECT_EQ(Members{Member(IDC_TOTALIZER_UNIT, 1)}, MembersOf(Calls(), L"SetEnumIndex"));
    EXPECT_EQ(c.unitAtOnce, host->Value(Member(IDC_TOTALIZER_UNIT, 1)));
    EXPECT_EQ(c.refuseUnit, Logged(log, L"Error: Saving value for member Totalizer1_Unit to services!"));
    EXPECT_EQ(2, host->Value(Member(IDC_TOTALIZER_ASSIGN, 1)));
    EXPECT_EQ(20, Count(IDC_TOTALIZER_UNIT));
    EXPECT_EQ(11, Selection(IDC_TOTALIZER_UNIT));
    EXPECT_EQ(L"Mgal (us)", Text(Shown(IDC_TOTALIZER_PRESET_UNIT)));
    EXPECT_EQ(L"1*", Title(0));

    ASSERT_TRUE(CUserHand::Instance().ClickTab(Strip(), 1));
    EXPECT_EQ(1, host->Value(Member(IDC_TOTALIZER_ASSIGN, 1)));
    EXPECT_EQ(2, host->Stored(Member(IDC_TOTALIZER_ASSIGN, 1))) << "nothing stored before Apply";
    ASSERT_EQ(S_OK, c.apply ? host->dialog->Apply() : host->dialog->Cancel());
    EXPECT_EQ(c.storedAssignment, host->Stored(Member(IDC_TOTALIZER_ASSIGN, 1)));
    EXPECT_EQ(c.storedUnit, host->Stored(Member(IDC_TOTALIZER_UNIT, 1)));
    EXPECT_EQ(2, host->Stored(Member(IDC_TOTALIZER_ASSIGN, 2)));
}

INSTANTIATE_TEST_SUITE_P(Changes, TotalizerAssignment,
                         ::testing::Values(ChangeCase{"Apply", false, true, 18, 1, 18},
                                           ChangeCase{"Cancel", false, false, 18, 2, 1},
                                           // The unit box holds no change of its own to apply.
                                           ChangeCase{"RefusedUnit", true, true, 1, 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// Totalizer 3's tab page binds nothing and cannot load, so its tab is not shown: the
// strip stays on the tab the user sees, whose pick is kept and applied.
TEST_F(TotalizerPage, WithoutTotalizer3TheOtherTabsWorkAndItsTabStaysBehind) {
    CAopLogCapture log;
    Open(ProjectWithout(TabMembers(3, PVValue::None)));
    ASSERT_TRUE(CUserHand::Instance().ClickTab(Strip(), 1));
    ASSERT_TRUE(Pick(IDC_TOTALIZER_OPERATING_MODE, 2));
    CUserHand::Instance().ClickTab(Strip(), 2);
    EXPECT_EQ(1, Selected());
    EXPECT_EQ(2, Selection(IDC_TOTALIZER_OPERATING_MODE)) << "tab 2's page, and it alone, is shown";
    for (const wchar_t* member : {L"Totalizer3_Assign", L"Totalizer3_Preset"})
        EXPECT_TRUE(
            Logged(log, std::wstring(L"Error: Reading value for member ") + member + L" from services!"));
    ASSERT_EQ(S_OK, host->dialog->Apply());
    EXPECT_EQ(2, host->Stored(Member(IDC_TOTALIZER_OPERATING_MODE, 2)));
}

} // namespace
