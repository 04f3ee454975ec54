// CPVGetSetFloat2: a float member whose texts go through the second float converter
// (which takes '.' whatever the locale).
#pragma once

#include "profile/values/PVGetSetFloatValue.h"

class CPVGetSetFloat2 : public CPVGetSetFloatValue {
public:
    CPVGetSetFloat2(LPCWSTR memberName, IPVGetSetAdapter* adapter);

protected:
    ~CPVGetSetFloat2() override;

    // The second float converter, which is given the prompt record in both directions.
    HRESULT ConvertValueToText(float value, UINT decimals, CString* text, CPromptInfo* prompt) override;
    HRESULT ConvertTextToValue(const CString& text, UINT decimals, float* value,
                               CPromptInfo* prompt) override;
};
