// VariantChangeType for the conversions this system makes: numbers, VT_BOOL and
// VT_BSTR among each other, and arrays element by element.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/SafeArray.h"
#include "platform/oleaut/VarType.h"
#include "platform/oleaut/Variant.h"

namespace {

// Wide enough for every integer type and for the sign of UI8's range.
using Integer = __int128;

struct IntegerRange {
    Integer min;
    Integer max;
};

bool IntegerRangeOf(VARTYPE vt, IntegerRange* range) {
    switch (vt) {
    case VT_I1:
        *range = {INT8_MIN, INT8_MAX};
        return true;
    case VT_UI1:
        *range = {0, UINT8_MAX};
        return true;
    case VT_I2:
        *range = {INT16_MIN, INT16_MAX};
        return true;
    case VT_UI2:
        *range = {0, UINT16_MAX};
        return true;
    case VT_I4:
    case VT_INT:
        *range = {INT32_MIN, INT32_MAX};
        return true;
    case VT_UI4:
    case VT_UINT:
        *range = {0, UINT32_MAX};
        return true;
    case VT_I8:
        *range = {INT64_MIN, INT64_MAX};
        return true;
    case VT_UI8:
        *range = {0, UINT64_MAX};
        return true;
    default:
        return false;
    }
}

void StoreInteger(VARTYPE vt, Integer value, VARIANT* out) {
    out->vt = vt;
    switch (vt) {
    case VT_I1:
        out->cVal = static_cast<CHAR>(value);
        break;
    case VT_UI1:
        out->bVal = static_cast<BYTE>(value);
        break;
    case VT_I2:
        out->iVal = static_cast<SHORT>(value);
        break;
    case VT_UI2:
        out->uiVal = static_cast<USHORT>(value);
        break;
    case VT_I4:
        out->lVal = static_cast<LONG>(value);
        break;
    case VT_INT:
        out->intVal = static_cast<INT>(value);
        break;
    case VT_UI4:
        out->ulVal = static_cast<ULONG>(value);
        break;
    case VT_UINT:
        out->uintVal = static_cast<UINT>(value);
        break;
    case VT_I8:
        out->llVal = static_cast<LONGLONG>(value);
        break;
    default:
        out->ullVal = static_cast<ULONGLONG>(value);
        break;
    }
}

// A numeric VARIANT's value: exact for the integer types, a double for VT_R4/VT_R8.
struct Number {
    bool real = false;
    Integer integer = 0;
    double value = 0;
};

bool ReadNumber(const VARIANT& v, Number* n) {
    switch (v.vt) {
    case VT_EMPTY:
        n->integer = 0;
        return true;
    case VT_I1:
        n->integer = static_cast<signed char>(v.cVal);
        return true;
    case VT_UI1:
        n->integer = v.bVal;
        return true;
    case VT_I2:
        n->integer = v.iVal;
        return true;
    case VT_UI2:
        n->integer = v.uiVal;
        return true;
    case VT_I4:
        n->integer = v.lVal;
        return true;
    case VT_INT:
        n->integer = v.intVal;
        return true;
    case VT_UI4:
        n->integer = v.ulVal;
        return true;
    case VT_UINT:
        n->integer = v.uintVal;
        return true;
    case VT_I8:
        n->integer = v.llVal;
        return true;
    case VT_UI8:
        n->integer = v.ullVal;
        return true;
    case VT_BOOL:
        n->integer = v.boolVal;
        return true;
    case VT_R4:
        n->real = true;
        n->value = v.fltVal;
        return true;
    case VT_R8:
        n->real = true;
        n->value = v.dblVal;
        return true;
    default:
        return false;
    }
}

// Round half to even, as automation does wherever a fraction meets an integer type.
double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        return floor + 1.0;
    return floor;
}

