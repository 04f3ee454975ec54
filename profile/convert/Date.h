// A calendar date as the device counts it: days since 1972-01-01, within a minimum
// and a maximum, with its text form "2021-02-03" and the user messages for refused
// texts and values.
#pragma once

#include "platform/mfc/OleDateTime.h"
#include "platform/mfc/String.h"
#include "profile/server/PromptInfo.h"

class CDate {
public:
    static constexpr ULONGLONG kLimit = 65535;

    CDate() = default;
    // A limit beyond 65535 is logged and replaced by 65535; the value starts at the minimum.
    CDate(ULONGLONG minimum, ULONGLONG maximum);
    virtual ~CDate() = default;

    virtual ULONGLONG GetValue() const { return m_value; }
    virtual HRESULT ToText(CString* text) const;
    virtual HRESULT ToDateTime(COleDateTime* date) const;
    // All ones when the date cannot be split.
    virtual ULONGLONG GetYear() const;
    virtual ULONGLONG GetMonth() const;
    virtual ULONGLONG GetDay() const;
    virtual HRESULT Set(const COleDateTime& date, CPromptInfo* prompt);
    virtual HRESULT Set(LPCWSTR text, CPromptInfo* prompt);
    virtual HRESULT Set(ULONGLONG days, CPromptInfo* prompt);
    // For partial input: at most two '-'.
    virtual HRESULT ValidateText(LPCWSTR text) const;
    // Digits, '-' and backspace.
    virtual HRESULT ValidateChar(wchar_t ch) const;
    virtual ULONGLONG GetMin() const { return m_min; }
    virtual HRESULT GetMinDateTime(COleDateTime* date) const;
    virtual ULONGLONG GetMax() const { return m_max; }
    virtual HRESULT GetMaxDateTime(COleDateTime* date) const;
    virtual int GetMaxTextLength() const;
    virtual HRESULT OutOfRangeErrMsg(LPCWSTR text, CPromptInfo* prompt) const;
    virtual HRESULT NoValueErrMsg(CPromptInfo* prompt) const;
    virtual HRESULT InvalidDateErrMsg(LPCWSTR text, CPromptInfo* prompt) const;

private:
    static bool GetEpoch(COleDateTime* epoch);
    static HRESULT DaysToDateTime(ULONGLONG days, COleDateTime* date);
    static CString DaysToText(ULONGLONG days);
    ULONGLONG Field(int (COleDateTime::*field)() const) const;

    ULONGLONG m_min = 0;
    ULONGLONG m_max = kLimit;
    ULONGLONG m_value = 0;
};
