// The configuration edit boxes' life on pages bound to the host's default project:
// loading without dirtying, saves the member's range or the mask refuses (the prompt
// with the member's name, the box kept dirty, nothing written), Flush writing the
// stored value back, the text normalised when the focus leaves, forcing, the boxes
// that follow the low-flow assignment, the density unit label, and a decimal comma.
#include <gtest/gtest.h>

#include "host/HostResults.h"
#include "logger/AopLogCapture.h"
#include "platform/com/ErrorInfo.h"
#include "platform/oleaut/BstrT.h"
#include "profile/controls/PVCtrlConfigChkCmbBtnDependEditBox.h"
#include "profile/controls/PVCtrlConfigComboBox.h"
#include "profile/controls/PVCtrlConfigStaticTextPages.h"
#include "profile/convert/CnvErrors.h"
#include "profile/values/PVGetEnumStrings.h"
#include "profile/values/PVGetSetEnum.h"
#include "tests/profile/controls/ConfigEditSupport.h"
#include "tests/profile/convert/NumericLocale.h"

namespace {

using ConfigEditCtrlTest = EditBoxTest;

size_t Writes(ProcessEditPage& page) {
    return page.context->Faults().CallsOf(L"SetValue").size();
}

TEST_F(ConfigEditCtrlTest, LoadingDoesNotDirtyAndTypingDoesButWritesNothing) {
    ProcessEditPage page;
    ASSERT_EQ(S_OK, page.page->OnActivate());
    EXPECT_EQ(CString(L"7"), TextOf(page.integer));
    EXPECT_EQ(CString(L"0.0"), TextOf(page.real));
    EXPECT_FALSE(page.integer.IsDirty());
    EXPECT_FALSE(page.parent->ProfileDirty());
    page.Prepare(page.integer, L"", 0, -1);
    hand.Type(L"\b12");
    EXPECT_TRUE(page.integer.IsDirty());
    EXPECT_TRUE(page.parent->ProfileDirty());
    EXPECT_EQ(0u, Writes(page)) << "nothing reaches the tag before a save";
    EXPECT_EQ(S_OK, page.integer.Refresh()) << "a dirty box keeps the user's text";
    EXPECT_EQ(CString(L"12"), TextOf(page.integer));
    EXPECT_EQ(S_OK, page.integer.Save());
    EXPECT_EQ(CTagValue{LONGLONG{12}}, page.Stored(L"SystemDamping"));
    EXPECT_FALSE(page.integer.IsDirty());
}

TEST_F(ConfigEditCtrlTest, ARefusedSaveShowsThePromptKeepsTheTextAndWritesNothing) {
    const struct {
        bool integer;
        const wchar_t* typed;
        HRESULT code;
        const wchar_t* shown; // empty: the host's refusal, no prompt
    } cases[] = {
        {true, L"2147483648", CNV_E_ABOVEMAXIMUM,
         L"SystemDamping:  '2147483648' is too large. The largest value allowed is 2147483647."},
        {true, L"-", CNV_E_INVALIDINTEGER, L"SystemDamping:  '-' is not a whole number."},
        {false, L"", CNV_E_EMPTYTEXT, L"ProcessConductivityDamping:  Enter a value."},
        {false, L"+1.5.", CNV_E_INVALIDFLOAT, L"ProcessConductivityDamping:  '+1.5.' is not a number."},
        // Beyond the member's range (0 to 15): the host refuses the write.
        {true, L"99", HOST_E_OUTOFRANGE, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CString(c.typed).GetString());
        ProcessEditPage page;
        CPVCtrlConfigEditCtrl& box = c.integer ? static_cast<CPVCtrlConfigEditCtrl&>(page.integer) : page.real;
        ASSERT_EQ(S_OK, box.OnActivate());
        page.Prepare(box, L"", 0, -1);
        hand.Type(std::wstring(L"\b") + c.typed);
        ASSERT_EQ(CString(c.typed), TextOf(box));
        page.context->Faults().ClearCalls();

        EXPECT_EQ(c.code, page.page->OnDeactivate()) << "the page refuses to be left";
        const auto& shown = page.parent->ShownErrors();
        if (!*c.shown) {
            // The host hands its refusal back to the box of the member, which shows it.
            CComPtr<IErrorInfo> error;
            ASSERT_EQ(S_OK, GetErrorInfo(0, &error));
            _bstr_t member(L"SystemDamping");
            IErrorInfo* refusal = error.p();
            EXPECT_EQ(E_FAIL, page.real.ValidationErrorHandler(0, member.GetBSTR(), &refusal));
            EXPECT_EQ(S_OK, page.page->ValidationErrorHandler(0, member.GetBSTR(), &refusal));
        }
        ASSERT_EQ(1u, shown.size());
        EXPECT_EQ(*c.shown ? c.shown : L"Local:1:C.SystemDamping: 99 is outside the range 0 to 15.", shown[0].text);
        EXPECT_TRUE(box.IsDirty());
        EXPECT_EQ(CString(c.typed), TextOf(box));
        EXPECT_EQ(CTagValue{LONGLONG{7}}, page.Stored(L"SystemDamping"));
        EXPECT_EQ(CTagValue{0.0f}, page.Stored(L"ProcessConductivityDamping"));
        EXPECT_EQ(*c.shown ? 0u : 1u, Writes(page)) << "only the host refused a write";
    }
}

TEST_F(ConfigEditCtrlTest, FlushWritesTheStoredValueBackAfterARefusedText) {
    ProcessEditPage page;
    ASSERT_EQ(S_OK, page.integer.OnActivate());
    page.Prepare(page.integer, L"-", 0, 0);
    page.SetMember(L"SystemDamping", 9); // changed behind the box
    page.context->Faults().ClearCalls();
    EXPECT_EQ(S_OK, page.integer.Flush());
    EXPECT_EQ(1u, Writes(page));
    EXPECT_EQ(CTagValue{LONGLONG{9}}, page.Stored(L"SystemDamping"));
    EXPECT_TRUE(page.parent->ShownErrors().empty()) << "Flush shows nothing";
    EXPECT_TRUE(page.integer.IsDirty());
    EXPECT_EQ(CString(L"-"), TextOf(page.integer));

    page.context->Faults().Inject(L"SetValue", E_FAIL);
    EXPECT_EQ(E_FAIL, page.integer.Flush());
}

TEST_F(ConfigEditCtrlTest, LeavingTheBoxNormalisesItsText) {
    ProcessEditPage page;
    const struct {
        CPVCtrlConfigEditCtrl* box;
        const wchar_t* typed;
        const wchar_t* shown;
    } cases[] = {
        {&page.integer, L"007", L"7"}, {&page.integer, L"000", L"0"},  {&page.integer, L"-", L"-"},
        {&page.real, L"1.25", L"1.3"}, {&page.real, L"-.04", L"0.0"}, {&page.real, L"5", L"5.0"},
    };
    for (const auto& c : cases) {
        page.Prepare(*c.box, c.typed, 0, 0);
        ASSERT_TRUE(hand.Focus(page.Item(IDC_PROCESS_FILTER_MODE)));
        EXPECT_EQ(CString(c.shown), TextOf(*c.box)) << CString(c.typed).GetString();
    }
}

TEST_F(ConfigEditCtrlTest, AForcibleMemberMakesTheBoxReadOnlyInsteadOfDisabled) {
    for (const wchar_t* suffix : {L"C", L"O"}) {
        ProcessEditPage page;
        CTagModel& tag = page.context->Project().ConfigTag();
        CTagModel renamed(tag.Name(), suffix);
        for (const CTagMember& member : tag.Members())
            renamed.Add(member);
        tag = renamed;
        const bool forcible = std::wstring(suffix) == L"O";
        const HWND box = page.Item(IDC_PROCESS_DAMPING);
        for (LONG mode : {1L, 4L}) {
            page.context->Project().Controller().mode = mode;
            ASSERT_EQ(S_OK, page.integer.LogixStateChanged(mode));
            const bool editable = mode == 1;
            EXPECT_EQ(editable || forcible, IsWindowEnabled(box) != FALSE) << mode;
            EXPECT_EQ(forcible && !editable, (GetWindowLongW(box, GWL_STYLE) & ES_READONLY) != 0) << mode;
        }
        if (!forcible)
            continue;
        page.Prepare(page.integer, L"7", 1, 1);
        hand.Type(L"1");
        hand.Paste(L"2");
        EXPECT_EQ(CString(L"7"), TextOf(page.integer)) << "a read-only box takes nothing";
    }
}

// The low-flow page: the assignment combo box and the boxes that follow it (1 to 3).
struct LowFlowEditPage : PageOnHost {
    CPVCtrlConfigComboBox assign{IDC_LOWFLOW_ASSIGN};
    CPVCtrlConfigDependEditFloat onValue;
    CPVCtrlConfigChkCmbBtnDependEditBox offValue;

