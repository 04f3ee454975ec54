#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/mfc/String.h"
#include "platform/oleaut/Bstr.h"

namespace {

std::string Show(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        if (c == L'\r')
            out += "\\r";
        else if (c == L'\n')
            out += "\\n";
        else if (c < 0x80)
            out += static_cast<char>(c);
        else
            out += "\\u{" + std::to_string(static_cast<unsigned>(c)) + "}";
    }
    return out;
}

// ---- Format: one row per conversion, with Microsoft's results ----

struct FormatCase {
    std::wstring format;
    std::wstring expected;
    std::wstring actual;
};

template <typename... Args>
FormatCase Row(const wchar_t* format, const wchar_t* expected, const Args&... args) {
    CString s;
    s.Format(format, args...);
    return {format, expected, s.GetString()};
}

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << Show(c.format);
}

class FormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, FollowsMicrosoftPrintfRules) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(Show(c.expected), Show(c.actual)) << "format " << Show(c.format);
}

const char kNarrowUmlauts[] = "Gr\xC3\xBC\xC3\x9F"
                              "e";
const wchar_t* const kNullWide = nullptr;
const char* const kNullNarrow = nullptr;

INSTANTIATE_TEST_SUITE_P(
    Conversions, FormatTable,
    ::testing::Values(
        // %s in a wide format is wide; %S and %hs are narrow (UTF-8); %ls, %ws wide.
        Row(L"[%s]", L"[wide]", L"wide"), Row(L"[%ls]", L"[wide]", L"wide"),
        Row(L"[%ws]", L"[wide]", L"wide"), Row(L"[%S]", L"[Gr\u00FC\u00DFe]", kNarrowUmlauts),
        Row(L"[%hs]", L"[narrow]", "narrow"), Row(L"[%lS]", L"[wide]", L"wide"),
        Row(L"%s", L"(null)", kNullWide), Row(L"%S", L"(null)", kNullNarrow), Row(L"%.3s", L"(nu", kNullWide),
        Row(L"%s!", L"object!", CString(L"object")), Row(L"[%5s]", L"[   ab]", L"ab"),
        Row(L"[%-5s]", L"[ab   ]", L"ab"), Row(L"[%.2s]", L"[ab]", L"abc"), Row(L"[%05s]", L"[000ab]", L"ab"),
        Row(L"[%*s]", L"[   ab]", 5, L"ab"), Row(L"[%.*s]", L"[abc]", 3, L"abcdef"),
        Row(L"[%-*s]", L"[ab  ]", -4, L"ab"),
        // %c wide, %C and %hc narrow, %lc wide.
        Row(L"%c%c", L"\u00E9x", L'\u00E9', L'x'), Row(L"%C", L"y", 'y'), Row(L"%hc", L"z", 'z'),
        Row(L"%lc", L"\u20AC", L'\u20AC'), Row(L"[%3c]", L"[  q]", L'q'), Row(L"[%-3c]", L"[q  ]", L'q'),
        // 32-bit integers: int, and Windows' 32-bit long.
        Row(L"%d", L"-42", -42), Row(L"%i", L"2147483647", INT_MAX), Row(L"%u", L"4294967295", -1),
        Row(L"%x", L"ffffffff", -1), Row(L"%X", L"FF", 255), Row(L"%o", L"10", 8),
        Row(L"%ld", L"-5", LONG{-5}), Row(L"%lu", L"4000000000", ULONG{4000000000u}),
        Row(L"%lx", L"ffffffff", LONG{-1}), Row(L"%lX", L"DEADBEEF", DWORD{0xDEADBEEF}),
        Row(L"%I32d", L"-7", -7),
        // 64-bit integers.
        Row(L"%lld", L"-9223372036854775808", LONGLONG{INT64_MIN}),
        Row(L"%I64d", L"-1234567890123", LONGLONG{-1234567890123}),
        Row(L"%I64u", L"18446744073709551615", ULONGLONG{UINT64_MAX}),
        Row(L"%llu", L"10000000000", ULONGLONG{10000000000u}),
        Row(L"%I64X", L"123456789ABCDEF0", ULONGLONG{0x123456789ABCDEF0}),
        Row(L"%Iu", L"4294967296", size_t{4294967296u}),
        // 16- and 8-bit integers.
        Row(L"%hd", L"4464", 70000), Row(L"%hu", L"65535", -1), Row(L"%hhu", L"255", -1),
        // Flags, width and precision.
        Row(L"[%5d]", L"[   42]", 42), Row(L"[%-5d]", L"[42   ]", 42), Row(L"%+d", L"+5", 5),
        Row(L"% d", L" 5", 5), Row(L"%05d", L"-0042", -42), Row(L"%.3d", L"007", 7),
        Row(L"[%5.3d]", L"[  007]", 7), Row(L"%#x", L"0xff", 255), Row(L"%#X", L"0XFF", 255),
        Row(L"%#o", L"010", 8), Row(L"[%*d]", L"[   42]", 5, 42), Row(L"[%*d]", L"[42   ]", -5, 42),
        // Doubles.
        Row(L"%f", L"3.141590", 3.14159), Row(L"%.2f", L"2.50", 2.5), Row(L"%e", L"1.234568e+04", 12345.678),
        Row(L"%E", L"1.500000E-03", 0.0015), Row(L"%g", L"0.0001", 0.0001), Row(L"%G", L"1E-10", 1e-10),
        Row(L"[%10.3f]", L"[     3.142]", 3.14159), Row(L"[%-8.1f]", L"[2.5     ]", 2.5),
        Row(L"%+.1f", L"+2.0", 2.0), Row(L"%08.2f", L"-0003.50", -3.5),
        Row(L"[%*.*f]", L"[    3.14]", 8, 2, 3.14159), Row(L"%.0f", L"3", 2.5001),
        Row(L"%.4f", L"0.1250", 0.125f),
        // Pointers as 64-bit Windows prints them; the percent sign.
        Row(L"%p", L"0000000000001234", reinterpret_cast<void*>(0x1234)), Row(L"100%%", L"100%"),
        // Several conversions read their arguments in order.
        Row(L"%s=%d (%S) %.1f%%", L"rate=3 (ok) 99.5%", L"rate", 3, "ok", 99.5),
        Row(L"{%08X-%04X-%04X}", L"{1A2B3C4D-5E6F-0081}", DWORD{0x1A2B3C4D}, WORD{0x5E6F}, WORD{0x81})));

