#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/SafeArray.h"
#include "platform/oleaut/Variant.h"
#include "tests/platform/oleaut/CountingUnknown.h"
#include "tests/platform/oleaut/ScopedVariant.h"

namespace {

// A scalar value as the tables write it; Make() turns it into a VARIANT.
struct Value {
    VARTYPE vt = VT_EMPTY;
    LONGLONG integer = 0;
    ULONGLONG unsignedInteger = 0;
    double real = 0;
    const wchar_t* text = nullptr;
};

Value Empty() {
    return {VT_EMPTY};
}
Value Null() {
    return {VT_NULL};
}
Value I1(int v) {
    return {VT_I1, v};
}
Value UI1(int v) {
    return {VT_UI1, v};
}
Value I2(int v) {
    return {VT_I2, v};
}
Value UI2(int v) {
    return {VT_UI2, v};
}
Value I4(LONGLONG v) {
    return {VT_I4, v};
}
Value UI4(LONGLONG v) {
    return {VT_UI4, v};
}
Value Int(LONGLONG v) {
    return {VT_INT, v};
}
Value UInt(LONGLONG v) {
    return {VT_UINT, v};
}
Value I8(LONGLONG v) {
    return {VT_I8, v};
}
Value UI8(ULONGLONG v) {
    return {VT_UI8, 0, v};
}
Value R4(float v) {
    return {VT_R4, 0, 0, v};
}
Value R8(double v) {
    return {VT_R8, 0, 0, v};
}
Value Bool(VARIANT_BOOL v) {
    return {VT_BOOL, v};
}
Value Str(const wchar_t* v) {
    return {VT_BSTR, 0, 0, 0, v};
}
Value None() {
    return {VT_ILLEGAL};
} // no value: the conversion fails

void Make(const Value& value, VARIANT* v) {
    VariantInit(v);
    v->vt = value.vt;
    switch (value.vt) {
    case VT_I1:
        v->cVal = static_cast<CHAR>(value.integer);
        break;
    case VT_UI1:
        v->bVal = static_cast<BYTE>(value.integer);
        break;
    case VT_I2:
        v->iVal = static_cast<SHORT>(value.integer);
        break;
    case VT_UI2:
        v->uiVal = static_cast<USHORT>(value.integer);
        break;
    case VT_I4:
        v->lVal = static_cast<LONG>(value.integer);
        break;
    case VT_UI4:
        v->ulVal = static_cast<ULONG>(value.integer);
        break;
    case VT_INT:
        v->intVal = static_cast<INT>(value.integer);
        break;
    case VT_UINT:
        v->uintVal = static_cast<UINT>(value.integer);
        break;
    case VT_I8:
        v->llVal = value.integer;
        break;
    case VT_UI8:
        v->ullVal = value.unsignedInteger;
        break;
    case VT_R4:
        v->fltVal = static_cast<float>(value.real);
        break;
    case VT_R8:
        v->dblVal = value.real;
        break;
    case VT_BOOL:
        v->boolVal = static_cast<VARIANT_BOOL>(value.integer);
        break;
    case VT_BSTR:
        v->bstrVal = SysAllocString(value.text);
        break;
    default:
        break;
    }
}

std::string Describe(const VARIANT& v) {
    std::string text = "vt " + std::to_string(v.vt) + " ";
    switch (v.vt) {
    case VT_I1:
        return text + std::to_string(static_cast<signed char>(v.cVal));
    case VT_UI1:
        return text + std::to_string(v.bVal);
    case VT_I2:
        return text + std::to_string(v.iVal);
    case VT_UI2:
        return text + std::to_string(v.uiVal);
    case VT_I4:
    case VT_INT:
        return text + std::to_string(v.lVal);
    case VT_UI4:
    case VT_UINT:
        return text + std::to_string(v.ulVal);
    case VT_I8:
        return text + std::to_string(v.llVal);
    case VT_UI8:
        return text + std::to_string(v.ullVal);
    case VT_R4:
        return text + std::to_string(v.fltVal);
    case VT_R8:
        return text + std::to_string(v.dblVal);
    case VT_BOOL:
        return text + std::to_string(v.boolVal);
    case VT_BSTR:
        return text + "\"" + std::string(v.bstrVal, v.bstrVal + SysStringLen(v.bstrVal)) + "\"";
    default:
        return text;
    }
}

bool SameValue(const VARIANT& a, const VARIANT& b) {
    if (a.vt != b.vt)
        return false;
    switch (a.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_I1:
    case VT_UI1:
        return a.bVal == b.bVal;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return a.uiVal == b.uiVal;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
        return a.ulVal == b.ulVal;
    case VT_I8:
    case VT_UI8:
        return a.ullVal == b.ullVal;
    case VT_R4:
        return a.fltVal == b.fltVal || (std::isnan(a.fltVal) && std::isnan(b.fltVal));
    case VT_R8:
        return a.dblVal == b.dblVal || (std::isnan(a.dblVal) && std::isnan(b.dblVal));
    case VT_BSTR:
        return a.bstrVal && b.bstrVal &&
               std::wstring(a.bstrVal, SysStringLen(a.bstrVal)) ==
                   std::wstring(b.bstrVal, SysStringLen(b.bstrVal));
    default:
        return false;
    }
}

::testing::AssertionResult Holds(const VARIANT& actual, const Value& expected) {
    CScopedVariant wanted;
    Make(expected, &wanted.v);
    if (SameValue(actual, wanted.v))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << Describe(actual) << ", expected " << Describe(wanted.v);
}

struct ConversionCase {
    Value source;
    VARTYPE target;
    USHORT flags;
    HRESULT result;
    Value expected;
};

std::ostream& operator<<(std::ostream& out, const ConversionCase& c) {
    CScopedVariant source;
    Make(c.source, &source.v);
    return out << Describe(source.v) << " -> vt " << c.target << " flags " << c.flags;
}

class VariantChangeTypeTest : public ::testing::Test {
protected:
    void TearDown() override { CFaultInjector::Instance().ClearAll(); }
};

class ConversionTableTest : public VariantChangeTypeTest,
                            public ::testing::WithParamInterface<ConversionCase> {};

// The destination starts holding a string, so a failure that touched it, or a success
// that forgot to release it, shows (as a wrong value or as a leak).
TEST_P(ConversionTableTest, ConvertsAsWindowsDoes) {
    const ConversionCase& c = GetParam();
    CScopedVariant source, destination;
    Make(c.source, &source.v);
    destination.v.vt = VT_BSTR;
    destination.v.bstrVal = SysAllocString(L"before");

    ASSERT_EQ(c.result, VariantChangeType(&destination.v, &source.v, c.flags, c.target));
    if (SUCCEEDED(c.result))
        EXPECT_TRUE(Holds(destination.v, c.expected));
    else
        EXPECT_TRUE(Holds(destination.v, Str(L"before")));
}

TEST_P(ConversionTableTest, ConvertsInPlace) {
    const ConversionCase& c = GetParam();
    CScopedVariant value;
    Make(c.source, &value.v);
    ASSERT_EQ(c.result, VariantChangeType(&value.v, &value.v, c.flags, c.target));
    EXPECT_TRUE(Holds(value.v, SUCCEEDED(c.result) ? c.expected : c.source));
}

constexpr HRESULT OK = S_OK;
constexpr HRESULT OVERFLOW_ = DISP_E_OVERFLOW;
constexpr HRESULT MISMATCH = DISP_E_TYPEMISMATCH;

const ConversionCase kNumberToNumber[] = {
    {I4(255), VT_UI1, 0, OK, UI1(255)},
    {I4(256), VT_UI1, 0, OVERFLOW_, None()},
    {I4(-1), VT_UI1, 0, OVERFLOW_, None()},
    {I2(-128), VT_I1, 0, OK, I1(-128)},
    {I2(-129), VT_I1, 0, OVERFLOW_, None()},
    {UI1(200), VT_I1, 0, OVERFLOW_, None()},
    {I4(65535), VT_UI2, 0, OK, UI2(65535)},
    {I4(65536), VT_UI2, 0, OVERFLOW_, None()},
    {I4(32768), VT_I2, 0, OVERFLOW_, None()},
    {UI4(0x7FFFFFFF), VT_I4, 0, OK, I4(0x7FFFFFFF)},
    {UI4(0x80000000), VT_I4, 0, OVERFLOW_, None()},
    {I4(-1), VT_UI4, 0, OVERFLOW_, None()},
    {I8(2147483648LL), VT_I4, 0, OVERFLOW_, None()},
    {I8(-2147483648LL), VT_I4, 0, OK, I4(-2147483648LL)},
    {I4(-5), VT_INT, 0, OK, Int(-5)},
    {Int(-5), VT_UINT, 0, OVERFLOW_, None()},
    {UInt(4000000000LL), VT_I8, 0, OK, I8(4000000000LL)},
    {UInt(4000000000LL), VT_UI4, 0, OK, UI4(4000000000LL)},
    {UI8(0x7FFFFFFFFFFFFFFFULL), VT_I8, 0, OK, I8(0x7FFFFFFFFFFFFFFFLL)},
    {UI8(0x8000000000000000ULL), VT_I8, 0, OVERFLOW_, None()},
    {I8(-1), VT_UI8, 0, OVERFLOW_, None()},
    {I8(std::numeric_limits<LONGLONG>::min()), VT_R8, 0, OK, R8(-9223372036854775808.0)},
    {UI8(std::numeric_limits<ULONGLONG>::max()), VT_R8, 0, OK, R8(18446744073709551616.0)},
    {I4(16777217), VT_R4, 0, OK, R4(16777216.0f)},
    {R4(0.1f), VT_R8, 0, OK, R8(static_cast<double>(0.1f))},
    {R8(0.5), VT_R4, 0, OK, R4(0.5f)},
    {R8(3.4e38), VT_R4, 0, OK, R4(3.4e38f)},
    {R8(1e39), VT_R4, 0, OVERFLOW_, None()},
    {R8(-1e39), VT_R4, 0, OVERFLOW_, None()},
    // Floating values reach integers rounded half to even, then range-checked.
    {R8(0.5), VT_I4, 0, OK, I4(0)},
    {R8(1.5), VT_I4, 0, OK, I4(2)},
    {R8(2.5), VT_I4, 0, OK, I4(2)},
    {R8(0.6), VT_I4, 0, OK, I4(1)},
    {R8(-0.5), VT_I4, 0, OK, I4(0)},
    {R8(-0.6), VT_I4, 0, OK, I4(-1)},
    {R8(-1.5), VT_I4, 0, OK, I4(-2)},
    {R8(-2.5), VT_I4, 0, OK, I4(-2)},
    {R4(2.5f), VT_I2, 0, OK, I2(2)},
    {R4(3.5f), VT_I2, 0, OK, I2(4)},
    {R8(255.49), VT_UI1, 0, OK, UI1(255)},
    {R8(255.5), VT_UI1, 0, OVERFLOW_, None()},
    {R8(-0.5), VT_UI1, 0, OK, UI1(0)},
    {R8(-0.51), VT_UI1, 0, OVERFLOW_, None()},
    {R8(127.49), VT_I1, 0, OK, I1(127)},
    {R8(127.5), VT_I1, 0, OVERFLOW_, None()},
    {R8(-128.5), VT_I1, 0, OK, I1(-128)},
    {R8(-128.51), VT_I1, 0, OVERFLOW_, None()},
    {R8(2147483646.5), VT_I4, 0, OK, I4(2147483646)},
    {R8(2147483647.5), VT_I4, 0, OVERFLOW_, None()},
    {R8(9223372036854775808.0), VT_I8, 0, OVERFLOW_, None()},
    {R8(-9223372036854775808.0), VT_I8, 0, OK, I8(std::numeric_limits<LONGLONG>::min())},
    {R8(18446744073709551616.0), VT_UI8, 0, OVERFLOW_, None()},
    {R8(1e20), VT_I8, 0, OVERFLOW_, None()},
    {R8(std::numeric_limits<double>::quiet_NaN()), VT_I4, 0, OVERFLOW_, None()},
    {R8(1e300), VT_UI4, 0, OVERFLOW_, None()},
};

const ConversionCase kBooleans[] = {
    // Booleans wrap around instead of overflowing.
    {Bool(VARIANT_TRUE), VT_I4, 0, OK, I4(-1)},
    {Bool(VARIANT_TRUE), VT_UI1, 0, OK, UI1(255)},
    {Bool(VARIANT_TRUE), VT_R8, 0, OK, R8(-1.0)},
    {Bool(VARIANT_FALSE), VT_I2, 0, OK, I2(0)},
    {I4(0), VT_BOOL, 0, OK, Bool(VARIANT_FALSE)},
    {I4(5), VT_BOOL, 0, OK, Bool(VARIANT_TRUE)},
    {I1(-1), VT_BOOL, 0, OK, Bool(VARIANT_TRUE)},
    {UI8(1), VT_BOOL, 0, OK, Bool(VARIANT_TRUE)},
    {R4(0.4f), VT_BOOL, 0, OK, Bool(VARIANT_TRUE)},
    {R8(0.0), VT_BOOL, 0, OK, Bool(VARIANT_FALSE)},
    {R8(-0.0), VT_BOOL, 0, OK, Bool(VARIANT_FALSE)},
    {Bool(VARIANT_TRUE), VT_BSTR, VARIANT_ALPHABOOL, OK, Str(L"True")},
    {Bool(VARIANT_FALSE), VT_BSTR, VARIANT_ALPHABOOL, OK, Str(L"False")},
    {Bool(1), VT_BSTR, VARIANT_ALPHABOOL, OK, Str(L"True")},
    {Bool(VARIANT_TRUE), VT_BSTR, VARIANT_LOCALBOOL, OK, Str(L"True")},
    {Bool(VARIANT_TRUE), VT_BSTR, 0, OK, Str(L"-1")},
    {Bool(VARIANT_FALSE), VT_BSTR, 0, OK, Str(L"0")},
    {Str(L"True"), VT_BOOL, 0, OK, Bool(VARIANT_TRUE)},
    {Str(L"tRUE"), VT_BOOL, 0, OK, Bool(VARIANT_TRUE)},
    {Str(L"false"), VT_BOOL, 0, OK, Bool(VARIANT_FALSE)},
    {Str(L"FALSE"), VT_BOOL, 0, OK, Bool(VARIANT_FALSE)},
    {Str(L"#TRUE#"), VT_BOOL, 0, OK, Bool(VARIANT_TRUE)},
    {Str(L"#FALSE#"), VT_BOOL, 0, OK, Bool(VARIANT_FALSE)},
    {Str(L"#True#"), VT_BOOL, 0, MISMATCH, None()},
    {Str(L"0"), VT_BOOL, 0, OK, Bool(VARIANT_FALSE)},
    {Str(L"-1"), VT_BOOL, 0, OK, Bool(VARIANT_TRUE)},
    {Str(L"+1"), VT_BOOL, 0, OK, Bool(VARIANT_TRUE)},
    {Str(L"0.1"), VT_BOOL, 0, OK, Bool(VARIANT_TRUE)},
    {Str(L"Yes"), VT_BOOL, 0, MISMATCH, None()},
    {Str(L""), VT_BOOL, 0, MISMATCH, None()},
};

const ConversionCase kNumberToText[] = {
    {I4(-2147483648LL), VT_BSTR, 0, OK, Str(L"-2147483648")},
    {UI4(4294967295LL), VT_BSTR, 0, OK, Str(L"4294967295")},
    {I8(std::numeric_limits<LONGLONG>::min()), VT_BSTR, 0, OK, Str(L"-9223372036854775808")},
    {UI8(std::numeric_limits<ULONGLONG>::max()), VT_BSTR, 0, OK, Str(L"18446744073709551615")},
    {I1(-5), VT_BSTR, 0, OK, Str(L"-5")},
    {UI1(200), VT_BSTR, 0, OK, Str(L"200")},
    {I2(-32768), VT_BSTR, 0, OK, Str(L"-32768")},
    {UI2(65535), VT_BSTR, 0, OK, Str(L"65535")},
    {Int(42), VT_BSTR, 0, OK, Str(L"42")},
    {UInt(42), VT_BSTR, 0, OK, Str(L"42")},
    // VT_R4 with up to 7 significant digits, VT_R8 with up to 15.
    {R4(0.1f), VT_BSTR, 0, OK, Str(L"0.1")},
    {R4(1.5f), VT_BSTR, 0, OK, Str(L"1.5")},
    {R4(1e20f), VT_BSTR, 0, OK, Str(L"1E+20")},
    {R4(123456789.0f), VT_BSTR, 0, OK, Str(L"1.234568E+08")},
    {R4(-0.0f), VT_BSTR, 0, OK, Str(L"0")},
    {R8(0.1), VT_BSTR, 0, OK, Str(L"0.1")},
    {R8(1e20), VT_BSTR, 0, OK, Str(L"1E+20")},
    {R8(123456789.0), VT_BSTR, 0, OK, Str(L"123456789")},
    {R8(123456789012345.0), VT_BSTR, 0, OK, Str(L"123456789012345")},
    {R8(1e15), VT_BSTR, 0, OK, Str(L"1E+15")},
    {R8(1.0 / 3.0), VT_BSTR, 0, OK, Str(L"0.333333333333333")},
    {R8(-2.5), VT_BSTR, 0, OK, Str(L"-2.5")},
    {R8(0.0001), VT_BSTR, 0, OK, Str(L"0.0001")},
    {R8(-0.0), VT_BSTR, 0, OK, Str(L"0")},
};

const ConversionCase kTextToNumber[] = {
    {Str(L"42"), VT_I4, 0, OK, I4(42)},
    {Str(L"  42  "), VT_I4, 0, OK, I4(42)},
    {Str(L"\t-7\t"), VT_I4, 0, OK, I4(-7)},
    {Str(L"+7"), VT_I2, 0, OK, I2(7)},
    {Str(L"1.5"), VT_I4, 0, OK, I4(2)},
    {Str(L"2.5"), VT_I4, 0, OK, I4(2)},
    {Str(L"0.6"), VT_I1, 0, OK, I1(1)},
    {Str(L"-0.5"), VT_I1, 0, OK, I1(0)},
    {Str(L"-1.5"), VT_I1, 0, OK, I1(-2)},
    {Str(L"0.5"), VT_UI1, 0, OK, UI1(0)},
    {Str(L"-0.6"), VT_UI1, 0, OVERFLOW_, None()},
    {Str(L"2.50000000000000000001"), VT_I4, 0, OK, I4(3)},
    {Str(L"1e3"), VT_I4, 0, OK, I4(1000)},
    {Str(L"1E+3"), VT_UI2, 0, OK, UI2(1000)},
    {Str(L"2.5e1"), VT_I4, 0, OK, I4(25)},
    {Str(L"150e-2"), VT_I4, 0, OK, I4(2)},
    {Str(L"255"), VT_UI1, 0, OK, UI1(255)},
    {Str(L"256"), VT_UI1, 0, OVERFLOW_, None()},
    {Str(L"-1"), VT_UI1, 0, OVERFLOW_, None()},
    {Str(L"2147483647"), VT_I4, 0, OK, I4(2147483647)},
    {Str(L"-2147483648"), VT_INT, 0, OK, Int(-2147483648LL)},
    {Str(L"2147483648"), VT_I4, 0, OVERFLOW_, None()},
    {Str(L"4294967295.5"), VT_UI4, 0, OVERFLOW_, None()},
    {Str(L"4294967295"), VT_UINT, 0, OK, UInt(4294967295LL)},
    {Str(L"9223372036854775807"), VT_I8, 0, OK, I8(std::numeric_limits<LONGLONG>::max())},
    {Str(L"-9223372036854775808"), VT_I8, 0, OK, I8(std::numeric_limits<LONGLONG>::min())},
    {Str(L"9223372036854775808"), VT_I8, 0, OVERFLOW_, None()},
    {Str(L"18446744073709551615"), VT_UI8, 0, OK, UI8(std::numeric_limits<ULONGLONG>::max())},
    {Str(L"18446744073709551616"), VT_UI8, 0, OVERFLOW_, None()},
    {Str(L"1e100"), VT_I8, 0, OVERFLOW_, None()},
    {Str(L"0.1"), VT_R8, 0, OK, R8(0.1)},
    {Str(L".5"), VT_R8, 0, OK, R8(0.5)},
    {Str(L"5."), VT_R8, 0, OK, R8(5.0)},
    {Str(L"1.25e-1"), VT_R8, 0, OK, R8(0.125)},
    {Str(L"-1.5"), VT_R4, 0, OK, R4(-1.5f)},
    {Str(L"3.4e38"), VT_R4, 0, OK, R4(3.4e38f)},
    {Str(L"1e39"), VT_R4, 0, OVERFLOW_, None()},
    {Str(L"1e400"), VT_R8, 0, OVERFLOW_, None()},
    {Str(L"1e-400"), VT_R8, 0, OK, R8(0.0)},
    {Str(L""), VT_I4, 0, MISMATCH, None()},
    {Str(L" "), VT_R8, 0, MISMATCH, None()},
    {Str(L"abc"), VT_I4, 0, MISMATCH, None()},
    {Str(L"12abc"), VT_I4, 0, MISMATCH, None()},
    {Str(L"1 2"), VT_I4, 0, MISMATCH, None()},
    {Str(L"1e"), VT_R8, 0, MISMATCH, None()},
    {Str(L"--1"), VT_I4, 0, MISMATCH, None()},
    {Str(L"."), VT_R8, 0, MISMATCH, None()},
    {Str(L"0x10"), VT_I4, 0, MISMATCH, None()},
    {Str(L"NaN"), VT_R8, 0, MISMATCH, None()},
    {Str(L"text"), VT_BSTR, 0, OK, Str(L"text")},
};

const ConversionCase kEmptyAndNull[] = {
    {Empty(), VT_I4, 0, OK, I4(0)},         {Empty(), VT_UI1, 0, OK, UI1(0)},
    {Empty(), VT_R8, 0, OK, R8(0.0)},       {Empty(), VT_BOOL, 0, OK, Bool(VARIANT_FALSE)},
    {Empty(), VT_BSTR, 0, OK, Str(L"")},    {Null(), VT_I4, 0, MISMATCH, None()},
    {Null(), VT_BSTR, 0, MISMATCH, None()}, {Null(), VT_BOOL, 0, MISMATCH, None()},
    {Null(), VT_NULL, 0, OK, Null()},       {I4(1), VT_NULL, 0, MISMATCH, None()},
};

const ConversionCase kInvalidTypes[] = {
    {I4(1), 15, 0, DISP_E_BADVARTYPE, None()},
    {I4(1), VT_I4 | VT_BYREF, 0, DISP_E_BADVARTYPE, None()},
    {I4(1), VT_VARIANT, 0, DISP_E_BADVARTYPE, None()},
    {I4(1), VT_EMPTY | VT_ARRAY, 0, DISP_E_BADVARTYPE, None()},
    {I4(1), VT_I4 | VT_VECTOR, 0, DISP_E_BADVARTYPE, None()},
    {I4(1), VT_DATE, 0, MISMATCH, None()},
    {I4(1), VT_UNKNOWN, 0, MISMATCH, None()},
    {I4(1), VT_ARRAY | VT_UI1, 0, MISMATCH, None()},
};

INSTANTIATE_TEST_SUITE_P(NumberToNumber, ConversionTableTest, ::testing::ValuesIn(kNumberToNumber));
INSTANTIATE_TEST_SUITE_P(Booleans, ConversionTableTest, ::testing::ValuesIn(kBooleans));
INSTANTIATE_TEST_SUITE_P(NumberToText, ConversionTableTest, ::testing::ValuesIn(kNumberToText));
INSTANTIATE_TEST_SUITE_P(TextToNumber, ConversionTableTest, ::testing::ValuesIn(kTextToNumber));
INSTANTIATE_TEST_SUITE_P(EmptyAndNull, ConversionTableTest, ::testing::ValuesIn(kEmptyAndNull));
INSTANTIATE_TEST_SUITE_P(InvalidTypes, ConversionTableTest, ::testing::ValuesIn(kInvalidTypes));

TEST_F(VariantChangeTypeTest, AnInvalidSourceTypeIsBadVartype) {
    CScopedVariant source, destination;
    source.v.vt = 0x7F;
    EXPECT_EQ(DISP_E_BADVARTYPE, VariantChangeType(&destination.v, &source.v, 0, VT_I4));
    source.v.vt = VT_EMPTY;
}

TEST_F(VariantChangeTypeTest, AnInterfaceConvertsOnlyToItselfAndIsAddRefed) {
    CCountingUnknown object;
    CScopedVariant source, destination;
    object.AddRef();
    source.v.vt = VT_UNKNOWN;
    source.v.punkVal = &object;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&destination.v, &source.v, 0, VT_BSTR));
    EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&destination.v, &source.v, 0, VT_I4));
    EXPECT_EQ(2, object.Refs());
    ASSERT_EQ(S_OK, VariantChangeType(&destination.v, &source.v, 0, VT_UNKNOWN));
    EXPECT_EQ(3, object.Refs());
}

