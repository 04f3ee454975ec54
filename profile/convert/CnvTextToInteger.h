// Text to 32- and 64-bit integers with the limits of the type, and back.
#pragma once

#include "profile/convert/CnvTextToValue.h"

class CCnvTextToInteger : public CCnvTextToValue {
public:
    static CCnvTextToInteger* GetInstance();

    // Blanks around the number are trimmed; a failure fills `prompt` (when given) and
    // leaves `*value` as it was.
    HRESULT ConvertTextToValue(LPCWSTR text, LONGLONG* value, CPromptInfo* prompt) const;
    HRESULT ConvertTextToValue(LPCWSTR text, LONG* value, CPromptInfo* prompt) const;
    HRESULT ConvertTextToValue(LPCWSTR text, ULONG* value, CPromptInfo* prompt) const;
    HRESULT ConvertTextToValue(LPCWSTR text, ULONGLONG* value, CPromptInfo* prompt) const;

    HRESULT ConvertValueToText(LONG value, CString* text) const;
    HRESULT ConvertValueToText(ULONG value, CString* text) const;
    HRESULT ConvertValueToText(LONGLONG value, CString* text) const;
    HRESULT ConvertValueToText(ULONGLONG value, CString* text) const;

private:
    CCnvTextToInteger() = default;
    // Trim and check; prompt 2 for an empty text, prompt 3 for any other refusal.
    HRESULT CheckIntegerText(LPCWSTR text, CString* trimmed, CPromptInfo* prompt) const;
    HRESULT DecimalToText(bool negative, ULONGLONG magnitude, CString* text) const;
};
