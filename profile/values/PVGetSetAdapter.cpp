#include "profile/values/PVGetSetAdapter.h"

#include <source_location>

#include "platform/oleaut/BstrT.h"
#include "platform/oleaut/VariantT.h"
#include "profile/server/PVComponentsGlobals.h"
#include "profile/server/PVLog.h"

namespace {

// False, logged under the caller's name, when the adapter's tag interface is unusable.
bool TagIsUsable(const void* tag, std::source_location where = std::source_location::current()) {
    if (InterfaceIsValid(tag))
        return true;
    PVLog(L"Error: ITag interface is not valid!\n", where);
    return false;
}

} // namespace

// Error handler

HRESULT CPVGetSetAdapeterErrorHandler::ErrorReadingValue(LPCWSTR member) {
    CString message;
    message.FormatMessage(L"Error: Reading value for member %1!s! from services!\n", member ? member : L"");
    PVLog(message);
    return E_FAIL;
}

HRESULT CPVGetSetAdapeterErrorHandler::ErrorSavingValue(LPCWSTR member) {
    CString message;
    message.FormatMessage(L"Error: Saving value for member %1!s! to services!\n", member ? member : L"");
    PVLog(message);
    return E_FAIL;
}

// CPVGetSetAdapterITag

CPVGetSetAdapterITag::CPVGetSetAdapterITag(ITag* tag) : m_spITag(tag) {
    InterfaceIsValid(m_spITag.p());
}

HRESULT CPVGetSetAdapterITag::GetVariant(LPCWSTR member, VARIANT* value) {
    if (!TagIsUsable(m_spITag.p())) {
        return E_FAIL;
    }
    return m_spITag->GetValue(_bstr_t(member).GetBSTR(), value);
}

HRESULT CPVGetSetAdapterITag::SetVariant(LPCWSTR member, const VARIANT& value) {
    if (!TagIsUsable(m_spITag.p())) {
        return E_FAIL;
    }
    return m_spITag->SetValue(_bstr_t(member).GetBSTR(), value);
}

HRESULT CPVGetSetAdapterITag::GetMinVariant(LPCWSTR member, VARIANT* value) {
    if (!TagIsUsable(m_spITag.p())) {
        return E_FAIL;
    }
    return m_spITag->GetMinValue(_bstr_t(member).GetBSTR(), value);
}

HRESULT CPVGetSetAdapterITag::GetMaxVariant(LPCWSTR member, VARIANT* value) {
    if (!TagIsUsable(m_spITag.p())) {
        return E_FAIL;
    }
    return m_spITag->GetMaxValue(_bstr_t(member).GetBSTR(), value);
}

HRESULT CPVGetSetAdapterITag::ReadVariant(Read which, LPCWSTR member, VARIANT* value) {
    switch (which) {
    case Read::Minimum:
        return GetMinVariant(member, value);
    case Read::Maximum:
        return GetMaxVariant(member, value);
    case Read::Value:
        break;
    }
    return GetVariant(member, value);
}

HRESULT CPVGetSetAdapterITag::ReadFloat(Read which, LPCWSTR member, float* value) {
    if (!value)
        return E_POINTER;
    _variant_t read;
    // A read that succeeds with another type is still a failed read.
    if (FAILED(ReadVariant(which, member, &read)) || read.vt != VT_R4)
        return CPVGetSetAdapeterErrorHandler::ErrorReadingValue(member);
    *value = read.fltVal;
    return S_OK;
}

HRESULT CPVGetSetAdapterITag::ReadLong(Read which, LPCWSTR member, LONG* value) {
    if (!value)
        return E_POINTER;
    _variant_t read;
    if (FAILED(ReadVariant(which, member, &read)) || read.vt != VT_I4)
        return CPVGetSetAdapeterErrorHandler::ErrorReadingValue(member);
    *value = read.lVal;
    return S_OK;
}

