#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/SafeArray.h"
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

class SafeArrayTest : public ::testing::Test {
protected:
    void TearDown() override { CFaultInjector::Instance().ClearAll(); }
};

// What SafeArrayCreate makes of each element type.
struct CreateCase {
    VARTYPE vt;
    UINT elementSize;
    USHORT features;
};

const CreateCase kCreateCases[] = {
    {VT_I1, 1, FADF_HAVEVARTYPE},
    {VT_UI1, 1, FADF_HAVEVARTYPE},
    {VT_I2, 2, FADF_HAVEVARTYPE},
    {VT_UI2, 2, FADF_HAVEVARTYPE},
    {VT_BOOL, 2, FADF_HAVEVARTYPE},
    {VT_I4, 4, FADF_HAVEVARTYPE},
    {VT_UI4, 4, FADF_HAVEVARTYPE},
    {VT_INT, 4, FADF_HAVEVARTYPE},
    {VT_UINT, 4, FADF_HAVEVARTYPE},
    {VT_R4, 4, FADF_HAVEVARTYPE},
    {VT_ERROR, 4, FADF_HAVEVARTYPE},
    {VT_I8, 8, FADF_HAVEVARTYPE},
    {VT_UI8, 8, FADF_HAVEVARTYPE},
    {VT_R8, 8, FADF_HAVEVARTYPE},
    {VT_DATE, 8, FADF_HAVEVARTYPE},
    {VT_BSTR, 8, FADF_HAVEVARTYPE | FADF_BSTR},
    {VT_VARIANT, 24, FADF_HAVEVARTYPE | FADF_VARIANT},
    {VT_UNKNOWN, 8, FADF_HAVEIID | FADF_UNKNOWN},
    {VT_DISPATCH, 8, FADF_HAVEIID | FADF_DISPATCH},
};

void PrintTo(const CreateCase& c, std::ostream* out) {
    *out << "vt " << c.vt;
}

class SafeArrayCreateTest : public SafeArrayTest, public ::testing::WithParamInterface<CreateCase> {};

TEST_P(SafeArrayCreateTest, GivesElementSizeFeaturesAndVartype) {
    const CreateCase& c = GetParam();
    SAFEARRAYBOUND bounds[] = {{2, 1}, {3, -1}};
    for (SAFEARRAY* psa : {SafeArrayCreate(c.vt, 2, bounds), SafeArrayCreateVector(c.vt, 0, 4)}) {
        ASSERT_NE(nullptr, psa);
        EXPECT_EQ(c.elementSize, SafeArrayGetElemsize(psa));
        EXPECT_EQ(c.features, psa->fFeatures);
        EXPECT_EQ(0u, psa->cLocks);
        VARTYPE vt = VT_EMPTY;
        ASSERT_EQ(S_OK, SafeArrayGetVartype(psa, &vt));
        EXPECT_EQ(c.vt, vt);
        // Every element starts zeroed.
        const std::vector<char> zeros(4 * c.elementSize, 0);
        EXPECT_EQ(0, std::memcmp(psa->pvData, zeros.data(), 4 * c.elementSize));
        EXPECT_EQ(S_OK, SafeArrayDestroy(psa));
    }
}

INSTANTIATE_TEST_SUITE_P(Types, SafeArrayCreateTest, ::testing::ValuesIn(kCreateCases));

TEST_F(SafeArrayTest, CreateRefusesTypesThatCannotBeElementsAndZeroDimensions) {
    SAFEARRAYBOUND bound{1, 0};
    for (VARTYPE vt : std::vector<VARTYPE>{VT_EMPTY, VT_NULL, VT_DECIMAL, VT_RECORD, VT_ARRAY | VT_I4,
                                           VT_I4 | VT_BYREF, 15})
        EXPECT_EQ(nullptr, SafeArrayCreate(vt, 1, &bound)) << vt;
    EXPECT_EQ(nullptr, SafeArrayCreate(VT_I4, 0, &bound));
    EXPECT_EQ(nullptr, SafeArrayCreate(VT_I4, 1, nullptr));
    EXPECT_EQ(nullptr, SafeArrayCreateVector(VT_EMPTY, 0, 1));
}

