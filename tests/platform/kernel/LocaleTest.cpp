#include <gtest/gtest.h>

#include <string>

#include "platform/base/Win32Error.h"
#include "platform/kernel/Locale.h"

namespace {

std::wstring Info(LCID lcid, LCTYPE type) {
    wchar_t buffer[32] = {};
    const int written = GetLocaleInfoW(lcid, type, buffer, 32);
    if (written == 0)
        return L"<error " + std::to_wstring(GetLastError()) + L">";
    EXPECT_EQ(static_cast<int>(std::wstring(buffer).size()) + 1, written);
    return buffer;
}

class LocaleTest : public ::testing::Test {
protected:
    void TearDown() override { SetThreadLocale(1033); }
};

struct LocaleCase {
    LCID lcid;
    const wchar_t* abbreviation;
    const wchar_t* decimal;
};

class LocaleTable : public LocaleTest, public ::testing::WithParamInterface<LocaleCase> {};

TEST_P(LocaleTable, NamesTheLanguageAndItsDecimalSeparator) {
    const LocaleCase& c = GetParam();
    EXPECT_EQ(c.abbreviation, Info(c.lcid, LOCALE_SABBREVLANGNAME | LOCALE_NOUSEROVERRIDE));
    EXPECT_EQ(c.abbreviation, Info(c.lcid, LOCALE_SABBREVLANGNAME));
    EXPECT_EQ(c.decimal, Info(c.lcid, LOCALE_SDECIMAL | LOCALE_NOUSEROVERRIDE));
    // Grouping never uses the decimal separator.
    EXPECT_NE(c.decimal, Info(c.lcid, LOCALE_STHOUSAND));
}

INSTANTIATE_TEST_SUITE_P(Languages, LocaleTable,
                         ::testing::Values(LocaleCase{1033, L"ENU", L"."}, LocaleCase{2057, L"ENG", L"."},
                                           LocaleCase{1031, L"DEU", L","}, LocaleCase{1036, L"FRA", L","},
                                           LocaleCase{1034, L"ESP", L","}, LocaleCase{3082, L"ESN", L","},
                                           LocaleCase{1040, L"ITA", L","}, LocaleCase{1046, L"PTB", L","},
                                           LocaleCase{2052, L"CHS", L"."}, LocaleCase{1028, L"CHT", L"."},
                                           LocaleCase{1041, L"JPN", L"."}, LocaleCase{1042, L"KOR", L"."},
                                           LocaleCase{1049, L"RUS", L","}),
                         [](const auto& info) { return std::to_string(info.param.lcid); });

TEST_F(LocaleTest, EnglishLanguageNamesAndThousandSeparators) {
    EXPECT_EQ(L"English", Info(1033, LOCALE_SENGLANGUAGE));
    EXPECT_EQ(L"German", Info(1031, LOCALE_SENGLANGUAGE));
    EXPECT_EQ(L"French", Info(1036, LOCALE_SENGLANGUAGE));
    EXPECT_EQ(L"Japanese", Info(1041, LOCALE_SENGLANGUAGE));
    EXPECT_EQ(L",", Info(1033, LOCALE_STHOUSAND));
    EXPECT_EQ(L".", Info(1031, LOCALE_STHOUSAND));
    EXPECT_EQ(L"\u00A0", Info(1036, LOCALE_STHOUSAND));
}

struct BufferCase {
    const char* label;
    LCID lcid;
    LCTYPE type;
    int size;
    bool withBuffer;
    int result;
    DWORD lastError; // when result is 0
};

class LocaleBufferTable : public LocaleTest, public ::testing::WithParamInterface<BufferCase> {};

TEST_P(LocaleBufferTable, FollowsTheBufferRules) {
    const BufferCase& c = GetParam();
    wchar_t buffer[8] = {L'#', L'#', L'#', L'#', L'#', L'#', L'#', L'\0'};
    SetLastError(0);
    EXPECT_EQ(c.result, GetLocaleInfoW(c.lcid, c.type, c.withBuffer ? buffer : nullptr, c.size));
    if (c.result == 0) {
        EXPECT_EQ(c.lastError, GetLastError());
    }
    if (c.result > 0 && c.size > 0)
        EXPECT_STREQ(L"DEU", buffer);
    else
        EXPECT_STREQ(L"#######", buffer);
}

constexpr LCTYPE kAbbrev = LOCALE_SABBREVLANGNAME | LOCALE_NOUSEROVERRIDE;

INSTANTIATE_TEST_SUITE_P(
    Sizes, LocaleBufferTable,
    ::testing::Values(BufferCase{"SizeQueryWithoutBuffer", 1031, kAbbrev, 0, false, 4, 0},
                      BufferCase{"SizeQueryIgnoresBuffer", 1031, kAbbrev, 0, true, 4, 0},
                      BufferCase{"Exact", 1031, kAbbrev, 4, true, 4, 0},
                      BufferCase{"Larger", 1031, kAbbrev, 8, true, 4, 0},
                      BufferCase{"NoRoomForTerminator", 1031, kAbbrev, 3, true, 0, ERROR_INSUFFICIENT_BUFFER},
                      BufferCase{"OneCharacter", 1031, kAbbrev, 1, true, 0, ERROR_INSUFFICIENT_BUFFER},
                      BufferCase{"NegativeSize", 1031, kAbbrev, -1, true, 0, ERROR_INVALID_PARAMETER},
                      BufferCase{"SizeWithoutBuffer", 1031, kAbbrev, 4, false, 0, ERROR_INVALID_PARAMETER},
                      BufferCase{"UnknownLocale", 9999, kAbbrev, 8, true, 0, ERROR_INVALID_PARAMETER},
                      BufferCase{"UnknownLocaleSizeQuery", 9999, kAbbrev, 0, false, 0,
                                 ERROR_INVALID_PARAMETER},
                      BufferCase{"UnknownType", 1031, 0x7777, 8, true, 0, ERROR_INVALID_FLAGS}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(LocaleTest, TheThreadLocaleStartsAsUnitedStatesEnglish) {
    EXPECT_EQ(1033u, GetThreadLocale());
    EXPECT_EQ(1033u, GetUserDefaultLCID());
    EXPECT_EQ(L"ENU", Info(LOCALE_USER_DEFAULT, kAbbrev));
    EXPECT_EQ(L"ENU", Info(LOCALE_SYSTEM_DEFAULT, kAbbrev));
}

TEST_F(LocaleTest, DefaultLocalesFollowTheThreadLocale) {
    ASSERT_TRUE(SetThreadLocale(1031));
    EXPECT_EQ(1031u, GetThreadLocale());
    EXPECT_EQ(1031u, GetUserDefaultLCID());
    EXPECT_EQ(L"DEU", Info(LOCALE_USER_DEFAULT, kAbbrev));
    EXPECT_EQ(L"DEU", Info(LOCALE_SYSTEM_DEFAULT, kAbbrev));
    EXPECT_EQ(L",", Info(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL));
    // Naming a locale outright is unaffected.
    EXPECT_EQ(L"JPN", Info(1041, kAbbrev));
}

TEST_F(LocaleTest, AnUnknownThreadLocaleIsRefused) {
    ASSERT_TRUE(SetThreadLocale(1036));
    SetLastError(0);
    EXPECT_FALSE(SetThreadLocale(12345));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_EQ(1036u, GetThreadLocale());
}

} // namespace
