// CPVGetSetFloatValue: a member read and written as a float through the adapter,
// with the member's limits from the tag.
#pragma once

#include "profile/values/PVGetSetMemberNameValue.h"

class CPVGetSetFloatValue : public CPVGetSetMemberNameValue {
public:
    CPVGetSetFloatValue(LPCWSTR memberName, IPVGetSetAdapter* adapter);

    using CPVGetSetValue::GetMaxValue;
    using CPVGetSetValue::GetMinValue;
    using CPVGetSetValue::GetValue;
    using CPVGetSetValue::SetValue;

    HRESULT STDMETHODCALLTYPE GetValue(float* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(float value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(float* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(float* value, CPromptInfo* prompt) override;

protected:
    virtual ~CPVGetSetFloatValue() = 0;
};