// A number written as text: (-1)^negative * digits * 10^exponent, digits without
// leading or trailing zeros (empty for zero).
struct DecimalText {
    bool negative = false;
    std::string digits;
    LONGLONG exponent = 0;
};

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}
bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Blanks, a sign, digits with an optional '.', an optional exponent, blanks. The text
// ends at its first null character, as a C string does.
bool ParseDecimal(const wchar_t* text, DecimalText* number) {
    if (!text)
        return false;
    constexpr LONGLONG kExponentLimit = 1000000000;
    const wchar_t* p = text;
    while (IsBlank(*p))
        ++p;
    if (*p == L'+' || *p == L'-')
        number->negative = *p++ == L'-';

    bool sawDigit = false;
    LONGLONG fractionDigits = 0;
    for (; IsDigit(*p); ++p) {
        sawDigit = true;
        number->digits += static_cast<char>(*p);
    }
    if (*p == L'.') {
        for (++p; IsDigit(*p); ++p) {
            sawDigit = true;
            number->digits += static_cast<char>(*p);
            ++fractionDigits;
        }
    }
    if (!sawDigit)
        return false;

    LONGLONG exponent = 0;
    if (*p == L'e' || *p == L'E') {
        ++p;
        bool negativeExponent = false;
        if (*p == L'+' || *p == L'-')
            negativeExponent = *p++ == L'-';
        if (!IsDigit(*p))
            return false;
        for (; IsDigit(*p); ++p)
            if (exponent < kExponentLimit)
                exponent = exponent * 10 + (*p - L'0');
        if (negativeExponent)
            exponent = -exponent;
    }
    while (IsBlank(*p))
        ++p;
    if (*p != L'\0')
        return false;

    const size_t first = number->digits.find_first_not_of('0');
    if (first == std::string::npos) {
        number->digits.clear();
        return true;
    }
    const size_t last = number->digits.find_last_not_of('0');
    number->exponent = exponent - fractionDigits + static_cast<LONGLONG>(number->digits.size() - 1 - last);
    number->digits = number->digits.substr(first, last + 1 - first);
    return true;
}

// The integer nearest the text (half to even); false when it has more digits than any
// integer type holds.
bool TextToInteger(const DecimalText& number, Integer* value) {
    const LONGLONG size = static_cast<LONGLONG>(number.digits.size());
    const LONGLONG integerDigits = size + number.exponent;
    if (integerDigits > 38)
        return false;
    Integer result = 0;
    for (LONGLONG i = 0; i < integerDigits; ++i)
        result = result * 10 + (i < size ? number.digits[i] - '0' : 0);
    if (integerDigits >= 0 && integerDigits < size) {
        const char first = number.digits[integerDigits];
        const bool more = integerDigits + 1 < size; // trailing zeros were dropped
        if (first > '5' || (first == '5' && (more || result % 2 != 0)))
            ++result;
    }
    *value = number.negative ? -result : result;
    return true;
}

HRESULT TextToDouble(const DecimalText& number, double* value) {
    if (number.digits.empty()) {
        *value = number.negative ? -0.0 : 0.0;
        return S_OK;
    }
    const std::string text = number.digits + "e" + std::to_string(number.exponent);
    double result = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; too large is an overflow.
        if (static_cast<LONGLONG>(number.digits.size()) + number.exponent > 0)
            return DISP_E_OVERFLOW;
        result = 0;
    } else if (error != std::errc() || end != text.data() + text.size()) {
        return DISP_E_TYPEMISMATCH;
    }
    *value = number.negative ? -result : result;
    return S_OK;
}