HRESULT CPVGetSetAdapterITag::ReadLongLong(Read which, LPCWSTR member, LONGLONG* value) {
    if (!value)
        return E_POINTER;
    _variant_t read;
    if (FAILED(ReadVariant(which, member, &read)))
        return CPVGetSetAdapeterErrorHandler::ErrorReadingValue(member);
    if (read.vt == VT_I4)
        *value = read.lVal;
    else if (read.vt == VT_I8)
        *value = read.llVal;
    else
        return CPVGetSetAdapeterErrorHandler::ErrorReadingValue(member);
    return S_OK;
}

HRESULT CPVGetSetAdapterITag::GetBool(LPCWSTR member, BOOL* value, BOOL invert) {
    if (!value)
        return E_POINTER;
    _variant_t read;
    if (FAILED(GetVariant(member, &read)) || read.vt != VT_BOOL)
        return CPVGetSetAdapeterErrorHandler::ErrorReadingValue(member);
    // Only the automation true counts; a 1 reads as FALSE.
    const bool set = IsVariantTrue(read.boolVal);
    *value = (set != (invert != FALSE)) ? TRUE : FALSE;
    return S_OK;
}

HRESULT CPVGetSetAdapterITag::SetBool(LPCWSTR member, BOOL value, BOOL invert) {
    const BOOL effective = invert ? (value == FALSE) : value;
    const _variant_t write(effective != FALSE);
    const HRESULT hr = SetVariant(member, write);
    if (FAILED(hr))
        CPVGetSetAdapeterErrorHandler::ErrorSavingValue(member);
    return hr;
}

HRESULT CPVGetSetAdapterITag::GetEnum(LPCWSTR member, LONG* index) {
    if (!index)
        return E_POINTER;
    if (!TagIsUsable(m_spITag.p())) {
        *index = -1;
        return E_FAIL;
    }
    const HRESULT hr = m_spITag->GetEnumIndex(_bstr_t(member).GetBSTR(), index);
    if (SUCCEEDED(hr))
        return hr;
    *index = -1;
    // A member the tag lacks is no error here: the control shows no selection.
    if (hr == E_INVALIDARG)
        return S_OK;
    CPVGetSetAdapeterErrorHandler::ErrorReadingValue(member);
    return hr;
}

HRESULT CPVGetSetAdapterITag::SetEnum(LPCWSTR member, LONG index) {
    if (!TagIsUsable(m_spITag.p())) {
        return E_FAIL;
    }
    const HRESULT hr = m_spITag->SetEnumIndex(_bstr_t(member).GetBSTR(), index);
    if (FAILED(hr))
        CPVGetSetAdapeterErrorHandler::ErrorSavingValue(member);
    return hr;
}

HRESULT CPVGetSetAdapterITag::GetEnumStrings(LPCWSTR member, SAFEARRAY** strings) {
    if (!strings)
        return E_POINTER;
    if (!TagIsUsable(m_spITag.p())) {
        return E_FAIL;
    }
    const HRESULT hr = m_spITag->GetEnumStrings(_bstr_t(member).GetBSTR(), strings);
    if (FAILED(hr))
        CPVGetSetAdapeterErrorHandler::ErrorReadingValue(member);
    return hr;
}

HRESULT CPVGetSetAdapterITag::GetFloat(LPCWSTR member, float* value) {
    return ReadFloat(Read::Value, member, value);
}

HRESULT CPVGetSetAdapterITag::SetFloat(LPCWSTR member, float value) {
    // The value travels as a double first and is narrowed to VT_R4 for the host.
    const double held = value;
    const _variant_t write(static_cast<float>(held));
    const HRESULT hr = SetVariant(member, write);
    if (FAILED(hr))
        CPVGetSetAdapeterErrorHandler::ErrorSavingValue(member);
    return hr;
}

HRESULT CPVGetSetAdapterITag::GetMinFloat(LPCWSTR member, float* value) {
    return ReadFloat(Read::Minimum, member, value);
}

HRESULT CPVGetSetAdapterITag::GetMaxFloat(LPCWSTR member, float* value) {
    return ReadFloat(Read::Maximum, member, value);
}

HRESULT CPVGetSetAdapterITag::GetLong(LPCWSTR member, LONG* value) {
    return ReadLong(Read::Value, member, value);
}

