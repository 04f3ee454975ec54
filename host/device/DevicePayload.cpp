#include "host/device/DevicePayload.h"

#include "platform/oleaut/SafeArray.h"

namespace {

std::wstring Number(LONGLONG value) {
    return std::to_wstring(value);
}

bool Refuse(std::wstring* why, const std::wstring& reason) {
    *why = reason;
    return false;
}

// The value of a scalar VARIANT as text, or false for a type the device never takes.
bool ScalarText(const VARIANT& v, std::wstring* text) {
    switch (v.vt) {
    case VT_I1:
        *text = Number(v.cVal);
        return true;
    case VT_UI1:
        *text = Number(v.bVal);
        return true;
    case VT_I2:
        *text = Number(v.iVal);
        return true;
    case VT_UI2:
        *text = Number(v.uiVal);
        return true;
    case VT_I4:
    case VT_INT:
        *text = Number(v.lVal);
        return true;
    case VT_UI4:
    case VT_UINT:
        *text = Number(v.ulVal);
        return true;
    case VT_I8:
        *text = Number(v.llVal);
        return true;
    case VT_BOOL:
        *text = Number(v.boolVal);
        return true;
    case VT_R4:
        *text = std::to_wstring(v.fltVal);
        return true;
    case VT_R8:
        *text = std::to_wstring(v.dblVal);
        return true;
    case VT_BSTR:
        *text = L"\"" + std::wstring(v.bstrVal ? v.bstrVal : L"") + L"\"";
        return true;
    default:
        return false;
    }
}

} // namespace

std::wstring CDevicePayload::TypeName(VARTYPE type) {
    static const std::pair<VARTYPE, const wchar_t*> kNames[] = {
        {VT_EMPTY, L"EMPTY"},     {VT_NULL, L"NULL"},        {VT_I1, L"I1"},     {VT_UI1, L"UI1"},
        {VT_I2, L"I2"},           {VT_UI2, L"UI2"},          {VT_I4, L"I4"},     {VT_UI4, L"UI4"},
        {VT_INT, L"INT"},         {VT_UINT, L"UINT"},        {VT_I8, L"I8"},     {VT_R4, L"R4"},
        {VT_R8, L"R8"},           {VT_BOOL, L"BOOL"},        {VT_BSTR, L"BSTR"}, {VT_VARIANT, L"VARIANT"},
        {VT_UNKNOWN, L"UNKNOWN"}, {VT_DISPATCH, L"DISPATCH"}};
    std::wstring name;
    if (type & VT_BYREF)
        name += L"BYREF|";
    if (type & VT_ARRAY)
        name += L"ARRAY|";
    const VARTYPE base = type & VT_TYPEMASK;
    for (const auto& [code, text] : kNames)
        if (code == base)
            return name + text;
    return name + L"VT_" + Number(base);
}

std::wstring CDevicePayload::Describe(const VARIANT& payload) {
    std::wstring text;
    if (payload.vt == (VT_BYREF | VT_I4))
        return TypeName(payload.vt) + L" " + (payload.plVal ? Number(*payload.plVal) : L"null");
    if (!(payload.vt & VT_ARRAY))
        return ScalarText(payload, &text) ? TypeName(payload.vt) + L" " + text : TypeName(payload.vt);
    SAFEARRAY* array =
        (payload.vt & VT_BYREF) ? (payload.pparray ? *payload.pparray : nullptr) : payload.parray;
    if (!array)
        return TypeName(payload.vt) + L" null";
    if (SafeArrayGetDim(array) != 1)
        return TypeName(payload.vt) + L" of " + Number(SafeArrayGetDim(array)) + L" dimensions";
    LONG low = 0, high = -1;
    SafeArrayGetLBound(array, 1, &low);
    SafeArrayGetUBound(array, 1, &high);
    text = TypeName(payload.vt) + L"[" + Number(low) + L".." + Number(high) + L"] {";
    const VARTYPE element = payload.vt & VT_TYPEMASK;
    for (LONG i = low; i <= high; ++i) {
        if (i > low)
            text += L", ";
        VARIANT item;
        VariantInit(&item);
        if (element == VT_VARIANT) {
            SafeArrayGetElement(array, &i, &item);
            std::wstring value;
            text += ScalarText(item, &value) ? TypeName(item.vt) + L" " + value : TypeName(item.vt);
        } else {
            // Scalars of the array's own type: read into the matching member.
            item.vt = element;
            item.llVal = 0;
            if (SUCCEEDED(SafeArrayGetElement(array, &i, &item.llVal))) {
                std::wstring value;
                text += ScalarText(item, &value) ? value : L"?";
            }
        }
        VariantClear(&item);
    }
    return text + L"}";
}

