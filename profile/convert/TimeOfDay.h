// A time of day as the device counts it: milliseconds since midnight, within a
// minimum and a maximum, with its text form "07:05:09.250" and the user messages
// for refused texts and values.
#pragma once

#include "platform/mfc/OleDateTime.h"
#include "platform/mfc/String.h"
#include "profile/server/PromptInfo.h"

class CTimeOfDay {
public:
    static constexpr ULONGLONG kLimit = 86399999;

    CTimeOfDay() = default;
    // A limit beyond 86399999 is logged and replaced by it; the value starts at the minimum.
    CTimeOfDay(ULONGLONG minimum, ULONGLONG maximum);
    CTimeOfDay(const CTimeOfDay& other) = default;
    virtual ~CTimeOfDay() = default;

    virtual ULONGLONG GetValue() const { return m_value; }
    virtual HRESULT ToText(CString* text) const;
    // A date-time that holds only this time of day (milliseconds dropped).
    virtual HRESULT ToDateTime(COleDateTime* time) const;
    // A value of a day or more is logged; the computed figure is still returned.
    virtual ULONGLONG GetHour() const;
    virtual ULONGLONG GetMinute() const;
    virtual ULONGLONG GetSecond() const;
    virtual ULONGLONG GetMilliSecond() const;
    // Takes the time of `time` clamped into the limits; never refuses a valid one.
    virtual HRESULT Set(const COleDateTime& time, CPromptInfo* prompt);
    // "H", "H:M", "H:M:S" or "H:M:S.F".
    virtual HRESULT Set(LPCWSTR text, CPromptInfo* prompt);
    virtual HRESULT Set(ULONGLONG milliseconds, CPromptInfo* prompt);
    virtual ULONGLONG GetMin() const { return m_min; }
    virtual HRESULT GetMinDateTime(COleDateTime* time) const;
    virtual ULONGLONG GetMax() const { return m_max; }
    virtual HRESULT GetMaxDateTime(COleDateTime* time) const;
    virtual HRESULT OutOfRangeErrMsg(LPCWSTR text, CPromptInfo* prompt) const;
    virtual HRESULT NoValueErrMsg(CPromptInfo* prompt) const;
    virtual HRESULT InvalidTimeOfDayErrMsg(LPCWSTR text, CPromptInfo* prompt) const;
    int GetMaxTextLength() const;

private:
    static CString MillisecondsToText(ULONGLONG milliseconds);
    static HRESULT MillisecondsToDateTime(ULONGLONG milliseconds, COleDateTime* time);
    ULONGLONG Checked(ULONGLONG figure, const wchar_t* message) const;

    ULONGLONG m_min = 0;
    ULONGLONG m_max = kLimit;
    ULONGLONG m_value = 0;
};
