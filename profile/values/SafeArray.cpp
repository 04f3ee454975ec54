#include "profile/values/SafeArray.h"

#include "platform/oleaut/VariantT.h"
#include "profile/server/PVLog.h"

namespace {

// Where a VARIANT of element type `type` keeps its value (pointers for BSTR and
// interfaces, which the array copies itself).
void* ValueAddress(VARIANT& v, VARTYPE type) {
    switch (type) {
    case VT_BSTR:
        return v.bstrVal;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return v.punkVal;
    case VT_VARIANT:
        return &v;
    default:
        return &v.llVal; // every scalar member starts at the union's start
    }
}

bool IsReadableType(VARTYPE type) {
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_BOOL:
    case VT_UNKNOWN:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
    case VT_VARIANT:
        return true;
    default:
        return false;
    }
}

} // namespace

CSafeArray::CSafeArray(const CSafeArray& other) {
    if (other.m_pArray && FAILED(SafeArrayCopy(other.m_pArray, &m_pArray))) {
        m_pArray = nullptr;
        PVLog(L"Failed to copy safearray.");
    }
}

CSafeArray::CSafeArray(SAFEARRAY* array, bool copy) {
    if (!array)
        return;
    if (SafeArrayGetDim(array) > 1)
        PVLog(L"CSafeArray c'tor given a multidimensional array.");
    if (!copy) {
        m_pArray = array;
    } else if (FAILED(SafeArrayCopy(array, &m_pArray))) {
        m_pArray = nullptr;
        PVLog(L"Failed to copy safearray.");
    }
}

CSafeArray::CSafeArray(VARTYPE type, LONG lowerBound, ULONG count) {
    Create(type, lowerBound, count);
}

CSafeArray::~CSafeArray() {
    Destroy();
}

CSafeArray& CSafeArray::operator=(const CSafeArray& other) {
    if (this == &other)
        return *this;
    Destroy();
    if (other.m_pArray && FAILED(SafeArrayCopy(other.m_pArray, &m_pArray))) {
        m_pArray = nullptr;
        PVLog(L"Failed to copy safearray.");
    }
    return *this;
}

BOOL CSafeArray::Create(VARTYPE type, LONG lowerBound, ULONG count) {
    if ((type & (VT_ARRAY | VT_BYREF)) || type == VT_EMPTY || type == VT_NULL) {
        PVLog(L"Invalid variant type.");
        return FALSE;
    }
    Destroy();
    m_pArray = SafeArrayCreateVector(type, lowerBound, count);
    if (!m_pArray) {
        PVLog(L"Failed to create safearray.");
        return FALSE;
    }
    return TRUE;
}

void CSafeArray::Destroy() {
    if (!m_pArray)
        return;
    if (FAILED(SafeArrayDestroy(m_pArray)))
        PVLog(L"Failed to destroy encapsulated safearray");
    m_pArray = nullptr;
}

SAFEARRAY* CSafeArray::Detach() {
    SAFEARRAY* array = m_pArray;
    m_pArray = nullptr;
    return array;
}

ULONG CSafeArray::GetCount() const {
    return m_pArray ? m_pArray->rgsabound[0].cElements : 0;
}

LONG CSafeArray::GetBeginIndex() const {
    if (GetCount() == 0)
        return 0;
    LONG lower = 0;
    if (FAILED(SafeArrayGetLBound(m_pArray, 1, &lower))) {
        PVLog(L"Failed to get safearray lower bound.");
        return 0;
    }
    return lower;
}

VARTYPE CSafeArray::GetType() const {
    VARTYPE type = VT_EMPTY;
    if (!m_pArray || FAILED(SafeArrayGetVartype(m_pArray, &type))) {
        PVLog(L"Failed to get safearray type.");
        return VT_EMPTY;
    }
    return type;
}

VARIANT CSafeArray::Get(LONG index) const {
    VARIANT result;
    Get(&result, index);
    return result;
}

void CSafeArray::Get(VARIANT* out, LONG index) const {
    VariantInit(out);
    if (!m_pArray) {
        PVLog(L"Trying to get an element from an unattached CSafeArray.");
        return;
    }
    const VARTYPE type = GetType();
    if (!IsReadableType(type)) {
        PVLog(L"Unsupported variant type.");
        out->vt = VT_I4;
        out->lVal = E_FAIL;
        return;
    }
    _variant_t element;
    void* slot = type == VT_VARIANT ? static_cast<void*>(&element) : static_cast<void*>(&element.llVal);
    if (FAILED(SafeArrayGetElement(m_pArray, &index, slot))) {
        PVLog(L"Failed to get safearray element.");
        return;
    }
    if (type != VT_VARIANT)
        element.vt = type;
    VariantCopy(out, &element);
}

HRESULT CSafeArray::Set(LONG index, const VARIANT& element) {
    if (!m_pArray)
        return E_UNEXPECTED;
    if (element.vt == VT_EMPTY) {
        PVLog(L"Assigning an element of type VT_EMPTY is not supported.");
        return E_INVALIDARG;
    }
    const VARTYPE type = GetType();
    if (type != VT_VARIANT && element.vt != type) {
        PVLog(L"Element type and safearray type are incompatible.");
        return E_INVALIDARG;
    }
    VARIANT value = element;
    const HRESULT hr = SafeArrayPutElement(m_pArray, &index, ValueAddress(value, type));
    if (FAILED(hr))
        PVLog(L"Failed to set CSafeArray element.");
    return hr;
}

HRESULT CSafeArray::Resize(ULONG count) {
    SAFEARRAYBOUND bound{count, m_pArray->rgsabound[0].lLbound};
    return SafeArrayRedim(m_pArray, &bound);
}

HRESULT CSafeArray::Add(const VARIANT& element) {
    if (!m_pArray)
        return E_UNEXPECTED;
    const ULONG before = GetCount();
    if (FAILED(Resize(before + 1))) {
        PVLog(L"Failed to redimension SAFEARRAY");
        return E_FAIL;
    }
    if (GetCount() != before + 1) {
        PVLog(L"Failed to grow SAFEARRAY");
        return E_FAIL;
    }
    const HRESULT hr = Set(GetEndIndex() - 1, element);
    if (FAILED(hr) && FAILED(Resize(before)))
        PVLog(L"Failed to redimension SAFEARRAY");
    return hr;
}

HRESULT CSafeArray::Append(const CSafeArray& other) {
    if (!m_pArray)
        return E_UNEXPECTED;
    if (!other.m_pArray)
        return S_OK;
    if (GetType() != other.GetType()) {
        PVLog(L"Cannot append SAFEARRAY, type mismatch");
        return E_FAIL;
    }
    for (LONG i = other.GetBeginIndex(); i < other.GetEndIndex(); ++i) {
        _variant_t element;
        other.Get(element.GetAddress(), i);
        const HRESULT hr = Add(element);
        if (FAILED(hr)) {
            PVLog(L"Failed to append an source element to the destination array");
            return hr;
        }
    }
    return S_OK;
}
