#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/Win32Error.h"
#include "platform/kernel/MessageFormat.h"

namespace {

std::string Show(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        if (c == L'\r')
            out += "\\r";
        else if (c == L'\n')
            out += "\\n";
        else if (c == L'\t')
            out += "\\t";
        else if (c < 0x80)
            out += static_cast<char>(c);
        else
            out += "\\u{" + std::to_string(static_cast<unsigned>(c)) + "}";
    }
    return out;
}

// ---- Text inserts, as the prompt helpers and the error handlers use them ----

struct TextCase {
    const wchar_t* pattern;
    std::vector<std::wstring> args;
    const wchar_t* expected;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << Show(c.pattern);
}

class TextInsertTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextInsertTable, FollowsFormatMessageRules) {
    const TextCase& c = GetParam();
    EXPECT_EQ(Show(c.expected), Show(CMessageFormat::Format(c.pattern, c.args)));
}

const std::vector<std::wstring> kTwelve{L"a", L"b", L"c", L"d", L"e", L"f",
                                        L"g", L"h", L"i", L"j", L"k", L"L"};

INSTANTIATE_TEST_SUITE_P(
    Rules, TextInsertTable,
    ::testing::Values(
        TextCase{L"%1", {L"test"}, L"test"}, TextCase{L"%1!s!", {L"test"}, L"test"},
        TextCase{L"%1%2", {L"te", L"st"}, L"test"}, TextCase{L"%1%3%2%1", {L"t", L"s", L"e"}, L"test"},
        TextCase{L"[%1!5s!]", {L"ab"}, L"[   ab]"}, TextCase{L"[%1!-5s!]", {L"ab"}, L"[ab   ]"},
        TextCase{L"[%1!.2s!]", {L"abc"}, L"[ab]"}, TextCase{L"%12", kTwelve, L"L"},
        TextCase{L"%123", kTwelve, L"L3"}, TextCase{L"%1!d!+%1!04d!", {L"42"}, L"42+0042"},
        // Inserts beyond the arguments stay as written.
        TextCase{L"%3", {L"a", L"b"}, L"%3"}, TextCase{L"a%2!d!b", {L"x"}, L"a%2!d!b"},
        TextCase{L"%1 %2", {}, L"%1 %2"},
        // Escapes.
        TextCase{L"test%0test", {}, L"test"}, TextCase{L"%0", {}, L""}, TextCase{L" %%%% ", {}, L" %% "},
        TextCase{L" %.%.  %1!d!", {L"427"}, L" ..  427"}, TextCase{L"yah%!%0   ", {}, L"yah!"},
        TextCase{L"% %   ", {}, L"    "}, TextCase{L"%n%r%t%b|", {}, L"\r\n\r\t |"},
        // The pattern's line breaks come out as CR LF; inserted text is kept as it is.
        TextCase{L"hi\n", {}, L"hi\r\n"}, TextCase{L"hi\r\n", {}, L"hi\r\n"}, TextCase{L"\r", {}, L"\r\n"},
        TextCase{L"\r\r\n", {}, L"\r\n\r\n"}, TextCase{L"<%1>", {L"a\nb"}, L"<a\nb>"},
        TextCase{L"Error: Reading value for member %1!s! from services!\n",
                 {L"Flow"},
                 L"Error: Reading value for member Flow from services!\r\n"},
        // Malformed pieces stay as written.
        TextCase{L"50%", {}, L"50%"}, TextCase{L"%1!s", {L"x"}, L"%1!s"},
        TextCase{L"%1!f!", {L"1"}, L"%1!f!"}, TextCase{L"%1!q!%1", {L"x"}, L"%1!q!x"}));

// ---- Typed inserts ----

struct TypedCase {
    const wchar_t* pattern;
    std::vector<CMessageFormat::Arg> args;
    const wchar_t* expected;
};

void PrintTo(const TypedCase& c, std::ostream* os) {
    *os << Show(c.pattern);
}

class TypedInsertTable : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedInsertTable, FormatsEachConversion) {
    const TypedCase& c = GetParam();
    EXPECT_EQ(Show(c.expected), Show(CMessageFormat::Format(c.pattern, c.args)));
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, TypedInsertTable,
    ::testing::Values(TypedCase{L"%1!d!", {-5}, L"-5"}, TypedCase{L"%1!u!", {-1}, L"4294967295"},
                      TypedCase{L"%1!x!", {255u}, L"ff"}, TypedCase{L"%1!4X!", {0x1ab}, L" 1AB"},
                      TypedCase{L"%1!-4X!|", {11}, L"B   |"}, TypedCase{L"%1!4.2u!", {3}, L"  03"},
                      TypedCase{L"%1!05d!", {-42}, L"-0042"}, TypedCase{L"%1!ld!", {LONG{-7}}, L"-7"},
                      TypedCase{L"%1!I64d!", {std::int64_t{INT64_MIN}}, L"-9223372036854775808"},
                      TypedCase{L"%1!I64u!", {std::uint64_t{UINT64_MAX}}, L"18446744073709551615"},
                      TypedCase{L"%1!d!", {std::int64_t{4294967296 + 5}}, L"5"},
                      TypedCase{L"%1!hd!", {70000}, L"4464"},
                      TypedCase{L"%1!c!%2!c!%3!c!%1!c!", {int{L't'}, int{L'e'}, int{L's'}}, L"test"},
                      TypedCase{L"%1!s! %2", {42, std::uint64_t{7}}, L"42 7"},
                      TypedCase{L"%1!d! of %2!d! writers agree: Soccer is %3%!",
                                {4, 5, L"Best"},
                                L"4 of 5 writers agree: Soccer is Best!"},
                      TypedCase{L"%2!d!", {1}, L"%2!d!"}));

