#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "logger/AopLogCapture.h"
#include "profile/convert/CnvErrors.h"
#include "profile/convert/CnvTextToFloat.h"
#include "tests/profile/convert/ConverterTest.h"
#include "tests/profile/convert/NumericLocale.h"

namespace {

constexpr float kSentinel = -12345.0f;

std::wstring W(const CString& text) {
    return text.GetString();
}

class CnvTextToFloat : public ConverterTest {};

TEST_F(CnvTextToFloat, TextToValueTable) {
    const struct {
        const wchar_t* text;
        HRESULT hr;
        float value; // kSentinel on failure
        LONG promptId;
        const wchar_t* promptText;
    } rows[] = {
        {L" 1.5 ", S_OK, 1.5f, 0, nullptr},
        {L"-0.25", S_OK, -0.25f, 0, nullptr},
        {L"+3", S_OK, 3.0f, 0, nullptr},
        {L".5", S_OK, 0.5f, 0, nullptr},
        {L"5.", S_OK, 5.0f, 0, nullptr},
        {L"0.1", S_OK, 0.1f, 0, nullptr},
        {L"", CNV_E_EMPTYTEXT, kSentinel, 2, L"Enter a value."},
        {L" \t", CNV_E_EMPTYTEXT, kSentinel, 2, L"Enter a value."},
        {L"1e5", CNV_E_INVALIDFLOAT, kSentinel, 4, L"'1e5' is not a number."},
        {L"1.2.3", CNV_E_INVALIDFLOAT, kSentinel, 4, L"'1.2.3' is not a number."},
        {L"1-", CNV_E_INVALIDFLOAT, kSentinel, 4, L"'1-' is not a number."},
        {L"1 5", CNV_E_INVALIDFLOAT, kSentinel, 4, L"'1 5' is not a number."},
        {L"-.", CNV_E_INVALIDFLOAT, kSentinel, 4, L"'-.' is not a number."},
        {L"1,5", CNV_E_INVALIDFLOAT, kSentinel, 4, L"'1,5' is not a number."},
        {L"inf", CNV_E_INVALIDFLOAT, kSentinel, 4, L"'inf' is not a number."},
        // The limits of float, printed with %0.6e in the message.
        {L"340282346638528859811704183484516925440", S_OK, FLT_MAX, 0, nullptr},
        {L"-340282346638528859811704183484516925440", S_OK, -FLT_MAX, 0, nullptr},
        {L"340282350000000000000000000000000000000", CNV_E_ABOVEMAXIMUM, kSentinel, 5,
         L"'340282350000000000000000000000000000000' is above the maximum 3.402823e+38."},
        {L"1000000000000000000000000000000000000000", CNV_E_ABOVEMAXIMUM, kSentinel, 5,
         L"'1000000000000000000000000000000000000000' is above the maximum 3.402823e+38."},
        {L"-1000000000000000000000000000000000000000", CNV_E_BELOWMINIMUM, kSentinel, 6,
         L"'-1000000000000000000000000000000000000000' is below the minimum -3.402823e+38."},
    };
    const CCnvTextToFloat* converter = CCnvTextToFloat::GetInstance();
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)));
        CPromptInfo prompt = Untouched();
        float value = kSentinel;
        EXPECT_EQ(row.hr, converter->ConvertTextToValue(row.text, &value, &prompt));
        EXPECT_EQ(row.value, value);
        ExpectPrompt(prompt, row.promptId, row.promptText);
        value = kSentinel;
        EXPECT_EQ(row.hr, converter->ConvertTextToValue(row.text, &value, nullptr));
        EXPECT_EQ(row.value, value);
        ExpectNoPromptAsked();
    }
}

struct RoundedRow {
    const wchar_t* text;
    int decimals;
    HRESULT hr;
    const wchar_t* rounded; // null on failure
    LONG promptId;
    const wchar_t* promptText;
};

