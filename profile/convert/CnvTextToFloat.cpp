#include "profile/convert/CnvTextToFloat.h"

#include <cerrno>
#include <cwchar>
#include <string>

#include "profile/convert/CnvErrors.h"
#include "profile/server/FrameworkPrompt.h"
#include "profile/server/PVLog.h"

namespace {

constexpr int kMaxUserDecimals = 9;
// 10^18 is the largest power of ten a 64-bit scale holds.
constexpr int kMaxScaleDecimals = 18;
constexpr double kScaledLimit = 9223372036854775808.0;

} // namespace

CCnvTextToFloat* CCnvTextToFloat::GetInstance() {
    static CCnvTextToFloat instance;
    return &instance;
}

HRESULT CCnvTextToFloat::ValidateChar(wchar_t ch) const {
    if (ch == LocaleDecimalPoint())
        return S_OK;
    return CCnvTextToValue::ValidateChar(ch);
}

HRESULT CCnvTextToFloat::ConvertTextToValue(const CString& text, float* value, CPromptInfo* prompt) const {
    if (!value)
        return E_POINTER;
    double parsed = 0;
    const HRESULT hr = ParseFloatText(text, &parsed, prompt);
    if (FAILED(hr))
        return hr;
    *value = static_cast<float>(parsed);
    return S_OK;
}

HRESULT CCnvTextToFloat::ConvertTextToValueRounded(const CString& text, int decimals, float* value,
                                                   CString* roundedText, CPromptInfo* prompt) const {
    if (!value)
        return E_POINTER;
    if (decimals < 0 || decimals > kMaxUserDecimals) {
        PVLog(L"Invalid number of decimal places.");
        if (prompt)
            GetFrameworkPrompt(CNV_PROMPT_INVALIDDECIMALS, std::to_wstring(decimals).c_str(), prompt);
        return E_FAIL;
    }
    CString rounded;
    const HRESULT hr = RoundFixedPoint(text, decimals, &rounded, prompt);
    if (FAILED(hr))
        return hr;
    *value = static_cast<float>(std::wcstod(rounded, nullptr));
    if (roundedText)
        *roundedText = rounded;
    return S_OK;
}

HRESULT CCnvTextToFloat::ConvertValueToText(float value, int decimals, CString* text) const {
    if (!text)
        return E_POINTER;
    if (decimals < 0 || decimals > kMaxScaleDecimals)
        return E_INVALIDARG;
    // One digit more than wanted, so that the rounding sees the deciding digit.
    CString rounded;
    const HRESULT hr = RoundFixedPoint(PrintFixed(value, decimals + 1), decimals, &rounded, nullptr);
    if (FAILED(hr))
        return hr;
    *text = rounded;
    return S_OK;
}

HRESULT CCnvTextToFloat::RoundFixedPoint(const CString& text, int decimals, CString* roundedText,
                                         CPromptInfo* prompt) const {
    if (decimals < 0 || decimals > kMaxScaleDecimals)
        return E_INVALIDARG;
    LONGLONG scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;

    double parsed = 0;
    HRESULT hr = ParseFloatText(text, &parsed, prompt);
    if (FAILED(hr))
        return hr;
    const double scaled = parsed * static_cast<double>(scale);
    if (scaled > kScaledLimit || scaled < -kScaledLimit)
        return E_FAIL;

    CString trimmed(text);
    Trim(trimmed);
    errno = 0;
    const LONGLONG whole = std::wcstoll(trimmed, nullptr, 10);
    LONGLONG result = 0;
    // The double check above lets through values a hair beyond 64 bits; those
    // overflow here instead and fail the same way.
    if (errno == ERANGE || __builtin_mul_overflow(whole, scale, &result))
        return E_FAIL;
    const bool negative = trimmed[0] == L'-';

    const wchar_t point = LocaleDecimalPoint();
    const int pointAt = trimmed.Find(point);
    if (pointAt >= 0) {
        CString digits = trimmed.Mid(pointAt + 1);
        while (digits.GetLength() < decimals)
            digits += L'0';
        const bool deciding = digits.GetLength() > decimals;
        digits = digits.Left(deciding ? decimals + 1 : decimals);
        ULONGLONG taken = 0;
        for (int i = 0; i < digits.GetLength(); ++i)
            taken = taken * 10 + static_cast<ULONGLONG>(digits[i] - L'0');
        // Halves go up on the magnitude.
        const LONGLONG fraction = static_cast<LONGLONG>(deciding ? (taken + 5) / 10 : taken);
        if (__builtin_add_overflow(result, negative ? -fraction : fraction, &result))
            return E_FAIL;
    }

    const ULONGLONG magnitude =
        result < 0 ? 0 - static_cast<ULONGLONG>(result) : static_cast<ULONGLONG>(result);
    const std::wstring digits = std::to_wstring(magnitude);
    const int length = static_cast<int>(digits.size());
    CString rounded = length <= decimals ? CString(L"0") : CString(digits.c_str(), length - decimals);
    if (decimals > 0) {
        rounded += point;
        const int shown = length < decimals ? length : decimals;
        rounded += CString(L'0', decimals - shown);
        rounded += CString(digits.c_str() + (length - shown), shown);
    }
    if (result < 0)
        rounded = L'-' + rounded;
    *roundedText = rounded;
    return S_OK;
}