// ---- Arguments from a va_list ----

std::wstring FromVaList(const wchar_t* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    std::wstring text = CMessageFormat::FormatV(pattern, args);
    va_end(args);
    return text;
}

TEST(MessageFormatVaList, ReadsEachArgumentWithItsInsertsType) {
    EXPECT_EQ(L"x 42", FromVaList(L"%2 %1!d!", 42, L"x"));
    EXPECT_EQ(L"18446744073709551615 t", FromVaList(L"%1!I64u! %2", std::uint64_t{UINT64_MAX}, L"t"));
    EXPECT_EQ(L"-3000000000|y", FromVaList(L"%1!lld!|%2", std::int64_t{-3000000000}, L"y"));
    EXPECT_EQ(L"na\u00EFve", FromVaList(L"%1!S!", "na\xC3\xAFve"));
    EXPECT_EQ(L"(null)", FromVaList(L"%1", static_cast<const wchar_t*>(nullptr)));
    EXPECT_EQ(L"ffffffff", FromVaList(L"%1!x!", -1));
}

TEST(MessageFormatVaList, SkipsArgumentsNoInsertNames) {
    EXPECT_EQ(L"used", FromVaList(L"%2!s!", L"skipped", L"used"));
    EXPECT_EQ(L"c-a", FromVaList(L"%3-%1", L"a", L"b", L"c"));
}

// ---- FormatMessageW ----

std::wstring g_lastText;

DWORD FromArray(const wchar_t* pattern, const std::vector<DWORD_PTR>& args, DWORD size = 64) {
    std::vector<wchar_t> buffer(size + 1, L'#');
    SetLastError(0xDEADBEEF);
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, pattern, 0, 0,
                       buffer.data(), size, reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(args.data())));
    buffer[size] = L'\0';
    g_lastText = buffer.data();
    return n;
}

DWORD FromVaListApi(wchar_t* buffer, DWORD size, const wchar_t* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    SetLastError(0xDEADBEEF);
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_STRING, pattern, 0, 0, buffer, size, &args);
    va_end(args);
    return n;
}

TEST(FormatMessageW, ArgumentArrayHoldsTextPointersAndIntegers) {
    EXPECT_EQ(4u,
              FromArray(L"%1%2", {reinterpret_cast<DWORD_PTR>(L"te"), reinterpret_cast<DWORD_PTR>(L"st")}));
    EXPECT_EQ(L"test", g_lastText);
    EXPECT_EQ(5u, FromArray(L"%1!d!,%2!x!", {static_cast<DWORD_PTR>(-5), 255}));
    EXPECT_EQ(L"-5,ff", g_lastText);
    EXPECT_EQ(6u, FromArray(L"%1!hs!", {reinterpret_cast<DWORD_PTR>("narrow")}));
    EXPECT_EQ(L"narrow", g_lastText);
}

TEST(FormatMessageW, VaListArguments) {
    wchar_t buffer[32];
    EXPECT_EQ(7u, FromVaListApi(buffer, 32, L"%1!d!-%2", 12, L"abcd"));
    EXPECT_STREQ(L"12-abcd", buffer);
}

TEST(FormatMessageW, BufferMustHoldTextAndNull) {
    EXPECT_EQ(0u, FromArray(L"test", {}, 4));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(4u, FromArray(L"test", {}, 5));
    EXPECT_EQ(L"test", g_lastText);
}

TEST(FormatMessageW, EmptyResultIsNoWorkDone) {
    EXPECT_EQ(0u, FromArray(L"%0never", {}));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_WORK_DONE), GetLastError());
    EXPECT_EQ(L"", g_lastText);
}

struct RefusedCase {
    DWORD flags;
    const wchar_t* pattern;
    bool withArgs;
};

class FormatMessageWRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(FormatMessageWRefuses, WithInvalidParameterLeavingTheBuffer) {
    const RefusedCase& c = GetParam();
    DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(L"x"), 1};
    wchar_t buffer[] = L"xxxxxx";
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(0u, FormatMessageW(c.flags, c.pattern, 0, 0, buffer, 7,
                                 c.withArgs ? reinterpret_cast<va_list*>(args) : nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_STREQ(L"xxxxxx", buffer);
}

constexpr DWORD kArray = FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY;

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatMessageWRefuses,
    ::testing::Values(RefusedCase{kArray, L"%", true}, RefusedCase{kArray, L"test%", true},
                      RefusedCase{kArray, L"%1", false},
                      RefusedCase{FORMAT_MESSAGE_FROM_STRING, L"%1", false},
                      RefusedCase{kArray, L"%1!f!", true}, RefusedCase{kArray, L"%1!s", true},
                      RefusedCase{kArray | 0x100, L"ok", true}, RefusedCase{kArray | 0xFF, L"ok", true},
                      RefusedCase{0, L"ok", true}));

} // namespace
