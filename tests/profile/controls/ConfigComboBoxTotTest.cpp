// The totalizer unit combo box on the totalizer tab template, bound to the host's
// default project as the tab page binds it (assignment box, unit box, preset label in
// list order) and driven by the user's picks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/UserDrawing.h"
#include "platform/oleaut/BstrT.h"
#include "platform/user/Controls.h"
#include "platform/hand/UserHand.h"
#include "profile/controls/PVCtrlCmbDependStaticPreset.h"
#include "profile/controls/PVCtrlConfigComboBox.h"
#include "profile/controls/PVCtrlConfigComboBoxTot.h"
#include "profile/resources/ResourceIds.h"
#include "profile/values/PVGetEnumStrings.h"
#include "profile/values/PVGetSetEnum.h"
#include "profile/values/PVGetSetValue.h"
#include "tests/profile/controls/ControlPageSupport.h"

namespace {

using Items = std::vector<std::wstring>;

// A value object whose strings text, integer value and validity the test decides.
class CFixedValue : public CPVGetSetValue {
public:
    CFixedValue(std::wstring text, HRESULT validity = S_OK, LONG value = 0)
        : CPVGetSetValue(L"Fixed"), m_text(std::move(text)), m_validity(validity), m_value(value) {}

    using CPVGetSetValue::GetValue;
    HRESULT STDMETHODCALLTYPE GetValue(CString* text, VARTYPE vt, CPromptInfo*) override {
        if (vt != CPVCtrlConfigComboBase::kStringsSelector)
            return E_FAIL;
        *text = m_text.c_str();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetValue(LONG* value, CPromptInfo*) override {
        *value = m_value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InitializationIsValid() override { return m_validity; }

private:
    ~CFixedValue() override = default;

    std::wstring m_text;
    HRESULT m_validity;
    LONG m_value;
};

CComPtr<IPVGetSetValue> Fixed(const std::wstring& text, HRESULT validity = S_OK, LONG value = 0) {
    CComPtr<IPVGetSetValue> fixed;
    fixed.Attach(new CFixedValue(text, validity, value));
    return fixed;
}

const wchar_t* const kAssignFormat = L"Totalizer%d_Assign";

// One totalizer tab of the default project: the assignment box, the unit box and the
// preset label in the tab page's list order, windows made from the tab template.
struct TotalizerTab : PageOnHost {
    CPVCtrlConfigComboBox assign{IDC_TOTALIZER_ASSIGN};
    CPVCtrlConfigComboBoxTot unit{IDC_TOTALIZER_UNIT, IDC_TOTALIZER_ASSIGN};
    CPVCtrlCmbDependStaticPreset label{IDC_TOTALIZER_PRESET_UNIT, IDC_TOTALIZER_UNIT, IDC_TOTALIZER_ASSIGN};

    TotalizerTab() : PageOnHost(IDD_TOTALIZER_TAB) {
        Add(&assign);
        Add(&unit);
        Add(&label);
        Create();
        Subclass(assign, IDC_TOTALIZER_ASSIGN);
        Subclass(unit, IDC_TOTALIZER_UNIT);
        Subclass(label, IDC_TOTALIZER_PRESET_UNIT);
    }

    std::wstring Member(const wchar_t* format, int n) const {
        wchar_t name[64] = {};
        swprintf(name, 64, format, n);
        return name;
    }
    template <class T> CComPtr<IPVGetSetValue> Value(const std::wstring& member) {
        CComPtr<IPVGetSetValue> value;
        value.Attach(new T(member.c_str(), page->GetIPVGetSetAdapter()));
        return value;
    }
    // Binds the three controls to totalizer `n` as its tab page does, then activates
    // the page; `strings` replaces the unit member's display strings when given.
    void Bind(int n, CComPtr<IPVGetSetValue> strings = nullptr) {
        m_n = n;
        const std::wstring assignMember = Member(L"Totalizer%d_Assign", n);
        const std::wstring unitMember = Member(L"Totalizer%d_Unit", n);
        const CComPtr<IPVGetSetValue> assignment = Value<CPVGetSetEnum>(assignMember);
        EXPECT_EQ(S_OK, assign.Initialize(assignment, Value<CPVGetEnumStrings>(assignMember)));
        if (!strings)
            strings = Value<CPVGetEnumStrings>(unitMember);
        EXPECT_EQ(S_OK, unit.Initialize(Value<CPVGetSetEnum>(unitMember), assignment, strings));
        EXPECT_EQ(S_OK, page->OnActivate());
    }
    CTagMember* Tag(const wchar_t* format, int n = 0) {
        return context->Project().ConfigTag().Find(Member(format, n ? n : m_n));
    }
    void SetMember(const wchar_t* format, int n, LONG value) {
        CTagMember* found = Tag(format, n);
        ASSERT_NE(nullptr, found);
        found->Load(CTagValue{static_cast<LONGLONG>(value)});
    }
    LONG MemberValue(const wchar_t* format) {
        CTagMember* found = Tag(format);
        return found ? static_cast<LONG>(std::get<LONGLONG>(found->Value())) : -1;
    }
    // The device knows no assignment 6; the tag is given one so that the box can
    // select an assignment beyond the rule's.
    void AllowAssignment6(int n) {
        CTagMember* found = Tag(kAssignFormat, n);
        ASSERT_NE(nullptr, found);
        std::vector<CTagEnumEntry> entries = found->Enumeration();
        entries.push_back({6, L"Other"});
        found->SetEnumeration(entries);
    }
    // Totalizer `n` counting volume in m3, whatever the default project holds.
    void CountVolumeInM3(int n) {
        SetMember(kAssignFormat, n, 1);
        SetMember(L"Totalizer%d_Unit", n, 9);
    }
    int Selection(UINT id) const { return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); }
    // The arrow keys open the list and move in it; the return key confirms, as a
    // person picks an item the opened list does not show.
    void Pick(UINT id, int index, CUserHand::Pick how = CUserHand::Pick::Keyboard) {
        EXPECT_TRUE(CUserHand::Instance().PickComboItem(Item(id), index, how));
        if (how == CUserHand::Pick::Keyboard)
            CUserHand::Instance().PressKey(VK_RETURN);
    }
    Items UnitItems() const { return ComboItems(Item(IDC_TOTALIZER_UNIT)); }
    std::wstring Preset() const { return TextOf(Item(IDC_TOTALIZER_PRESET_UNIT)); }

private:
    int m_n = 1;
};

const wchar_t* const kAssign = kAssignFormat;
const wchar_t* const kUnit = L"Totalizer%d_Unit";

// A stored unit appears at its place in the assignment's list; a pick is saved back
// into the unit index space.
struct StoredCase {
    const char* name;
    LONG assignment;
    LONG storedUnit;
    size_t count;
    const wchar_t* first;
    const wchar_t* last;
    int shownIndex;
    const wchar_t* preset;
    int pick;
    LONG written;
    const wchar_t* pickedPreset;
};

class TotalizerUnitStored : public ::testing::TestWithParam<StoredCase> {};

TEST_P(TotalizerUnitStored, ShowsAndSavesTheUnitThroughTheOffset) {
    const StoredCase& c = GetParam();
    TotalizerTab on;
    on.AllowAssignment6(1);
    on.SetMember(kAssign, 1, c.assignment);
    on.SetMember(kUnit, 1, c.storedUnit);
    on.Bind(1);

    const Items items = on.UnitItems();
    ASSERT_EQ(c.count, items.size());
    EXPECT_EQ(c.first, items.front());
    EXPECT_EQ(c.last, items.back());
    EXPECT_EQ(c.shownIndex, on.Selection(IDC_TOTALIZER_UNIT));
    EXPECT_EQ(c.preset, on.Preset());
    EXPECT_FALSE(on.unit.IsDirty());

    on.Pick(IDC_TOTALIZER_UNIT, c.pick);
    EXPECT_TRUE(on.unit.IsDirty());
    // Nothing is written before the save.
    EXPECT_EQ(c.storedUnit, on.MemberValue(kUnit));
    EXPECT_EQ(c.pickedPreset, on.Preset());
    EXPECT_EQ(S_OK, on.page->Save());
    EXPECT_EQ(c.written, on.MemberValue(kUnit));
    EXPECT_EQ(c.assignment, on.MemberValue(kAssign));
    EXPECT_FALSE(on.unit.IsDirty());
}

INSTANTIATE_TEST_SUITE_P(
    Assignments, TotalizerUnitStored,
    ::testing::Values(
        StoredCase{"CorrectedVolume", 3, 30, 8, L"Nl", L"Sgal (imp)", 3, L"Sm3", 0, 27, L"Nl"},
        StoredCase{"Volume", 1, 18, 20, L"cm3", L"User vol.", 11, L"Mgal (us)", 19, 26, L"User vol."},
        StoredCase{"TargetVolume", 4, 7, 20, L"cm3", L"User vol.", 0, L"cm3", 5, 12, L"hl"},
        StoredCase{"Mass", 2, 4, 7, L"g", L"User mass", 4, L"lb", 6, 6, L"User mass"},
        StoredCase{"TargetMass", 5, 0, 7, L"g", L"User mass", 0, L"g", 1, 1, L"kg"},
        StoredCase{"Off", 0, 9, 35, L"g", L"Sgal (imp)", 9, L"m3", 34, 34, L"Sgal (imp)"},
        StoredCase{"BeyondTheRule", 6, 20, 35, L"g", L"Sgal (imp)", 20, L"bbl (us.beer)", 27, 27, L"Nl"}),
    [](const auto& info) { return std::string(info.param.name); });

// The user confirms a new assignment: the unit box, next in the list, rebuilds its
// list and writes the new default unit at once; the preset label, last, follows it.
struct ChangeCase {
    const char* name;
    LONG from;
    int to;
    size_t count;
    const wchar_t* first;
    const wchar_t* last;
    LONG defaultUnit;
    int shownIndex;
    const wchar_t* preset;
};

class TotalizerAssignmentChange : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(TotalizerAssignmentChange, RefillsWritesTheDefaultUnitAndShowsIt) {
    const ChangeCase& c = GetParam();
    TotalizerTab on;
    on.AllowAssignment6(2);
    on.SetMember(kAssign, 2, c.from);
    on.Bind(2);
    const LONG before = on.MemberValue(kUnit);