TEST(CStringFormat, AppendFormatAddsToTheText) {
    CString s(L"a=");
    s.AppendFormat(L"%d,", 1);
    s.AppendFormat(L"%s", L"b");
    EXPECT_STREQ(L"a=1,b", s);
}

TEST(CStringFormat, FormatReplacesTheText) {
    CString s(L"old text");
    s.Format(L"%d", 7);
    EXPECT_STREQ(L"7", s);
}

TEST(CStringFormatMessage, UsesMessageInserts) {
    CString s;
    s.FormatMessage(L"%1!d! of %2!d! writers agree: Soccer is %3%!", 4, 5, L"Best");
    EXPECT_STREQ(L"4 of 5 writers agree: Soccer is Best!", s);
    s.FormatMessage(L"%2 before %1", CString(L"one"), CString(L"two"));
    EXPECT_STREQ(L"two before one", s);
    s.FormatMessage(L"C:\\Users\\Public\\Documents\\TAVRIN100_%1!d!_%2!d!_%3!d!.pdf", 9, 5, 0);
    EXPECT_STREQ(L"C:\\Users\\Public\\Documents\\TAVRIN100_9_5_0.pdf", s);
    s.FormatMessage(L"%1!I64d!/%2", LONGLONG{-5000000000}, L"x");
    EXPECT_STREQ(L"-5000000000/x", s);
}

// ---- Construction, comparison and small operations ----

