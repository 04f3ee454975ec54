// The second float converter: '.' is a decimal character whatever the locale, and
// rounding adds half a unit of the last kept decimal to the value before printing.
#pragma once

#include "profile/convert/CnvTextToValue.h"

class CCnvTextToFloat2 : public CCnvTextToValue {
public:
    static CCnvTextToFloat2* GetInstance();

    // Digits, signs and '.'.
    HRESULT ValidateChar(wchar_t ch) const override;

    HRESULT ConvertTextToValue(const CString& text, double* value, CPromptInfo* prompt) const;
    // Parse, then RoundToDecimals. `roundedText` is optional.
    HRESULT ConvertTextToValue(const CString& text, int decimals, float* value, CString* roundedText,
                               CPromptInfo* prompt) const;
    HRESULT ConvertValueToText(float value, int decimals, float* roundedValue, CString* text,
                               CPromptInfo* prompt) const;
    // `text` is the value as typed or printed; its digit after the kept decimals
    // decides whether half a unit is added. Decimals 0 to 18; E_FAIL for a text that
    // fails the checks. `roundedText` is optional.
    HRESULT RoundToDecimals(const CString& text, double value, int decimals, float* roundedValue,
                            CString* roundedText, CPromptInfo* prompt) const;

private:
    CCnvTextToFloat2() = default;
};