BSTR AllocAscii(const char* text, size_t length) {
    std::wstring wide(text, text + length);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

template <class T> BSTR FormatInteger(T value) {
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return AllocAscii(buffer, static_cast<size_t>(result.ptr - buffer));
}

// The shortest general form with at most `digits` significant digits, as printf's
// "%.*G": 0.1f -> "0.1", 1e20 -> "1E+20", 123456789.0 -> "123456789".
BSTR FormatReal(double value, int digits) {
    if (value == 0)
        value = 0; // no "-0"
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    for (char* c = buffer; c != result.ptr; ++c)
        if (*c >= 'a' && *c <= 'z')
            *c = static_cast<char>(*c - 'a' + 'A');
    return AllocAscii(buffer, static_cast<size_t>(result.ptr - buffer));
}

bool EqualsIgnoringCase(const wchar_t* text, const wchar_t* lowerWord) {
    for (; *text && *lowerWord; ++text, ++lowerWord) {
        const wchar_t c =
            (*text >= L'A' && *text <= L'Z') ? static_cast<wchar_t>(*text - L'A' + L'a') : *text;
        if (c != *lowerWord)
            return false;
    }
    return *text == *lowerWord;
}

HRESULT ToInteger(const VARIANT& src, VARTYPE vt, const IntegerRange& range, VARIANT* out) {
    Integer value = 0;
    if (src.vt == VT_BOOL) {
        // Booleans wrap rather than overflow: VARIANT_TRUE is 255 as VT_UI1.
        StoreInteger(vt, static_cast<Integer>(src.boolVal), out);
        return S_OK;
    }
    if (src.vt == VT_BSTR) {
        DecimalText text;
        if (!ParseDecimal(src.bstrVal, &text))
            return DISP_E_TYPEMISMATCH;
        if (!TextToInteger(text, &value))
            return DISP_E_OVERFLOW;
    } else {
        Number number;
        if (!ReadNumber(src, &number))
            return DISP_E_TYPEMISMATCH;
        if (number.real) {
            if (std::isnan(number.value))
                return DISP_E_OVERFLOW;
            const double rounded = RoundHalfEven(number.value);
            if (std::fabs(rounded) > 1e30)
                return DISP_E_OVERFLOW;
            value = static_cast<Integer>(rounded);
        } else {
            value = number.integer;
        }
    }
    if (value < range.min || value > range.max)
        return DISP_E_OVERFLOW;
    StoreInteger(vt, value, out);
    return S_OK;
}

HRESULT ToReal(const VARIANT& src, VARTYPE vt, VARIANT* out) {
    double value = 0;
    if (src.vt == VT_BSTR) {
        DecimalText text;
        if (!ParseDecimal(src.bstrVal, &text))
            return DISP_E_TYPEMISMATCH;
        const HRESULT hr = TextToDouble(text, &value);
        if (FAILED(hr))
            return hr;
    } else {
        Number number;
        if (!ReadNumber(src, &number))
            return DISP_E_TYPEMISMATCH;
        if (!number.real) {
            // Straight from the exact integer, so that a VT_R4 is rounded only once.
            out->vt = vt;
            if (vt == VT_R4)
                out->fltVal = static_cast<float>(number.integer);
            else
                out->dblVal = static_cast<double>(number.integer);
            return S_OK;
        }
        value = number.value;
    }
    if (vt == VT_R4) {
        if (std::fabs(value) > FLT_MAX)
            return DISP_E_OVERFLOW;
        out->vt = VT_R4;
        out->fltVal = static_cast<float>(value);
    } else {
        out->vt = VT_R8;
        out->dblVal = value;
    }
    return S_OK;
}

HRESULT ToBool(const VARIANT& src, VARIANT* out) {
    bool truth = false;
    if (src.vt == VT_BSTR) {
        const wchar_t* text = src.bstrVal ? src.bstrVal : L"";
        if (std::wcscmp(text, L"#TRUE#") == 0 || EqualsIgnoringCase(text, L"true")) {
            truth = true;
        } else if (std::wcscmp(text, L"#FALSE#") == 0 || EqualsIgnoringCase(text, L"false")) {
            truth = false;
        } else {
            DecimalText number;
            double value = 0;
            if (!ParseDecimal(text, &number))
                return DISP_E_TYPEMISMATCH;
            const HRESULT hr = TextToDouble(number, &value);
            if (FAILED(hr))
                return hr;
            truth = value != 0;
        }
    } else {
        Number number;
        if (!ReadNumber(src, &number))
            return DISP_E_TYPEMISMATCH;
        truth = number.real ? number.value != 0 : number.integer != 0;
    }
    out->vt = VT_BOOL;
    out->boolVal = truth ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT ToBstr(const VARIANT& src, USHORT flags, VARIANT* out) {
    BSTR text = nullptr;
    switch (src.vt) {
    case VT_EMPTY:
        text = SysAllocStringLen(nullptr, 0);
        break;
    case VT_BOOL:
        if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL))
            text = SysAllocString(src.boolVal ? L"True" : L"False");
        else
            text = FormatInteger(static_cast<int>(src.boolVal));
        break;
    case VT_R4:
        text = FormatReal(src.fltVal, 7);
        break;
    case VT_R8:
        text = FormatReal(src.dblVal, 15);
        break;
    default: {
        Number number;
        if (!ReadNumber(src, &number))
            return DISP_E_TYPEMISMATCH;
        text = number.integer < 0 ? FormatInteger(static_cast<LONGLONG>(number.integer))
                                  : FormatInteger(static_cast<ULONGLONG>(number.integer));
        break;
    }
    }
    if (!text)
        return E_OUTOFMEMORY;
    out->vt = VT_BSTR;
    out->bstrVal = text;
    return S_OK;
}

HRESULT Convert(const VARIANT& src, VARTYPE vt, USHORT flags, VARIANT* out);