TEST_F(VariantChangeTypeTest, ASuccessfulConversionReleasesWhatTheDestinationHeld) {
    CCountingUnknown object;
    CScopedVariant source, destination;
    object.AddRef();
    destination.v.vt = VT_UNKNOWN;
    destination.v.punkVal = &object;
    source.v.vt = VT_I2;
    source.v.iVal = 12;
    ASSERT_EQ(S_OK, VariantChangeType(&destination.v, &source.v, 0, VT_BSTR));
    EXPECT_EQ(1, object.Refs());
    EXPECT_STREQ(L"12", destination.v.bstrVal);
}

TEST_F(VariantChangeTypeTest, AByRefSourceConvertsTheValueItPointsAt) {
    LONG number = -17;
    BSTR text = SysAllocString(L" 3.25 ");
    CScopedVariant inner;
    inner.v.vt = VT_R8;
    inner.v.dblVal = 1.5;

    struct {
        VARTYPE vt;
        void* pointer;
        VARTYPE target;
        Value expected;
    } const cases[] = {
        {VT_I4 | VT_BYREF, &number, VT_BSTR, Str(L"-17")},
        {VT_BSTR | VT_BYREF, &text, VT_R8, R8(3.25)},
        {VT_VARIANT | VT_BYREF, &inner.v, VT_I4, I4(2)},
    };
    for (const auto& c : cases) {
        CScopedVariant source, destination;
        source.v.vt = c.vt;
        source.v.byref = c.pointer;
        ASSERT_EQ(S_OK, VariantChangeType(&destination.v, &source.v, 0, c.target)) << c.vt;
        EXPECT_TRUE(Holds(destination.v, c.expected)) << c.vt;
    }
    EXPECT_STREQ(L" 3.25 ", text); // the referenced string is not taken
    SysFreeString(text);
}

