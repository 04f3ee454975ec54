#include "profile/values/PVGetSetFloatValue.h"

#include "profile/convert/CnvTextToFloat.h"

CPVGetSetFloatValue::CPVGetSetFloatValue(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : CPVGetSetMemberNameValue(memberName, adapter) {}

CPVGetSetFloatValue::~CPVGetSetFloatValue() = default;

HRESULT CPVGetSetFloatValue::GetValue(float* value, CPromptInfo*) {
    return ReadThroughAdapter(value, &IPVGetSetAdapter::GetFloat);
}

HRESULT CPVGetSetFloatValue::SetValue(float value, CPromptInfo*) {
    return WriteThroughAdapter(value, &IPVGetSetAdapter::SetFloat);
}

HRESULT CPVGetSetFloatValue::GetMinValue(float* value, CPromptInfo*) {
    return ReadThroughAdapter(value, &IPVGetSetAdapter::GetMinFloat);
}

HRESULT CPVGetSetFloatValue::GetMaxValue(float* value, CPromptInfo*) {
    return ReadThroughAdapter(value, &IPVGetSetAdapter::GetMaxFloat);
}

HRESULT CPVGetSetFloatValue::ConvertValueToText(float value, UINT decimals, CString* text, CPromptInfo*) {
    return CCnvTextToFloat::GetInstance()->ConvertValueToText(value, static_cast<int>(decimals), text);
}

HRESULT CPVGetSetFloatValue::ConvertTextToValue(const CString& text, UINT decimals, float* value,
                                                CPromptInfo* prompt) {
    return CCnvTextToFloat::GetInstance()->ConvertTextToValueRounded(text, static_cast<int>(decimals), value,
                                                                     nullptr, prompt);
}

HRESULT CPVGetSetFloatValue::GetText(NumericGetter getter, CString* text, UINT decimals, VARTYPE vt,
                                     CPromptInfo* prompt) {
    if (vt != VT_R4)
        return E_FAIL;
    if (!text)
        return E_POINTER;
    float value = 0;
    const HRESULT hr = (this->*getter)(&value, prompt);
    if (FAILED(hr))
        return hr;
    return ConvertValueToText(value, decimals, text, prompt);
}

HRESULT CPVGetSetFloatValue::GetValue(CString* text, UINT decimals, VARTYPE vt, CPromptInfo* prompt) {
    return GetText(&CPVGetSetFloatValue::GetValue, text, decimals, vt, prompt);
}

HRESULT CPVGetSetFloatValue::GetMinValue(CString* text, UINT decimals, VARTYPE vt, CPromptInfo* prompt) {
    return GetText(&CPVGetSetFloatValue::GetMinValue, text, decimals, vt, prompt);
}

HRESULT CPVGetSetFloatValue::GetMaxValue(CString* text, UINT decimals, VARTYPE vt, CPromptInfo* prompt) {
    return GetText(&CPVGetSetFloatValue::GetMaxValue, text, decimals, vt, prompt);
}

HRESULT CPVGetSetFloatValue::SetValue(const CString& text, UINT decimals, VARTYPE vt, CPromptInfo* prompt) {
    if (vt != VT_R4)
        return E_FAIL;
    float value = 0;
    const HRESULT hr = ConvertTextToValue(text, decimals, &value, prompt);
    if (FAILED(hr)) {
        PrefixPromptWithMemberName(hr, prompt);
        return hr;
    }
    return SetValue(value, prompt);
}