const RoundedRow kRoundedRows[] = {
    {L"1.005", 2, S_OK, L"1.01", 0, nullptr},
    {L"1.2", 3, S_OK, L"1.200", 0, nullptr},
    {L"-0.5", 0, S_OK, L"-1", 0, nullptr},
    {L"0.5", 0, S_OK, L"1", 0, nullptr},
    {L"0.49", 0, S_OK, L"0", 0, nullptr},
    {L"0.125", 2, S_OK, L"0.13", 0, nullptr},
    {L"-0.125", 2, S_OK, L"-0.13", 0, nullptr},
    {L"0.124999", 2, S_OK, L"0.12", 0, nullptr}, // only the first digit beyond decides
    {L"12.344", 2, S_OK, L"12.34", 0, nullptr},
    {L"9.995", 2, S_OK, L"10.00", 0, nullptr},
    {L"-9.995", 2, S_OK, L"-10.00", 0, nullptr},
    {L"0.05", 2, S_OK, L"0.05", 0, nullptr},
    {L"0.001", 2, S_OK, L"0.00", 0, nullptr},
    {L"-0.001", 2, S_OK, L"0.00", 0, nullptr}, // zero has no sign
    {L" 7 ", 2, S_OK, L"7.00", 0, nullptr},
    {L"+7.", 1, S_OK, L"7.0", 0, nullptr},
    {L".5", 1, S_OK, L"0.5", 0, nullptr},
    {L"1234.5", 0, S_OK, L"1235", 0, nullptr},
    {L"0.1234567895", 9, S_OK, L"0.123456790", 0, nullptr},
    {L"-2.5", 9, S_OK, L"-2.500000000", 0, nullptr},
    // Decimals beyond 9: prompt 7 with the number (and a log line).
    {L"1.5", 10, E_FAIL, nullptr, 7, L"10 decimal places are not allowed."},
    {L"1.5", -1, E_FAIL, nullptr, 7, L"-1 decimal places are not allowed."},
    // The parse's own failures, with their prompts.
    {L"", 2, CNV_E_EMPTYTEXT, nullptr, 2, L"Enter a value."},
    {L"1e5", 2, CNV_E_INVALIDFLOAT, nullptr, 4, L"'1e5' is not a number."},
    {L"1.2.3", 1, CNV_E_INVALIDFLOAT, nullptr, 4, L"'1.2.3' is not a number."},
    {L"1000000000000000000000000000000000000000", 0, CNV_E_ABOVEMAXIMUM, nullptr, 5,
     L"'1000000000000000000000000000000000000000' is above the maximum 3.402823e+38."},
    // Scaled beyond 64 bits: E_FAIL without a prompt.
    {L"10000000000000000000", 0, E_FAIL, nullptr, 0, nullptr},
    {L"100000000000", 9, E_FAIL, nullptr, 0, nullptr},
    {L"-100000000000", 9, E_FAIL, nullptr, 0, nullptr},
    {L"9223372036.8547758079", 9, E_FAIL, nullptr, 0, nullptr}, // passes the double check, overflows the sum
    {L"9223372036.854775807", 9, S_OK, L"9223372036.854775807", 0, nullptr},
};

TEST_F(CnvTextToFloat, ConvertTextToValueRoundedTable) {
    const CCnvTextToFloat* converter = CCnvTextToFloat::GetInstance();
    for (const RoundedRow& row : kRoundedRows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)) + " decimals " +
                     std::to_string(row.decimals));
        CPromptInfo prompt = Untouched();
        float value = kSentinel;
        CString rounded(L"old");
        EXPECT_EQ(row.hr,
                  converter->ConvertTextToValueRounded(row.text, row.decimals, &value, &rounded, &prompt));
        if (row.rounded) {
            EXPECT_EQ(std::wstring(row.rounded), W(rounded));
            EXPECT_EQ(static_cast<float>(std::wcstod(row.rounded, nullptr)), value);
        } else {
            EXPECT_EQ(L"old", W(rounded));
            EXPECT_EQ(kSentinel, value);
        }
        ExpectPrompt(prompt, row.promptId, row.promptText);
    }
}

TEST_F(CnvTextToFloat, InvalidDecimalsAreLogged) {
    CAopLogCapture capture;
    float value = kSentinel;
    EXPECT_EQ(E_FAIL,
              CCnvTextToFloat::GetInstance()->ConvertTextToValueRounded(L"1", 10, &value, nullptr, nullptr));
    EXPECT_EQ(kSentinel, value);
    ASSERT_EQ(1u, capture.Records().size());
    EXPECT_EQ(0, capture.Records()[0].level);
    EXPECT_EQ(L"Invalid number of decimal places.", capture.Records()[0].message);
    EXPECT_EQ(L"CnvTextToFloat", capture.Records()[0].source);
    EXPECT_EQ(L"CCnvTextToFloat::ConvertTextToValueRounded", capture.Records()[0].function);
    ExpectNoPromptAsked();
}

