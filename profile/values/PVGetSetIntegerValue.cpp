#include "profile/values/PVGetSetIntegerValue.h"

#include "profile/convert/CnvTextToInteger.h"

CPVGetSetIntegerValue::CPVGetSetIntegerValue(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : CPVGetSetMemberNameValue(memberName, adapter) {}

CPVGetSetIntegerValue::~CPVGetSetIntegerValue() = default;

HRESULT CPVGetSetIntegerValue::GetValue(LONG* value, CPromptInfo*) {
    return ReadThroughAdapter(value, &IPVGetSetAdapter::GetLong);
}

HRESULT CPVGetSetIntegerValue::SetValue(LONG value, CPromptInfo*) {
    return WriteThroughAdapter(value, &IPVGetSetAdapter::SetLong);
}

HRESULT CPVGetSetIntegerValue::GetMinValue(LONG* value, CPromptInfo*) {
    return ReadThroughAdapter(value, &IPVGetSetAdapter::GetMinLong);
}

HRESULT CPVGetSetIntegerValue::GetMaxValue(LONG* value, CPromptInfo*) {
    return ReadThroughAdapter(value, &IPVGetSetAdapter::GetMaxLong);
}

HRESULT CPVGetSetIntegerValue::GetText(NumericGetter getter, CString* text, VARTYPE vt, CPromptInfo* prompt) {
    if (vt != VT_I4)
        return E_FAIL;
    if (!text)
        return E_POINTER;
    LONG value = 0;
    const HRESULT hr = (this->*getter)(&value, prompt);
    if (FAILED(hr))
        return hr;
    return CCnvTextToInteger::GetInstance()->ConvertValueToText(value, text);
}

HRESULT CPVGetSetIntegerValue::GetValue(CString* text, VARTYPE vt, CPromptInfo* prompt) {
    return GetText(&CPVGetSetIntegerValue::GetValue, text, vt, prompt);
}

HRESULT CPVGetSetIntegerValue::GetMinValue(CString* text, VARTYPE vt, CPromptInfo* prompt) {
    return GetText(&CPVGetSetIntegerValue::GetMinValue, text, vt, prompt);
}

HRESULT CPVGetSetIntegerValue::GetMaxValue(CString* text, VARTYPE vt, CPromptInfo* prompt) {
    return GetText(&CPVGetSetIntegerValue::GetMaxValue, text, vt, prompt);
}

HRESULT CPVGetSetIntegerValue::SetValue(const CString& text, VARTYPE vt, CPromptInfo* prompt) {
    if (vt != VT_I4)
        return E_FAIL;
    LONG value = 0;
    const HRESULT hr = CCnvTextToInteger::GetInstance()->ConvertTextToValue(text, &value, prompt);
    if (FAILED(hr)) {
        PrefixPromptWithMemberName(hr, prompt);
        return hr;
    }
    return SetValue(value, prompt);
}