TEST_F(SafeArrayTest, InjectedCreateFailuresGiveNull) {
    SAFEARRAYBOUND bound{1, 0};
    CFaultInjector::Instance().Inject("SafeArrayCreate", E_OUTOFMEMORY);
    EXPECT_EQ(nullptr, SafeArrayCreate(VT_I4, 1, &bound));
    CFaultInjector::Instance().Inject("SafeArrayCreateVector", E_OUTOFMEMORY);
    EXPECT_EQ(nullptr, SafeArrayCreateVector(VT_I4, 0, 1));
}

// Bounds of a 3-dimensional array created with (2 from 1), (0 from 42), (3 from -5).
struct BoundCase {
    UINT dim;
    HRESULT result;
    LONG lower;
    LONG upper;
};

const BoundCase kBoundCases[] = {
    {1, S_OK, 1, 2},   {2, S_OK, 42, 41}, // an empty dimension ends one below where it starts
    {3, S_OK, -5, -3}, {0, DISP_E_BADINDEX, 0, 0}, {4, DISP_E_BADINDEX, 0, 0},
};

void PrintTo(const BoundCase& c, std::ostream* out) {
    *out << "dimension " << c.dim;
}

class SafeArrayBoundTest : public SafeArrayTest, public ::testing::WithParamInterface<BoundCase> {};

TEST_P(SafeArrayBoundTest, AnswersPerDimensionCountingFromOne) {
    const BoundCase& c = GetParam();
    SAFEARRAYBOUND bounds[] = {{2, 1}, {0, 42}, {3, -5}};
    SAFEARRAY* psa = SafeArrayCreate(VT_I4, 3, bounds);
    ASSERT_NE(nullptr, psa);
    EXPECT_EQ(3u, SafeArrayGetDim(psa));
    LONG lower = 1000, upper = 1000;
    EXPECT_EQ(c.result, SafeArrayGetLBound(psa, c.dim, &lower));
    EXPECT_EQ(c.result, SafeArrayGetUBound(psa, c.dim, &upper));
    if (SUCCEEDED(c.result)) {
        EXPECT_EQ(c.lower, lower);
        EXPECT_EQ(c.upper, upper);
    } else {
        EXPECT_EQ(1000, lower);
        EXPECT_EQ(1000, upper);
    }
    EXPECT_EQ(S_OK, SafeArrayDestroy(psa));
}

INSTANTIATE_TEST_SUITE_P(Dimensions, SafeArrayBoundTest, ::testing::ValuesIn(kBoundCases));

TEST_F(SafeArrayTest, BoundsAreStoredLastDimensionFirst) {
    SAFEARRAYBOUND bounds[] = {{2, 1}, {5, 10}};
    SAFEARRAY* psa = SafeArrayCreate(VT_I4, 2, bounds);
    EXPECT_EQ(5u, psa->rgsabound[0].cElements);
    EXPECT_EQ(10, psa->rgsabound[0].lLbound);
    EXPECT_EQ(2u, psa->rgsabound[1].cElements);
    EXPECT_EQ(1, psa->rgsabound[1].lLbound);
    SafeArrayDestroy(psa);
}

// Indices into a (3 from 1) x (2 from 10) array.
struct IndexCase {
    LONG first;
    LONG second;
    HRESULT result;
};

const IndexCase kIndexCases[] = {
    {1, 10, S_OK},
    {3, 11, S_OK},
    {2, 10, S_OK},
    {0, 10, DISP_E_BADINDEX},
    {4, 10, DISP_E_BADINDEX},
    {1, 9, DISP_E_BADINDEX},
    {1, 12, DISP_E_BADINDEX},
    {-2147483647 - 1, 10, DISP_E_BADINDEX},
};

void PrintTo(const IndexCase& c, std::ostream* out) {
    *out << "(" << c.first << ", " << c.second << ")";
}

class SafeArrayIndexTest : public SafeArrayTest, public ::testing::WithParamInterface<IndexCase> {};

