#include "profile/values/PVGetSetFloat2.h"

#include "profile/convert/CnvTextToFloat2.h"

CPVGetSetFloat2::CPVGetSetFloat2(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : CPVGetSetFloatValue(memberName, adapter) {}

CPVGetSetFloat2::~CPVGetSetFloat2() = default;

HRESULT CPVGetSetFloat2::ConvertValueToText(float value, UINT decimals, CString* text, CPromptInfo* prompt) {
    float rounded = 0;
    return CCnvTextToFloat2::GetInstance()->ConvertValueToText(value, static_cast<int>(decimals), &rounded,
                                                               text, prompt);
}

HRESULT CPVGetSetFloat2::ConvertTextToValue(const CString& text, UINT decimals, float* value,
                                            CPromptInfo* prompt) {
    return CCnvTextToFloat2::GetInstance()->ConvertTextToValue(text, static_cast<int>(decimals), value,
                                                               nullptr, prompt);
}
