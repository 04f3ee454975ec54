#include <gtest/gtest.h>

#include "logger/AopLogCapture.h"
#include "platform/oleaut/Bstr.h"
#include "profile/values/SafeArray.h"
#include "profile/values/Strings.h"

namespace {

std::vector<std::wstring> Items(const CStrings& list) {
    std::vector<std::wstring> items;
    for (int i = 0; i < list.GetCount(); ++i)
        items.emplace_back(static_cast<const wchar_t*>(list[i]));
    return items;
}

TEST(Strings, CutFromDelimitedTextSkippingEmptyPieces) {
    const struct {
        const wchar_t* text;
        std::vector<std::wstring> expected;
    } cases[] = {
        {L"a;;b;", {L"a", L"b"}},
        {L";x", {L"x"}},
        {L"", {}},
        {L";;;", {}},
        {L"one", {L"one"}},
        {L"Tot1;Tot2;Tot3", {L"Tot1", L"Tot2", L"Tot3"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Items(CStrings(CString(c.text), L';'))) << c.text;
}

TEST(Strings, FromSafeArrays) {
    CAopLogCapture log;
    CSafeArray names(VT_BSTR, 1, 0);
    for (const wchar_t* name : {L"Unit", L"Total"}) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(name);
        names.Add(v);
        VariantClear(&v);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Unit", L"Total"}), Items(CStrings(names)));
    EXPECT_TRUE(CStrings(CSafeArray(VT_BSTR, 0, 0)).IsEmpty());
    EXPECT_TRUE(log.Messages().empty());

    EXPECT_TRUE(CStrings(CSafeArray(VT_I4, 0, 2)).IsEmpty());
    ASSERT_EQ(1u, log.Records().size());
    EXPECT_EQ(L"Cannot copy construct a CStrings object from a non-BSTR safearray.",
              log.Records()[0].message);
    EXPECT_EQ(L"CStrings::CStrings", log.Records()[0].function);
}

TEST(Strings, IndexingLogsEmptyAndOutOfRange) {
    CAopLogCapture log;
    CStrings list;
    EXPECT_EQ(CString(), list[0]);
    CString out(L"kept");
    EXPECT_EQ(FALSE, list.GetAt(0, out));
    EXPECT_EQ(CString(L"kept"), out);
    list.AddUnique(L"a");
    EXPECT_EQ(CString(), list[-1]);
    EXPECT_EQ(CString(), list[1]);
    EXPECT_EQ(CString(L"a"), list[0]);
    ASSERT_EQ(4u, log.Records().size());
    EXPECT_EQ(L"CStrings container is empty.", log.Records()[0].message);
    EXPECT_EQ(L"CStrings::operator []", log.Records()[0].function);
    EXPECT_EQ(L"Index out of range.", log.Records()[1].message);
    EXPECT_EQ(L"CStrings::GetAt", log.Records()[1].function);
    EXPECT_EQ(L"Index out of range.", log.Records()[3].message);
}

TEST(Strings, EditingAndSearching) {
    CStrings list;
    EXPECT_EQ(S_OK, list.AddUnique(L"Tot"));
    EXPECT_EQ(S_OK, list.AddUnique(L"tot")) << "names compare case-sensitively";
    EXPECT_EQ(E_INVALIDARG, list.AddUnique(L"Tot"));
    EXPECT_TRUE(list.Insert(L"First", 0));
    EXPECT_TRUE(list.Insert(L"Last", 99));
    EXPECT_EQ((std::vector<std::wstring>{L"First", L"Tot", L"tot", L"Last"}), Items(list));
    int index = -1;
    EXPECT_TRUE(list.Find(L"tot", &index));
    EXPECT_EQ(2, index);
    EXPECT_FALSE(list.Contains(L"TOT"));
    EXPECT_FALSE(list.RemoveAt(4));
    EXPECT_TRUE(list.RemoveAt(1));
    CString joined;
    list.Join(&joined, L".");
    EXPECT_EQ(CString(L"First.tot.Last"), joined);
    CStrings copy = list;
    EXPECT_TRUE(copy == list);
    copy.RemoveAll();
    EXPECT_FALSE(copy == list);
}

} // namespace
