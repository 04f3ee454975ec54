#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <string>

#include "profile/convert/CnvErrors.h"
#include "profile/convert/CnvTextToFloat2.h"
#include "tests/profile/convert/ConverterTest.h"
#include "tests/profile/convert/NumericLocale.h"

namespace {

constexpr float kSentinel = -12345.0f;

std::wstring W(const CString& text) {
    return text.GetString();
}

class CnvTextToFloat2 : public ConverterTest {};

TEST_F(CnvTextToFloat2, TextToDoubleTable) {
    const struct {
        const wchar_t* text;
        HRESULT hr;
        double value; // the sentinel on failure
        LONG promptId;
        const wchar_t* promptText;
    } rows[] = {
        {L" 1.5 ", S_OK, 1.5, 0, nullptr},
        {L"0.1", S_OK, 0.1, 0, nullptr}, // a double: not narrowed to float
        {L"-2", S_OK, -2.0, 0, nullptr},
        {L"340282346638528859811704183484516925440", S_OK, static_cast<double>(FLT_MAX), 0, nullptr},
        {L"", CNV_E_EMPTYTEXT, kSentinel, 2, L"Enter a value."},
        {L"1e5", CNV_E_INVALIDFLOAT, kSentinel, 4, L"'1e5' is not a number."},
        {L"1.5.", CNV_E_INVALIDFLOAT, kSentinel, 4, L"'1.5.' is not a number."},
        {L"+-1", CNV_E_INVALIDFLOAT, kSentinel, 4, L"'+-1' is not a number."},
        {L"340282350000000000000000000000000000000", CNV_E_ABOVEMAXIMUM, kSentinel, 5,
         L"'340282350000000000000000000000000000000' is above the maximum 3.402823e+38."},
        {L"-340282350000000000000000000000000000000", CNV_E_BELOWMINIMUM, kSentinel, 6,
         L"'-340282350000000000000000000000000000000' is below the minimum -3.402823e+38."},
    };
    const CCnvTextToFloat2* converter = CCnvTextToFloat2::GetInstance();
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)));
        CPromptInfo prompt = Untouched();
        double value = kSentinel;
        EXPECT_EQ(row.hr, converter->ConvertTextToValue(row.text, &value, &prompt));
        EXPECT_EQ(row.value, value);
        ExpectPrompt(prompt, row.promptId, row.promptText);
    }
}

TEST_F(CnvTextToFloat2, TextToRoundedFloatTable) {
    const struct {
        const wchar_t* text;
        int decimals;
        HRESULT hr;
        const wchar_t* rounded; // null on failure
        LONG promptId;
        const wchar_t* promptText;
    } rows[] = {
        {L"0.125", 2, S_OK, L"0.13", 0, nullptr},
        {L"-0.125", 2, S_OK, L"-0.13", 0, nullptr},
        {L"1.005", 2, S_OK, L"1.01", 0, nullptr}, // the digit 5 decides, whatever the double holds
        {L"2.5", 0, S_OK, L"3", 0, nullptr},
        {L"-0.5", 0, S_OK, L"-1", 0, nullptr},
        {L"1.234", 2, S_OK, L"1.23", 0, nullptr},
        {L"1.2", 3, S_OK, L"1.200", 0, nullptr},
        {L"7", 1, S_OK, L"7.0", 0, nullptr},
        {L" 1.5 ", 0, S_OK, L"2", 0, nullptr},
        {L"9.995", 2, S_OK, L"10.00", 0, nullptr},
        {L"", 2, CNV_E_EMPTYTEXT, nullptr, 2, L"Enter a value."},
        {L"1.2.3", 1, CNV_E_INVALIDFLOAT, nullptr, 4, L"'1.2.3' is not a number."},
        {L"1.5", -1, E_INVALIDARG, nullptr, 0, nullptr},
    };
    const CCnvTextToFloat2* converter = CCnvTextToFloat2::GetInstance();
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)) + " decimals " +
                     std::to_string(row.decimals));
        CPromptInfo prompt = Untouched();
        float value = kSentinel;
        CString rounded(L"old");
        EXPECT_EQ(row.hr, converter->ConvertTextToValue(row.text, row.decimals, &value, &rounded, &prompt));
        EXPECT_EQ(std::wstring(row.rounded ? row.rounded : L"old"), W(rounded));
        EXPECT_EQ(row.rounded ? static_cast<float>(std::wcstod(row.rounded, nullptr)) : kSentinel, value);
        ExpectPrompt(prompt, row.promptId, row.promptText);
    }
}

