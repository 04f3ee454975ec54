#include "profile/convert/Date.h"

#include <cmath>

#include "profile/convert/CnvErrors.h"
#include "profile/convert/CnvTextToInteger.h"
#include "profile/server/FrameworkPrompt.h"
#include "profile/server/PVComponentsGlobals.h"
#include "profile/server/PVLog.h"

namespace {
constexpr LONG kPromptNoValue = 2;
constexpr LONG kPromptOutOfRange = 14;
constexpr LONG kPromptInvalidDate = 21;
// Half a second in days: OLE date arithmetic's tolerance.
constexpr double kHalfSecond = 5.787037037037037e-6;
} // namespace

CDate::CDate(ULONGLONG minimum, ULONGLONG maximum) : m_min(minimum), m_max(maximum) {
    if (m_min > m_max)
        PVLog(L"Error: Invalid min/max range specified");
    if (m_min > kLimit) {
        PVLog(L"Invalid minimum Date.");
        m_min = kLimit;
    }
    if (m_max > kLimit) {
        PVLog(L"Invalid maximum Date.");
        m_max = kLimit;
    }
    if (m_min > m_max)
        PVLog(L"Error: Invalid min/max range specified");
    m_value = m_min;
}

bool CDate::GetEpoch(COleDateTime* epoch) {
    *epoch = COleDateTime(1972, 1, 1, 0, 0, 0);
    if (epoch->GetStatus() == COleDateTime::valid)
        return true;
    PVLog(L"Error: Failed to set epoch date for comparison.");
    return false;
}

HRESULT CDate::DaysToDateTime(ULONGLONG days, COleDateTime* date) {
    COleDateTime epoch;
    if (!date)
        return E_POINTER;
    if (!GetEpoch(&epoch))
        return E_FAIL;
    *date = epoch + COleDateTimeSpan(static_cast<double>(days));
    return date->GetStatus() == COleDateTime::valid ? S_OK : E_FAIL;
}

CString CDate::DaysToText(ULONGLONG days) {
    COleDateTime date;
    CString text;
    if (SUCCEEDED(DaysToDateTime(days, &date)))
        text.Format(L"%04I64u-%02I64u-%02I64u", static_cast<ULONGLONG>(date.GetYear()),
                    static_cast<ULONGLONG>(date.GetMonth()), static_cast<ULONGLONG>(date.GetDay()));
    return text;
}

HRESULT CDate::ToText(CString* text) const {
    if (!text)
        return E_POINTER;
    *text = DaysToText(m_value);
    return text->IsEmpty() ? E_FAIL : S_OK;
}

HRESULT CDate::ToDateTime(COleDateTime* date) const {
    return DaysToDateTime(m_value, date);
}

ULONGLONG CDate::Field(int (COleDateTime::*field)() const) const {
    COleDateTime date;
    if (FAILED(ToDateTime(&date)) || (date.*field)() == AFX_OLE_DATETIME_ERROR)
        return ~0ULL;
    return static_cast<ULONGLONG>((date.*field)());
}

ULONGLONG CDate::GetYear() const {
    return Field(&COleDateTime::GetYear);
}

ULONGLONG CDate::GetMonth() const {
    return Field(&COleDateTime::GetMonth);
}

ULONGLONG CDate::GetDay() const {
    return Field(&COleDateTime::GetDay);
}

HRESULT CDate::GetMinDateTime(COleDateTime* date) const {
    return DaysToDateTime(m_min, date);
}

HRESULT CDate::GetMaxDateTime(COleDateTime* date) const {
    return DaysToDateTime(m_max, date);
}

int CDate::GetMaxTextLength() const {
    return DaysToText(kLimit).GetLength();
}

HRESULT CDate::Set(ULONGLONG days, CPromptInfo* prompt) {
    if (days >= m_min && days <= m_max) {
        m_value = days;
        return S_OK;
    }
    CString text;
    const HRESULT converted = CCnvTextToInteger::GetInstance()->ConvertValueToText(days, &text);
    if (FAILED(converted)) {
        PVLog(L"Error: Conversion Failed!");
        return converted;
    }
    return OutOfRangeErrMsg(text, prompt);
}