TEST(CStringConstruct, FromEachSource) {
    EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_STREQ(L"ab", CString(L"abcdef", 2));
    EXPECT_STREQ(L"", CString(L"abc", -1));
    EXPECT_STREQ(L"xxx", CString(L'x', 3));
    EXPECT_STREQ(L"", CString(L'x', 0));
    EXPECT_STREQ(L"Gr\u00FC\u00DFe", CString(kNarrowUmlauts));
    CString moved(CString(L"moved"));
    EXPECT_STREQ(L"moved", moved);
    CString copy = moved;
    copy.SetAt(0, L'M');
    EXPECT_STREQ(L"moved", moved);
    EXPECT_STREQ(L"Moved", copy);
    copy = "utf8";
    EXPECT_STREQ(L"utf8", copy);
    copy = L'c';
    EXPECT_STREQ(L"c", copy);
    copy = copy.GetString(); // assignment from its own text
    EXPECT_STREQ(L"c", copy);
}

TEST(CStringAccess, IndicesOutsideTheTextReadZeroAndWriteNothing) {
    CString s(L"abc");
    EXPECT_EQ(L'a', s[0]);
    EXPECT_EQ(L'c', s.GetAt(2));
    EXPECT_EQ(L'\0', s.GetAt(3));
    EXPECT_EQ(L'\0', s.GetAt(-1));
    EXPECT_EQ(L'\0', s.GetAt(4));
    s.SetAt(3, L'x');
    s.SetAt(-1, L'x');
    EXPECT_STREQ(L"abc", s);
    EXPECT_EQ(3, s.GetLength());
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringCompare, OrdinalAndCaseInsensitive) {
    const CString s(L"Apple");
    EXPECT_EQ(0, s.Compare(L"Apple"));
    EXPECT_EQ(1, s.Compare(L"Ap"));
    EXPECT_EQ(-1, s.Compare(L"apple")); // 'A' < 'a'
    EXPECT_EQ(0, s.CompareNoCase(L"aPPLE"));
    EXPECT_EQ(-1, s.CompareNoCase(L"applf"));
    EXPECT_EQ(1, s.CompareNoCase(L""));
    EXPECT_TRUE(s == L"Apple");
    EXPECT_TRUE(L"Apple" == s);
    EXPECT_TRUE(s != CString(L"apple"));
    EXPECT_TRUE(s < L"Banana");
    EXPECT_TRUE(L"Aardvark" < s);
    EXPECT_FALSE(s < s);
}

TEST(CStringConcat, OperatorsJoinInOrder) {
    const CString a(L"ab");
    EXPECT_STREQ(L"abcd", a + CString(L"cd"));
    EXPECT_STREQ(L"abcd", a + L"cd");
    EXPECT_STREQ(L"cdab", L"cd" + a);
    EXPECT_STREQ(L"ab!", a + L'!');
    EXPECT_STREQ(L"!ab", L'!' + a);
    CString s;
    s += a;
    s += L"-";
    s += L'z';
    s += static_cast<const wchar_t*>(nullptr);
    EXPECT_STREQ(L"ab-z", s);
}

// ---- Searching ----

struct FindCase {
    const wchar_t* text;
    const wchar_t* sub; // null: search for `ch`
    wchar_t ch;
    int start;
    int expected;
};

class FindTable : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindTable, ReturnsIndexOrMinusOne) {
    const FindCase& c = GetParam();
    const CString s(c.text);
    EXPECT_EQ(c.expected, c.sub ? s.Find(c.sub, c.start) : s.Find(c.ch, c.start));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTable,
    ::testing::Values(FindCase{L"abcabc", nullptr, L'b', 0, 1}, FindCase{L"abcabc", nullptr, L'b', 2, 4},
                      FindCase{L"abcabc", nullptr, L'b', 5, -1}, FindCase{L"abcabc", nullptr, L'b', 6, -1},
                      FindCase{L"abcabc", nullptr, L'a', -1, -1}, FindCase{L"abcabc", nullptr, L'z', 0, -1},
                      FindCase{L"", nullptr, L'a', 0, -1}, FindCase{L"abcabc", L"bc", 0, 0, 1},
                      FindCase{L"abcabc", L"bc", 0, 2, 4}, FindCase{L"abcabc", L"bc", 0, 5, -1},
                      FindCase{L"abc", L"", 0, 3, 3}, FindCase{L"abc", L"", 0, 4, -1},
                      FindCase{L"abc", L"abcd", 0, 0, -1}, FindCase{L"", L"", 0, 0, 0},
                      FindCase{L"abc", L"a", 0, -1, -1}, FindCase{L"abc", L"c", 0, 2, 2}));

