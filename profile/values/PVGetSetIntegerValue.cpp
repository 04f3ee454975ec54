#include "profile/values/PVGetSetIntegerValue.h"

CPVGetSetIntegerValue::CPVGetSetIntegerValue(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : CPVGetSetMemberNameValue(memberName, adapter) {}

CPVGetSetIntegerValue::~CPVGetSetIntegerValue() = default;

HRESULT CPVGetSetIntegerValue::GetValue(LONG* value, CPromptInfo*) {
    if (!value)
        return E_POINTER;
    IPVGetSetAdapter* adapter = nullptr;
    CString member;
    HRESULT hr = BeginTypedOperation(adapter, member);
    if (FAILED(hr))
        return hr;
    LONG read = 0;
    hr = adapter->GetLong(member, &read);
    if (SUCCEEDED(hr))
        *value = read;
    return hr;
}

HRESULT CPVGetSetIntegerValue::SetValue(LONG value, CPromptInfo*) {
    IPVGetSetAdapter* adapter = nullptr;
    CString member;
    const HRESULT hr = BeginTypedOperation(adapter, member);
    if (FAILED(hr))
        return hr;
    return adapter->SetLong(member, value);
}

HRESULT CPVGetSetIntegerValue::GetMinValue(LONG* value, CPromptInfo*) {
    if (!value)
        return E_POINTER;
    IPVGetSetAdapter* adapter = nullptr;
    CString member;
    HRESULT hr = BeginTypedOperation(adapter, member);
    if (FAILED(hr))
        return hr;
    LONG read = 0;
    hr = adapter->GetMinLong(member, &read);
    if (SUCCEEDED(hr))
        *value = read;
    return hr;
}

HRESULT CPVGetSetIntegerValue::GetMaxValue(LONG* value, CPromptInfo*) {
    if (!value)
        return E_POINTER;
    IPVGetSetAdapter* adapter = nullptr;
    CString member;
    HRESULT hr = BeginTypedOperation(adapter, member);
    if (FAILED(hr))
        return hr;
    LONG read = 0;
    hr = adapter->GetMaxLong(member, &read);
    if (SUCCEEDED(hr))
        *value = read;
    return hr;
}