    explicit LowFlowEditPage(UINT followed = IDC_LOWFLOW_ASSIGN)
        : PageOnHost(IDD_LOWFLOW), onValue(IDC_LOWFLOW_ON_VALUE, followed, 1, 3),
          offValue(IDC_LOWFLOW_OFF_VALUE, followed, 1, 3) {
        Add(&assign);
        Add(&onValue);
        Add(&offValue);
        Create();
        Subclass(assign, IDC_LOWFLOW_ASSIGN);
        Subclass(onValue, IDC_LOWFLOW_ON_VALUE);
        Subclass(offValue, IDC_LOWFLOW_OFF_VALUE);
        IPVGetSetAdapter* adapter = page->GetIPVGetSetAdapter();
        CComPtr<IPVGetSetValue> value, strings, on, off;
        value.Attach(new CPVGetSetEnum(L"LowFlowCutOffAssignLowFlow", adapter));
        strings.Attach(new CPVGetEnumStrings(L"LowFlowCutOffAssignLowFlow", adapter));
        on.Attach(new CPVGetSetFloat2(L"LowFlowCutOffLowFlowCutOnVal", adapter));
        off.Attach(new CPVGetSetFloat(L"LowFlowCutOffLowFlowCutOffVal", adapter));
        EXPECT_EQ(S_OK, assign.Initialize(value, strings));
        onResult = onValue.Initialize(on, 23, 3, 5);
        offResult = offValue.Initialize(off, 6, 1, 1);
    }
    HRESULT onResult = E_FAIL;
    HRESULT offResult = E_FAIL;
};

TEST_F(ConfigEditCtrlTest, TheLowFlowValuesAreEnabledOnlyWhileAVariableIsAssigned) {
    LowFlowEditPage page;
    ASSERT_EQ(S_OK, page.page->OnActivate());
    EXPECT_EQ(CString(L"0.50000"), TextOf(page.onValue));
    EXPECT_EQ(CString(L"50.0"), TextOf(page.offValue));
    for (int pick : {0, 1, 2, 3, 0}) {
        page.Pick(IDC_LOWFLOW_ASSIGN, pick);
        const BOOL enabled = pick >= 1 && pick <= 3;
        EXPECT_EQ(enabled, IsWindowEnabled(page.Item(IDC_LOWFLOW_ON_VALUE))) << pick;
        EXPECT_EQ(enabled, IsWindowEnabled(page.Item(IDC_LOWFLOW_OFF_VALUE))) << pick;
    }
    EXPECT_FALSE(page.onValue.IsDirty()) << "following the combo box changes no value";
}

TEST_F(ConfigEditCtrlTest, AMissingFollowedComboBoxOrTenDecimalsInvalidateTheBinding) {
    LowFlowEditPage page(0);
    CPVCtrlConfigEditFloat tenDecimals(IDC_LOWFLOW_SHOCK_SUPPRESSION);
    page.Subclass(tenDecimals, IDC_LOWFLOW_SHOCK_SUPPRESSION);
    EXPECT_EQ(E_FAIL, tenDecimals.Initialize(page.Long(L"LowFlowCutOffPressureShockSuppr"), 7, 1, 10));
    EXPECT_EQ(E_FAIL, tenDecimals.OnActivate()) << "never loads";
    EXPECT_EQ(CString(L""), TextOf(tenDecimals));
    EXPECT_EQ(E_FAIL, page.onResult);
    EXPECT_EQ(S_OK, page.offResult);
    EXPECT_EQ(E_FAIL, page.offValue.Refresh());
    EXPECT_EQ(E_FAIL, page.offValue.OnChangedCtrlData(nullptr, IDC_LOWFLOW_ASSIGN));
}

TEST_F(ConfigEditCtrlTest, TheDensityLabelShowsItsUnitCodesTextAndAnInvalidBindingIsLogged) {
    PageOnHost page(IDD_COMPENSATION);
    CPVCtrlConfigStaticTextPages label(IDC_COMP_DENSITY_UNIT);
    CPVCtrlConfigStaticTextPages other(IDC_COMP_FIXED_DENSITY); // not the density label
    page.Add(&label);
    page.Add(&other);
    page.Create();
    page.Subclass(label, IDC_COMP_DENSITY_UNIT);
    page.Subclass(other, IDC_COMP_FIXED_DENSITY);
    CAopLogCapture log;
    EXPECT_EQ(E_FAIL, label.Initialize(page.Long(L"SystemUnitDensity"), VT_R4, 10));
    EXPECT_EQ(E_FAIL, label.Initialize(page.Long(L"SystemUnitDensity"), VT_BSTR));
    EXPECT_EQ(E_FAIL, label.Initialize(nullptr, VT_I4));
    EXPECT_EQ((std::vector<std::wstring>{
                  L"Invalid number of decimal places specified for RSLogix5000_Float data type.",
                  L"Fail to initialise.", L"Invalid RSLogix data type for control.", L"Fail to initialise.",
                  L"Invalid pointer to IPVGetSetValue", L"Invalid interface IPVGetSetValue not initialized.",
                  L"Fail to initialise."}),
              log.Messages());
    ASSERT_EQ(S_OK, label.Initialize(page.Long(L"SystemUnitDensity"), VT_R4, 0));
    ASSERT_EQ(S_OK, other.Initialize(page.Long(L"SystemUnitDensity"), VT_I4));
    const std::pair<LONG, const wchar_t*> shown[] = {
        {2277, L"SD15\u00B0C"}, {12040, L"g/cm3"}, {2179, L"lb/gal (imp;oil)"}, {1234, L" "}};
    for (const auto& [code, text] : shown) {
        page.SetMember(L"SystemUnitDensity", code);
        EXPECT_EQ(S_OK, label.Refresh());
        EXPECT_EQ(S_OK, other.Refresh());
        EXPECT_EQ(std::wstring(text), TextOf(page.Item(IDC_COMP_DENSITY_UNIT))) << code;
        EXPECT_EQ(L" ", TextOf(page.Item(IDC_COMP_FIXED_DENSITY))) << code;
    }
}

TEST_F(ConfigEditCtrlTest, ADecimalCommaLocaleTakesTheCommaAndRefusesThePoint) {
    CNumericLocale comma("de_DE.UTF-8");
    if (!comma.Active())
        GTEST_SKIP() << "no de_DE locale";
    ProcessEditPage page;
    ASSERT_EQ(S_OK, page.real.OnActivate());
    EXPECT_EQ(CString(L"0,0"), TextOf(page.real));
    page.Prepare(page.real, L"", 0, -1);
    hand.Type(L"\b12.5");
    EXPECT_EQ(CString(L"125"), TextOf(page.real));
    hand.Type(L"\b\b,25");
    EXPECT_EQ(CString(L"1,25"), TextOf(page.real));
    EXPECT_EQ(S_OK, page.real.Save());
    EXPECT_EQ(CTagValue{1.3f}, page.Stored(L"ProcessConductivityDamping"));
}

} // namespace