HRESULT CPVGetSetAdapterITag::SetLong(LPCWSTR member, LONG value) {
    const _variant_t write(value);
    const HRESULT hr = SetVariant(member, write);
    if (FAILED(hr))
        CPVGetSetAdapeterErrorHandler::ErrorSavingValue(member);
    return hr;
}

HRESULT CPVGetSetAdapterITag::GetMinLong(LPCWSTR member, LONG* value) {
    return ReadLong(Read::Minimum, member, value);
}

HRESULT CPVGetSetAdapterITag::GetMaxLong(LPCWSTR member, LONG* value) {
    return ReadLong(Read::Maximum, member, value);
}

HRESULT CPVGetSetAdapterITag::GetString(LPCWSTR member, CString* value) {
    if (!value)
        return E_POINTER;
    _variant_t read;
    if (FAILED(GetVariant(member, &read)) || read.vt != VT_BSTR)
        return CPVGetSetAdapeterErrorHandler::ErrorReadingValue(member);
    const BSTR text = read.bstrVal;
    *value = CString(text, static_cast<int>(SysStringLen(text)));
    return S_OK;
}

HRESULT CPVGetSetAdapterITag::SetString(LPCWSTR member, CString value) {
    _variant_t write;
    write.vt = VT_BSTR;
    write.bstrVal = value.AllocSysString();
    const HRESULT hr = SetVariant(member, write);
    if (FAILED(hr))
        CPVGetSetAdapeterErrorHandler::ErrorSavingValue(member);
    return hr;
}

HRESULT CPVGetSetAdapterITag::GetITag(ITag2** tag) {
    if (!tag) {
        PVLog(L"Error: ppItag is not valid!\n");
        return E_POINTER;
    }
    if (!TagIsUsable(m_spITag.p())) {
        return E_FAIL;
    }
    return m_spITag->QueryInterface(tag);
}

HRESULT CPVGetSetAdapterITag::GetMemberDirtyState(LPCWSTR member, VARIANT_BOOL* dirty) {
    if (!dirty) {
        PVLog(L"Error: pIsDirty is not valid!\n");
        return E_POINTER;
    }
    if (!TagIsUsable(m_spITag.p())) {
        return E_FAIL;
    }
    CComPtr<ITag2> tag2;
    if (FAILED(m_spITag->QueryInterface(&tag2)) || !tag2) {
        PVLog(L"Error: ITag2 interface is not valid!\n");
        return E_FAIL;
    }
    const HRESULT hr = tag2->GetMemberDirtyState(_bstr_t(member).GetBSTR(), dirty);
    if (FAILED(hr))
        PVLog(L"Error: Checking the tag member dirty flag!\n");
    return hr;
}

HRESULT CPVGetSetAdapterITag::GetMemberExists(LPCWSTR member, VARIANT_BOOL* exists) {
    if (!exists) {
        PVLog(L"Invalid output pointer.");
        return E_POINTER;
    }
    if (!m_spITag)
        return E_FAIL;
    _variant_t read;
    const HRESULT hr = m_spITag->GetValue(_bstr_t(member).GetBSTR(), &read);
    // The host answers E_INVALIDARG for a member the tag lacks.
    if (hr == E_INVALIDARG) {
        *exists = VARIANT_FALSE;
        return S_OK;
    }
    if (FAILED(hr)) {
        PVLog(L"Failed to get value for reason other than non-existance.");
        return hr;
    }
    *exists = VARIANT_TRUE;
    return S_OK;
}

HRESULT CPVGetSetAdapterITag::GetEnumValues(LPCWSTR member, SAFEARRAY** values) {
    if (!TagIsUsable(m_spITag.p())) {
        return E_FAIL;
    }
    CComPtr<ITagEnumValues> enumValues;
    HRESULT hr = m_spITag->QueryInterface(&enumValues);
    if (FAILED(hr)) {
        CPVGetSetAdapeterErrorHandler::ErrorReadingValue(member);
        return hr;
    }
    hr = enumValues->GetEnumValues(_bstr_t(member).GetBSTR(), values);
    if (FAILED(hr))
        CPVGetSetAdapeterErrorHandler::ErrorReadingValue(member);
    return hr;
}

