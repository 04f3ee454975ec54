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

    // The text forms: the numeric form above and the float converter, with the
    // caller's decimals. Any vt but VT_R4 fails at once without touching the text.
    HRESULT STDMETHODCALLTYPE GetValue(CString* text, UINT decimals, VARTYPE vt,
                                       CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(const CString& text, UINT decimals, VARTYPE vt,
                                       CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(CString* text, UINT decimals, VARTYPE vt,
                                          CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(CString* text, UINT decimals, VARTYPE vt,
                                          CPromptInfo* prompt) override;

protected:
    virtual ~CPVGetSetFloatValue() = 0;

    // The converter of the text forms: the first float converter here, which is given
    // no prompt record when printing.
    virtual HRESULT ConvertValueToText(float value, UINT decimals, CString* text, CPromptInfo* prompt);
    virtual HRESULT ConvertTextToValue(const CString& text, UINT decimals, float* value, CPromptInfo* prompt);

private:
    using NumericGetter = HRESULT (STDMETHODCALLTYPE CPVGetSetFloatValue::*)(float*, CPromptInfo*);
    HRESULT GetText(NumericGetter getter, CString* text, UINT decimals, VARTYPE vt, CPromptInfo* prompt);
};
