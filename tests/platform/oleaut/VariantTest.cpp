#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "platform/base/FaultInjector.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/SafeArray.h"
#include "platform/oleaut/Variant.h"
#include "tests/platform/oleaut/CountingUnknown.h"
#include "tests/platform/oleaut/ScopedVariant.h"

namespace {

// PutElement takes a BSTR (its length comes from the count before it), not a literal.
HRESULT PutString(SAFEARRAY* psa, LONG* indices, const wchar_t* text) {
    BSTR value = SysAllocString(text);
    const HRESULT hr = SafeArrayPutElement(psa, indices, value);
    SysFreeString(value);
    return hr;
}

class VariantTest : public ::testing::Test {
protected:
    void TearDown() override { CFaultInjector::Instance().ClearAll(); }
};

TEST_F(VariantTest, InitSetsEmpty) {
    VARIANT v;
    v.vt = VT_I4;
    VariantInit(&v);
    EXPECT_EQ(VT_EMPTY, v.vt);
}

// What VariantClear does with each kind of value: owned things are released exactly
// once, by-reference values own nothing, and the VARIANT ends VT_EMPTY.
struct ClearCase {
    const char* name;
    VARTYPE vt;
    LONG refsAfter; // of the counting object the VARIANT refers to
};

const ClearCase kClearCases[] = {
    {"UnknownIsReleasedOnce", VT_UNKNOWN, 1},
    {"DispatchIsReleasedOnce", VT_DISPATCH, 1},
    {"ByRefUnknownIsNotReleased", VT_UNKNOWN | VT_BYREF, 2},
};

void PrintTo(const ClearCase& c, std::ostream* out) {
    *out << c.name;
}

class VariantClearInterfaceTest : public VariantTest, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(VariantClearInterfaceTest, ReleasesAsTheTypeSays) {
    CCountingUnknown object;
    IUnknown* unknown = &object;
    unknown->AddRef(); // the reference the VARIANT holds
    VARIANT v;
    v.vt = GetParam().vt;
    if (v.vt & VT_BYREF)
        v.ppunkVal = &unknown;
    else
        v.punkVal = unknown;
    EXPECT_EQ(S_OK, VariantClear(&v));
    EXPECT_EQ(VT_EMPTY, v.vt);
    EXPECT_EQ(GetParam().refsAfter, object.Refs());
}

INSTANTIATE_TEST_SUITE_P(Cases, VariantClearInterfaceTest, ::testing::ValuesIn(kClearCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(VariantTest, ClearFreesStringsAndArrays) {
    // LeakSanitizer fails the run if either stays allocated.
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"owned");
    EXPECT_EQ(S_OK, VariantClear(&text));
    EXPECT_EQ(VT_EMPTY, text.vt);

    VARIANT array;
    array.vt = VT_ARRAY | VT_BSTR;
    array.parray = SafeArrayCreateVector(VT_BSTR, 0, 2);
    LONG index = 1;
    ASSERT_EQ(S_OK, PutString(array.parray, &index, L"element"));
    EXPECT_EQ(S_OK, VariantClear(&array));
    EXPECT_EQ(VT_EMPTY, array.vt);
}

TEST_F(VariantTest, ClearRefusesInvalidTypesAndLockedArraysLeavingTheVariant) {
    const VARTYPE invalid[] = {
        15, VT_EMPTY | VT_BYREF, VT_NULL | VT_ARRAY, VT_VARIANT, VT_I4 | VT_VECTOR, VT_RECORD, VT_DECIMAL};
    for (VARTYPE vt : invalid) {
        VARIANT v;
        v.vt = vt;
        EXPECT_EQ(DISP_E_BADVARTYPE, VariantClear(&v)) << "vt " << vt;
        EXPECT_EQ(vt, v.vt);
    }

    CScopedVariant locked;
    locked.v.vt = VT_ARRAY | VT_I4;
    locked.v.parray = SafeArrayCreateVector(VT_I4, 0, 1);
    ASSERT_EQ(S_OK, SafeArrayLock(locked.v.parray));
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, VariantClear(&locked.v));
    EXPECT_EQ(VT_ARRAY | VT_I4, locked.v.vt);
    ASSERT_EQ(S_OK, SafeArrayUnlock(locked.v.parray));
}

TEST_F(VariantTest, CopyMakesANewStringWithEmbeddedNulls) {
    CScopedVariant source, copy;
    source.v.vt = VT_BSTR;
    source.v.bstrVal = SysAllocStringLen(L"a\0b", 3);
    ASSERT_EQ(S_OK, VariantCopy(&copy.v, &source.v));
    ASSERT_EQ(VT_BSTR, copy.v.vt);
    EXPECT_NE(source.v.bstrVal, copy.v.bstrVal);
    EXPECT_EQ(std::wstring(L"a\0b", 3), std::wstring(copy.v.bstrVal, SysStringLen(copy.v.bstrVal)));
}

TEST_F(VariantTest, CopyAddRefsInterfacesAndReleasesWhatTheDestinationHeld) {
    CCountingUnknown first, second;
    CScopedVariant source, destination;
    first.AddRef();
    source.v.vt = VT_UNKNOWN;
    source.v.punkVal = &first;
    second.AddRef();
    destination.v.vt = VT_UNKNOWN;
    destination.v.punkVal = &second;

    ASSERT_EQ(S_OK, VariantCopy(&destination.v, &source.v));
    EXPECT_EQ(3, first.Refs());
    EXPECT_EQ(1, second.Refs());
    EXPECT_EQ(&first, destination.v.punkVal);

    ASSERT_EQ(S_OK, VariantCopy(&source.v, &source.v)); // itself: nothing happens
    EXPECT_EQ(3, first.Refs());
}

TEST_F(VariantTest, CopyOfAnArrayIsDeep) {
    CCountingUnknown object;
    CScopedVariant source, copy;
    source.v.vt = VT_ARRAY | VT_VARIANT;
    source.v.parray = SafeArrayCreateVector(VT_VARIANT, 3, 2);
    CScopedVariant text, unknown;
    text.v.vt = VT_BSTR;
    text.v.bstrVal = SysAllocString(L"deep");
    object.AddRef();
    unknown.v.vt = VT_UNKNOWN;
    unknown.v.punkVal = &object;
    LONG index = 3;
    ASSERT_EQ(S_OK, SafeArrayPutElement(source.v.parray, &index, &text.v));
    index = 4;
    ASSERT_EQ(S_OK, SafeArrayPutElement(source.v.parray, &index, &unknown.v));
    EXPECT_EQ(3, object.Refs());

    ASSERT_EQ(S_OK, VariantCopy(&copy.v, &source.v));
    ASSERT_EQ(VT_ARRAY | VT_VARIANT, copy.v.vt);
    ASSERT_NE(source.v.parray, copy.v.parray);
    EXPECT_EQ(4, object.Refs());
    LONG lower = 0;
    ASSERT_EQ(S_OK, SafeArrayGetLBound(copy.v.parray, 1, &lower));
    EXPECT_EQ(3, lower);
    const VARIANT* original = static_cast<const VARIANT*>(source.v.parray->pvData);
    const VARIANT* copied = static_cast<const VARIANT*>(copy.v.parray->pvData);
    EXPECT_NE(original[0].bstrVal, copied[0].bstrVal);
    EXPECT_STREQ(L"deep", copied[0].bstrVal);
}

TEST_F(VariantTest, CopyOfAByRefValueCopiesThePointer) {
    LONG value = 7;
    CScopedVariant source, copy;
    source.v.vt = VT_I4 | VT_BYREF;
    source.v.plVal = &value;
    ASSERT_EQ(S_OK, VariantCopy(&copy.v, &source.v));
    EXPECT_EQ(VT_I4 | VT_BYREF, copy.v.vt);
    EXPECT_EQ(&value, copy.v.plVal);
}

TEST_F(VariantTest, CopyOfAnInvalidTypeLeavesTheDestinationAlone) {
    CScopedVariant source, destination;
    source.v.vt = 15;
    destination.v.vt = VT_BSTR;
    destination.v.bstrVal = SysAllocString(L"kept");
    EXPECT_EQ(DISP_E_BADVARTYPE, VariantCopy(&destination.v, &source.v));
    EXPECT_STREQ(L"kept", destination.v.bstrVal);
    source.v.vt = VT_EMPTY;
}

// Every allocation a copy makes can fail; the copy then reports E_OUTOFMEMORY,
// leaves the destination empty and leaks nothing.
TEST_F(VariantTest, CopySurvivesEachFailingAllocation) {
    CScopedVariant source;
    source.v.vt = VT_ARRAY | VT_BSTR;
    source.v.parray = SafeArrayCreateVector(VT_BSTR, 0, 3);
    for (LONG i = 0; i < 3; ++i)
        ASSERT_EQ(S_OK, PutString(source.v.parray, &i, L"text"));

    const char* const allocations[] = {"SafeArrayCopy", "SafeArrayCreate", "SysAllocStringLen"};
    for (const char* allocation : allocations) {
        for (int skip = 0;; ++skip) {
            CFaultInjector::Instance().ClearAll();
            CFaultInjector::Instance().Inject(allocation, E_OUTOFMEMORY, skip);
            CScopedVariant copy;
            const HRESULT hr = VariantCopy(&copy.v, &source.v);
            if (hr == S_OK) {
                EXPECT_EQ(VT_ARRAY | VT_BSTR, copy.v.vt);
                break;
            }
            EXPECT_EQ(E_OUTOFMEMORY, hr) << allocation << " skip " << skip;
            EXPECT_EQ(VT_EMPTY, copy.v.vt);
            ASSERT_LT(skip, 10);
        }
    }
}

} // namespace
