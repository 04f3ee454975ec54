// The masks' final check of a box's text: the member type's conversion, and leading
// zeros stripped in place only when it succeeds.
#include <gtest/gtest.h>

#include "profile/convert/CnvErrors.h"
#include "profile/convert/EditFloatMask.h"
#include "profile/convert/EditIntegerMask.h"

namespace {

TEST(EditMaskValue, ValidateValueConvertsThenStripsLeadingZeros) {
    const struct {
        IEditMask* mask;
        const wchar_t* text;
        HRESULT code;
        const wchar_t* after;
        BOOL stripped;
    } cases[] = {
        {CEditIntegerMask::GetInstance(), L"007", S_OK, L"7", TRUE},
        {CEditIntegerMask::GetInstance(), L"000", S_OK, L"0", TRUE},
        {CEditIntegerMask::GetInstance(), L"70", S_OK, L"70", FALSE},
        {CEditIntegerMask::GetInstance(), L"-007", S_OK, L"-007", FALSE}, // only a leading '0' goes
        {CEditIntegerMask::GetInstance(), L"0042x", CNV_E_INVALIDINTEGER, L"0042x", FALSE},
        {CEditIntegerMask::GetInstance(), L"002147483648", CNV_E_ABOVEMAXIMUM, L"002147483648", FALSE},
        {CEditIntegerMask::GetInstance(), L"-2147483649", CNV_E_BELOWMINIMUM, L"-2147483649", FALSE},
        {CEditIntegerMask::GetInstance(), L"1.5", CNV_E_INVALIDINTEGER, L"1.5", FALSE},
        {CEditFloatMask::GetInstance(), L"00.50", S_OK, L".50", TRUE},
        {CEditFloatMask::GetInstance(), L"0", S_OK, L"0", FALSE},
        {CEditFloatMask::GetInstance(), L"", CNV_E_EMPTYTEXT, L"", FALSE},
        {CEditFloatMask::GetInstance(), L"1.5.", CNV_E_INVALIDFLOAT, L"1.5.", FALSE},
    };
    for (const auto& c : cases) {
        CString text(c.text);
        BOOL stripped = 2;
        EXPECT_EQ(c.code, c.mask->ValidateValue(text, &stripped, nullptr, 0)) << CString(c.text).GetString();
        EXPECT_EQ(CString(c.after), text) << CString(c.text).GetString();
        EXPECT_EQ(c.stripped, stripped) << CString(c.text).GetString();
    }
}

} // namespace
