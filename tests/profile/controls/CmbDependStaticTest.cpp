// The unit labels that follow combo boxes: the low-flow label on the low-flow page
// template and the preset label on the totalizer tab template, bound to the host's
// default project and driven by the user's picks in the combo boxes they follow.
#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/ComboBox.h"
#include "platform/user/Controls.h"
#include "platform/hand/UserHand.h"
#include "profile/controls/PVCtrl.h"
#include "profile/controls/PVCtrlCmbDependStatic.h"
#include "profile/controls/PVCtrlCmbDependStaticPreset.h"
#include "profile/resources/ResourceIds.h"
#include "profile/values/PVGetSetLong.h"
#include "tests/profile/controls/ControlPageSupport.h"

namespace {

// A combo box that reports a confirmed pick to its page, as the configuration combo
// boxes do, so that the page tells every control about it.
class CReportingCombo : public CComboBox, public CPVCtrl {
public:
    explicit CReportingCombo(UINT id) : CPVCtrl(id) {}
    BOOL OnReflectedCommand(UINT code) override {
        if (code == CBN_SELENDOK)
            OnCtrlModified();
        return FALSE;
    }
};

void Fill(CComboBox& combo, int count) {
    for (int i = 0; i < count; ++i)
        combo.AddString((L"Item " + std::to_wstring(i)).c_str());
}

// The low-flow page's assignment combo box (none, mass, volume, corrected volume flow
// and one more) and its flow unit label, bound as the page binds it.
struct LowFlowPage : PageOnHost {
    CReportingCombo assign{IDC_LOWFLOW_ASSIGN};
    CPVCtrlCmbDependStatic label;

