#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>

#include "platform/base/FaultInjector.h"
#include "platform/oleaut/Bstr.h"

namespace {

DWORD StoredByteCount(BSTR text) {
    DWORD count = 0;
    std::memcpy(&count, reinterpret_cast<const char*>(text) - sizeof(DWORD), sizeof count);
    return count;
}

class BstrTest : public ::testing::Test {
protected:
    void TearDown() override { CFaultInjector::Instance().ClearAll(); }
};

struct AllocCase {
    const char* name;
    const wchar_t* source;
    UINT chars;
    std::wstring expected; // every character, embedded nulls included
};

// SysAllocStringLen copies exactly `chars` characters, nulls and all, and zero-fills
// when there is no source.
const AllocCase kAllocCases[] = {
    {"NullSourceNoCharsIsEmptyNotNull", nullptr, 0, std::wstring()},
    {"NullSourceGivesZeroedCharacters", nullptr, 3, std::wstring(3, L'\0')},
    {"PrefixOfLongerText", L"Test", 2, L"Te"},
    {"WholeText", L"Test", 4, L"Test"},
    {"EmbeddedNullsKept", L"a\0b\0c", 5, std::wstring(L"a\0b\0c", 5)},
    {"NonAscii", L"\u00e9\u4e2d\U0001F600", 3, L"\u00e9\u4e2d\U0001F600"},
};

void PrintTo(const AllocCase& c, std::ostream* out) {
    *out << c.name;
}

class SysAllocStringLenTest : public BstrTest, public ::testing::WithParamInterface<AllocCase> {};

TEST_P(SysAllocStringLenTest, CopiesCharactersWithByteCountAndTerminator) {
    const AllocCase& c = GetParam();
    BSTR text = SysAllocStringLen(c.source, c.chars);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(c.expected.size(), SysStringLen(text));
    EXPECT_EQ(c.expected.size() * sizeof(wchar_t), SysStringByteLen(text));
    EXPECT_EQ(c.expected.size() * sizeof(wchar_t), StoredByteCount(text));
    EXPECT_EQ(c.expected, std::wstring(text, SysStringLen(text)));
    EXPECT_EQ(L'\0', text[c.chars]);
    SysFreeString(text);
}

INSTANTIATE_TEST_SUITE_P(Cases, SysAllocStringLenTest, ::testing::ValuesIn(kAllocCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BstrTest, SysAllocStringOfNullIsNull) {
    EXPECT_EQ(nullptr, SysAllocString(nullptr));
}

TEST_F(BstrTest, SysAllocStringStopsAtTheFirstNullAndIsPointerAligned) {
    BSTR text = SysAllocString(L"Test\0tail");
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(4u, SysStringLen(text));
    EXPECT_EQ(16u, StoredByteCount(text));
    EXPECT_STREQ(L"Test", text);
    EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(text) % sizeof(void*));
    SysFreeString(text);
}

TEST_F(BstrTest, LengthsOfNullAreZeroAndFreeingNullIsHarmless) {
    EXPECT_EQ(0u, SysStringLen(nullptr));
    EXPECT_EQ(0u, SysStringByteLen(nullptr));
    SysFreeString(nullptr);
}

TEST_F(BstrTest, SysReAllocStringReplacesTheStringEvenFromItsOwnCharacters) {
    BSTR text = SysAllocString(L"Hello world");
    ASSERT_EQ(TRUE, SysReAllocString(&text, text + 6));
    EXPECT_STREQ(L"world", text);
    EXPECT_EQ(5u, SysStringLen(text));
    ASSERT_EQ(TRUE, SysReAllocString(&text, nullptr));
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(FALSE, SysReAllocString(nullptr, L"x"));
}

TEST_F(BstrTest, InjectedAllocationFailuresGiveNull) {
    CFaultInjector& faults = CFaultInjector::Instance();
    faults.Inject("SysAllocString", 0);
    EXPECT_EQ(nullptr, SysAllocString(L"x"));
    faults.Inject("SysAllocStringLen", 0, /*skip=*/0, /*count=*/2);
    EXPECT_EQ(nullptr, SysAllocStringLen(L"x", 1));
    EXPECT_EQ(nullptr, SysAllocStringLen(nullptr, 0));
}

TEST_F(BstrTest, FailedReAllocationKeepsTheOldString) {
    BSTR text = SysAllocString(L"old");
    CFaultInjector::Instance().Inject("SysAllocString", 0);
    EXPECT_EQ(FALSE, SysReAllocString(&text, L"new"));
    EXPECT_STREQ(L"old", text);
    SysFreeString(text);
}

} // namespace
