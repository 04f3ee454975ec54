#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "logger/AopLogCapture.h"
#include "platform/base/FaultInjector.h"
#include "profile/convert/CnvErrors.h"
#include "profile/convert/CnvTextToInteger.h"
#include "tests/profile/convert/ConverterTest.h"

namespace {

enum class Kind { Int64, Long, ULong, UInt64 };

// Runs one conversion into the type of `kind`, starting from a sentinel value; the
// result is given back as 64 bits (unsigned 64 bits as their bit pattern).
HRESULT Convert(Kind kind, const wchar_t* text, ULONGLONG* bits, CPromptInfo* prompt) {
    const CCnvTextToInteger* converter = CCnvTextToInteger::GetInstance();
    HRESULT hr = E_UNEXPECTED;
    switch (kind) {
    case Kind::Int64: {
        LONGLONG value = 0x5EED;
        hr = converter->ConvertTextToValue(text, &value, prompt);
        *bits = static_cast<ULONGLONG>(value);
        break;
    }
    case Kind::Long: {
        LONG value = 0x5EED;
        hr = converter->ConvertTextToValue(text, &value, prompt);
        *bits = static_cast<ULONGLONG>(static_cast<LONGLONG>(value));
        break;
    }
    case Kind::ULong: {
        ULONG value = 0x5EED;
        hr = converter->ConvertTextToValue(text, &value, prompt);
        *bits = value;
        break;
    }
    case Kind::UInt64: {
        ULONGLONG value = 0x5EED;
        hr = converter->ConvertTextToValue(text, &value, prompt);
        *bits = value;
        break;
    }
    }
    return hr;
}

constexpr ULONGLONG Signed(LONGLONG value) {
    return static_cast<ULONGLONG>(value);
}
constexpr ULONGLONG kUntouchedValue = 0x5EED;

struct IntegerRow {
    const wchar_t* text;
    Kind kind;
    HRESULT hr;
    ULONGLONG value; // kUntouchedValue on failure
    LONG promptId;   // 0: none
    const wchar_t* promptText;
};

const IntegerRow kIntegerRows[] = {
    // Blanks around the number are trimmed, blanks inside are not.
    {L" 42 ", Kind::Long, S_OK, 42, 0, nullptr},
    {L"\t42\r\n", Kind::Int64, S_OK, 42, 0, nullptr},
    {L"4 2", Kind::Long, CNV_E_INVALIDINTEGER, kUntouchedValue, 3, L"'4 2' is not an integer."},
    // Signs: only in front.
    {L"+7", Kind::Long, S_OK, 7, 0, nullptr},
    {L"-7", Kind::Long, S_OK, Signed(-7), 0, nullptr},
    {L"7-", Kind::Long, CNV_E_INVALIDINTEGER, kUntouchedValue, 3, L"'7-' is not an integer."},
    {L"+-7", Kind::Long, CNV_E_INVALIDINTEGER, kUntouchedValue, 3, L"'+-7' is not an integer."},
    {L"1-2", Kind::Int64, CNV_E_INVALIDINTEGER, kUntouchedValue, 3, L"'1-2' is not an integer."},
    // No digit, nothing at all.
    {L"", Kind::Long, CNV_E_EMPTYTEXT, kUntouchedValue, 2, L"Enter a value."},
    {L"   ", Kind::ULong, CNV_E_EMPTYTEXT, kUntouchedValue, 2, L"Enter a value."},
    {L"-", Kind::Long, CNV_E_INVALIDINTEGER, kUntouchedValue, 3, L"'-' is not an integer."},
    // Letters, exponents, decimal points.
    {L"12a", Kind::Long, CNV_E_INVALIDINTEGER, kUntouchedValue, 3, L"'12a' is not an integer."},
    {L"1e5", Kind::Int64, CNV_E_INVALIDINTEGER, kUntouchedValue, 3, L"'1e5' is not an integer."},
    {L"1.5", Kind::Long, CNV_E_INVALIDINTEGER, kUntouchedValue, 3, L"'1.5' is not an integer."},
    {L"1..5", Kind::UInt64, CNV_E_INVALIDINTEGER, kUntouchedValue, 3, L"'1..5' is not an integer."},
    {L"0x10", Kind::Long, CNV_E_INVALIDINTEGER, kUntouchedValue, 3, L"'0x10' is not an integer."},
    {L"007", Kind::Long, S_OK, 7, 0, nullptr},
    // The limits of long; the insert is the caller's text, untrimmed.
    {L"2147483647", Kind::Long, S_OK, 2147483647, 0, nullptr},
    {L"-2147483648", Kind::Long, S_OK, Signed(-2147483648LL), 0, nullptr},
    {L"2147483648", Kind::Long, CNV_E_ABOVEMAXIMUM, kUntouchedValue, 5,
     L"'2147483648' is above the maximum 2147483647."},
    {L" 2147483648", Kind::Long, CNV_E_ABOVEMAXIMUM, kUntouchedValue, 5,
     L"' 2147483648' is above the maximum 2147483647."},
    {L"-2147483649", Kind::Long, CNV_E_BELOWMINIMUM, kUntouchedValue, 6,
     L"'-2147483649' is below the minimum -2147483648."},
    // The limits of unsigned long.
    {L"4294967295", Kind::ULong, S_OK, 4294967295ULL, 0, nullptr},
    {L"0", Kind::ULong, S_OK, 0, 0, nullptr},
    {L"4294967296", Kind::ULong, CNV_E_ABOVEMAXIMUM, kUntouchedValue, 5,
     L"'4294967296' is above the maximum 4294967295."},
    {L"-1", Kind::ULong, CNV_E_BELOWMINIMUM, kUntouchedValue, 6, L"'-1' is below the minimum 0."},
    // 64 bits: beyond the type is E_FAIL without a prompt (and a log line).
    {L"9223372036854775807", Kind::Int64, S_OK, 9223372036854775807ULL, 0, nullptr},
    {L"-9223372036854775808", Kind::Int64, S_OK, 0x8000000000000000ULL, 0, nullptr},
    {L"9223372036854775808", Kind::Int64, E_FAIL, kUntouchedValue, 0, nullptr},
    {L"-9223372036854775809", Kind::Long, E_FAIL, kUntouchedValue, 0, nullptr},
    {L"99999999999999999999", Kind::ULong, E_FAIL, kUntouchedValue, 0, nullptr},
    // Unsigned 64 bits: -0 is zero, other negatives fail without a prompt, and values
    // beyond the type saturate.
    {L"-0", Kind::UInt64, S_OK, 0, 0, nullptr},
    {L"-5", Kind::UInt64, E_FAIL, kUntouchedValue, 0, nullptr},
    {L" -5", Kind::UInt64, E_FAIL, kUntouchedValue, 0, nullptr},
    {L"18446744073709551615", Kind::UInt64, S_OK, 18446744073709551615ULL, 0, nullptr},
    {L"18446744073709551616", Kind::UInt64, S_OK, 18446744073709551615ULL, 0, nullptr},
    {L"+18", Kind::UInt64, S_OK, 18, 0, nullptr},
    {L"1 8", Kind::UInt64, CNV_E_INVALIDINTEGER, kUntouchedValue, 3, L"'1 8' is not an integer."},
    {L"", Kind::UInt64, CNV_E_EMPTYTEXT, kUntouchedValue, 2, L"Enter a value."},
};

class CnvTextToInteger : public ConverterTest {};

TEST_F(CnvTextToInteger, TextToValueTable) {
    for (const IntegerRow& row : kIntegerRows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)) + " as kind " +
                     std::to_string(static_cast<int>(row.kind)));
        CPromptInfo prompt = Untouched();
        ULONGLONG bits = 0;
        EXPECT_EQ(row.hr, Convert(row.kind, row.text, &bits, &prompt));
        EXPECT_EQ(row.value, bits);
        ExpectPrompt(prompt, row.promptId, row.promptText);

        // Without a prompt record: the same code and value, and no prompt asked for.
        EXPECT_EQ(row.hr, Convert(row.kind, row.text, &bits, nullptr));
        EXPECT_EQ(row.value, bits);
        ExpectNoPromptAsked();
    }
}

