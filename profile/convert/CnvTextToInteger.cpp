#include "profile/convert/CnvTextToInteger.h"

#include <cerrno>
#include <cwchar>
#include <limits>

#include "platform/base/FaultInjector.h"
#include "profile/convert/CnvErrors.h"
#include "profile/server/FrameworkPrompt.h"
#include "profile/server/PVLog.h"

namespace {

// errno is reached through the runtime's accessors, which can fail; both are fault
// injection points so that their log lines can be seen.
int SetErrno(int value) {
    LONG code = 0;
    if (CFaultInjector::Instance().ShouldFail("_set_errno", &code))
        return code;
    errno = value;
    return 0;
}

int GetErrno(int* value) {
    LONG code = 0;
    if (CFaultInjector::Instance().ShouldFail("_get_errno", &code))
        return code;
    *value = errno;
    return 0;
}

void RangePrompt(LONG promptId, LPCWSTR text, LPCWSTR limit, CPromptInfo* prompt) {
    if (prompt)
        GetFrameworkPrompt(promptId, text, limit, prompt);
}

} // namespace

CCnvTextToInteger* CCnvTextToInteger::GetInstance() {
    static CCnvTextToInteger instance;
    return &instance;
}

HRESULT CCnvTextToInteger::CheckIntegerText(LPCWSTR text, CString* trimmed, CPromptInfo* prompt) const {
    *trimmed = text;
    Trim(*trimmed);
    const HRESULT valid = ValidateText(*trimmed);
    if (valid == CNV_E_EMPTYTEXT) {
        if (prompt)
            GetFrameworkPrompt(CNV_PROMPT_EMPTYTEXT, prompt);
        return CNV_E_EMPTYTEXT;
    }
    if (FAILED(valid)) {
        if (prompt)
            GetFrameworkPrompt(CNV_PROMPT_INVALIDINTEGER, text, prompt);
        return CNV_E_INVALIDINTEGER;
    }
    return S_OK;
}

HRESULT CCnvTextToInteger::ConvertTextToValue(LPCWSTR text, LONGLONG* value, CPromptInfo* prompt) const {
    if (!value)
        return E_POINTER;
    CString trimmed;
    const HRESULT hr = CheckIntegerText(text, &trimmed, prompt);
    if (FAILED(hr))
        return hr;
    if (SetErrno(0) != 0)
        PVLog(L"Failed to set errno!");
    const LONGLONG parsed = std::wcstoll(trimmed, nullptr, 10);
    int error = 0;
    if (GetErrno(&error) != 0)
        PVLog(L"Failed to get errno.");
    if (error == ERANGE) {
        CString message;
        message.Format(L"Error: Conversion of text %s exceeded __int64 data type!", text);
        PVLog(message);
        return E_FAIL;
    }
    *value = parsed;
    return S_OK;
}

HRESULT CCnvTextToInteger::ConvertTextToValue(LPCWSTR text, LONG* value, CPromptInfo* prompt) const {
    if (!value)
        return E_POINTER;
    LONGLONG wide = 0;
    const HRESULT hr = ConvertTextToValue(text, &wide, prompt);
    if (FAILED(hr))
        return hr;
    if (wide > std::numeric_limits<LONG>::max()) {
        RangePrompt(CNV_PROMPT_TOOLARGE, text, L"2147483647", prompt);
        return CNV_E_ABOVEMAXIMUM;
    }
    if (wide < std::numeric_limits<LONG>::min()) {
        RangePrompt(CNV_PROMPT_TOOSMALL, text, L"-2147483648", prompt);
        return CNV_E_BELOWMINIMUM;
    }
    *value = static_cast<LONG>(wide);
    return S_OK;
}

HRESULT CCnvTextToInteger::ConvertTextToValue(LPCWSTR text, ULONG* value, CPromptInfo* prompt) const {
    if (!value)
        return E_POINTER;
    LONGLONG wide = 0;
    const HRESULT hr = ConvertTextToValue(text, &wide, prompt);
    if (FAILED(hr))
        return hr;
    if (wide > std::numeric_limits<ULONG>::max()) {
        RangePrompt(CNV_PROMPT_TOOLARGE, text, L"4294967295", prompt);
        return CNV_E_ABOVEMAXIMUM;
    }
    if (wide < 0) {
        RangePrompt(CNV_PROMPT_TOOSMALL, text, L"0", prompt);
        return CNV_E_BELOWMINIMUM;
    }
    *value = static_cast<ULONG>(wide);
    return S_OK;
}

HRESULT CCnvTextToInteger::ConvertTextToValue(LPCWSTR text, ULONGLONG* value, CPromptInfo* prompt) const {
    if (!value)
        return E_POINTER;
    CString trimmed;
    const HRESULT hr = CheckIntegerText(text, &trimmed, prompt);
    if (FAILED(hr))
        return hr;
    // Beyond the type the runtime saturates; a '-' in front negates, which for an
    // unsigned value is refused unless the number is zero ("-0").
    const ULONGLONG parsed = std::wcstoull(trimmed, nullptr, 10);
    if (parsed != 0 && trimmed.ReverseFind(L'-') == 0)
        return E_FAIL;
    *value = parsed;
    return S_OK;
}

HRESULT CCnvTextToInteger::DecimalToText(bool negative, ULONGLONG magnitude, CString* text) const {
    if (!text)
        return E_POINTER;
    wchar_t digits[24];
    int at = 23;
    digits[at] = L'\0';
    do {
        digits[--at] = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        digits[--at] = L'-';
    CString result(digits + at);
    Trim(result);
    StripLeadingZeros(result);
    *text = result;
    return S_OK;
}

HRESULT CCnvTextToInteger::ConvertValueToText(LONG value, CString* text) const {
    return ConvertValueToText(static_cast<LONGLONG>(value), text);
}

HRESULT CCnvTextToInteger::ConvertValueToText(ULONG value, CString* text) const {
    return ConvertValueToText(static_cast<ULONGLONG>(value), text);
}

HRESULT CCnvTextToInteger::ConvertValueToText(LONGLONG value, CString* text) const {
    // The magnitude in unsigned arithmetic, so that the smallest value has one too.
    const ULONGLONG magnitude = value < 0 ? 0 - static_cast<ULONGLONG>(value) : static_cast<ULONGLONG>(value);
    return DecimalToText(value < 0, magnitude, text);
}

HRESULT CCnvTextToInteger::ConvertValueToText(ULONGLONG value, CString* text) const {
    return DecimalToText(false, value, text);
}