// The deciding digit is read from the text; half a unit is added to the value given.
TEST_F(CnvTextToFloat2, RoundToDecimalsTakesTheDigitFromTheText) {
    const struct {
        const wchar_t* text;
        double value;
        int decimals;
        HRESULT hr;
        const wchar_t* rounded;
    } rows[] = {
        {L"1.25", 1.25, 1, S_OK, L"1.3"},
        {L"1.26", 1.0, 1, S_OK, L"1.1"},  // 1.0 + 0.05
        {L"1.24", 1.26, 1, S_OK, L"1.3"}, // no half added; printing rounds 1.26 itself
        {L"-1.25", -1.25, 1, S_OK, L"-1.3"},
        {L"1", 1.6, 0, S_OK, L"2"}, // no point: the value as it is, printed
        {L"1.2", 1.2, 1, S_OK, L"1.2"},
        {L"x", 1.0, 1, E_FAIL, nullptr},
        {L"", 1.0, 1, E_FAIL, nullptr},
        {L"1.5.5", 1.5, 1, E_FAIL, nullptr},
        {L"1", 1e300, 0, E_FAIL, nullptr}, // beyond float
    };
    const CCnvTextToFloat2* converter = CCnvTextToFloat2::GetInstance();
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)));
        CPromptInfo prompt = Untouched();
        float value = kSentinel;
        CString rounded(L"old");
        EXPECT_EQ(row.hr,
                  converter->RoundToDecimals(row.text, row.value, row.decimals, &value, &rounded, &prompt));
        EXPECT_EQ(std::wstring(row.rounded ? row.rounded : L"old"), W(rounded));
        EXPECT_EQ(row.rounded ? static_cast<float>(std::wcstod(row.rounded, nullptr)) : kSentinel, value);
        ExpectPrompt(prompt, 0, nullptr);
    }
}

TEST_F(CnvTextToFloat2, ValueToTextTable) {
    const struct {
        float value;
        int decimals;
        HRESULT hr;
        const wchar_t* expected; // null: nothing changed
    } rows[] = {
        {0.125f, 2, S_OK, L"0.13"},
        {-0.125f, 2, S_OK, L"-0.13"},
        {2.5f, 0, S_OK, L"3"},
        {-2.5f, 0, S_OK, L"-3"},
        {1.0f, 3, S_OK, L"1.000"},
        {1234.56f, 1, S_OK, L"1234.6"},
        {FLT_MAX, 0, S_OK, L"340282346638528859811704183484516925440"},
        {std::numeric_limits<float>::quiet_NaN(), 2, E_FAIL, nullptr},
        {-std::numeric_limits<float>::infinity(), 2, E_FAIL, nullptr},
        {1.0f, -1, E_INVALIDARG, nullptr},
    };
    const CCnvTextToFloat2* converter = CCnvTextToFloat2::GetInstance();
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.value) + " decimals " + std::to_string(row.decimals));
        CPromptInfo prompt = Untouched();
        float rounded = kSentinel;
        CString text(L"old");
        EXPECT_EQ(row.hr, converter->ConvertValueToText(row.value, row.decimals, &rounded, &text, &prompt));
        EXPECT_EQ(std::wstring(row.expected ? row.expected : L"old"), W(text));
        EXPECT_EQ(row.expected ? static_cast<float>(std::wcstod(row.expected, nullptr)) : kSentinel, rounded);
        ExpectPrompt(prompt, 0, nullptr);
    }
}

TEST_F(CnvTextToFloat2, CommaLocaleStillTakesThePoint) {
    CNumericLocale german("de_DE.UTF-8");
    if (!german.Active())
        GTEST_SKIP() << "the de_DE.UTF-8 locale was not built";
    const CCnvTextToFloat2* converter = CCnvTextToFloat2::GetInstance();
    EXPECT_EQ(S_OK, converter->ValidateChar(L'.'));
    EXPECT_EQ(S_OK, converter->ValidateText(L"1.5"));
    // The locale's own point is not a character of this converter.
    double value = kSentinel;
    CPromptInfo prompt = Untouched();
    EXPECT_EQ(CNV_E_INVALIDFLOAT, converter->ConvertTextToValue(L"1,5", &value, &prompt));
    EXPECT_EQ(kSentinel, value);
    ExpectPrompt(prompt, 4, L"'1,5' is not a number.");
}

TEST_F(CnvTextToFloat2, NullOutValueIsRefused) {
    const CCnvTextToFloat2* converter = CCnvTextToFloat2::GetInstance();
    CString text;
    float value = 0;
    EXPECT_EQ(E_POINTER, converter->ConvertTextToValue(L"1", static_cast<double*>(nullptr), nullptr));
    EXPECT_EQ(E_POINTER, converter->ConvertTextToValue(L"1", 2, nullptr, &text, nullptr));
    EXPECT_EQ(E_POINTER, converter->ConvertValueToText(1.0f, 2, nullptr, &text, nullptr));
    EXPECT_EQ(E_POINTER, converter->ConvertValueToText(1.0f, 2, &value, nullptr, nullptr));
    EXPECT_EQ(E_POINTER, converter->RoundToDecimals(L"1", 1.0, 2, nullptr, &text, nullptr));
}

} // namespace
