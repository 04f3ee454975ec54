// Text to float in the current locale, and fixed-point rounding to a number of
// decimals done on the text's own digits in exact integer arithmetic.
#pragma once

#include "profile/convert/CnvTextToValue.h"

class CCnvTextToFloat : public CCnvTextToValue {
public:
    static CCnvTextToFloat* GetInstance();

    // Digits, signs and the locale's decimal point.
    HRESULT ValidateChar(wchar_t ch) const override;

    HRESULT ConvertTextToValue(const CString& text, float* value, CPromptInfo* prompt) const;
    // Decimals 0 to 9. On success `*roundedText` (optional) is the text rounded to the
    // decimals and `*value` that text's value.
    HRESULT ConvertTextToValueRounded(const CString& text, int decimals, float* value, CString* roundedText,
                                      CPromptInfo* prompt) const;
    HRESULT ConvertValueToText(float value, int decimals, CString* text) const;

private:
    CCnvTextToFloat() = default;
    // The rounding itself, for decimals 0 to 18 (the scale must fit 64 bits).
    HRESULT RoundFixedPoint(const CString& text, int decimals, CString* roundedText,
                            CPromptInfo* prompt) const;
};
