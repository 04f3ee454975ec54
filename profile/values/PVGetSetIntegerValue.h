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

    // The text forms: the numeric form above (as the class overrides it) and the
    // integer converter. Any vt but VT_I4 fails at once without touching the text.
    HRESULT STDMETHODCALLTYPE GetValue(CString* text, VARTYPE vt, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(const CString& text, VARTYPE vt, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(CString* text, VARTYPE vt, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(CString* text, VARTYPE vt, CPromptInfo* prompt) override;

protected:
    virtual ~CPVGetSetIntegerValue() = 0;

private:
    using NumericGetter = HRESULT (STDMETHODCALLTYPE CPVGetSetIntegerValue::*)(LONG*, CPromptInfo*);
    HRESULT GetText(NumericGetter getter, CString* text, VARTYPE vt, CPromptInfo* prompt);
};
