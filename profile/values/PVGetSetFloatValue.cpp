#include "profile/values/PVGetSetFloatValue.h"

CPVGetSetFloatValue::CPVGetSetFloatValue(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : CPVGetSetMemberNameValue(memberName, adapter) {}

CPVGetSetFloatValue::~CPVGetSetFloatValue() = default;

HRESULT CPVGetSetFloatValue::GetValue(float* value, CPromptInfo*) {
    if (!value)
        return E_POINTER;
    IPVGetSetAdapter* adapter = nullptr;
    CString member;
    HRESULT hr = BeginTypedOperation(adapter, member);
    if (FAILED(hr))
        return hr;
    float read = 0;
    hr = adapter->GetFloat(member, &read);
    if (SUCCEEDED(hr))
        *value = read;
    return hr;
}

HRESULT CPVGetSetFloatValue::SetValue(float value, CPromptInfo*) {
    IPVGetSetAdapter* adapter = nullptr;
    CString member;
    const HRESULT hr = BeginTypedOperation(adapter, member);
    if (FAILED(hr))
        return hr;
    return adapter->SetFloat(member, value);
}

HRESULT CPVGetSetFloatValue::GetMinValue(float* value, CPromptInfo*) {
    if (!value)
        return E_POINTER;
    IPVGetSetAdapter* adapter = nullptr;
    CString member;
    HRESULT hr = BeginTypedOperation(adapter, member);
    if (FAILED(hr))
        return hr;
    float read = 0;
    hr = adapter->GetMinFloat(member, &read);
    if (SUCCEEDED(hr))
        *value = read;
    return hr;
}

HRESULT CPVGetSetFloatValue::GetMaxValue(float* value, CPromptInfo*) {
    if (!value)
        return E_POINTER;
    IPVGetSetAdapter* adapter = nullptr;
    CString member;
    HRESULT hr = BeginTypedOperation(adapter, member);
    if (FAILED(hr))
        return hr;
    float read = 0;
    hr = adapter->GetMaxFloat(member, &read);
    if (SUCCEEDED(hr))
        *value = read;
    return hr;
}