TEST_P(SafeArrayIndexTest, GetAndPutCheckEveryIndex) {
    const IndexCase& c = GetParam();
    SAFEARRAYBOUND bounds[] = {{3, 1}, {2, 10}};
    SAFEARRAY* psa = SafeArrayCreate(VT_I4, 2, bounds);
    LONG indices[] = {c.first, c.second};
    LONG value = 77;
    EXPECT_EQ(c.result, SafeArrayPutElement(psa, indices, &value));
    LONG read = 0;
    EXPECT_EQ(c.result, SafeArrayGetElement(psa, indices, &read));
    if (SUCCEEDED(c.result)) {
        EXPECT_EQ(77, read);
    }
    EXPECT_EQ(S_OK, SafeArrayDestroy(psa));
}

INSTANTIATE_TEST_SUITE_P(Indices, SafeArrayIndexTest, ::testing::ValuesIn(kIndexCases));

TEST_F(SafeArrayTest, TheFirstDimensionVariesFastestInTheData) {
    SAFEARRAYBOUND bounds[] = {{3, 1}, {2, 10}};
    SAFEARRAY* psa = SafeArrayCreate(VT_I2, 2, bounds);
    for (LONG j = 10; j <= 11; ++j)
        for (LONG i = 1; i <= 3; ++i) {
            LONG indices[] = {i, j};
            SHORT value = static_cast<SHORT>(100 * i + j);
            ASSERT_EQ(S_OK, SafeArrayPutElement(psa, indices, &value));
        }
    void* data = nullptr;
    ASSERT_EQ(S_OK, SafeArrayAccessData(psa, &data));
    const SHORT* values = static_cast<const SHORT*>(data);
    EXPECT_EQ((std::vector<SHORT>{110, 210, 310, 111, 211, 311}), std::vector<SHORT>(values, values + 6));
    ASSERT_EQ(S_OK, SafeArrayUnaccessData(psa));
    SafeArrayDestroy(psa);
}

TEST_F(SafeArrayTest, StringsArePutAndGotAsCopies) {
    SAFEARRAY* psa = SafeArrayCreateVector(VT_BSTR, 0, 2);
    LONG index = 1;
    BSTR original = SysAllocStringLen(L"x\0y", 3);
    ASSERT_EQ(S_OK, SafeArrayPutElement(psa, &index, original));
    BSTR stored = static_cast<BSTR*>(psa->pvData)[1];
    EXPECT_NE(original, stored);
    SysFreeString(original); // the array's copy lives on

    BSTR got = nullptr;
    ASSERT_EQ(S_OK, SafeArrayGetElement(psa, &index, &got));
    EXPECT_NE(stored, got);
    EXPECT_EQ(std::wstring(L"x\0y", 3), std::wstring(got, SysStringLen(got)));
    SysFreeString(got);

    // Replacing an element frees the old string (LeakSanitizer would see it otherwise).
    ASSERT_EQ(S_OK, PutString(psa, &index, L"second"));
    index = 0;
    ASSERT_EQ(S_OK, SafeArrayGetElement(psa, &index, &got));
    EXPECT_EQ(nullptr, got); // a never-set element is a null string
    EXPECT_EQ(S_OK, SafeArrayDestroy(psa));
}

TEST_F(SafeArrayTest, InterfacesAreAddRefedAndReleased) {
    CCountingUnknown first, second;
    SAFEARRAY* psa = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
    LONG index = 0;
    ASSERT_EQ(S_OK, SafeArrayPutElement(psa, &index, static_cast<IUnknown*>(&first)));
    EXPECT_EQ(2, first.Refs());

    IUnknown* got = nullptr;
    ASSERT_EQ(S_OK, SafeArrayGetElement(psa, &index, &got));
    EXPECT_EQ(&first, got);
    EXPECT_EQ(3, first.Refs());
    got->Release();

    ASSERT_EQ(S_OK, SafeArrayPutElement(psa, &index, static_cast<IUnknown*>(&second)));
    EXPECT_EQ(1, first.Refs());
    EXPECT_EQ(2, second.Refs());
    index = 1;
    ASSERT_EQ(S_OK, SafeArrayPutElement(psa, &index, static_cast<IUnknown*>(&second)));
    EXPECT_EQ(3, second.Refs());
    EXPECT_EQ(S_OK, SafeArrayDestroy(psa));
    EXPECT_EQ(1, second.Refs());
}

