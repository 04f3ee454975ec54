#include <gtest/gtest.h>

#include "logger/AopLogCapture.h"
#include "platform/base/FaultInjector.h"
#include "platform/oleaut/Bstr.h"
#include "profile/values/SafeArray.h"

namespace {

VARIANT I4(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

// Owns a BSTR VARIANT for the test's lifetime.
struct Text {
    explicit Text(const wchar_t* text) {
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(text);
    }
    ~Text() { VariantClear(&v); }
    VARIANT v;
};

class SafeArrayTest : public ::testing::Test {
protected:
    void TearDown() override { CFaultInjector::Instance().ClearAll(); }
    std::wstring LastMessage() const {
        const auto messages = log.Messages();
        return messages.empty() ? L"<nothing logged>" : messages.back();
    }
    CAopLogCapture log;
};

TEST_F(SafeArrayTest, AddKeepsTheLowerBoundAndRefusesAnotherType) {
    CSafeArray array(VT_BSTR, 1, 0);
    Text first(L"Volume");
    ASSERT_EQ(S_OK, array.Add(first.v));
    EXPECT_EQ(1u, array.GetCount());
    EXPECT_EQ(1, array.GetBeginIndex());
    VARIANT element = array.Get(1);
    EXPECT_EQ(VT_BSTR, element.vt);
    EXPECT_STREQ(L"Volume", element.bstrVal);
    VariantClear(&element);

    EXPECT_EQ(E_INVALIDARG, array.Add(I4(5)));
    EXPECT_EQ(1u, array.GetCount());
    EXPECT_EQ(std::vector<std::wstring>{L"Element type and safearray type are incompatible."},
              log.Messages());
    EXPECT_EQ(L"CSafeArray::Set", log.Records()[0].function);
}

TEST_F(SafeArrayTest, IndexesAndCounts) {
    const struct {
        LONG lower;
        ULONG count;
        LONG begin;
        LONG end;
        BOOL empty;
    } cases[] = {{1, 3, 1, 4, FALSE}, {0, 0, 0, 0, TRUE}, {42, 0, 0, 0, TRUE}, {-2, 2, -2, 0, FALSE}};
    for (const auto& c : cases) {
        CSafeArray array(VT_I4, c.lower, c.count);
        EXPECT_EQ(c.begin, array.GetBeginIndex()) << c.lower << "/" << c.count;
        EXPECT_EQ(c.end, array.GetEndIndex()) << c.lower << "/" << c.count;
        EXPECT_EQ(c.empty, array.IsEmpty());
    }
    CSafeArray unattached;
    EXPECT_EQ(0u, unattached.GetCount());
    EXPECT_TRUE(unattached.IsEmpty());
}

TEST_F(SafeArrayTest, CreateRefusesFlaggedAndEmptyTypes) {
    for (VARTYPE bad : {static_cast<VARTYPE>(VT_ARRAY | VT_I4), static_cast<VARTYPE>(VT_BYREF | VT_I4),
                        static_cast<VARTYPE>(VT_EMPTY), static_cast<VARTYPE>(VT_NULL)}) {
        CSafeArray array(VT_I4, 0, 2);
        EXPECT_EQ(FALSE, array.Create(bad, 0, 1)) << bad;
        EXPECT_EQ(2u, array.GetCount()) << "the held array stays";
    }
    EXPECT_EQ(4u, log.Messages().size());
    EXPECT_EQ(L"Invalid variant type.", log.Messages()[0]);
    CFaultInjector::Instance().Inject("SafeArrayCreateVector", 0);
    CSafeArray failed(VT_I4, 0, 1);
    EXPECT_FALSE(failed.IsAttached());
    EXPECT_EQ(L"Failed to create safearray.", LastMessage());
}

TEST_F(SafeArrayTest, GetAndSetRules) {
    CSafeArray unattached;
    VARIANT none = unattached.Get(0);
    EXPECT_EQ(VT_EMPTY, none.vt);
    EXPECT_EQ(E_UNEXPECTED, unattached.Set(0, I4(1)));
    EXPECT_EQ(L"Trying to get an element from an unattached CSafeArray.", LastMessage());

    CSafeArray numbers(VT_I4, 0, 2);
    VARIANT empty;
    VariantInit(&empty);
    EXPECT_EQ(E_INVALIDARG, numbers.Set(0, empty));
    EXPECT_EQ(L"Assigning an element of type VT_EMPTY is not supported.", LastMessage());
    ASSERT_EQ(S_OK, numbers.Set(1, I4(77)));
    VARIANT read = numbers.Get(1);
    EXPECT_EQ(VT_I4, read.vt);
    EXPECT_EQ(77, read.lVal);
    VARIANT outside = numbers.Get(5);
    EXPECT_EQ(VT_EMPTY, outside.vt);
    EXPECT_EQ(L"Failed to get safearray element.", LastMessage());
    EXPECT_EQ(DISP_E_BADINDEX, numbers.Set(5, I4(1)));
    EXPECT_EQ(L"Failed to set CSafeArray element.", LastMessage());

    CSafeArray variants(VT_VARIANT, 0, 1);
    Text text(L"any type goes in");
    ASSERT_EQ(S_OK, variants.Set(0, text.v));
    VARIANT back = variants.Get(0);
    EXPECT_EQ(VT_BSTR, back.vt);
    EXPECT_STREQ(L"any type goes in", back.bstrVal);
    VariantClear(&back);

    CSafeArray errors(VT_ERROR, 0, 1);
    VARIANT unsupported = errors.Get(0);
    EXPECT_EQ(VT_I4, unsupported.vt);
    EXPECT_EQ(E_FAIL, unsupported.lVal);
    EXPECT_EQ(L"Unsupported variant type.", LastMessage());
}

TEST_F(SafeArrayTest, CopiesAreDeepAndAssignmentReplaces) {
    CSafeArray original(VT_BSTR, 0, 0);
    Text a(L"a");
    original.Add(a.v);
    CSafeArray copy(original);
    CSafeArray assigned(VT_I4, 0, 5);
    assigned = original;
    assigned = assigned;
    for (CSafeArray* array : {&copy, &assigned}) {
        ASSERT_NE(original.GetSafeArray(), array->GetSafeArray());
        VARIANT element = array->Get(0);
        EXPECT_STREQ(L"a", element.bstrVal);
        VariantClear(&element);
    }
    CFaultInjector::Instance().Inject("SafeArrayCopy", E_OUTOFMEMORY);
    CSafeArray failed(original);
    EXPECT_FALSE(failed.IsAttached());
    EXPECT_EQ(L"Failed to copy safearray.", LastMessage());
}

TEST_F(SafeArrayTest, AddFailuresLeaveTheArrayAsItWas) {
    CSafeArray array(VT_I4, 3, 1);
    CFaultInjector::Instance().Inject("SafeArrayRedim", E_OUTOFMEMORY);
    EXPECT_EQ(E_FAIL, array.Add(I4(1)));
    EXPECT_EQ(L"Failed to redimension SAFEARRAY", LastMessage());
    EXPECT_EQ(1u, array.GetCount());
    CFaultInjector::Instance().Inject("SafeArrayPutElement", DISP_E_BADINDEX);
    EXPECT_EQ(DISP_E_BADINDEX, array.Add(I4(1)));
    EXPECT_EQ(1u, array.GetCount());
}

TEST_F(SafeArrayTest, AppendMatchesTypesAndAddsInOrder) {
    CSafeArray target(VT_I4, 1, 0);
    target.Add(I4(1));
    CSafeArray source(VT_I4, 10, 0);
    source.Add(I4(2));
    source.Add(I4(3));
    ASSERT_EQ(S_OK, target.Append(source));
    ASSERT_EQ(3u, target.GetCount());
    for (LONG i = 1; i <= 3; ++i)
        EXPECT_EQ(i, target.Get(i).lVal);
    EXPECT_EQ(S_OK, target.Append(CSafeArray()));
    EXPECT_EQ(E_FAIL, target.Append(CSafeArray(VT_BSTR, 0, 1)));
    EXPECT_EQ(L"Cannot append SAFEARRAY, type mismatch", LastMessage());
    EXPECT_EQ(E_UNEXPECTED, CSafeArray().Append(source));
}

} // namespace