bool CDevicePayload::ReadEmpty(const VARIANT& payload, std::wstring* why) {
    return payload.vt == VT_EMPTY || Refuse(why, L"expected no data (EMPTY), got " + Describe(payload));
}

bool CDevicePayload::ReadByte(const VARIANT& payload, BYTE expected, std::wstring* why) {
    if (payload.vt != VT_I1 || static_cast<BYTE>(payload.cVal) != expected)
        return Refuse(why,
                      L"expected I1 " + Number(static_cast<CHAR>(expected)) + L", got " + Describe(payload));
    return true;
}

bool CDevicePayload::ReadByRefLong(const VARIANT& payload, LONG expected, std::wstring* why) {
    if (payload.vt != (VT_BYREF | VT_I4) || !payload.plVal || *payload.plVal != expected)
        return Refuse(why, L"expected BYREF|I4 " + Number(expected) + L", got " + Describe(payload));
    return true;
}

bool CDevicePayload::ReadVariantVector(const VARIANT& payload, size_t count, std::vector<VARIANT>* elements,
                                       std::wstring* why) {
    const std::wstring expected =
        L"expected ARRAY|VARIANT[0.." + Number(static_cast<LONGLONG>(count) - 1) + L"]";
    if (payload.vt != (VT_ARRAY | VT_VARIANT) || !payload.parray || SafeArrayGetDim(payload.parray) != 1)
        return Refuse(why, expected + L", got " + Describe(payload));
    LONG low = 0, high = -1;
    if (FAILED(SafeArrayGetLBound(payload.parray, 1, &low)) ||
        FAILED(SafeArrayGetUBound(payload.parray, 1, &high)) || low != 0 ||
        high != static_cast<LONG>(count) - 1)
        return Refuse(why, expected + L", got " + Describe(payload));
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(payload.parray, &data)))
        return Refuse(why, L"the array cannot be read");
    const auto* first = static_cast<const VARIANT*>(data);
    elements->assign(first, first + count);
    SafeArrayUnaccessData(payload.parray);
    return true;
}

bool CDevicePayload::ReadCharacterArray(const VARIANT& payload, std::string* text, std::wstring* why) {
    constexpr size_t kLength = 32;
    std::vector<VARIANT> elements;
    if (!ReadVariantVector(payload, kLength, &elements, why))
        return false;
    std::string read;
    bool ended = false;
    for (size_t i = 0; i < kLength; ++i) {
        if (elements[i].vt != VT_I1)
            return Refuse(why, L"element " + Number(i) + L" is " + TypeName(elements[i].vt) + L", not I1");
        const BYTE byte = static_cast<BYTE>(elements[i].cVal);
        if (byte != 0 && ended)
            return Refuse(why, L"element " + Number(i) + L" follows the end of the text but is not 0");
        ended = ended || byte == 0;
        if (!ended)
            read += static_cast<char>(byte);
    }
    *text = read;
    return true;
}

bool CDevicePayload::ReadSelectorPair(const VARIANT& payload, BYTE* selector, VARTYPE* valueType, LONG* value,
                                      std::wstring* why) {
    std::vector<VARIANT> elements;
    if (!ReadVariantVector(payload, 2, &elements, why))
        return false;
    if (elements[0].vt != VT_I1)
        return Refuse(why, L"the selector is " + TypeName(elements[0].vt) + L", not I1");
    if (elements[1].vt != VT_I1 && elements[1].vt != VT_I2)
        return Refuse(why, L"the value is " + TypeName(elements[1].vt) + L", not I1 or I2");
    *selector = static_cast<BYTE>(elements[0].cVal);
    *valueType = elements[1].vt;
    *value = elements[1].vt == VT_I1 ? elements[1].cVal : elements[1].iVal;
    return true;
}

bool CDevicePayload::ReadReportIndex(const VARIANT& payload, SHORT* index, std::wstring* why) {
    std::vector<VARIANT> elements;
    if (!ReadVariantVector(payload, 1, &elements, why))
        return false;
    if (elements[0].vt != VT_I2)
        return Refuse(why, L"the index is " + TypeName(elements[0].vt) + L", not I2");
    *index = elements[0].iVal;
    return true;
}