TEST(CStringSearch, ReverseFindFindOneOfAndSpans) {
    const CString s(L"a.b.c");
    EXPECT_EQ(3, s.ReverseFind(L'.'));
    EXPECT_EQ(-1, s.ReverseFind(L'x'));
    EXPECT_EQ(1, s.FindOneOf(L"x.b"));
    EXPECT_EQ(-1, s.FindOneOf(L"xyz"));
    EXPECT_EQ(-1, s.FindOneOf(L""));
    EXPECT_STREQ(L"a.b", CString(L"a.b;c").SpanExcluding(L";,"));
    EXPECT_STREQ(L"12", CString(L"12ab").SpanIncluding(L"0123456789"));
    EXPECT_STREQ(L"", CString(L"ab12").SpanIncluding(L"0123456789"));
    EXPECT_STREQ(L"ab12", CString(L"ab12").SpanExcluding(L";"));
}

TEST(CStringTokenize, SkipsDelimiterRunsThenEnds) {
    const CString s(L"  a,b;;c ");
    int start = 0;
    std::vector<std::wstring> tokens;
    for (CString t = s.Tokenize(L",; ", start); start != -1; t = s.Tokenize(L",; ", start))
        tokens.push_back(t.GetString());
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"c"}), tokens);
    start = 0;
    EXPECT_STREQ(L"", CString(L";;").Tokenize(L";", start));
    EXPECT_EQ(-1, start);
}

// ---- Extraction, trimming and editing ----

struct EditCase {
    const char* name;
    const wchar_t* text;
    std::function<int(CString&)> edit; // the operation's return value, or 0
    const wchar_t* expectedText;
    int expectedResult;
};

void PrintTo(const EditCase& c, std::ostream* os) {
    *os << c.name;
}

class EditTable : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditTable, GivesTextAndResult) {
    const EditCase& c = GetParam();
    CString s(c.text);
    EXPECT_EQ(c.expectedResult, c.edit(s));
    EXPECT_EQ(Show(c.expectedText), Show(s.GetString()));
}

int Take(CString& s, CString part) {
    s = part;
    return 0;
}

INSTANTIATE_TEST_SUITE_P(
    Extract, EditTable,
    ::testing::Values(
        EditCase{"LeftNegative", L"abcdef", [](CString& s) { return Take(s, s.Left(-1)); }, L"", 0},
        EditCase{"LeftSome", L"abcdef", [](CString& s) { return Take(s, s.Left(2)); }, L"ab", 0},
        EditCase{"LeftBeyond", L"abcdef", [](CString& s) { return Take(s, s.Left(9)); }, L"abcdef", 0},
        EditCase{"MidNegative", L"abcdef", [](CString& s) { return Take(s, s.Mid(-2)); }, L"abcdef", 0},
        EditCase{"MidSome", L"abcdef", [](CString& s) { return Take(s, s.Mid(2)); }, L"cdef", 0},
        EditCase{"MidAtEnd", L"abcdef", [](CString& s) { return Take(s, s.Mid(6)); }, L"", 0},
        EditCase{"MidBeyond", L"abcdef", [](CString& s) { return Take(s, s.Mid(9)); }, L"", 0},
        EditCase{"MidCount", L"abcdef", [](CString& s) { return Take(s, s.Mid(1, 2)); }, L"bc", 0},
        EditCase{"MidCountBeyond", L"abcdef", [](CString& s) { return Take(s, s.Mid(4, 10)); }, L"ef", 0},
        EditCase{"MidNegativeFirst", L"abcdef", [](CString& s) { return Take(s, s.Mid(-1, 2)); }, L"ab", 0},
        EditCase{"MidNegativeCount", L"abcdef", [](CString& s) { return Take(s, s.Mid(2, -1)); }, L"", 0},
        EditCase{"MidFirstBeyond", L"abcdef", [](CString& s) { return Take(s, s.Mid(7, 1)); }, L"", 0},
        EditCase{"RightNegative", L"abcdef", [](CString& s) { return Take(s, s.Right(-1)); }, L"", 0},
        EditCase{"RightSome", L"abcdef", [](CString& s) { return Take(s, s.Right(2)); }, L"ef", 0},
        EditCase{"RightBeyond", L"abcdef", [](CString& s) { return Take(s, s.Right(9)); }, L"abcdef", 0},
        EditCase{"RightOfEmpty", L"", [](CString& s) { return Take(s, s.Right(1)); }, L"", 0}));

