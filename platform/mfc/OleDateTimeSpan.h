// The framework's span between two OLE dates: a signed number of days with a fraction,
// and a status that says whether the span means anything.
#pragma once

#include "platform/base/WinTypes.h"

class COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() = default;
    explicit COleDateTimeSpan(double days) : m_span(days) {}
    COleDateTimeSpan(LONG days, int hours, int minutes, int seconds);

    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }

    // Whole days and whole units, counted after rounding to the nearest second (half a
    // second of a day either way), as OLE date arithmetic does.
    double GetTotalDays() const;
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;
    // The day part truncated towards zero, and the parts of the day left over.
    LONGLONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    double GetSpan() const { return m_span; }

    COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-() const;
    bool operator==(const COleDateTimeSpan& other) const;
    bool operator<(const COleDateTimeSpan& other) const { return m_span < other.m_span; }

private:
    // Whole seconds of the span, rounded half away from zero.
    LONGLONG RoundedSeconds() const;

    double m_span = 0.0;
    DateTimeSpanStatus m_status = valid;
};