    explicit LowFlowPage(UINT followed = IDC_LOWFLOW_ASSIGN, UINT labelId = IDC_LOWFLOW_FLOW_UNIT)
        : PageOnHost(IDD_LOWFLOW), label(labelId, followed) {
        Add(&assign);
        Add(&label);
        Create();
        Subclass(assign, IDC_LOWFLOW_ASSIGN);
        if (Item(labelId))
            Subclass(label, labelId);
        Fill(assign, 5);
    }
    HRESULT Bind(LONG mode = 3) {
        return label.Initialize(Long(L"SystemUnitMassFlow"), Long(L"SystemUnitVolumeFlow"),
                                Long(L"SystemUnitCorrVolumeFlow"), nullptr, nullptr, mode);
    }
    std::wstring Shown() const { return TextOf(Item(IDC_LOWFLOW_FLOW_UNIT)); }
};

struct FlowUnitCase {
    const char* name;
    int selection;
    LONG massFlow;
    LONG volumeFlow;
    LONG corrVolumeFlow;
    const wchar_t* failingMember; // null: every read succeeds
    std::wstring shown;
};

class LowFlowUnitLabel : public ::testing::TestWithParam<FlowUnitCase> {};

TEST_P(LowFlowUnitLabel, ShowsTheUnitOfTheSelectedProcessVariable) {
    const FlowUnitCase& c = GetParam();
    LowFlowPage on;
    ASSERT_EQ(S_OK, on.Bind());
    on.SetMember(L"SystemUnitMassFlow", c.massFlow);
    on.SetMember(L"SystemUnitVolumeFlow", c.volumeFlow);
    on.SetMember(L"SystemUnitCorrVolumeFlow", c.corrVolumeFlow);
    if (c.failingMember)
        on.context->Faults().Inject(L"GetValue", E_FAIL, c.failingMember, 0, -1);
    // Nothing selected yet: a blank on activation.
    EXPECT_EQ(S_OK, on.label.OnActivate());
    EXPECT_EQ(L" ", on.Shown());

    CAopLogCapture log;
    on.Pick(IDC_LOWFLOW_ASSIGN, c.selection);
    EXPECT_EQ(c.shown, on.Shown());
    // The label itself logs nothing; a failing read is logged by the adapter.
    Lines expected;
    if (c.failingMember && c.selection == 2)
        expected.push_back(
            L"CPVGetSetAdapeterErrorHandler::ErrorReadingValue | Error: Reading value for member "
            L"SystemUnitVolumeFlow from services!\r\n");
    EXPECT_EQ(expected, LogLines(log));
    // Activating the page again shows the same.
    EXPECT_EQ(S_OK, on.label.OnActivate());
    EXPECT_EQ(c.shown, on.Shown());
}

INSTANTIATE_TEST_SUITE_P(
    Selections, LowFlowUnitLabel,
    ::testing::Values(FlowUnitCase{"NoneIsBlank", 0, 5124, 2085, 2149, nullptr, L" "},
                      FlowUnitCase{"MassFlow", 1, 5124, 2085, 2149, nullptr, L"kg/s"},
                      FlowUnitCase{"VolumeFlow", 2, 5124, 2085, 2149, nullptr, L"m3/h"},
                      FlowUnitCase{"CorrectedVolumeFlow", 3, 5124, 2085, 2250, nullptr, L"User vol./s"},
                      FlowUnitCase{"UnknownMassFlowCode", 1, 9999, 2085, 2149, nullptr, L" "},
                      FlowUnitCase{"VolumeSlotHoldsACorrectedCode", 2, 5124, 2148, 2149, nullptr, L" "},
                      FlowUnitCase{"ReadFailureIsBlank", 2, 5124, 2085, 2149, L"SystemUnitVolumeFlow", L" "},
                      FlowUnitCase{"OtherMemberFailingDoesNotMatter", 3, 5124, 2085, 2216,
                                   L"SystemUnitVolumeFlow", L"Sgal/m (us)"},
                      FlowUnitCase{"SelectionBeyondTheSlots", 4, 5124, 2085, 2149, nullptr, L" "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LowFlowUnitLabelLife, OnlyTheFollowedComboBoxAndActivationReadTheUnitAgain) {
    LowFlowPage on;
    ASSERT_EQ(S_OK, on.Bind());
    on.SetMember(L"SystemUnitMassFlow", 5124);
    on.Pick(IDC_LOWFLOW_ASSIGN, 1);
    ASSERT_EQ(L"kg/s", on.Shown());

    on.SetMember(L"SystemUnitMassFlow", 2221);
    // A refresh checks the binding only; another control's change is not followed.
    EXPECT_EQ(S_OK, on.label.Refresh());
    EXPECT_EQ(S_OK, on.page->Refresh());
    EXPECT_EQ(S_OK, on.label.OnChangedCtrlData(nullptr, IDC_LOWFLOW_ON_VALUE));
    EXPECT_EQ(L"kg/s", on.Shown());
    // The followed combo box's change and activation are.
    EXPECT_EQ(S_OK, on.label.OnChangedCtrlData(nullptr, IDC_LOWFLOW_ASSIGN));
    EXPECT_EQ(L"t/h", on.Shown());
    on.SetMember(L"SystemUnitMassFlow", 2240);
    EXPECT_EQ(S_OK, on.page->OnActivate());
    EXPECT_EQ(L"User mass/d", on.Shown());
    // A pick of the same item again still shows the current unit.
    on.SetMember(L"SystemUnitMassFlow", 5131);
    on.Pick(IDC_LOWFLOW_ASSIGN, 0);
    on.Pick(IDC_LOWFLOW_ASSIGN, 1);
    EXPECT_EQ(L"lb/s", on.Shown());
}

TEST(LowFlowUnitLabelLife, UnboundSlotsShowABlank) {
    LowFlowPage on;
    ASSERT_EQ(S_OK,
              on.label.Initialize(nullptr, on.Long(L"SystemUnitVolumeFlow"), nullptr, nullptr, nullptr, 0));
    on.SetMember(L"SystemUnitVolumeFlow", 5139);
    struct Case {
        int selection;
        const wchar_t* shown;
    };
    for (const Case& c : {Case{2, L"l/min"}, Case{1, L" "}, Case{3, L" "}, Case{2, L"l/min"}}) {
        SCOPED_TRACE(c.selection);
        on.Pick(IDC_LOWFLOW_ASSIGN, c.selection);
        EXPECT_EQ(std::wstring(c.shown), on.Shown());
    }
}

struct BindingCase {
    const char* name;
    UINT followed;
    UINT labelId;
    bool bind;
    LONG mode;
    HRESULT refresh;
    HRESULT activate;
    Lines log; // of the activation
};

class LowFlowUnitLabelBinding : public ::testing::TestWithParam<BindingCase> {};

TEST_P(LowFlowUnitLabelBinding, RefusesWhatItCannotShow) {
    const BindingCase& c = GetParam();
    LowFlowPage on(c.followed, c.labelId);
    if (c.bind) {
        ASSERT_EQ(S_OK, on.Bind(c.mode));
    }
    on.SetMember(L"SystemUnitMassFlow", 5124);
    SendMessageW(on.Item(IDC_LOWFLOW_ASSIGN), CB_SETCURSEL, 1, 0);
    EXPECT_EQ(c.refresh, on.label.Refresh());
    CAopLogCapture log;
    EXPECT_EQ(c.activate, on.label.OnActivate());
    EXPECT_EQ(c.log, LogLines(log));
    EXPECT_EQ(c.activate, on.label.OnChangedCtrlData(nullptr, c.followed));
    EXPECT_EQ(SUCCEEDED(c.activate) ? L"kg/s" : L"", on.Shown());
}

const wchar_t* const kBadMode = L"CPVCtrlCmbDependStatic::CheckBinding | Invalid mode";

INSTANTIATE_TEST_SUITE_P(
    Bindings, LowFlowUnitLabelBinding,
    ::testing::Values(
        BindingCase{"Mode0", IDC_LOWFLOW_ASSIGN, IDC_LOWFLOW_FLOW_UNIT, true, 0, S_OK, S_OK, {}},
        BindingCase{"Mode3", IDC_LOWFLOW_ASSIGN, IDC_LOWFLOW_FLOW_UNIT, true, 3, S_OK, S_OK, {}},
        BindingCase{"Mode4", IDC_LOWFLOW_ASSIGN, IDC_LOWFLOW_FLOW_UNIT, true, 4, S_OK, S_OK, {}},
        BindingCase{"Mode5", IDC_LOWFLOW_ASSIGN, IDC_LOWFLOW_FLOW_UNIT, true, 5, S_OK, S_OK, {}},
        BindingCase{"Mode1", IDC_LOWFLOW_ASSIGN, IDC_LOWFLOW_FLOW_UNIT, true, 1, E_FAIL, E_FAIL, {kBadMode}},
        BindingCase{"Mode2", IDC_LOWFLOW_ASSIGN, IDC_LOWFLOW_FLOW_UNIT, true, 2, E_FAIL, E_FAIL, {kBadMode}},
        BindingCase{"Mode6", IDC_LOWFLOW_ASSIGN, IDC_LOWFLOW_FLOW_UNIT, true, 6, E_FAIL, E_FAIL, {kBadMode}},
        BindingCase{"NeverInitialized",
                    IDC_LOWFLOW_ASSIGN,
                    IDC_LOWFLOW_FLOW_UNIT,
                    false,
                    0,
                    E_FAIL,
                    E_FAIL,
                    {kBadMode}},
        BindingCase{"FollowedIdZero",
                    0,
                    IDC_LOWFLOW_FLOW_UNIT,
                    true,
                    3,
                    E_FAIL,
                    E_FAIL,
                    {L"CPVCtrlCmbDependStatic::CheckBinding | Invalid identifier of the followed combo box"}},
        BindingCase{"NoFollowedWindow",
                    4242,
                    IDC_LOWFLOW_FLOW_UNIT,
                    true,
                    3,
                    S_OK,
                    E_FAIL,
                    {L"CPVCtrlCmbDependStatic::UpdateUnitText | Failed to obtain the followed combo box"}},
        BindingCase{"NoLabelWindow",
                    IDC_LOWFLOW_ASSIGN,
                    4243,
                    true,
                    3,
                    S_OK,
                    E_FAIL,
                    {L"CPVCtrl::GetCWnd | Failed to obtain PVCtrl's CWnd"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The totalizer tab's assignment and unit combo boxes and the preset value's unit label.
struct TotalizerTab : PageOnHost {
    CReportingCombo assign{IDC_TOTALIZER_ASSIGN};
    CReportingCombo unit{IDC_TOTALIZER_UNIT};
    CPVCtrlCmbDependStaticPreset label;

    explicit TotalizerTab(UINT unitId = IDC_TOTALIZER_UNIT, UINT assignId = IDC_TOTALIZER_ASSIGN)
        : PageOnHost(IDD_TOTALIZER_TAB), label(IDC_TOTALIZER_PRESET_UNIT, unitId, assignId) {
        Add(&assign);
        Add(&unit);
        Add(&label);
        Create();
        Subclass(assign, IDC_TOTALIZER_ASSIGN);
        Subclass(unit, IDC_TOTALIZER_UNIT);
        Subclass(label, IDC_TOTALIZER_PRESET_UNIT);
        Fill(assign, 7);
        // The label does not read the unit texts, only the selection.
        Fill(unit, 35);
    }
    std::wstring Shown() const { return TextOf(Item(IDC_TOTALIZER_PRESET_UNIT)); }
};

struct PresetCase {
    int assignment;
    int unit;
    std::wstring shown;
};

TEST(PresetUnitLabel, ShowsTheSelectedUnitInTheAssignmentsUnits) {
    const PresetCase cases[] = {
        {1, 11, L"Mgal (us)"},  {4, 0, L"cm3"}, {1, 19, L"User vol."}, {2, 4, L"lb"},
        {5, 6, L"User mass"},   {3, 3, L"Sm3"}, {3, 7, L"Sgal (imp)"}, {0, 9, L"m3"},
        {0, 34, L"Sgal (imp)"}, {3, 8, L"??"},  {6, 27, L"Nl"},        {4, 20, L"Nl"},
    };
    for (const PresetCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.assignment << "/" << c.unit);
        TotalizerTab on;
        CAopLogCapture log;
        on.Pick(IDC_TOTALIZER_ASSIGN, c.assignment);
        // Far down the list the keys reach what the opened list does not show.
        on.Pick(IDC_TOTALIZER_UNIT, c.unit, CUserHand::Pick::Keyboard);
        EXPECT_EQ(c.shown, on.Shown());
        EXPECT_TRUE(LogLines(log).empty());
        EXPECT_EQ(S_OK, on.label.OnActivate());
        EXPECT_EQ(c.shown, on.Shown());
    }
}

TEST(PresetUnitLabel, FollowsBothComboBoxesAndNothingElse) {
    TotalizerTab on;
    // Nothing selected: no unit.
    EXPECT_EQ(S_OK, on.label.OnActivate());
    EXPECT_EQ(L"??", on.Shown());
    on.Pick(IDC_TOTALIZER_ASSIGN, 2);
    on.Pick(IDC_TOTALIZER_UNIT, 11);
    EXPECT_EQ(L"l", on.Shown());
    // The assignment's change moves the same selection into the volume units.
    on.Pick(IDC_TOTALIZER_ASSIGN, 1);
    EXPECT_EQ(L"Mgal (us)", on.Shown());
    // A selection set without a report is seen on the next activation only.
    SendMessageW(on.Item(IDC_TOTALIZER_UNIT), CB_SETCURSEL, 2, 0);
    EXPECT_EQ(S_OK, on.label.Refresh());
    EXPECT_EQ(S_OK, on.label.OnChangedCtrlData(nullptr, IDC_TOTALIZER_PRESET));
    EXPECT_EQ(L"Mgal (us)", on.Shown());
    EXPECT_EQ(S_OK, on.page->OnActivate());
    EXPECT_EQ(L"m3", on.Shown());
}

TEST(PresetUnitLabel, RefusesMissingIdentifiersAndWindows) {
    struct Case {
        const char* name;
        UINT unitId;
        UINT assignId;
        HRESULT refresh;
        Lines log;
    };
    const wchar_t* const badId = L"CPVCtrlCmbDependStaticPreset::CheckBinding | Invalid identifier of a "
                                 L"followed combo box";
    const wchar_t* const noWindow = L"CPVCtrlCmbDependStaticPreset::ReadComboSelection | Failed to obtain a "
                                    L"followed combo box";
    const Case cases[] = {
        {"UnitIdZero", 0, IDC_TOTALIZER_ASSIGN, E_FAIL, {badId}},
        {"AssignmentIdZero", IDC_TOTALIZER_UNIT, 0, E_FAIL, {badId}},
        {"NoUnitWindow", 4242, IDC_TOTALIZER_ASSIGN, S_OK, {noWindow}},
        {"NoAssignmentWindow", IDC_TOTALIZER_UNIT, 4242, S_OK, {noWindow}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TotalizerTab on(c.unitId, c.assignId);
        SendMessageW(on.Item(IDC_TOTALIZER_UNIT), CB_SETCURSEL, 1, 0);
        EXPECT_EQ(c.refresh, on.label.Refresh());
        CAopLogCapture log;
        EXPECT_EQ(E_FAIL, on.label.OnActivate());
        EXPECT_EQ(c.log, LogLines(log));
        EXPECT_EQ(E_FAIL, on.label.OnChangedCtrlData(nullptr, c.unitId ? c.unitId : c.assignId));
        EXPECT_EQ(L"", on.Shown());
    }
}

} // namespace
