// CPVGetSetEnum: an enumeration member as its index, as a combo box selects it. An
// index has no limits of its own.
#pragma once

#include "profile/values/PVGetSetIntegerValue.h"

class CPVGetSetEnum : public CPVGetSetIntegerValue {
public:
    CPVGetSetEnum(LPCWSTR memberName, IPVGetSetAdapter* adapter);

    using CPVGetSetIntegerValue::GetMaxValue;
    using CPVGetSetIntegerValue::GetMinValue;
    using CPVGetSetIntegerValue::GetValue;
    using CPVGetSetIntegerValue::SetValue;

    // -1 with S_OK when the tag lacks the member.
    HRESULT STDMETHODCALLTYPE GetValue(LONG* index, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(LONG index, CPromptInfo* prompt) override;
    // E_FAIL, silently.
    HRESULT STDMETHODCALLTYPE GetMinValue(LONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(LONG* value, CPromptInfo* prompt) override;

protected:
    ~CPVGetSetEnum() override;
};