TEST_F(VariantChangeTypeTest, AnInjectedFailureLeavesTheDestination) {
    CScopedVariant source, destination;
    source.v.vt = VT_I4;
    source.v.lVal = 1;
    destination.v.vt = VT_I2;
    destination.v.iVal = 99;
    CFaultInjector::Instance().Inject("VariantChangeType", E_FAIL);
    EXPECT_EQ(E_FAIL, VariantChangeType(&destination.v, &source.v, 0, VT_BSTR));
    EXPECT_TRUE(Holds(destination.v, I2(99)));
}

// Arrays: VT_ARRAY | VT_VARIANT to VT_ARRAY | VT_UI1, element by element.

struct ArrayCase {
    const char* name;
    LONG lowerBound;
    std::vector<Value> elements;
    HRESULT result;
    std::vector<BYTE> expected;
};

const ArrayCase kArrayCases[] = {
    {"SmallIntegersOfEveryKind",
     0,
     {I2(111), I4(2), UI1(3), R8(3.5), Str(L"5"), Bool(VARIANT_FALSE)},
     OK,
     {111, 2, 3, 4, 5, 0}},
    {"KeepsTheBounds", 5, {I2(1), I2(2)}, OK, {1, 2}},
    {"EmptyArray", 42, {}, OK, {}},
    {"EmptyElementIsZero", 0, {Empty(), I4(7)}, OK, {0, 7}},
    {"ElementTooLarge", 0, {I4(1), I4(256)}, OVERFLOW_, {}},
    {"NegativeElement", 0, {I2(-1)}, OVERFLOW_, {}},
    {"TextElement", 0, {I4(1), Str(L"x")}, MISMATCH, {}},
    {"NullElement", 0, {Null()}, MISMATCH, {}},
};