    on.Pick(IDC_TOTALIZER_ASSIGN, c.to, CUserHand::Pick::Mouse);

    const Items items = on.UnitItems();
    ASSERT_EQ(c.count, items.size());
    EXPECT_EQ(c.first, items.front());
    EXPECT_EQ(c.last, items.back());
    // Written to the tag right away, before any save.
    EXPECT_EQ(c.defaultUnit, on.MemberValue(kUnit));
    EXPECT_EQ(before != c.defaultUnit, on.Tag(kUnit)->IsDirty());
    EXPECT_EQ(c.from, on.MemberValue(kAssign));
    EXPECT_EQ(c.shownIndex, on.Selection(IDC_TOTALIZER_UNIT));
    EXPECT_EQ(c.preset, on.Preset());
    // The unit box holds what its member holds; only the assignment waits for a save.
    EXPECT_FALSE(on.unit.IsDirty());
    EXPECT_TRUE(on.assign.IsDirty());
    EXPECT_EQ(S_OK, on.page->Save());
    EXPECT_EQ(c.to, on.MemberValue(kAssign));
    EXPECT_EQ(c.defaultUnit, on.MemberValue(kUnit));
    // Activated again, the box reads the same unit back into the same list.
    EXPECT_EQ(S_OK, on.page->OnActivate());
    EXPECT_EQ(c.shownIndex, on.Selection(IDC_TOTALIZER_UNIT));
    EXPECT_EQ(c.preset, on.Preset());
}

INSTANTIATE_TEST_SUITE_P(
    Assignments, TotalizerAssignmentChange,
    ::testing::Values(ChangeCase{"MassToVolume", 2, 1, 20, L"cm3", L"User vol.", 18, 11, L"Mgal (us)"},
                      ChangeCase{"VolumeToOff", 1, 0, 35, L"g", L"Sgal (imp)", 4, 4, L"lb"},
                      ChangeCase{"VolumeToMass", 1, 2, 7, L"g", L"User mass", 4, 4, L"lb"},
                      ChangeCase{"MassToCorrectedVolume", 2, 3, 8, L"Nl", L"Sgal (imp)", 30, 3, L"Sm3"},
                      ChangeCase{"MassToTargetVolume", 2, 4, 20, L"cm3", L"User vol.", 18, 11, L"Mgal (us)"},
                      ChangeCase{"VolumeToTargetMass", 1, 5, 7, L"g", L"User mass", 4, 4, L"lb"},
                      ChangeCase{"VolumeToBeyondTheRule", 1, 6, 35, L"g", L"Sgal (imp)", 4, 4, L"lb"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TotalizerAssignmentChange, OnlyTheAssignmentBoxRefillsTheList) {
    TotalizerTab on;
    on.Bind(2); // mass, unit kg
    ASSERT_EQ(7u, on.UnitItems().size());
    // The same assignment picked again is no change.
    on.Pick(IDC_TOTALIZER_ASSIGN, 2, CUserHand::Pick::Mouse);
    EXPECT_EQ(1, on.MemberValue(kUnit));
    EXPECT_EQ(1, on.Selection(IDC_TOTALIZER_UNIT));
    // Another control's change leaves list and member alone, even with the
    // assignment box showing another assignment.
    SendMessageW(on.Item(IDC_TOTALIZER_ASSIGN), CB_SETCURSEL, 3, 0);
    EXPECT_EQ(S_OK, on.unit.OnChangedCtrlData(nullptr, IDC_TOTALIZER_UNIT));
    EXPECT_EQ(S_OK, on.unit.OnChangedCtrlData(nullptr, IDC_TOTALIZER_PRESET));
    EXPECT_EQ(7u, on.UnitItems().size());
    EXPECT_EQ(1, on.MemberValue(kUnit));
    // The assignment box's change reads its selection, not the member.
    EXPECT_EQ(S_OK, on.unit.OnChangedCtrlData(nullptr, IDC_TOTALIZER_ASSIGN));
    EXPECT_EQ(8u, on.UnitItems().size());
    EXPECT_EQ(30, on.MemberValue(kUnit));
    EXPECT_EQ(2, on.MemberValue(kAssign));
}

TEST(TotalizerAssignmentChange, AFailedDefaultWriteStillRefillsTheList) {
    TotalizerTab on;
    on.Bind(2);
    on.context->Faults().Inject(L"SetEnumIndex", E_FAIL, L"Totalizer2_Unit");
    on.Pick(IDC_TOTALIZER_ASSIGN, 1, CUserHand::Pick::Mouse);
    EXPECT_EQ(20u, on.UnitItems().size());
    EXPECT_EQ(1, on.MemberValue(kUnit));
    EXPECT_EQ(11, on.Selection(IDC_TOTALIZER_UNIT));
    ASSERT_EQ(1u, on.context->Faults().CallsOf(L"SetEnumIndex").size());
    EXPECT_EQ(E_FAIL, on.context->Faults().CallsOf(L"SetEnumIndex")[0].result);
}

// Only line-feed-terminated pieces are items; the filter counts every piece.
struct StringsCase {
    const char* name;
    LONG assignment;
    std::wstring text;
    Items items;
};

std::wstring NumberedPieces(int count, bool finalLineFeed) {
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += L"u" + std::to_wstring(i) + (i + 1 < count || finalLineFeed ? L"\n" : L"");
    return text;
}

Items Numbered(int first, int last) {
    Items items;
    for (int i = first; i <= last; ++i)
        items.push_back(L"u" + std::to_wstring(i));
    return items;
}

class TotalizerUnitStrings : public ::testing::TestWithParam<StringsCase> {};

TEST_P(TotalizerUnitStrings, KeepsTerminatedPiecesInTheAllowedRange) {
    const StringsCase& c = GetParam();
    TotalizerTab on;
    on.SetMember(kAssign, 3, c.assignment);
    on.Bind(3, Fixed(c.text));
    EXPECT_EQ(c.items, on.UnitItems());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TotalizerUnitStrings,
    ::testing::Values(StringsCase{"LastEntryWithoutLineFeedIsLost", 0, L"g\nkg\nt", {L"g", L"kg"}},
                      StringsCase{"Empty", 0, L"", {}}, StringsCase{"NoLineFeedAtAll", 0, L"only", {}},
                      StringsCase{"EmptyPiecesAreItems", 0, L"a\n\nb\n", {L"a", L"", L"b"}},
                      StringsCase{"AllTerminated", 0, NumberedPieces(35, true), Numbered(0, 34)},
                      StringsCase{"MassStopsAtItsLastUnit", 2, NumberedPieces(35, true), Numbered(0, 6)},
                      StringsCase{"VolumeFromItsOffset", 1, NumberedPieces(35, true), Numbered(7, 26)},
                      StringsCase{"CorrectedVolumeLosesItsUnterminatedLast", 3, NumberedPieces(35, false),
                                  Numbered(27, 33)},
                      StringsCase{"FewerPiecesThanTheRange", 1, NumberedPieces(10, true), Numbered(7, 9)},
                      StringsCase{"NothingInTheRange", 3, NumberedPieces(20, true), {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TotalizerUnitStrings, AFailedReadLeavesTheListEmpty) {
    TotalizerTab on;
    on.CountVolumeInM3(1);
    on.context->Faults().Inject(L"GetEnumStrings", E_FAIL, L"Totalizer1_Unit");
    on.Bind(1);
    EXPECT_TRUE(on.UnitItems().empty());
    EXPECT_EQ(9, on.MemberValue(kUnit));
}

// A binding is made once and must be whole; an unbound box leaves window and tag alone.
TEST(TotalizerUnitBinding, ASecondInitializeIsRefusedAndDoesNotRefill) {
    TotalizerTab on;
    on.CountVolumeInM3(1);
    on.Bind(1);
    ASSERT_EQ(20u, on.UnitItems().size());
    const CComPtr<IPVGetSetValue> assignment = on.Value<CPVGetSetEnum>(L"Totalizer1_Assign");
    EXPECT_EQ(E_FAIL,
              on.unit.Initialize(on.Value<CPVGetSetEnum>(L"Totalizer1_Unit"), assignment, Fixed(L"x\ny\n")));
    EXPECT_EQ(20u, on.UnitItems().size());
    EXPECT_FALSE(on.unit.InitializationIsValid());
    // The first binding still serves.
    on.SetMember(kUnit, 1, 26);
    EXPECT_EQ(S_OK, on.unit.LoadValue());
    EXPECT_EQ(19, on.Selection(IDC_TOTALIZER_UNIT));
}

struct InvalidCase {
    const char* name;
    bool unit;
    HRESULT unitValidity;
    bool assignment;
    HRESULT assignmentValidity;
    bool strings;
};

class TotalizerUnitInvalidBinding : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(TotalizerUnitInvalidBinding, FailsWithoutTouchingWindowOrTag) {
    const InvalidCase& c = GetParam();
    TotalizerTab on;
    HWND box = on.Item(IDC_TOTALIZER_UNIT);
    for (const wchar_t* item : {L"one", L"two", L"three"})
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(box, CB_SETCURSEL, 2, 0);

    const CComPtr<IPVGetSetValue> unit = c.unit ? Fixed(L"", c.unitValidity, 9) : nullptr;
    const CComPtr<IPVGetSetValue> assignment = c.assignment ? Fixed(L"", c.assignmentValidity, 1) : nullptr;
    const CComPtr<IPVGetSetValue> strings = c.strings ? Fixed(L"g\nkg\n") : nullptr;
    on.context->Faults().ClearCalls();
    EXPECT_EQ(E_FAIL, on.unit.Initialize(unit, assignment, strings));
    EXPECT_EQ(E_FAIL, on.unit.LoadValue());
    EXPECT_EQ(E_FAIL, on.unit.SaveValue());
    EXPECT_EQ(E_FAIL, on.unit.OnChangedCtrlData(nullptr, IDC_TOTALIZER_ASSIGN));
    EXPECT_EQ(E_FAIL, on.unit.ValidationErrorHandler(1, _bstr_t(L"Fixed").GetBSTR(), nullptr));
    EXPECT_EQ(E_FAIL, on.unit.Refresh());

    EXPECT_EQ((Items{L"one", L"two", L"three"}), on.UnitItems());
    EXPECT_EQ(2, on.Selection(IDC_TOTALIZER_UNIT));
    EXPECT_TRUE(on.context->Faults().Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(Bindings, TotalizerUnitInvalidBinding,
                         ::testing::Values(InvalidCase{"NoUnit", false, S_OK, true, S_OK, true},
                                           InvalidCase{"InvalidUnit", true, E_FAIL, true, S_OK, true},
                                           InvalidCase{"NoAssignment", true, S_OK, false, S_OK, true},
                                           InvalidCase{"InvalidAssignment", true, S_OK, true, E_FAIL, true},
                                           InvalidCase{"NoStrings", true, S_OK, true, S_OK, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TotalizerUnitBinding, AFailedWriteKeepsTheBoxDirtyAFailedReadKeepsItsSelection) {
    TotalizerTab on;
    on.CountVolumeInM3(1);
    on.Bind(1);
    on.Pick(IDC_TOTALIZER_UNIT, 4);
    ASSERT_TRUE(on.unit.IsDirty());
    on.context->Faults().Inject(L"SetEnumIndex", E_FAIL, L"Totalizer1_Unit");
    EXPECT_EQ(E_FAIL, on.unit.Save());
    EXPECT_TRUE(on.unit.IsDirty());
    EXPECT_EQ(9, on.MemberValue(kUnit));
    // A dirty box is not reloaded.
    EXPECT_EQ(S_OK, on.unit.Refresh());
    EXPECT_EQ(4, on.Selection(IDC_TOTALIZER_UNIT));
    EXPECT_EQ(S_OK, on.unit.Save());
    EXPECT_FALSE(on.unit.IsDirty());
    EXPECT_EQ(11, on.MemberValue(kUnit));

    on.SetMember(kUnit, 1, 18);
    on.context->Faults().Inject(L"GetEnumIndex", E_FAIL, L"Totalizer1_Unit");
    EXPECT_EQ(E_FAIL, on.unit.LoadValue());
    EXPECT_EQ(4, on.Selection(IDC_TOTALIZER_UNIT));
    EXPECT_EQ(S_OK, on.unit.LoadValue());
    EXPECT_EQ(11, on.Selection(IDC_TOTALIZER_UNIT));
}

// The dropped list has room for a fixed number of items whatever the list holds, and
// is at least as wide as the box and its widest item with the frame.
int WidestItem(HWND combo) {
    HDC dc = GetDC(combo);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(combo, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::wstring& item : ComboItems(combo)) {
        SIZE size{};
        GetTextExtentPoint32W(dc, item.c_str(), static_cast<int>(item.size()), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(combo, dc);
    return widest;
}

TEST(TotalizerUnitDroppedList, IsSizedByItsOwnFormula) {
    struct Case {
        const char* name;
        int n;
        const wchar_t* strings; // null: the member's own
        bool widerThanTheBox;
    };
    const Case cases[] = {
        {"TwentyVolumeUnits", 1, nullptr, false},
        {"SevenMassUnits", 2, nullptr, false},
        {"AllUnits", 3, nullptr, false},
        {"OneItem", 3, L"x\n", false},
        {"AnItemWiderThanTheBox", 3, L"g\nA unit whose name is far wider than the box that shows it\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TotalizerTab on;
        if (c.n == 1)
            on.CountVolumeInM3(1);
        on.Bind(c.n, c.strings ? Fixed(c.strings) : nullptr);
        HWND box = on.Item(IDC_TOTALIZER_UNIT);
        RECT closed{};
        GetWindowRect(box, &closed);
        RECT client{};
        GetClientRect(box, &client);

        SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
        RECT dropped{};
        SendMessageW(box, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        const int itemHeight = static_cast<int>(SendMessageW(box, CB_GETITEMHEIGHT, 0, 0));
        const int edgeX = GetSystemMetrics(SM_CXEDGE);
        const int edgeY = GetSystemMetrics(SM_CYEDGE);
        EXPECT_EQ((edgeY + 3 * itemHeight) * 2 + 2,
                  (dropped.bottom - dropped.top) - (closed.bottom - closed.top));
        const int widest = WidestItem(box);
        EXPECT_EQ(c.widerThanTheBox, widest + 2 * edgeX + 2 > client.right);
        // The template gives the box a vertical scroll bar.
        EXPECT_EQ(std::max<int>(widest + 2 * edgeX + 2, client.right) + GetSystemMetrics(SM_CXVSCROLL),
                  static_cast<int>(SendMessageW(box, CB_GETDROPPEDWIDTH, 0, 0)));
        SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
    }
}

} // namespace
