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

std::wstring TextOf(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

// Replaces the box's text as a user does.
void Retype(HWND box, const wchar_t* text) {
    ASSERT_TRUE(CUserHand::Instance().Click(box));
    CUserHand::Instance().PressKey('A', CUserHand::kCtrl);
    CUserHand::Instance().Type(text);
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
    // A flow unit label reads the unit of the variable its combo box selects: volume flow.
    std::vector<std::pair<std::wstring, std::wstring>> expected, read;
    for (const CPVControlRow& row : page.rows)
        expected.emplace_back(row.value == PVValue::Enumeration ? L"GetEnumIndex" : L"GetValue",
                              row.control == PVControl::CmbDependStatic ? row.moreMembers[0] : row.member);
    for (const CHostCall& call : host.context->Faults().Calls())
        if (call.operation == L"GetEnumIndex" || call.operation == L"GetValue")
            read.emplace_back(call.operation, call.member);
    EXPECT_EQ(expected, read) << "the controls load as they hear OnActivate, in list order";
    for (const CPVControlRow& row : page.rows) {
        if (row.textLimit == 0)
            continue;
        const HWND box = host.Item(0, static_cast<int>(row.item));
        EXPECT_EQ(row.textLimit, SendMessageW(box, EM_GETLIMITTEXT, 0, 0)) << row.member;
        wchar_t shown[64];
        if (row.value == PVValue::Long)
            std::swprintf(shown, 64, L"%lld", host.Value(row.member));
        else
            std::swprintf(shown, 64, L"%.*f", static_cast<int>(row.decimals),
                          std::get<float>(host.Member(row.member)->Value()));
        EXPECT_EQ(shown, TextOf(box)) << row.member;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, MeasurementPageTest, ::testing::Values(&kCOMP, &kLOWFLOW, &kPARTIALLY, &kPROCESS),
                         [](const auto& info) { return PageShortName(*info.param); });

using MeasurementPagesTest = MeasurementPageTest;

TEST_F(MeasurementPagesTest, ValueBoxesFollowTheirComboBoxAndTheUnitLabelItsVariable) {
    const struct {
        size_t page; // in the dialog: COMP, LOWFLOW, PARTIALLY
        int pick;
        bool enabled;
        const wchar_t* unit; // the low-flow label shows this member's unit; null: a blank
    } cases[] = {
        {1, 0, false, nullptr}, {1, 1, true, L"SystemUnitMassFlow"}, {1, 2, true, L"SystemUnitVolumeFlow"},
        {1, 3, true, L"SystemUnitCorrVolumeFlow"},
        {0, 1, false, nullptr}, {0, 0, true, nullptr},
        {2, 3, false, nullptr}, {2, 2, true, nullptr},
        {2, 0, false, nullptr}, {2, 1, true, nullptr},
    };
    const std::vector<const CPVPageTable*> pages = {&kCOMP, &kLOWFLOW, &kPARTIALLY};
    CProfileHost host;
    ASSERT_EQ(S_OK, host.Open(pages));
    for (const auto& c : cases) {
        SCOPED_TRACE(PageShortName(*pages[c.page]) + " pick " + std::to_string(c.pick));
        ASSERT_EQ(S_OK, host.dialog->SelectPage(static_cast<int>(c.page)));
        const UINT combo = pages[c.page]->rows[0].item;
        ASSERT_TRUE(CUserHand::Instance().PickComboItem(host.Item(c.page, static_cast<int>(combo)), c.pick,
                                                        CUserHand::Pick::Mouse));
        for (const CPVControlRow& row : pages[c.page]->rows) {
            const HWND item = host.Item(c.page, static_cast<int>(row.item));
            const CTagMember* unit = c.unit ? host.Member(c.unit) : nullptr;
            if (row.control == PVControl::CmbDependStatic) {
                EXPECT_EQ(unit ? unit->Enumeration()
                                     .at(static_cast<size_t>(unit->EnumIndexOf(static_cast<LONG>(host.Value(c.unit)))))
                                     .text
                               : L" ",
                          TextOf(item));
            } else if (row.follows[0] == combo) {
                EXPECT_EQ(c.enabled, IsWindowEnabled(item) != FALSE) << row.member;
            }
        }
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
        ASSERT_EQ(S_OK, host.Open({c.page, c.page == &kPROCESS ? &kCOMP : &kPROCESS}));
        const HWND box = host.Control(0, c.member);
        const CTagValue stored = host.Member(c.member)->Value();
        Retype(box, c.typed);
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
    const HWND shock = host.Control(0, L"LowFlowCutOffPressureShockSuppr");
    Retype(shock, L"12.5");
    EXPECT_EQ(L"125", TextOf(shock)) << "the point is no decimal sign here";
    Retype(shock, L"12,375");
    ASSERT_EQ(S_OK, host.dialog->Apply());
    EXPECT_EQ(CTagValue{12.38f}, host.Member(L"LowFlowCutOffPressureShockSuppr")->StoredValue());
}

} // namespace