TEST_F(SafeArrayTest, VariantsAreDeepCopiedInAndOut) {
    CCountingUnknown object;
    SAFEARRAY* psa = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    CScopedVariant text, unknown;
    text.v.vt = VT_BSTR;
    text.v.bstrVal = SysAllocString(L"inside");
    LONG index = 0;
    ASSERT_EQ(S_OK, SafeArrayPutElement(psa, &index, &text.v));
    const VARIANT* stored = static_cast<const VARIANT*>(psa->pvData);
    EXPECT_EQ(VT_BSTR, stored[0].vt);
    EXPECT_NE(text.v.bstrVal, stored[0].bstrVal);

    VARIANT got; // taken as empty: GetElement does not clear it first
    got.vt = 0xFFFF;
    ASSERT_EQ(S_OK, SafeArrayGetElement(psa, &index, &got));
    EXPECT_EQ(VT_BSTR, got.vt);
    EXPECT_NE(stored[0].bstrVal, got.bstrVal);
    EXPECT_STREQ(L"inside", got.bstrVal);
    VariantClear(&got);

    object.AddRef();
    unknown.v.vt = VT_UNKNOWN;
    unknown.v.punkVal = &object;
    index = 1;
    ASSERT_EQ(S_OK, SafeArrayPutElement(psa, &index, &unknown.v));
    EXPECT_EQ(3, object.Refs());
    EXPECT_EQ(S_OK, SafeArrayDestroy(psa));
    EXPECT_EQ(2, object.Refs());
}

TEST_F(SafeArrayTest, GetVartypeAnswersTheElementType) {
    for (VARTYPE vt : std::vector<VARTYPE>{VT_UI1, VT_BSTR, VT_VARIANT, VT_UNKNOWN, VT_I4}) {
        SAFEARRAY* psa = SafeArrayCreateVector(vt, 0, 1);
        VARTYPE answered = VT_EMPTY;
        EXPECT_EQ(S_OK, SafeArrayGetVartype(psa, &answered));
        EXPECT_EQ(vt, answered);
        SafeArrayDestroy(psa);
    }
}

// SafeArrayRedim on a vector of three elements from 0 holding 1, 2, 3.
struct RedimCase {
    const char* name;
    SAFEARRAYBOUND bound;
    std::vector<LONG> expected;
};

const RedimCase kRedimCases[] = {
    {"GrowZeroFillsAndTakesTheNewLowerBound", {5, 7}, {1, 2, 3, 0, 0}},
    {"ShrinkKeepsTheFirstElements", {2, -1}, {1, 2}},
    {"EmptyKeepsTheLowerBound", {0, 42}, {}},
    {"SameCountMovesTheLowerBound", {3, 100}, {1, 2, 3}},
};

void PrintTo(const RedimCase& c, std::ostream* out) {
    *out << c.name;
}

class SafeArrayRedimTest : public SafeArrayTest, public ::testing::WithParamInterface<RedimCase> {};

TEST_P(SafeArrayRedimTest, ResizesTheLastDimension) {
    const RedimCase& c = GetParam();
    SAFEARRAY* psa = SafeArrayCreateVector(VT_I4, 0, 3);
    for (LONG i = 0; i < 3; ++i) {
        LONG value = i + 1;
        ASSERT_EQ(S_OK, SafeArrayPutElement(psa, &i, &value));
    }
    SAFEARRAYBOUND bound = c.bound;
    ASSERT_EQ(S_OK, SafeArrayRedim(psa, &bound));
    LONG lower = 0, upper = 0;
    ASSERT_EQ(S_OK, SafeArrayGetLBound(psa, 1, &lower));
    ASSERT_EQ(S_OK, SafeArrayGetUBound(psa, 1, &upper));
    EXPECT_EQ(c.bound.lLbound, lower);
    EXPECT_EQ(c.bound.lLbound + static_cast<LONG>(c.bound.cElements) - 1, upper);
    std::vector<LONG> values;
    for (LONG i = lower; i <= upper; ++i) {
        LONG value = -1;
        ASSERT_EQ(S_OK, SafeArrayGetElement(psa, &i, &value));
        values.push_back(value);
    }
    EXPECT_EQ(c.expected, values);
    EXPECT_EQ(S_OK, SafeArrayDestroy(psa));
}