void PrintTo(const ArrayCase& c, std::ostream* out) {
    *out << c.name;
}

class ArrayConversionTest : public VariantChangeTypeTest, public ::testing::WithParamInterface<ArrayCase> {};

TEST_P(ArrayConversionTest, ConvertsEachElement) {
    const ArrayCase& c = GetParam();
    CScopedVariant source, destination;
    source.v.vt = VT_ARRAY | VT_VARIANT;
    source.v.parray = SafeArrayCreateVector(VT_VARIANT, c.lowerBound, static_cast<ULONG>(c.elements.size()));
    ASSERT_NE(nullptr, source.v.parray);
    for (size_t i = 0; i < c.elements.size(); ++i) {
        CScopedVariant element;
        Make(c.elements[i], &element.v);
        LONG index = c.lowerBound + static_cast<LONG>(i);
        ASSERT_EQ(S_OK, SafeArrayPutElement(source.v.parray, &index, &element.v));
    }
    destination.v.vt = VT_I4;
    destination.v.lVal = 1234;

    ASSERT_EQ(c.result, VariantChangeType(&destination.v, &source.v, 0, VT_ARRAY | VT_UI1));
    if (FAILED(c.result)) {
        EXPECT_TRUE(Holds(destination.v, I4(1234)));
        return;
    }
    ASSERT_EQ(VT_ARRAY | VT_UI1, destination.v.vt);
    SAFEARRAY* converted = destination.v.parray;
    VARTYPE vt = VT_EMPTY;
    ASSERT_EQ(S_OK, SafeArrayGetVartype(converted, &vt));
    EXPECT_EQ(VT_UI1, vt);
    EXPECT_EQ(1u, SafeArrayGetDim(converted));
    LONG lower = 0, upper = 0;
    ASSERT_EQ(S_OK, SafeArrayGetLBound(converted, 1, &lower));
    ASSERT_EQ(S_OK, SafeArrayGetUBound(converted, 1, &upper));
    EXPECT_EQ(c.lowerBound, lower);
    EXPECT_EQ(c.lowerBound + static_cast<LONG>(c.expected.size()) - 1, upper);
    void* data = nullptr;
    ASSERT_EQ(S_OK, SafeArrayAccessData(converted, &data));
    const BYTE* bytes = static_cast<const BYTE*>(data);
    EXPECT_EQ(c.expected, std::vector<BYTE>(bytes, bytes + c.expected.size()));
    ASSERT_EQ(S_OK, SafeArrayUnaccessData(converted));
}

