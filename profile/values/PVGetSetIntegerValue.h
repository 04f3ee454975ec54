// CPVGetSetIntegerValue: a member read and written as a LONG through the adapter,
// with the member's limits from the tag.
#pragma once

#include "profile/values/PVGetSetMemberNameValue.h"

class CPVGetSetIntegerValue : public CPVGetSetMemberNameValue {
public:
    CPVGetSetIntegerValue(LPCWSTR memberName, IPVGetSetAdapter* adapter);

    using CPVGetSetValue::GetMaxValue;
    using CPVGetSetValue::GetMinValue;
    using CPVGetSetValue::GetValue;
    using CPVGetSetValue::SetValue;

    HRESULT STDMETHODCALLTYPE GetValue(LONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(LONG value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(LONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(LONG* value, CPromptInfo* prompt) override;

protected:
    virtual ~CPVGetSetIntegerValue() = 0;
};