INSTANTIATE_TEST_SUITE_P(Cases, SafeArrayRedimTest, ::testing::ValuesIn(kRedimCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SafeArrayTest, RedimReleasesWhatItCutsOff) {
    CCountingUnknown object;
    SAFEARRAY* interfaces = SafeArrayCreateVector(VT_UNKNOWN, 0, 3);
    SAFEARRAY* variants = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    SAFEARRAY* strings = SafeArrayCreateVector(VT_BSTR, 0, 2);
    CScopedVariant holder;
    holder.v.vt = VT_UNKNOWN;
    holder.v.punkVal = &object;
    object.AddRef();
    for (LONG i = 0; i < 3; ++i)
        ASSERT_EQ(S_OK, SafeArrayPutElement(interfaces, &i, static_cast<IUnknown*>(&object)));
    LONG last = 1;
    ASSERT_EQ(S_OK, SafeArrayPutElement(variants, &last, &holder.v));
    ASSERT_EQ(S_OK, PutString(strings, &last, L"cut off"));
    EXPECT_EQ(6, object.Refs());

    SAFEARRAYBOUND one{1, 0};
    ASSERT_EQ(S_OK, SafeArrayRedim(interfaces, &one));
    EXPECT_EQ(4, object.Refs());
    ASSERT_EQ(S_OK, SafeArrayRedim(variants, &one));
    EXPECT_EQ(3, object.Refs());
    ASSERT_EQ(S_OK, SafeArrayRedim(strings, &one)); // the string's release is LeakSanitizer's to see

    // Growing again gives zeroed (null, VT_EMPTY) elements, not the old ones.
    SAFEARRAYBOUND two{2, 0};
    ASSERT_EQ(S_OK, SafeArrayRedim(variants, &two));
    EXPECT_EQ(VT_EMPTY, static_cast<VARIANT*>(variants->pvData)[1].vt);
    ASSERT_EQ(S_OK, SafeArrayRedim(strings, &two));
    EXPECT_EQ(nullptr, static_cast<BSTR*>(strings->pvData)[1]);

    EXPECT_EQ(S_OK, SafeArrayDestroy(interfaces));
    EXPECT_EQ(S_OK, SafeArrayDestroy(variants));
    EXPECT_EQ(S_OK, SafeArrayDestroy(strings));
    EXPECT_EQ(2, object.Refs());
}

TEST_F(SafeArrayTest, RedimOfATwoDimensionalArrayChangesTheLastDimension) {
    SAFEARRAYBOUND bounds[] = {{2, 0}, {2, 0}};
    SAFEARRAY* psa = SafeArrayCreate(VT_I4, 2, bounds);
    LONG indices[] = {1, 1};
    LONG value = 11;
    ASSERT_EQ(S_OK, SafeArrayPutElement(psa, indices, &value));
    SAFEARRAYBOUND bound{3, 5};
    ASSERT_EQ(S_OK, SafeArrayRedim(psa, &bound));
    LONG lower = 0, upper = 0;
    SafeArrayGetLBound(psa, 1, &lower);
    SafeArrayGetUBound(psa, 1, &upper);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(1, upper);
    SafeArrayGetLBound(psa, 2, &lower);
    SafeArrayGetUBound(psa, 2, &upper);
    EXPECT_EQ(5, lower);
    EXPECT_EQ(7, upper);
    LONG moved[] = {1, 6}; // the second column of the old array
    ASSERT_EQ(S_OK, SafeArrayGetElement(psa, moved, &value));
    EXPECT_EQ(11, value);
    SafeArrayDestroy(psa);
}

TEST_F(SafeArrayTest, ALockedArrayCannotBeDestroyedOrRedimensioned) {
    SAFEARRAY* psa = SafeArrayCreateVector(VT_I4, 0, 2);
    void* data = nullptr;
    ASSERT_EQ(S_OK, SafeArrayAccessData(psa, &data));
    EXPECT_EQ(psa->pvData, data);
    EXPECT_EQ(1u, psa->cLocks);
    ASSERT_EQ(S_OK, SafeArrayLock(psa));
    SAFEARRAYBOUND bound{5, 0};
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, SafeArrayRedim(psa, &bound));
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, SafeArrayDestroy(psa));
    ASSERT_EQ(S_OK, SafeArrayUnlock(psa));
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, SafeArrayDestroy(psa)); // still accessed
    ASSERT_EQ(S_OK, SafeArrayUnaccessData(psa));
    EXPECT_EQ(E_UNEXPECTED, SafeArrayUnlock(psa));
    EXPECT_EQ(E_UNEXPECTED, SafeArrayUnaccessData(psa));
    EXPECT_EQ(S_OK, SafeArrayDestroy(psa));
}