INSTANTIATE_TEST_SUITE_P(Cases, ArrayConversionTest, ::testing::ValuesIn(kArrayCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(VariantChangeTypeTest, AByteArrayToItselfIsACopy) {
    CScopedVariant source, destination;
    source.v.vt = VT_ARRAY | VT_UI1;
    source.v.parray = SafeArrayCreateVector(VT_UI1, 1, 3);
    static_cast<BYTE*>(source.v.parray->pvData)[2] = 9;
    ASSERT_EQ(S_OK, VariantChangeType(&destination.v, &source.v, 0, VT_ARRAY | VT_UI1));
    ASSERT_EQ(VT_ARRAY | VT_UI1, destination.v.vt);
    ASSERT_NE(source.v.parray, destination.v.parray);
    EXPECT_EQ(9, static_cast<BYTE*>(destination.v.parray->pvData)[2]);
    LONG lower = 0;
    ASSERT_EQ(S_OK, SafeArrayGetLBound(destination.v.parray, 1, &lower));
    EXPECT_EQ(1, lower);

    // In place, too: the source array is replaced by its copy.
    ASSERT_EQ(S_OK, VariantChangeType(&source.v, &source.v, 0, VT_ARRAY | VT_UI1));
    EXPECT_EQ(9, static_cast<BYTE*>(source.v.parray->pvData)[2]);
}

TEST_F(VariantChangeTypeTest, AnArrayInPlaceIsConvertedAndTheOldOneDestroyed) {
    CScopedVariant value;
    value.v.vt = VT_ARRAY | VT_VARIANT;
    value.v.parray = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    VARIANT* elements = static_cast<VARIANT*>(value.v.parray->pvData);
    elements[0].vt = VT_BSTR;
    elements[0].bstrVal = SysAllocString(L"17");
    elements[1].vt = VT_I4;
    elements[1].lVal = 18;
    ASSERT_EQ(S_OK, VariantChangeType(&value.v, &value.v, 0, VT_ARRAY | VT_UI1));
    ASSERT_EQ(VT_ARRAY | VT_UI1, value.v.vt);
    EXPECT_EQ(17, static_cast<BYTE*>(value.v.parray->pvData)[0]);
    EXPECT_EQ(18, static_cast<BYTE*>(value.v.parray->pvData)[1]);
}

TEST_F(VariantChangeTypeTest, AByteArrayToVariantsWrapsEachByte) {
    CScopedVariant source, destination;
    source.v.vt = VT_ARRAY | VT_UI1;
    source.v.parray = SafeArrayCreateVector(VT_UI1, 0, 2);
    static_cast<BYTE*>(source.v.parray->pvData)[1] = 200;
    ASSERT_EQ(S_OK, VariantChangeType(&destination.v, &source.v, 0, VT_ARRAY | VT_VARIANT));
    const VARIANT* elements = static_cast<const VARIANT*>(destination.v.parray->pvData);
    EXPECT_TRUE(Holds(elements[0], UI1(0)));
    EXPECT_TRUE(Holds(elements[1], UI1(200)));
}

TEST_F(VariantChangeTypeTest, ArraysAndScalarsDoNotMix) {
    CScopedVariant array, destination;
    array.v.vt = VT_ARRAY | VT_UI1;
    array.v.parray = SafeArrayCreateVector(VT_UI1, 0, 1);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&destination.v, &array.v, 0, VT_I4));
    EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&destination.v, &array.v, 0, VT_BSTR));
    EXPECT_EQ(VT_EMPTY, destination.v.vt);
}

} // namespace
