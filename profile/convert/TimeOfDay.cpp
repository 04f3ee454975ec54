#include "profile/convert/TimeOfDay.h"

#include "profile/convert/CnvErrors.h"
#include "profile/convert/CnvTextToInteger.h"
#include "profile/server/FrameworkPrompt.h"
#include "profile/server/PVComponentsGlobals.h"
#include "profile/server/PVLog.h"

namespace {
constexpr LONG kPromptNoValue = 2;
constexpr LONG kPromptOutOfRange = 14;
constexpr LONG kPromptInvalidTime = 20;
constexpr ULONGLONG kDay = 86400000;
} // namespace

CTimeOfDay::CTimeOfDay(ULONGLONG minimum, ULONGLONG maximum) : m_min(minimum), m_max(maximum) {
    if (m_min > m_max)
        PVLog(L"Error: Invalid min/max range specified");
    if (m_min > kLimit) {
        PVLog(L"Invalid minimum Time Of Day.");
        m_min = kLimit;
    }
    if (m_max > kLimit) {
        PVLog(L"Invalid maximum Time Of Day.");
        m_max = kLimit;
    }
    if (m_min > m_max)
        PVLog(L"Error: Invalid min/max range specified");
    m_value = m_min;
}

CString CTimeOfDay::MillisecondsToText(ULONGLONG ms) {
    CString text;
    text.Format(L"%02I64u:%02I64u:%02I64u.%03I64u", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
    return text;
}

HRESULT CTimeOfDay::MillisecondsToDateTime(ULONGLONG ms, COleDateTime* time) {
    if (!time)
        return E_POINTER;
    time->SetTime(static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
                  static_cast<int>(ms / 1000 % 60));
    if (time->GetStatus() == COleDateTime::valid)
        return S_OK;
    PVLog(L"Error: Failed to create equivalent COleDateTime object");
    return E_FAIL;
}

HRESULT CTimeOfDay::ToText(CString* text) const {
    if (!text)
        return E_POINTER;
    *text = MillisecondsToText(m_value);
    return S_OK;
}

HRESULT CTimeOfDay::ToDateTime(COleDateTime* time) const {
    return MillisecondsToDateTime(m_value, time);
}

ULONGLONG CTimeOfDay::Checked(ULONGLONG figure, const wchar_t* message) const {
    if (m_value >= kDay)
        PVLog(message);
    return figure;
}

ULONGLONG CTimeOfDay::GetHour() const {
    return Checked(m_value / 3600000, L"Error: Invalid Hours value");
}

ULONGLONG CTimeOfDay::GetMinute() const {
    return Checked(m_value / 60000 % 60, L"Error: Invalid Minutes value");
}

ULONGLONG CTimeOfDay::GetSecond() const {
    return Checked(m_value / 1000 % 60, L"Error: Invalid Seconds value");
}

ULONGLONG CTimeOfDay::GetMilliSecond() const {
    return Checked(m_value % 1000, L"Error: Invalid MilliSeconds value");
}

HRESULT CTimeOfDay::GetMinDateTime(COleDateTime* time) const {
    return MillisecondsToDateTime(m_min, time);
}

HRESULT CTimeOfDay::GetMaxDateTime(COleDateTime* time) const {
    return MillisecondsToDateTime(m_max, time);
}

int CTimeOfDay::GetMaxTextLength() const {
    return MillisecondsToText(kLimit).GetLength();
}

HRESULT CTimeOfDay::Set(ULONGLONG ms, CPromptInfo* prompt) {
    if (ms >= m_min && ms <= m_max) {
        m_value = ms;
        return S_OK;
    }
    CString text;
    const HRESULT converted = CCnvTextToInteger::GetInstance()->ConvertValueToText(ms, &text);
    if (FAILED(converted)) {
        PVLog(L"Error: Conversion failed!");
        return converted;
    }
    return OutOfRangeErrMsg(text, prompt);
}

HRESULT CTimeOfDay::Set(const COleDateTime& time, CPromptInfo* prompt) {
    if (time.GetStatus() != COleDateTime::valid)
        return InvalidTimeOfDayErrMsg(L"", prompt);
    const ULONGLONG ms =
        ((static_cast<ULONGLONG>(time.GetHour()) * 60 + time.GetMinute()) * 60 + time.GetSecond()) * 1000;
    m_value = ms > m_max ? m_max : ms < m_min ? m_min : ms;
    return S_OK;
}

HRESULT CTimeOfDay::Set(LPCWSTR text, CPromptInfo* prompt) {
    CString trimmed(text ? text : L"");
    trimmed.Trim();
    for (int i = 0; i < trimmed.GetLength(); ++i) {
        const wchar_t ch = trimmed[i];
        if (!((ch >= L'0' && ch <= L'9') || ch == L':' || ch == L'.' || ch == 8))
            return InvalidTimeOfDayErrMsg(text, prompt);
    }
    CString digits(trimmed);
    digits.Remove(L'.');
    digits.Remove(L':');
    if (digits.IsEmpty())
        return NoValueErrMsg(prompt);
    int first = -1, second = -1, dot = -1;
    if (!FindTwoSeparators(trimmed, L':', &first, &second) || !FindSingleSeparator(trimmed, L'.', &dot) ||
        (dot >= 0 && (second < 0 || dot < second)))
        return InvalidTimeOfDayErrMsg(text, prompt);
    const int end = trimmed.GetLength();
    const int hourEnd = first >= 0 ? first : end;
    const int minuteEnd = second >= 0 ? second : end;
    const int secondEnd = dot >= 0 ? dot : end;
    CString fraction = dot >= 0 ? trimmed.Mid(dot + 1) : CString();
    // Milliseconds: "5" is 500, "25" 250, and digits past the third are dropped.
    while (!fraction.IsEmpty() && fraction.GetLength() < 3)
        fraction += L"0";
    const CString parts[] = {
        trimmed.Left(hourEnd), first >= 0 ? trimmed.Mid(first + 1, minuteEnd - first - 1) : CString(),
        second >= 0 ? trimmed.Mid(second + 1, secondEnd - second - 1) : CString(), fraction.Left(3)};
    const ULONGLONG limits[] = {23, 59, 59, 999};
    ULONGLONG numbers[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (!parts[i].IsEmpty() &&
            FAILED(CCnvTextToInteger::GetInstance()->ConvertTextToValue(parts[i], &numbers[i], nullptr)))
            return InvalidTimeOfDayErrMsg(text, prompt);
        if (numbers[i] > limits[i])
            return InvalidTimeOfDayErrMsg(text, prompt);
    }
    const ULONGLONG value = ((numbers[0] * 60 + numbers[1]) * 60 + numbers[2]) * 1000 + numbers[3];
    if (FAILED(Set(value, prompt)))
        return OutOfRangeErrMsg(text, prompt);
    return S_OK;
}

HRESULT CTimeOfDay::OutOfRangeErrMsg(LPCWSTR text, CPromptInfo* prompt) const {
    if (prompt && FAILED(GetFrameworkPrompt(kPromptOutOfRange, text, MillisecondsToText(m_min),
                                            MillisecondsToText(m_max), prompt)))
        PVLog(L"Error: Failed to create error message");
    return CNV_E_OUTOFRANGE;
}

HRESULT CTimeOfDay::NoValueErrMsg(CPromptInfo* prompt) const {
    if (prompt && FAILED(GetFrameworkPrompt(kPromptNoValue, prompt)))
        PVLog(L"Error: Failed to create error message");
    return CNV_E_EMPTYTEXT;
}

HRESULT CTimeOfDay::InvalidTimeOfDayErrMsg(LPCWSTR text, CPromptInfo* prompt) const {
    if (prompt && FAILED(GetFrameworkPrompt(kPromptInvalidTime, text, prompt)))
        PVLog(L"Error: Failed to create error message");
    return CNV_E_INVALIDTIMEOFDAY;
}