TEST_F(SafeArrayTest, NullArraysAreInvalidArguments) {
    LONG index = 0, bound = 0;
    LONG value = 0;
    VARTYPE vt = VT_EMPTY;
    void* data = nullptr;
    SAFEARRAYBOUND newBound{1, 0};
    const std::vector<std::pair<const char*, std::function<HRESULT()>>> calls = {
        {"GetLBound", [&] { return SafeArrayGetLBound(nullptr, 1, &bound); }},
        {"GetUBound", [&] { return SafeArrayGetUBound(nullptr, 1, &bound); }},
        {"GetElement", [&] { return SafeArrayGetElement(nullptr, &index, &value); }},
        {"PutElement", [&] { return SafeArrayPutElement(nullptr, &index, &value); }},
        {"Redim", [&] { return SafeArrayRedim(nullptr, &newBound); }},
        {"GetVartype", [&] { return SafeArrayGetVartype(nullptr, &vt); }},
        {"AccessData", [&] { return SafeArrayAccessData(nullptr, &data); }},
        {"UnaccessData", [&] { return SafeArrayUnaccessData(nullptr); }},
        {"Lock", [&] { return SafeArrayLock(nullptr); }},
        {"Unlock", [&] { return SafeArrayUnlock(nullptr); }},
    };
    for (const auto& [name, call] : calls)
        EXPECT_EQ(E_INVALIDARG, call()) << name;

    // Windows' exceptions: nothing to destroy or copy is no error.
    EXPECT_EQ(S_OK, SafeArrayDestroy(nullptr));
    SAFEARRAY* copy = SafeArrayCreateVector(VT_I4, 0, 1);
    SAFEARRAY* const created = copy;
    EXPECT_EQ(S_OK, SafeArrayCopy(nullptr, &copy));
    EXPECT_EQ(nullptr, copy);
    SafeArrayDestroy(created);
    EXPECT_EQ(0u, SafeArrayGetDim(nullptr));
    EXPECT_EQ(0u, SafeArrayGetElemsize(nullptr));
}

TEST_F(SafeArrayTest, CopyIsDeepAndUnlocked) {
    CCountingUnknown object;
    SAFEARRAYBOUND bounds[] = {{2, 3}, {1, -4}};
    SAFEARRAY* strings = SafeArrayCreate(VT_BSTR, 2, bounds);
    SAFEARRAY* interfaces = SafeArrayCreateVector(VT_UNKNOWN, 1, 1);
    LONG indices[] = {4, -4};
    ASSERT_EQ(S_OK, PutString(strings, indices, L"copied"));
    LONG one = 1;
    ASSERT_EQ(S_OK, SafeArrayPutElement(interfaces, &one, static_cast<IUnknown*>(&object)));
    ASSERT_EQ(S_OK, SafeArrayLock(strings));

    SAFEARRAY* stringsCopy = nullptr;
    SAFEARRAY* interfacesCopy = nullptr;
    ASSERT_EQ(S_OK, SafeArrayCopy(strings, &stringsCopy));
    ASSERT_EQ(S_OK, SafeArrayCopy(interfaces, &interfacesCopy));
    EXPECT_EQ(0u, stringsCopy->cLocks);
    EXPECT_EQ(strings->fFeatures, stringsCopy->fFeatures);
    EXPECT_EQ(2u, SafeArrayGetDim(stringsCopy));
    LONG lower = 0;
    SafeArrayGetLBound(stringsCopy, 2, &lower);
    EXPECT_EQ(-4, lower);
    const BSTR original = static_cast<BSTR*>(strings->pvData)[1];
    const BSTR copied = static_cast<BSTR*>(stringsCopy->pvData)[1];
    EXPECT_NE(original, copied);
    EXPECT_STREQ(L"copied", copied);
    EXPECT_EQ(nullptr, static_cast<BSTR*>(stringsCopy->pvData)[0]);
    EXPECT_EQ(3, object.Refs());

    ASSERT_EQ(S_OK, SafeArrayUnlock(strings));
    for (SAFEARRAY* psa : {strings, stringsCopy, interfaces, interfacesCopy})
        EXPECT_EQ(S_OK, SafeArrayDestroy(psa));
    EXPECT_EQ(1, object.Refs());
}