INSTANTIATE_TEST_SUITE_P(
    Trim, EditTable,
    ::testing::Values(
        EditCase{"TrimWhiteSpace", L" \t a b \r\n", [](CString& s) { return Take(s, s.Trim()); }, L"a b", 0},
        EditCase{"TrimLeftWhiteSpace", L" \t a ", [](CString& s) { return Take(s, s.TrimLeft()); }, L"a ", 0},
        EditCase{"TrimRightWhiteSpace", L" a \n", [](CString& s) { return Take(s, s.TrimRight()); }, L" a",
                 0},
        EditCase{"TrimAllWhite", L" \t\r\n ", [](CString& s) { return Take(s, s.Trim()); }, L"", 0},
        EditCase{"TrimChar", L"xxaxbxx", [](CString& s) { return Take(s, s.Trim(L'x')); }, L"axb", 0},
        EditCase{"TrimLeftChar", L"xxa x", [](CString& s) { return Take(s, s.TrimLeft(L'x')); }, L"a x", 0},
        EditCase{"TrimRightChar", L"xa xx", [](CString& s) { return Take(s, s.TrimRight(L'x')); }, L"xa ", 0},
        EditCase{"TrimCharAll", L"xxx", [](CString& s) { return Take(s, s.Trim(L'x')); }, L"", 0},
        EditCase{"TrimSet", L" \tvalue\t ", [](CString& s) { return Take(s, s.Trim(L" \t")); }, L"value", 0},
        EditCase{"TrimLeftSet", L"xyaxy", [](CString& s) { return Take(s, s.TrimLeft(L"yx")); }, L"axy", 0},
        EditCase{"TrimRightSet", L"xyaxy", [](CString& s) { return Take(s, s.TrimRight(L"yx")); }, L"xya", 0},
        EditCase{"TrimEmptySet", L" a ", [](CString& s) { return Take(s, s.Trim(L"")); }, L" a ", 0}));