HRESULT CDate::Set(const COleDateTime& date, CPromptInfo* prompt) {
    if (date.GetStatus() != COleDateTime::valid)
        return InvalidDateErrMsg(L"", prompt);
    COleDateTime epoch;
    if (!GetEpoch(&epoch))
        return E_FAIL;
    const double days = std::floor((date - epoch).GetTotalDays() + kHalfSecond);
    CString text;
    text.Format(L"%04I64u-%02I64u-%02I64u", static_cast<ULONGLONG>(date.GetYear()),
                static_cast<ULONGLONG>(date.GetMonth()), static_cast<ULONGLONG>(date.GetDay()));
    if (days >= 0 && SUCCEEDED(Set(static_cast<ULONGLONG>(days), prompt)))
        return S_OK;
    return OutOfRangeErrMsg(text, prompt);
}

HRESULT CDate::Set(LPCWSTR text, CPromptInfo* prompt) {
    CString trimmed(text ? text : L"");
    trimmed.Trim();
    for (int i = 0; i < trimmed.GetLength(); ++i)
        if (FAILED(ValidateChar(trimmed[i])))
            return InvalidDateErrMsg(text, prompt);
    CString digits(trimmed);
    digits.Remove(L'-');
    if (digits.IsEmpty())
        return NoValueErrMsg(prompt);
    int first = -1, second = -1;
    if (!FindTwoSeparators(trimmed, L'-', &first, &second) || first < 0 || second < 0)
        return InvalidDateErrMsg(text, prompt);
    const CString parts[] = {trimmed.Left(first), trimmed.Mid(first + 1, second - first - 1),
                             trimmed.Mid(second + 1)};
    ULONGLONG numbers[3] = {};
    for (int i = 0; i < 3; ++i)
        if (parts[i].IsEmpty() ||
            FAILED(CCnvTextToInteger::GetInstance()->ConvertTextToValue(parts[i], &numbers[i], nullptr)))
            return InvalidDateErrMsg(text, prompt);
    const ULONGLONG year = numbers[0], month = numbers[1], day = numbers[2];
    if (year > 2147483647 || month < 1 || month > 12 || day < 1 || day > 31)
        return InvalidDateErrMsg(text, prompt);
    // A real calendar date comes back unchanged (2021-02-30 does not).
    const COleDateTime date(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day), 0, 0, 0);
    if (date.GetStatus() != COleDateTime::valid || ULONGLONG(date.GetYear()) != year ||
        ULONGLONG(date.GetMonth()) != month || ULONGLONG(date.GetDay()) != day)
        return InvalidDateErrMsg(text, prompt);
    const HRESULT hr = Set(date, prompt);
    if (hr == CNV_E_OUTOFRANGE)
        return OutOfRangeErrMsg(text, prompt);
    if (FAILED(hr)) {
        PVLog(L"Error: Unexpected failure");
        return InvalidDateErrMsg(text, prompt);
    }
    return hr;
}

HRESULT CDate::ValidateText(LPCWSTR text) const {
    int first = -1, second = -1;
    return FindTwoSeparators(text ? text : L"", L'-', &first, &second) ? S_OK : CNV_E_CHARNOTALLOWED;
}

HRESULT CDate::ValidateChar(wchar_t ch) const {
    return (ch >= L'0' && ch <= L'9') || ch == L'-' || ch == 8 ? S_OK : CNV_E_CHARNOTALLOWED;
}

HRESULT CDate::OutOfRangeErrMsg(LPCWSTR text, CPromptInfo* prompt) const {
    if (prompt &&
        FAILED(GetFrameworkPrompt(kPromptOutOfRange, text, DaysToText(m_min), DaysToText(m_max), prompt)))
        PVLog(L"Error: Failed to create error message");
    return CNV_E_OUTOFRANGE;
}

HRESULT CDate::NoValueErrMsg(CPromptInfo* prompt) const {
    if (prompt && FAILED(GetFrameworkPrompt(kPromptNoValue, prompt)))
        PVLog(L"Error: Failed to create error message");
    return CNV_E_EMPTYTEXT;
}

HRESULT CDate::InvalidDateErrMsg(LPCWSTR text, CPromptInfo* prompt) const {
    if (prompt && FAILED(GetFrameworkPrompt(kPromptInvalidDate, text, prompt)))
        PVLog(L"Error: Failed to create error message");
    return CNV_E_INVALIDDATE;
}
