// The base of the text-to-value converters: which characters a number may hold and
// the checks every numeric text passes before it is converted. Converters are
// stateless; each class has one shared instance.
#pragma once

#include "platform/base/HResult.h"
#include "platform/base/WinTypes.h"
#include "platform/mfc/String.h"

class CPromptInfo;

class CCnvTextToValue {
public:
    static CCnvTextToValue* GetInstance();

    virtual ~CCnvTextToValue() = default;
    // Digits and signs; CNV_E_CHARNOTALLOWED for anything else.
    virtual HRESULT ValidateChar(wchar_t ch) const;

    // Empty, no digit, a refused character, a sign not in front, more than one
    // decimal point: the first rule broken wins. Nothing is trimmed.
    HRESULT ValidateText(LPCWSTR text) const;
    static void Trim(CString& text);
    // Leading '0's go; a text of zeros keeps one. TRUE when the text changed.
    static BOOL StripLeadingZeros(CString& text);

protected:
    CCnvTextToValue() = default;
    CCnvTextToValue(const CCnvTextToValue&) = delete;
    CCnvTextToValue& operator=(const CCnvTextToValue&) = delete;

    // The C runtime's decimal point of the current locale.
    static wchar_t LocaleDecimalPoint();
    // The float parsing both float converters share: trim, check, wcstod, and the
    // limits of float, with prompts 2, 4, 5 and 6. `*value` is set only on success.
    HRESULT ParseFloatText(const CString& text, double* value, CPromptInfo* prompt) const;
    // The value in fixed notation with `decimals` digits after the point, in the
    // current locale; the format is built at run time as the printing rule says.
    static CString PrintFixed(double value, int decimals);
};