TEST_F(CnvTextToInteger, NullOutValueIsRefused) {
    const CCnvTextToInteger* converter = CCnvTextToInteger::GetInstance();
    EXPECT_EQ(E_POINTER, converter->ConvertTextToValue(L"1", static_cast<LONG*>(nullptr), nullptr));
    EXPECT_EQ(E_POINTER, converter->ConvertTextToValue(L"1", static_cast<ULONG*>(nullptr), nullptr));
    EXPECT_EQ(E_POINTER, converter->ConvertTextToValue(L"1", static_cast<LONGLONG*>(nullptr), nullptr));
    EXPECT_EQ(E_POINTER, converter->ConvertTextToValue(L"1", static_cast<ULONGLONG*>(nullptr), nullptr));
    EXPECT_EQ(E_POINTER, converter->ConvertValueToText(LONG{1}, nullptr));
}

TEST_F(CnvTextToInteger, OverflowIsLoggedWithTheText) {
    CAopLogCapture capture;
    LONGLONG value = 5;
    EXPECT_EQ(E_FAIL,
              CCnvTextToInteger::GetInstance()->ConvertTextToValue(L" 9223372036854775808", &value, nullptr));
    EXPECT_EQ(5, value);
    ASSERT_EQ(1u, capture.Records().size());
    const CAopLogCapture::Record& record = capture.Records()[0];
    EXPECT_EQ(0, record.level);
    EXPECT_EQ(L"Error: Conversion of text  9223372036854775808 exceeded __int64 data type!", record.message);
    EXPECT_EQ(L"CnvTextToInteger", record.source);
    EXPECT_EQ(L"CCnvTextToInteger::ConvertTextToValue", record.function);
}

