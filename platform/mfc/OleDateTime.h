// The framework's date and time: an OLE date (days since 1899-12-30, the fraction the
// time of day) with a status. Valid dates run from 100-01-01 to 9999-12-31. Before the
// epoch the integer part counts days backwards while the fraction still runs forwards
// from midnight (-1.25 is 1899-12-29 06:00), so arithmetic goes through a linear form.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/kernel/Clock.h"
#include "platform/mfc/OleDateTimeSpan.h"

using DATE = double;

// What the field getters answer for a date that is not valid.
constexpr int AFX_OLE_DATETIME_ERROR = -1;

class COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    COleDateTime(DATE date);
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    COleDateTime(const SYSTEMTIME& time);

    // The local time of the process clock.
    static COleDateTime GetCurrentTime();

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    DATE GetDate() const { return m_dt; }
    operator DATE() const { return m_dt; }

    // 0 (valid) when the fields make a date of the valid range (year 100 to 9999, the
    // day within its month, hour 0 to 23, minute and second 0 to 59); otherwise 1
    // (invalid), and the status says so.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day);
    int SetTime(int hour, int minute, int second);

    // Calendar fields, rounded to the nearest second; AFX_OLE_DATETIME_ERROR when the
    // status is not valid or the date is outside the valid range.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    // 1 for Sunday to 7 for Saturday.
    int GetDayOfWeek() const;
    int GetDayOfYear() const;
    bool GetAsSystemTime(SYSTEMTIME& time) const;

    // A span between two valid dates; the span is invalid when either is invalid and
    // null when either is null.
    COleDateTimeSpan operator-(const COleDateTime& other) const;
    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    bool operator==(const COleDateTime& other) const;
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

private:
    struct Fields {
        int year, month, day, hour, minute, second, dayOfWeek, dayOfYear;
    };
    bool GetFields(Fields& fields) const;
    int Field(int Fields::*member) const;

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;
};

// The OLE date limits, 100-01-01 and 9999-12-31.
constexpr DATE kOleDateMin = -657434.0;
constexpr DATE kOleDateMax = 2958465.0;