TEST_F(CnvTextToFloat, ValueToTextTable) {
    const struct {
        float value;
        int decimals;
        HRESULT hr;
        const wchar_t* expected; // null: the text stays as it was
    } rows[] = {
        {0.125f, 2, S_OK, L"0.13"},
        {-0.125f, 2, S_OK, L"-0.13"},
        {2.5f, 0, S_OK, L"3"},
        {-2.5f, 0, S_OK, L"-3"},
        {1.005f, 2, S_OK, L"1.01"}, // printed with one more digit first: 1.005
        {0.0f, 2, S_OK, L"0.00"},
        {-0.0f, 1, S_OK, L"0.0"},
        {1234.5f, 1, S_OK, L"1234.5"},
        {100.0f, 0, S_OK, L"100"},
        {0.1f, 9, S_OK, L"0.100000002"}, // printed first as 0.1000000015
        {1e-30f, 3, S_OK, L"0.000"},
        {16777216.0f, 3, S_OK, L"16777216.000"},
        {1e20f, 0, E_FAIL, nullptr},
        {FLT_MAX, 2, E_FAIL, nullptr},
        {std::numeric_limits<float>::quiet_NaN(), 2, CNV_E_INVALIDFLOAT, nullptr},
        {std::numeric_limits<float>::infinity(), 2, CNV_E_INVALIDFLOAT, nullptr},
        {1.0f, -1, E_INVALIDARG, nullptr},
        {1.0f, 19, E_INVALIDARG, nullptr},
    };
    const CCnvTextToFloat* converter = CCnvTextToFloat::GetInstance();
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.value) + " decimals " + std::to_string(row.decimals));
        CString text(L"old");
        EXPECT_EQ(row.hr, converter->ConvertValueToText(row.value, row.decimals, &text));
        EXPECT_EQ(std::wstring(row.expected ? row.expected : L"old"), W(text));
    }
    ExpectNoPromptAsked();
}

TEST_F(CnvTextToFloat, CommaLocale) {
    CNumericLocale german("de_DE.UTF-8");
    if (!german.Active())
        GTEST_SKIP() << "the de_DE.UTF-8 locale was not built";
    const CCnvTextToFloat* converter = CCnvTextToFloat::GetInstance();

    float value = kSentinel;
    CPromptInfo prompt = Untouched();
    EXPECT_EQ(S_OK, converter->ConvertTextToValue(L"1,5", &value, &prompt));
    EXPECT_EQ(1.5f, value);
    ExpectPrompt(prompt, 0, nullptr);

    value = kSentinel;
    EXPECT_EQ(CNV_E_INVALIDFLOAT, converter->ConvertTextToValue(L"1.5", &value, &prompt));
    EXPECT_EQ(kSentinel, value);
    ExpectPrompt(prompt, 4, L"'1.5' is not a number.");

    prompt = Untouched();
    EXPECT_EQ(CNV_E_ABOVEMAXIMUM,
              converter->ConvertTextToValue(L"1000000000000000000000000000000000000000", &value, &prompt));
    ExpectPrompt(prompt, 5, L"'1000000000000000000000000000000000000000' is above the maximum 3,402823e+38.");

    const struct {
        const wchar_t* text;
        int decimals;
        const wchar_t* rounded;
        float value;
    } rows[] = {{L"1,005", 2, L"1,01", 1.01f},
                {L"-0,5", 0, L"-1", -1.0f},
                {L"1,2", 3, L"1,200", 1.2f},
                {L"7", 1, L"7,0", 7.0f}};
    for (const auto& row : rows) {
        CString rounded;
        EXPECT_EQ(S_OK,
                  converter->ConvertTextToValueRounded(row.text, row.decimals, &value, &rounded, nullptr));
        EXPECT_EQ(std::wstring(row.rounded), W(rounded));
        EXPECT_EQ(row.value, value);
    }
    CString text;
    EXPECT_EQ(S_OK, converter->ConvertValueToText(0.125f, 2, &text));
    EXPECT_EQ(L"0,13", W(text));
}

TEST_F(CnvTextToFloat, NullOutValueIsRefused) {
    const CCnvTextToFloat* converter = CCnvTextToFloat::GetInstance();
    EXPECT_EQ(E_POINTER, converter->ConvertTextToValue(L"1", nullptr, nullptr));
    EXPECT_EQ(E_POINTER, converter->ConvertTextToValueRounded(L"1", 2, nullptr, nullptr, nullptr));
    EXPECT_EQ(E_POINTER, converter->ConvertValueToText(1.0f, 2, nullptr));
    float value = kSentinel;
    EXPECT_EQ(S_OK, converter->ConvertTextToValueRounded(L"1.25", 1, &value, nullptr, nullptr))
        << "the rounded text is optional";
    EXPECT_EQ(1.3f, value);
}

} // namespace