// A view of the value a VT_BYREF VARIANT points at; it owns nothing.
HRESULT Dereference(const VARIANT& src, VARIANT* view) {
    const VARTYPE base = src.vt & ~VT_BYREF;
    if (!src.byref)
        return E_INVALIDARG;
    if (base == VT_VARIANT) {
        *view = *src.pvarVal;
        return (view->vt & VT_BYREF) ? E_INVALIDARG : S_OK;
    }
    VariantInit(view);
    view->vt = base;
    if (base & VT_ARRAY) {
        view->parray = *src.pparray;
        return S_OK;
    }
    const ULONG size = CVarType::ElementSize(base);
    if (size == 0)
        return DISP_E_TYPEMISMATCH;
    std::memcpy(&view->llVal, src.byref, size);
    return S_OK;
}

// Same bounds, each element converted; a failing element fails the whole array.
HRESULT ConvertArray(SAFEARRAY* from, VARTYPE toElements, USHORT flags, VARIANT* out) {
    if (!from)
        return E_INVALIDARG;
    VARTYPE fromElements = VT_EMPTY;
    HRESULT hr = SafeArrayGetVartype(from, &fromElements);
    if (FAILED(hr))
        return hr;
    if (CVarType::ElementSize(toElements) == 0)
        return DISP_E_TYPEMISMATCH;

    std::vector<SAFEARRAYBOUND> bounds(from->cDims);
    size_t count = 1;
    for (UINT i = 0; i < from->cDims; ++i) {
        bounds[i] = from->rgsabound[from->cDims - 1 - i];
        count *= bounds[i].cElements;
    }
    SAFEARRAY* to = SafeArrayCreate(toElements, from->cDims, bounds.data());
    if (!to)
        return E_OUTOFMEMORY;

    for (size_t i = 0; i < count && SUCCEEDED(hr); ++i) {
        const char* source = static_cast<const char*>(from->pvData) + i * from->cbElements;
        char* target = static_cast<char*>(to->pvData) + i * to->cbElements;
        VARIANT element;
        if (fromElements == VT_VARIANT) {
            std::memcpy(&element, source, sizeof element);
        } else {
            VariantInit(&element);
            element.vt = fromElements;
            std::memcpy(&element.llVal, source, from->cbElements);
        }
        if (toElements == VT_VARIANT) {
            hr = VariantCopy(reinterpret_cast<VARIANT*>(target), &element);
        } else {
            VARIANT converted;
            VariantInit(&converted);
            hr = Convert(element, toElements, flags, &converted);
            // The array takes over what the converted value owns.
            if (SUCCEEDED(hr))
                std::memcpy(target, &converted.llVal, to->cbElements);
        }
    }
    if (FAILED(hr)) {
        SafeArrayDestroy(to);
        return hr;
    }
    out->vt = VT_ARRAY | toElements;
    out->parray = to;
    return S_OK;
}

// Converts src into the empty out; src is left as it is.
HRESULT Convert(const VARIANT& src, VARTYPE vt, USHORT flags, VARIANT* out) {
    if (src.vt & VT_BYREF) {
        VARIANT view;
        const HRESULT hr = Dereference(src, &view);
        return FAILED(hr) ? hr : Convert(view, vt, flags, out);
    }
    if (src.vt == vt)
        return VariantCopy(out, &src);
    if (vt & VT_ARRAY)
        return (src.vt & VT_ARRAY) ? ConvertArray(src.parray, vt & ~VT_ARRAY, flags, out)
                                   : DISP_E_TYPEMISMATCH;
    if (src.vt & VT_ARRAY)
        return DISP_E_TYPEMISMATCH;

    IntegerRange range;
    if (IntegerRangeOf(vt, &range))
        return ToInteger(src, vt, range, out);
    switch (vt) {
    case VT_R4:
    case VT_R8:
        return ToReal(src, vt, out);
    case VT_BOOL:
        return ToBool(src, out);
    case VT_BSTR:
        return ToBstr(src, flags, out);
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

} // namespace

extern "C" HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags,
                                     VARTYPE vt) {
    LONG injected = 0;
    if (CFaultInjector::Instance().ShouldFail("VariantChangeType", &injected))
        return injected;
    if (!pvargDest || !pvarSrc)
        return E_INVALIDARG;
    if (!CVarType::IsValidInVariant(pvarSrc->vt) || !CVarType::IsValidInVariant(vt) || (vt & VT_BYREF))
        return DISP_E_BADVARTYPE;

    // Into a temporary first: a failed conversion leaves the destination alone, and the
    // source may be the destination.
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = Convert(*pvarSrc, vt, wFlags, &result);
    if (FAILED(hr))
        return hr;
    hr = VariantClear(pvargDest);
    if (FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    *pvargDest = result;
    return S_OK;
}
