#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "profile/convert/CnvErrors.h"
#include "profile/convert/CnvTextToFloat.h"
#include "profile/convert/CnvTextToFloat2.h"
#include "profile/convert/CnvTextToInteger.h"
#include "profile/convert/CnvTextToText.h"
#include "profile/convert/CnvTextToValue.h"
#include "tests/profile/convert/NumericLocale.h"

namespace {

enum class Converter { Value, Integer, Text, Float, Float2 };

const CCnvTextToValue* Get(Converter which) {
    switch (which) {
    case Converter::Value:
        return CCnvTextToValue::GetInstance();
    case Converter::Integer:
        return CCnvTextToInteger::GetInstance();
    case Converter::Text:
        return CCnvTextToText::GetInstance();
    case Converter::Float:
        return CCnvTextToFloat::GetInstance();
    case Converter::Float2:
        return CCnvTextToFloat2::GetInstance();
    }
    return nullptr;
}

// The checks in their order: the first broken rule gives the code.
TEST(CnvTextToValue, ValidateTextFollowsTheRulesInOrder) {
    const struct {
        Converter converter;
        const wchar_t* text;
        HRESULT expected;
    } rows[] = {
        {Converter::Integer, L"", CNV_E_EMPTYTEXT},
        {Converter::Integer, L"12", S_OK},
        {Converter::Integer, L"+12", S_OK},
        {Converter::Integer, L"-", CNV_E_NODIGIT},
        {Converter::Integer, L"+-", CNV_E_NODIGIT},
        {Converter::Integer, L".", CNV_E_NODIGIT}, // the decimal point is removed before the character check
        {Converter::Integer, L"4 2", CNV_E_CHARNOTALLOWED},
        {Converter::Integer, L" 42", CNV_E_CHARNOTALLOWED}, // nothing is trimmed here
        {Converter::Integer, L"1.5", CNV_E_CHARNOTALLOWED},
        {Converter::Integer, L"1e5", CNV_E_CHARNOTALLOWED},
        {Converter::Integer, L"a-1-", CNV_E_CHARNOTALLOWED}, // a refused character wins over the sign rule
        {Converter::Integer, L"7-", CNV_E_SIGNNOTFIRST},
        {Converter::Integer, L"+-7", CNV_E_SIGNNOTFIRST},
        {Converter::Integer, L"1-2", CNV_E_SIGNNOTFIRST},
        {Converter::Value, L"-5", S_OK},
        {Converter::Value, L"5x", CNV_E_CHARNOTALLOWED},
        {Converter::Text, L"+5", S_OK},
        {Converter::Text, L"1.0", CNV_E_CHARNOTALLOWED},
        {Converter::Float, L"-1.5", S_OK},
        {Converter::Float, L".5", S_OK},
        {Converter::Float, L".", CNV_E_NODIGIT},
        {Converter::Float, L"-.", CNV_E_NODIGIT},
        {Converter::Float, L"1.5.2", CNV_E_MULTIPLEDECIMALPOINTS},
        {Converter::Float, L"1..", CNV_E_MULTIPLEDECIMALPOINTS},
        {Converter::Float, L"1.-5", CNV_E_SIGNNOTFIRST}, // the sign rule comes before the point rule
        {Converter::Float, L"-1.5.-", CNV_E_SIGNNOTFIRST},
        {Converter::Float, L"1,5", CNV_E_CHARNOTALLOWED},
        {Converter::Float, L"1e5", CNV_E_CHARNOTALLOWED},
        {Converter::Float2, L"1.5", S_OK},
        {Converter::Float2, L"1.5.2", CNV_E_MULTIPLEDECIMALPOINTS},
        {Converter::Float2, L"1,5", CNV_E_CHARNOTALLOWED},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, Get(row.converter)->ValidateText(row.text))
            << "converter " << static_cast<int>(row.converter) << " text '"
            << testing::PrintToString(std::wstring(row.text)) << "'";
}

TEST(CnvTextToValue, ValidateCharIsEachConvertersCharacterSet) {
    const struct {
        wchar_t ch;
        bool integer; // CCnvTextToValue, CCnvTextToInteger, CCnvTextToText
        bool floating;
        bool floating2;
    } rows[] = {
        {L'0', true, true, true},    {L'9', true, true, true},     {L'+', true, true, true},
        {L'-', true, true, true},    {L'.', false, true, true},    {L',', false, false, false},
        {L' ', false, false, false}, {L'e', false, false, false},  {L'/', false, false, false},
        {L':', false, false, false}, {L'\0', false, false, false}, {L'\u0663', false, false, false},
    };
    for (const auto& row : rows) {
        const auto code = [](bool ok) { return ok ? S_OK : CNV_E_CHARNOTALLOWED; };
        for (Converter c : {Converter::Value, Converter::Integer, Converter::Text})
            EXPECT_EQ(code(row.integer), Get(c)->ValidateChar(row.ch)) << static_cast<int>(row.ch);
        EXPECT_EQ(code(row.floating), Get(Converter::Float)->ValidateChar(row.ch))
            << static_cast<int>(row.ch);
        EXPECT_EQ(code(row.floating2), Get(Converter::Float2)->ValidateChar(row.ch))
            << static_cast<int>(row.ch);
    }
}

TEST(CnvTextToValue, CommaLocaleMovesTheFloatDecimalPointOnly) {
    CNumericLocale german("de_DE.UTF-8");
    if (!german.Active())
        GTEST_SKIP() << "the de_DE.UTF-8 locale was not built";
    EXPECT_EQ(S_OK, Get(Converter::Float)->ValidateChar(L','));
    EXPECT_EQ(CNV_E_CHARNOTALLOWED, Get(Converter::Float)->ValidateChar(L'.'));
    EXPECT_EQ(S_OK, Get(Converter::Float2)->ValidateChar(L'.'));
    EXPECT_EQ(CNV_E_CHARNOTALLOWED, Get(Converter::Float2)->ValidateChar(L','));
    EXPECT_EQ(S_OK, Get(Converter::Float)->ValidateText(L"1,5"));
    EXPECT_EQ(CNV_E_MULTIPLEDECIMALPOINTS, Get(Converter::Float)->ValidateText(L"1,5,"));
    EXPECT_EQ(CNV_E_CHARNOTALLOWED, Get(Converter::Float)->ValidateText(L"1.5"));
    EXPECT_EQ(CNV_E_NODIGIT, Get(Converter::Integer)->ValidateText(L"-,"));
    EXPECT_EQ(S_OK, Get(Converter::Float2)->ValidateText(L"1.5"));
}

TEST(CnvTextToValue, StripLeadingZerosKeepsOneZero) {
    const struct {
        const wchar_t* text;
        const wchar_t* expected;
        BOOL changed;
    } rows[] = {
        {L"", L"", FALSE},       {L"0", L"0", FALSE},   {L"000", L"0", TRUE},      {L"007", L"7", TRUE},
        {L"700", L"700", FALSE}, {L"0.5", L".5", TRUE}, {L"-007", L"-007", FALSE}, {L"00a", L"a", TRUE},
    };
    for (const auto& row : rows) {
        CString text(row.text);
        EXPECT_EQ(row.changed, CCnvTextToValue::StripLeadingZeros(text))
            << testing::PrintToString(std::wstring(row.text));
        EXPECT_EQ(std::wstring(row.expected), std::wstring(text.GetString()));
    }
}

TEST(CnvTextToValue, TrimRemovesWhiteSpaceAtBothEnds) {
    const struct {
        const wchar_t* text;
        const wchar_t* expected;
    } rows[] = {{L" 42 ", L"42"}, {L"\t4 2\r\n", L"4 2"}, {L"   ", L""}, {L"", L""}, {L"x", L"x"}};
    for (const auto& row : rows) {
        CString text(row.text);
        CCnvTextToValue::Trim(text);
        EXPECT_EQ(std::wstring(row.expected), std::wstring(text.GetString()));
    }
}

TEST(CnvTextToValue, OneSharedInstancePerClass) {
    static_assert(!std::is_default_constructible_v<CCnvTextToInteger>, "callers never create their own");
    static_assert(!std::is_default_constructible_v<CCnvTextToFloat>, "callers never create their own");
    static_assert(!std::is_default_constructible_v<CCnvTextToFloat2>, "callers never create their own");
    static_assert(!std::is_default_constructible_v<CCnvTextToText>, "callers never create their own");
    static_assert(!std::is_copy_constructible_v<CCnvTextToValue>, "the shared instance is not copied");
    const CCnvTextToValue* all[] = {CCnvTextToValue::GetInstance(), CCnvTextToInteger::GetInstance(),
                                    CCnvTextToText::GetInstance(), CCnvTextToFloat::GetInstance(),
                                    CCnvTextToFloat2::GetInstance()};
    for (size_t i = 0; i < std::size(all); ++i) {
        ASSERT_NE(nullptr, all[i]);
        EXPECT_EQ(all[i], Get(static_cast<Converter>(i))) << "the same instance on every call";
        for (size_t j = i + 1; j < std::size(all); ++j)
            EXPECT_NE(all[i], all[j]);
    }
    EXPECT_EQ(typeid(CCnvTextToFloat2), typeid(*CCnvTextToFloat2::GetInstance()));
    EXPECT_EQ(typeid(CCnvTextToValue), typeid(*CCnvTextToValue::GetInstance()));
}

TEST(CnvErrors, RangeHoldsTheConverterCodesOnly) {
    const struct {
        HRESULT code;
        bool inRange;
    } rows[] = {
        {CNV_E_CHARNOTALLOWED, true},
        {CNV_E_NODIGIT, true},
        {CNV_E_BELOWMINIMUM, true},
        {CNV_E_INVALIDDATE, true},
        {MakeHResult(0x8004022B), true},
        {MakeHResult(0x8004022C), false},
        {MakeHResult(0x800401FF), false},
        {E_FAIL, false},
        {S_OK, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.inRange, IsConverterError(row.code)) << std::hex << row.code;
}

} // namespace