// The runtime's errno accessors failing: each is logged and the conversion goes on.
TEST_F(CnvTextToInteger, ErrnoAccessorFailuresAreLogged) {
    const struct {
        const char* operation;
        const wchar_t* message;
    } rows[] = {{"_set_errno", L"Failed to set errno!"}, {"_get_errno", L"Failed to get errno."}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.operation);
        CAopLogCapture capture;
        CFaultInjector::Instance().Inject(row.operation, 22);
        errno = 0;
        LONG value = 0;
        EXPECT_EQ(S_OK, CCnvTextToInteger::GetInstance()->ConvertTextToValue(L"42", &value, nullptr));
        EXPECT_EQ(42, value);
        ASSERT_EQ(1u, capture.Records().size());
        EXPECT_EQ(row.message, capture.Records()[0].message);
        EXPECT_EQ(L"CCnvTextToInteger::ConvertTextToValue", capture.Records()[0].function);
        EXPECT_EQ(L"CnvTextToInteger", capture.Records()[0].source);
        CFaultInjector::Instance().ClearAll();
    }
}

TEST_F(CnvTextToInteger, SuccessAndRangeFailuresLogNothing) {
    CAopLogCapture capture;
    LONG value = 0;
    CPromptInfo prompt;
    CCnvTextToInteger::GetInstance()->ConvertTextToValue(L"12", &value, &prompt);
    CCnvTextToInteger::GetInstance()->ConvertTextToValue(L"2147483648", &value, &prompt);
    CCnvTextToInteger::GetInstance()->ConvertTextToValue(L"x", &value, &prompt);
    EXPECT_TRUE(capture.Records().empty());
    m_registration.Server().m_requested.clear();
}

TEST_F(CnvTextToInteger, ValueToTextTable) {
    const CCnvTextToInteger* converter = CCnvTextToInteger::GetInstance();
    const struct {
        LONGLONG value;
        const wchar_t* expected;
    } signedRows[] = {
        {0, L"0"},
        {7, L"7"},
        {-7, L"-7"},
        {100, L"100"},
        {2147483647, L"2147483647"},
        {-2147483648LL, L"-2147483648"},
        {9223372036854775807LL, L"9223372036854775807"},
        {-9223372036854775807LL - 1, L"-9223372036854775808"},
    };
    for (const auto& row : signedRows) {
        CString text(L"old");
        ASSERT_EQ(S_OK, converter->ConvertValueToText(row.value, &text));
        EXPECT_EQ(std::wstring(row.expected), std::wstring(text.GetString()));
        if (row.value >= -2147483648LL && row.value <= 2147483647) {
            ASSERT_EQ(S_OK, converter->ConvertValueToText(static_cast<LONG>(row.value), &text));
            EXPECT_EQ(std::wstring(row.expected), std::wstring(text.GetString()));
        }
    }
    const struct {
        ULONGLONG value;
        const wchar_t* expected;
    } unsignedRows[] = {
        {0, L"0"}, {4294967295ULL, L"4294967295"}, {18446744073709551615ULL, L"18446744073709551615"}};
    for (const auto& row : unsignedRows) {
        CString text;
        ASSERT_EQ(S_OK, converter->ConvertValueToText(row.value, &text));
        EXPECT_EQ(std::wstring(row.expected), std::wstring(text.GetString()));
        if (row.value <= 4294967295ULL) {
            ASSERT_EQ(S_OK, converter->ConvertValueToText(static_cast<ULONG>(row.value), &text));
            EXPECT_EQ(std::wstring(row.expected), std::wstring(text.GetString()));
        }
    }
}

} // namespace
