#include <gtest/gtest.h>

#include <map>

#include "platform/oleaut/BstrT.h"

namespace {

TEST(BstrT, OrdersByCodeUnitWithPrefixesFirst) {
    const struct {
        const wchar_t* a;
        const wchar_t* b;
        int expected;
    } cases[] = {
        {L"1", L"10", -1}, {L"10", L"1", 1},  {L"*", L"1", -1},  {L"B", L"a", -1},
        {L"", L"a", -1},   {L"ab", L"ab", 0}, {nullptr, L"", 0}, {L"a\xE4", L"az", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, _bstr_t(c.a).Compare(_bstr_t(c.b))) << (c.a ? c.a : L"(null)") << " vs " << c.b;
    }
    std::map<_bstr_t, int> pages{{L"10", 2}, {L"*", 0}, {L"1", 1}};
    std::wstring order;
    for (const auto& [key, value] : pages)
        order += std::wstring(key) + L",";
    EXPECT_EQ(L"*,1,10,", order);
}

TEST(BstrT, OwnershipAndCopies) {
    BSTR raw = SysAllocString(L"help.chm");
    _bstr_t owner(raw, false);
    EXPECT_EQ(raw, owner.GetBSTR());
    _bstr_t copied(raw, true);
    EXPECT_NE(raw, copied.GetBSTR());
    EXPECT_TRUE(owner == copied);
    _bstr_t moved(std::move(copied));
    EXPECT_EQ(nullptr, copied.GetBSTR());
    EXPECT_EQ(8u, moved.length());
    BSTR detached = moved.Detach();
    EXPECT_TRUE(!moved);
    SysFreeString(detached);

    _bstr_t out(L"old");
    BSTR* slot = out.GetAddress();
    EXPECT_EQ(nullptr, *slot) << "the old text is freed before the slot is handed out";
    *slot = SysAllocString(L"new");
    EXPECT_EQ(std::wstring(L"new"), std::wstring(out));
}

TEST(BstrT, ConcatenationAndNarrowText) {
    _bstr_t text("Gr\xC3\xB6\xC3\x9F"
                 "e");
    EXPECT_EQ(std::wstring(L"Gr\xF6\xDF"
                           L"e"),
              std::wstring(text));
    text += _bstr_t(L" 1");
    EXPECT_EQ(std::wstring(L"Gr\xF6\xDF"
                           L"e 1"),
              std::wstring(text));
    EXPECT_EQ(std::wstring(L"ab"), std::wstring(_bstr_t(L"a") + _bstr_t(L"b")));
    EXPECT_TRUE(!_bstr_t());
    EXPECT_TRUE(!_bstr_t(L""));
}

} // namespace