// SafeArrayCopy fails cleanly wherever its allocations fail.
TEST_F(SafeArrayTest, CopyFailsCleanlyAtEachAllocation) {
    SAFEARRAY* source = SafeArrayCreateVector(VT_VARIANT, 0, 3);
    VARIANT* elements = static_cast<VARIANT*>(source->pvData);
    for (int i = 0; i < 3; ++i) {
        elements[i].vt = VT_BSTR;
        elements[i].bstrVal = SysAllocString(L"element");
    }
    for (int skip = 0;; ++skip) {
        CFaultInjector::Instance().ClearAll();
        CFaultInjector::Instance().Inject("SysAllocStringLen", E_OUTOFMEMORY, skip);
        SAFEARRAY* copy = reinterpret_cast<SAFEARRAY*>(1);
        const HRESULT hr = SafeArrayCopy(source, &copy);
        if (hr == S_OK) {
            EXPECT_EQ(3, skip);
            EXPECT_EQ(S_OK, SafeArrayDestroy(copy));
            break;
        }
        EXPECT_EQ(E_OUTOFMEMORY, hr);
        EXPECT_EQ(nullptr, copy);
        ASSERT_LT(skip, 3);
    }
    CFaultInjector::Instance().Inject("SafeArrayCopy", E_OUTOFMEMORY);
    SAFEARRAY* copy = nullptr;
    EXPECT_EQ(E_OUTOFMEMORY, SafeArrayCopy(source, &copy));
    EXPECT_EQ(S_OK, SafeArrayDestroy(source));
}

TEST_F(SafeArrayTest, InjectedCallFailuresAnswerTheInjectedCode) {
    SAFEARRAY* psa = SafeArrayCreateVector(VT_I4, 0, 2);
    LONG index = 0, value = 5, bound = 0;
    VARTYPE vt = VT_EMPTY;
    void* data = nullptr;
    SAFEARRAYBOUND newBound{4, 0};
    const std::vector<std::pair<const char*, std::function<HRESULT()>>> calls = {
        {"SafeArrayGetLBound", [&] { return SafeArrayGetLBound(psa, 1, &bound); }},
        {"SafeArrayGetUBound", [&] { return SafeArrayGetUBound(psa, 1, &bound); }},
        {"SafeArrayGetVartype", [&] { return SafeArrayGetVartype(psa, &vt); }},
        {"SafeArrayAccessData", [&] { return SafeArrayAccessData(psa, &data); }},
        {"SafeArrayGetElement", [&] { return SafeArrayGetElement(psa, &index, &value); }},
        {"SafeArrayPutElement", [&] { return SafeArrayPutElement(psa, &index, &value); }},
        {"SafeArrayRedim", [&] { return SafeArrayRedim(psa, &newBound); }},
    };
    for (const auto& [name, call] : calls) {
        CFaultInjector::Instance().Inject(name, E_FAIL);
        EXPECT_EQ(E_FAIL, call()) << name;
        EXPECT_EQ(S_OK, call()) << name; // one failure only
        if (data) {
            SafeArrayUnaccessData(psa);
            data = nullptr;
        }
    }
    EXPECT_EQ(0u, psa->cLocks);
    EXPECT_EQ(S_OK, SafeArrayDestroy(psa));
}

} // namespace