INSTANTIATE_TEST_SUITE_P(
    Change, EditTable,
    ::testing::Values(
        EditCase{"ReplaceGrows", L"aaa", [](CString& s) { return s.Replace(L"a", L"bb"); }, L"bbbbbb", 3},
        EditCase{"ReplaceShrinks", L"aaaa", [](CString& s) { return s.Replace(L"aa", L"a"); }, L"aa", 2},
        EditCase{"ReplaceNoOverlap", L"aaa", [](CString& s) { return s.Replace(L"aa", L"X"); }, L"Xa", 1},
        EditCase{"ReplaceEmptyOld", L"abc", [](CString& s) { return s.Replace(L"", L"x"); }, L"abc", 0},
        EditCase{"ReplaceNullNew", L"abcb", [](CString& s) { return s.Replace(L"b", nullptr); }, L"ac", 2},
        EditCase{"ReplaceAbsent", L"abc", [](CString& s) { return s.Replace(L"z", L"y"); }, L"abc", 0},
        EditCase{"ReplaceChar", L"a.b.c", [](CString& s) { return s.Replace(L'.', L','); }, L"a,b,c", 2},
        EditCase{"ReplaceCharBySelf", L"a.b", [](CString& s) { return s.Replace(L'.', L'.'); }, L"a.b", 0},
        EditCase{"Remove", L"a b  c", [](CString& s) { return s.Remove(L' '); }, L"abc", 3},
        EditCase{"RemoveAbsent", L"abc", [](CString& s) { return s.Remove(L'z'); }, L"abc", 0},
        EditCase{"InsertNegative", L"abc", [](CString& s) { return s.Insert(-3, L'x'); }, L"xabc", 4},
        EditCase{"InsertMiddle", L"abc", [](CString& s) { return s.Insert(1, L"XY"); }, L"aXYbc", 5},
        EditCase{"InsertBeyond", L"abc", [](CString& s) { return s.Insert(10, L"yz"); }, L"abcyz", 5},
        EditCase{"InsertEmpty", L"abc", [](CString& s) { return s.Insert(1, L""); }, L"abc", 3},
        EditCase{"InsertIntoEmpty", L"", [](CString& s) { return s.Insert(0, L'q'); }, L"q", 1},
        EditCase{"DeleteOne", L"abc", [](CString& s) { return s.Delete(1); }, L"ac", 2},
        EditCase{"DeleteBeyond", L"abc", [](CString& s) { return s.Delete(1, 10); }, L"a", 1},
        EditCase{"DeleteAtEnd", L"abc", [](CString& s) { return s.Delete(3, 1); }, L"abc", 3},
        EditCase{"DeleteNegativeIndex", L"abc", [](CString& s) { return s.Delete(-1, 1); }, L"bc", 2},
        EditCase{"DeleteNone", L"abc", [](CString& s) { return s.Delete(0, 0); }, L"abc", 3},
        EditCase{"DeleteNegativeCount", L"abc", [](CString& s) { return s.Delete(1, -1); }, L"abc", 3},
        EditCase{"MakeUpper", L"MiXed 1", [](CString& s) { return Take(s, s.MakeUpper()); }, L"MIXED 1", 0},
        EditCase{"MakeLower", L"MiXed 1", [](CString& s) { return Take(s, s.MakeLower()); }, L"mixed 1", 0},
        EditCase{"MakeReverse", L"abc", [](CString& s) { return Take(s, s.MakeReverse()); }, L"cba", 0}));

// ---- Buffers and BSTRs ----

TEST(CStringBuffer, ReleaseBufferTakesLengthUpToFirstNull) {
    CString s(L"xy");
    wchar_t* buffer = s.GetBuffer(10);
    ASSERT_NE(nullptr, buffer);
    EXPECT_EQ(L'x', buffer[0]);
    buffer[0] = L'h';
    buffer[1] = L'i';
    buffer[2] = L'!';
    buffer[3] = L'\0';
    buffer[9] = L'z';
    s.ReleaseBuffer();
    EXPECT_STREQ(L"hi!", s);
    EXPECT_EQ(3, s.GetLength());
}

TEST(CStringBuffer, ReleaseBufferWithLengthKeepsThatMany) {
    CString s;
    wchar_t* buffer = s.GetBuffer(4);
    buffer[0] = L'a';
    buffer[1] = L'\0';
    buffer[2] = L'c';
    s.ReleaseBuffer(3);
    EXPECT_EQ(3, s.GetLength());
    EXPECT_EQ(L'c', s[2]);
    s.GetBuffer()[0] = L'A';
    s.ReleaseBuffer(1);
    EXPECT_STREQ(L"A", s);
}

TEST(CStringBuffer, GetBufferSetLengthFixesTheLength) {
    CString s(L"abcdef");
    wchar_t* buffer = s.GetBufferSetLength(3);
    EXPECT_EQ(3, s.GetLength());
    buffer[2] = L'Z';
    EXPECT_STREQ(L"abZ", s);
    s.GetBufferSetLength(5);
    EXPECT_EQ(5, s.GetLength());
}

TEST(CStringBstr, AllocSysStringKeepsEveryCharacter) {
    CString s(L"a\0b", 3);
    BSTR b = s.AllocSysString();
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(3u, SysStringLen(b));
    EXPECT_EQ(L'b', b[2]);
    EXPECT_EQ(L'\0', b[3]);
    SysFreeString(b);
}

} // namespace
