#include "profile/convert/CnvTextToFloat2.h"

#include <cfloat>
#include <cwchar>

CCnvTextToFloat2* CCnvTextToFloat2::GetInstance() {
    static CCnvTextToFloat2 instance;
    return &instance;
}

namespace {

// 10^18 keeps the printed text within the printing buffer.
constexpr int kMaxDecimals = 18;

} // namespace

HRESULT CCnvTextToFloat2::ValidateChar(wchar_t ch) const {
    if (ch == L'.')
        return S_OK;
    return CCnvTextToValue::ValidateChar(ch);
}

HRESULT CCnvTextToFloat2::ConvertTextToValue(const CString& text, double* value, CPromptInfo* prompt) const {
    if (!value)
        return E_POINTER;
    return ParseFloatText(text, value, prompt);
}

HRESULT CCnvTextToFloat2::ConvertTextToValue(const CString& text, int decimals, float* value,
                                             CString* roundedText, CPromptInfo* prompt) const {
    if (!value)
        return E_POINTER;
    double parsed = 0;
    const HRESULT hr = ParseFloatText(text, &parsed, prompt);
    if (FAILED(hr))
        return hr;
    // The parse ignores blanks around the number; so does the rounding.
    CString trimmed(text);
    Trim(trimmed);
    return RoundToDecimals(trimmed, parsed, decimals, value, roundedText, prompt);
}

HRESULT CCnvTextToFloat2::ConvertValueToText(float value, int decimals, float* roundedValue, CString* text,
                                             CPromptInfo* prompt) const {
    if (!roundedValue || !text)
        return E_POINTER;
    if (decimals < 0 || decimals > kMaxDecimals)
        return E_INVALIDARG;
    return RoundToDecimals(PrintFixed(value, decimals + 1), value, decimals, roundedValue, text, prompt);
}

HRESULT CCnvTextToFloat2::RoundToDecimals(const CString& text, double value, int decimals,
                                          float* roundedValue, CString* roundedText,
                                          CPromptInfo* prompt) const {
    if (!roundedValue)
        return E_POINTER;
    if (decimals < 0 || decimals > kMaxDecimals)
        return E_INVALIDARG;
    if (FAILED(ValidateText(text)))
        return E_FAIL;
    const int point = text.ReverseFind(L'.');
    if (point >= 0 && text.GetLength() - point - 1 > decimals) {
        const wchar_t deciding = text[point + 1 + decimals];
        if (deciding >= L'5') {
            double scale = 1; // exact: powers of ten up to 10^22 are doubles
            for (int i = 0; i < decimals; ++i)
                scale *= 10;
            const double unit = 0.5 / scale;
            value += text[0] == L'-' ? -unit : unit;
        }
    }
    const CString rounded = PrintFixed(value, decimals);
    const double parsed = std::wcstod(rounded, nullptr);
    // A value given from outside the parse may lie beyond what a float holds.
    if (parsed > static_cast<double>(FLT_MAX) || parsed < -static_cast<double>(FLT_MAX))
        return E_FAIL;
    *roundedValue = static_cast<float>(parsed);
    if (roundedText)
        *roundedText = rounded;
    return S_OK;
}
