#include "profile/values/PVGetSetEnum.h"

CPVGetSetEnum::CPVGetSetEnum(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : CPVGetSetIntegerValue(memberName, adapter) {}

CPVGetSetEnum::~CPVGetSetEnum() = default;

HRESULT CPVGetSetEnum::GetValue(LONG* index, CPromptInfo*) {
    return ReadThroughAdapter(index, &IPVGetSetAdapter::GetEnum);
}

HRESULT CPVGetSetEnum::SetValue(LONG index, CPromptInfo*) {
    return WriteThroughAdapter(index, &IPVGetSetAdapter::SetEnum);
}

// The tag's limits belong to the member's codes, not to the index, so there are none.
HRESULT CPVGetSetEnum::GetMinValue(LONG*, CPromptInfo*) {
    return E_FAIL;
}

HRESULT CPVGetSetEnum::GetMaxValue(LONG*, CPromptInfo*) {
    return E_FAIL;
}