HRESULT CPVGetSetAdapterITag::GetLongLong(LPCWSTR member, LONGLONG* value) {
    return ReadLongLong(Read::Value, member, value);
}

HRESULT CPVGetSetAdapterITag::SetLongLong(LPCWSTR member, LONGLONG value) {
    const _variant_t write(value);
    const HRESULT hr = SetVariant(member, write);
    if (FAILED(hr))
        CPVGetSetAdapeterErrorHandler::ErrorSavingValue(member);
    return hr;
}

HRESULT CPVGetSetAdapterITag::GetMinLongLong(LPCWSTR member, LONGLONG* value) {
    return ReadLongLong(Read::Minimum, member, value);
}

HRESULT CPVGetSetAdapterITag::GetMaxLongLong(LPCWSTR member, LONGLONG* value) {
    return ReadLongLong(Read::Maximum, member, value);
}

// CPVGetSetAdapterITagExtProperty

CPVGetSetAdapterITagExtProperty::CPVGetSetAdapterITagExtProperty(LONG selector,
                                                                 CComPtr<ITagExtProperty> extProperty)
    : m_spITagExtProperty(std::move(extProperty)), m_lSelector(selector) {
    InterfaceIsValid(m_spITagExtProperty.p());
}

HRESULT CPVGetSetAdapterITagExtProperty::GetVariant(LPCWSTR member, VARIANT* value) {
    if (!TagIsUsable(m_spITagExtProperty.p())) {
        return E_FAIL;
    }
    return m_spITagExtProperty->GetExtProperty(m_lSelector, _bstr_t(member).GetBSTR(), value);
}

HRESULT CPVGetSetAdapterITagExtProperty::SetVariant(LPCWSTR member, const VARIANT& value) {
    if (!TagIsUsable(m_spITagExtProperty.p())) {
        return E_FAIL;
    }
    return m_spITagExtProperty->SetExtProperty(m_lSelector, _bstr_t(member).GetBSTR(), value);
}

HRESULT CPVGetSetAdapterITagExtProperty::GetString(LPCWSTR member, CString* value) {
    if (!value)
        return E_POINTER;
    _variant_t read;
    const HRESULT hr = GetVariant(member, &read);
    if (FAILED(hr) || read.vt != VT_BSTR)
        return CPVGetSetAdapeterErrorHandler::ErrorReadingValue(member);
    const BSTR text = read.bstrVal;
    *value = CString(text, static_cast<int>(SysStringLen(text)));
    return hr;
}

HRESULT CPVGetSetAdapterITagExtProperty::SetString(LPCWSTR member, CString value) {
    _variant_t write;
    write.vt = VT_BSTR;
    write.bstrVal = value.AllocSysString();
    const HRESULT hr = SetVariant(member, write);
    if (FAILED(hr))
        CPVGetSetAdapeterErrorHandler::ErrorSavingValue(member);
    return hr;
}

// The extended property carries text only.
HRESULT CPVGetSetAdapterITagExtProperty::GetBool(LPCWSTR, BOOL*, BOOL) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::SetBool(LPCWSTR, BOOL, BOOL) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::GetEnum(LPCWSTR, LONG*) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::SetEnum(LPCWSTR, LONG) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::GetEnumStrings(LPCWSTR, SAFEARRAY**) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::GetFloat(LPCWSTR, float*) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::SetFloat(LPCWSTR, float) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::GetMinFloat(LPCWSTR, float*) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::GetMaxFloat(LPCWSTR, float*) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::GetLong(LPCWSTR, LONG*) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::SetLong(LPCWSTR, LONG) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::GetMinLong(LPCWSTR, LONG*) {
    return E_NOTIMPL;
}
HRESULT CPVGetSetAdapterITagExtProperty::GetMaxLong(LPCWSTR, LONG*) {
    return E_NOTIMPL;
}
