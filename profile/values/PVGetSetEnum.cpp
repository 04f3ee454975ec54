#include "profile/values/PVGetSetEnum.h"

CPVGetSetEnum::CPVGetSetEnum(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : CPVGetSetIntegerValue(memberName, adapter) {}

CPVGetSetEnum::~CPVGetSetEnum() = default;

HRESULT CPVGetSetEnum::GetValue(LONG* index, CPromptInfo*) {
    if (!index)
        return E_POINTER;
    IPVGetSetAdapter* adapter = nullptr;
    CString member;
    HRESULT hr = BeginTypedOperation(adapter, member);
    if (FAILED(hr))
        return hr;
    LONG read = 0;
    hr = adapter->GetEnum(member, &read);
    if (SUCCEEDED(hr))
        *index = read;
    return hr;
}

HRESULT CPVGetSetEnum::SetValue(LONG index, CPromptInfo*) {
    IPVGetSetAdapter* adapter = nullptr;
    CString member;
    const HRESULT hr = BeginTypedOperation(adapter, member);
    if (FAILED(hr))
        return hr;
    return adapter->SetEnum(member, index);
}

// The tag's limits belong to the member's codes, not to the index, so there are none.
HRESULT CPVGetSetEnum::GetMinValue(LONG*, CPromptInfo*) {
    return E_FAIL;
}

HRESULT CPVGetSetEnum::GetMaxValue(LONG*, CPromptInfo*) {
    return E_FAIL;
}
