#include "profile/convert/CnvTextToValue.h"

#include <cfloat>
#include <clocale>
#include <cwchar>

#include "profile/convert/CnvErrors.h"
#include "profile/server/FrameworkPrompt.h"

CCnvTextToValue* CCnvTextToValue::GetInstance() {
    static CCnvTextToValue instance;
    return &instance;
}

HRESULT CCnvTextToValue::ValidateChar(wchar_t ch) const {
    if ((ch >= L'0' && ch <= L'9') || ch == L'+' || ch == L'-')
        return S_OK;
    return CNV_E_CHARNOTALLOWED;
}

HRESULT CCnvTextToValue::ValidateText(LPCWSTR text) const {
    const CString whole(text);
    if (whole.IsEmpty())
        return CNV_E_EMPTYTEXT;
    const wchar_t point = LocaleDecimalPoint();
    CString digits(whole);
    digits.Remove(L'+');
    digits.Remove(L'-');
    digits.Remove(point);
    if (digits.IsEmpty())
        return CNV_E_NODIGIT;
    for (int i = 0; i < whole.GetLength(); ++i) {
        const HRESULT hr = ValidateChar(whole[i]);
        if (FAILED(hr))
            return hr;
    }
    if (whole.ReverseFind(L'-') > 0 || whole.ReverseFind(L'+') > 0)
        return CNV_E_SIGNNOTFIRST;
    if (whole.Find(point) != whole.ReverseFind(point))
        return CNV_E_MULTIPLEDECIMALPOINTS;
    return S_OK;
}

void CCnvTextToValue::Trim(CString& text) {
    text.Trim();
}

BOOL CCnvTextToValue::StripLeadingZeros(CString& text) {
    int zeros = 0;
    while (zeros < text.GetLength() && text[zeros] == L'0')
        ++zeros;
    if (zeros == text.GetLength() && zeros > 0)
        --zeros; // a text of zeros keeps one
    if (zeros == 0)
        return FALSE;
    text.Delete(0, zeros);
    return TRUE;
}

wchar_t CCnvTextToValue::LocaleDecimalPoint() {
    const char* point = std::localeconv()->decimal_point;
    return point && *point ? static_cast<wchar_t>(static_cast<unsigned char>(*point)) : L'.';
}

HRESULT CCnvTextToValue::ParseFloatText(const CString& text, double* value, CPromptInfo* prompt) const {
    CString trimmed(text);
    Trim(trimmed);
    const HRESULT valid = ValidateText(trimmed);
    if (valid == CNV_E_EMPTYTEXT) {
        if (prompt)
            GetFrameworkPrompt(CNV_PROMPT_EMPTYTEXT, prompt);
        return CNV_E_EMPTYTEXT;
    }
    if (FAILED(valid)) {
        if (prompt)
            GetFrameworkPrompt(CNV_PROMPT_INVALIDFLOAT, text, prompt);
        return CNV_E_INVALIDFLOAT;
    }
    const double parsed = std::wcstod(trimmed, nullptr);
    if (parsed > static_cast<double>(FLT_MAX) || parsed < -static_cast<double>(FLT_MAX)) {
        const bool tooLarge = parsed > 0;
        if (prompt) {
            wchar_t limit[32];
            std::swprintf(limit, 32, L"%0.6e",
                          tooLarge ? static_cast<double>(FLT_MAX) : -static_cast<double>(FLT_MAX));
            GetFrameworkPrompt(tooLarge ? CNV_PROMPT_TOOLARGE : CNV_PROMPT_TOOSMALL, text, limit, prompt);
        }
        return tooLarge ? CNV_E_ABOVEMAXIMUM : CNV_E_BELOWMINIMUM;
    }
    *value = parsed;
    return S_OK;
}

CString CCnvTextToValue::PrintFixed(double value, int decimals) {
    CString format;
    format.Format(L"%s%d%c", L"%0.", decimals, L'f');
    // Room for the 309 integer digits of DBL_MAX, a sign, a point and the decimals.
    wchar_t buffer[512];
    const int written = std::swprintf(buffer, sizeof buffer / sizeof buffer[0], format.GetString(), value);
    return written < 0 ? CString() : CString(buffer, written);
}
