// The measurement pages of the shipped module in the host's properties dialog: each
// row's member read and shown with its row's numbers, the value boxes following their
// combo box, a value the member's range refuses shown by the member's box with the
// member's name and the page kept, and a decimal-comma run.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "host/HostResults.h"
#include "platform/user/Controls.h"
#include "profile/convert/CnvErrors.h"
#include "tests/profile/convert/NumericLocale.h"
#include "tests/profile/pages/PagesTestSupport.h"

namespace {

using PVPageCatalogue::kCOMP;
using PVPageCatalogue::kLOWFLOW;
using PVPageCatalogue::kPARTIALLY;
using PVPageCatalogue::kPROCESS;
using Reads = std::vector<std::pair<std::wstring, std::wstring>>;

std::wstring TextOf(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

// The display text of an enumeration member's current value: a unit's text.
std::wstring UnitText(CProfileHost& host, const wchar_t* member) {
    const CTagMember* unit = host.Member(member);
    return unit->Enumeration().at(static_cast<size_t>(unit->EnumIndexOf(static_cast<LONG>(host.Value(member)))))
        .text;
}

// The member a row reads when its page is shown: a flow unit label reads the unit of
// the variable its combo box selects (slots 1 to 3), or none.
const wchar_t* ReadMember(HWND page, const CPVControlRow& row) {
    if (row.control != PVControl::CmbDependStatic)
        return row.member;
    const LRESULT selection = SendMessageW(GetDlgItem(page, static_cast<int>(row.follows[0])), CB_GETCURSEL, 0, 0);
    const wchar_t* slots[] = {row.member, row.moreMembers[0], row.moreMembers[1]};
    return selection >= 1 && selection <= 3 ? slots[selection - 1] : nullptr;
}

class MeasurementPageTest : public ::testing::TestWithParam<const CPVPageTable*> {
protected:
    void SetUp() override { ASSERT_EQ("", module.error); }
    CProfileModule module;
};

TEST_P(MeasurementPageTest, ReadsEveryRowInListOrderAndShowsItWithItsRowsNumbers) {
    const CPVPageTable& page = *GetParam();
    CProfileHost host;
    ASSERT_EQ(S_OK, host.Open({&page}));
    const HWND window = host.dialog->PageWindow(0);
    Reads expected;
    for (const CPVControlRow& row : page.rows)
        if (const wchar_t* member = ReadMember(window, row))
            expected.emplace_back(row.value == PVValue::Enumeration ? L"GetEnumIndex" : L"GetValue", member);
    Reads read;
    for (const CHostCall& call : host.context->Faults().Calls())
        if (call.operation == L"GetEnumIndex" || call.operation == L"GetValue")
            read.emplace_back(call.operation, call.member);
    EXPECT_EQ(expected, read) << "the controls load as they hear OnActivate, in list order";

    for (const CPVControlRow& row : page.rows) {
        const HWND item = host.Item(0, static_cast<int>(row.item));
        SCOPED_TRACE(row.item);
        if (row.textLimit > 0) {
            EXPECT_EQ(row.textLimit, SendMessageW(item, EM_GETLIMITTEXT, 0, 0));
            wchar_t shown[64];
            const CTagValue& value = host.Member(row.member)->Value();
            if (row.value == PVValue::Long)
                std::swprintf(shown, 64, L"%lld", std::get<LONGLONG>(value));
            else
                std::swprintf(shown, 64, L"%.*f", static_cast<int>(row.decimals), std::get<float>(value));
            EXPECT_EQ(shown, TextOf(item));
        } else if (row.value == PVValue::Long) {
            EXPECT_EQ(UnitText(host, ReadMember(window, row)), TextOf(item));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, MeasurementPageTest, ::testing::Values(&kCOMP, &kLOWFLOW, &kPARTIALLY, &kPROCESS),
                         [](const auto& info) { return PageShortName(*info.param); });

class MeasurementPagesTest : public MeasurementPageTest {};

TEST_F(MeasurementPagesTest, ValueBoxesFollowTheirComboBoxAndTheUnitLabelItsVariable) {
    const struct {
        const CPVPageTable* page;
        int pick;
        bool enabled;
        const wchar_t* unit; // the member whose unit the low-flow label shows; null: blank
    } cases[] = {
        {&kLOWFLOW, 0, false, nullptr},
        {&kLOWFLOW, 1, true, L"SystemUnitMassFlow"},
        {&kLOWFLOW, 2, true, L"SystemUnitVolumeFlow"},
        {&kLOWFLOW, 3, true, L"SystemUnitCorrVolumeFlow"},
        {&kCOMP, 1, false},
        {&kCOMP, 0, true},
        {&kPARTIALLY, 3, false},
        {&kPARTIALLY, 2, true},
        {&kPARTIALLY, 0, false},
        {&kPARTIALLY, 1, true},
    };
    CProfileHost host;
    ASSERT_EQ(S_OK, host.Open({&kCOMP, &kLOWFLOW, &kPARTIALLY}));
    for (const auto& c : cases) {
        const size_t index = c.page == &kCOMP ? 0 : c.page == &kLOWFLOW ? 1 : 2;
        SCOPED_TRACE(PageShortName(*c.page) + " pick " + std::to_string(c.pick));
        ASSERT_EQ(S_OK, host.dialog->SelectPage(static_cast<int>(index)));
        const UINT combo = c.page->rows[0].item;
        ASSERT_TRUE(CUserHand::Instance().PickComboItem(host.Item(index, static_cast<int>(combo)), c.pick,
                                                        CUserHand::Pick::Mouse));
        size_t followers = 0;
        for (const CPVControlRow& row : c.page->rows) {
            if (row.follows[0] != combo)
                continue;
            ++followers;
            const HWND item = host.Item(index, static_cast<int>(row.item));
            if (row.control == PVControl::CmbDependStatic)
                EXPECT_EQ(c.unit ? UnitText(host, c.unit) : L" ", TextOf(item));
            else
                EXPECT_EQ(c.enabled, IsWindowEnabled(item) != FALSE) << row.member;
        }
        EXPECT_EQ(c.page == &kLOWFLOW ? 4u : c.page == &kCOMP ? 1u : 2u, followers);
    }
}

TEST_F(MeasurementPagesTest, ARefusedValueIsShownByItsBoxWithTheMemberAndKeepsThePage) {
    const struct {
        const CPVPageTable* page;
        const wchar_t* member;
        const wchar_t* typed;
        HRESULT code;
        const wchar_t* shown;
    } cases[] = {
        {&kCOMP, L"ExternalCompensationFixedDensity", L"120000", HOST_E_OUTOFRANGE,
         L"Local:1:C.ExternalCompensationFixedDensity: 120000 is outside the range 0 to 99999."},
        {&kLOWFLOW, L"LowFlowCutOffPressureShockSuppr", L"100.01", HOST_E_OUTOFRANGE,
         L"Local:1:C.LowFlowCutOffPressureShockSuppr: 100.010002 is outside the range 0 to 100."},
        {&kPARTIALLY, L"EmptyFilledPipeMaxium", L"100", HOST_E_OUTOFRANGE,
         L"Local:1:C.EmptyFilledPipeMaxium: 100 is outside the range 0 to 99.9000015."},
        {&kPROCESS, L"SystemDamping", L"16", HOST_E_OUTOFRANGE,
         L"Local:1:C.SystemDamping: 16 is outside the range 0 to 15."},
        // The page's own refusal: its prompt, and nothing of the host's besides.
        {&kPROCESS, L"SystemDamping", L"+", CNV_E_INVALIDINTEGER, L"SystemDamping:  '+' is not a whole number."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        CProfileHost host;
        ASSERT_EQ(S_OK, host.Open({c.page, &kPROCESS == c.page ? &kCOMP : &kPROCESS}));
        const HWND box = host.Control(0, c.member);
        const CTagValue stored = host.Member(c.member)->Value();
        CUserHand& hand = CUserHand::Instance();
        ASSERT_TRUE(hand.Click(box));
        hand.PressKey('A', CUserHand::kCtrl);
        hand.Type(c.typed);
        const auto& shown = host.dialog->Parent()->ShownErrors();
        for (const bool leave : {true, false}) {
            EXPECT_EQ(c.code, leave ? host.dialog->SelectPage(1) : host.dialog->Apply());
            EXPECT_EQ(0, host.dialog->CurrentPage());
            ASSERT_EQ(leave ? 1u : 2u, shown.size());
            EXPECT_EQ(c.shown, shown.back().text);
            EXPECT_EQ(box, GetFocus()) << "the box takes the focus";
            EXPECT_EQ(c.typed, TextOf(box));
            EXPECT_EQ(stored, host.Member(c.member)->Value());
        }
    }
}

TEST_F(MeasurementPagesTest, ADecimalCommaLocaleShowsAndTakesCommas) {
    CNumericLocale comma("de_DE.UTF-8");
    if (!comma.Active())
        GTEST_SKIP() << "no de_DE locale";
    CProfileHost host;
    ASSERT_EQ(S_OK, host.Open({&kLOWFLOW}));
    // The boxes of the first converter; the second prints and reads only a point.
    EXPECT_EQ(L"50,0", TextOf(host.Control(0, L"LowFlowCutOffLowFlowCutOffVal")));
    EXPECT_EQ(L"0,00", TextOf(host.Control(0, L"LowFlowCutOffPressureShockSuppr")));
    const HWND shock = host.Control(0, L"LowFlowCutOffPressureShockSuppr");
    CUserHand& hand = CUserHand::Instance();
    ASSERT_TRUE(hand.Click(shock));
    hand.PressKey('A', CUserHand::kCtrl);
    hand.Type(L"12.5");
    EXPECT_EQ(L"125", TextOf(shock)) << "the point is no decimal sign here";
    hand.PressKey('A', CUserHand::kCtrl);
    hand.Type(L"12,375");
    ASSERT_EQ(S_OK, host.dialog->Apply());
    EXPECT_EQ(CTagValue{12.38f}, host.Member(L"LowFlowCutOffPressureShockSuppr")->StoredValue());
}

} // namespace
