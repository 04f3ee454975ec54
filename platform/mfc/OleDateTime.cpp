#include "platform/mfc/OleDateTime.h"

#include <cmath>

namespace {
constexpr LONGLONG kSecondsPerDay = 86400;
// 1899-12-30, day 0 of OLE dates, counted from 1970-01-01.
constexpr LONGLONG kOleEpochFromUnix = -25569;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to a proleptic Gregorian date, by whole 400-year eras so that
// the arithmetic stays in non-negative numbers.
LONGLONG DaysFromCivil(int year, int month, int day) {
    const LONGLONG y = year - (month <= 2 ? 1 : 0);
    const LONGLONG era = (y >= 0 ? y : y - 399) / 400;
    const LONGLONG yearOfEra = y - era * 400;
    const LONGLONG monthFromMarch = (month + 9) % 12;
    const LONGLONG dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const LONGLONG dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(LONGLONG days, int& year, int& month, int& day) {
    const LONGLONG z = days + 719468;
    const LONGLONG era = (z >= 0 ? z : z - 146096) / 146097;
    const LONGLONG dayOfEra = z - era * 146097;
    const LONGLONG yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const LONGLONG dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const LONGLONG monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// An OLE date as a number that grows with time: before the epoch the stored form
// counts days backwards but the time of day forwards.
double ToLinear(DATE date) {
    if (date >= 0)
        return date;
    const double day = std::ceil(date);
    return day - (date - day);
}

DATE FromLinear(double linear) {
    if (linear >= 0)
        return linear;
    const double day = std::floor(linear);
    return day == linear ? linear : day + (day - linear);
}

bool IsValidDateTime(int year, int month, int day, int hour, int minute, int second) {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 &&
           second >= 0 && second <= 59;
}

COleDateTimeSpan::DateTimeSpanStatus SpanStatus(COleDateTime::DateTimeStatus a,
                                                COleDateTime::DateTimeStatus b) {
    if (a == COleDateTime::valid && b == COleDateTime::valid)
        return COleDateTimeSpan::valid;
    if (a == COleDateTime::null || b == COleDateTime::null)
        return a == COleDateTime::invalid || b == COleDateTime::invalid ? COleDateTimeSpan::invalid
                                                                        : COleDateTimeSpan::null;
    return COleDateTimeSpan::invalid;
}
} // namespace

COleDateTime::COleDateTime(DATE date) : m_dt(date) {}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const SYSTEMTIME& time) {
    SetDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

COleDateTime COleDateTime::GetCurrentTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return COleDateTime(now);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (!IsValidDateTime(year, month, day, hour, minute, second)) {
        m_status = invalid;
        return m_status;
    }
    const LONGLONG days = DaysFromCivil(year, month, day) - kOleEpochFromUnix;
    const double time = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
    m_dt = FromLinear(static_cast<double>(days) + time);
    m_status = valid;
    return m_status;
}

int COleDateTime::SetDate(int year, int month, int day) {
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetTime(int hour, int minute, int second) {
    // A time alone lies on day 0, 1899-12-30.
    return SetDateTime(1899, 12, 30, hour, minute, second);
}

bool COleDateTime::GetFields(Fields& fields) const {
    if (m_status != valid || !(m_dt >= kOleDateMin && m_dt < kOleDateMax + 1.0))
        return false;
    const LONGLONG totalSeconds = std::llround(ToLinear(m_dt) * kSecondsPerDay);
    LONGLONG days = totalSeconds / kSecondsPerDay;
    LONGLONG secondOfDay = totalSeconds % kSecondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += kSecondsPerDay;
        --days;
    }
    const LONGLONG unixDays = days + kOleEpochFromUnix;
    CivilFromDays(unixDays, fields.year, fields.month, fields.day);
    if (fields.year > 9999)
        return false; // the last second of 9999 rounded into the year 10000
    fields.hour = static_cast<int>(secondOfDay / 3600);
    fields.minute = static_cast<int>(secondOfDay / 60 % 60);
    fields.second = static_cast<int>(secondOfDay % 60);
    // 1970-01-01 was a Thursday.
    fields.dayOfWeek = static_cast<int>(((unixDays + 4) % 7 + 7) % 7) + 1;
    fields.dayOfYear = static_cast<int>(unixDays - DaysFromCivil(fields.year, 1, 1)) + 1;
    return true;
}

int COleDateTime::GetYear() const {
    return Field(&Fields::year);
}

int COleDateTime::GetMonth() const {
    return Field(&Fields::month);
}

int COleDateTime::GetDay() const {
    return Field(&Fields::day);
}

int COleDateTime::GetHour() const {
    return Field(&Fields::hour);
}

int COleDateTime::GetMinute() const {
    return Field(&Fields::minute);
}

int COleDateTime::GetSecond() const {
    return Field(&Fields::second);
}

int COleDateTime::GetDayOfWeek() const {
    return Field(&Fields::dayOfWeek);
}

int COleDateTime::GetDayOfYear() const {
    return Field(&Fields::dayOfYear);
}

int COleDateTime::Field(int Fields::*member) const {
    Fields fields{};
    return GetFields(fields) ? fields.*member : AFX_OLE_DATETIME_ERROR;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& time) const {
    Fields f{};
    if (!GetFields(f))
        return false;
    time.wYear = static_cast<WORD>(f.year);
    time.wMonth = static_cast<WORD>(f.month);
    time.wDayOfWeek = static_cast<WORD>(f.dayOfWeek - 1);
    time.wDay = static_cast<WORD>(f.day);
    time.wHour = static_cast<WORD>(f.hour);
    time.wMinute = static_cast<WORD>(f.minute);
    time.wSecond = static_cast<WORD>(f.second);
    time.wMilliseconds = 0;
    return true;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const {
    COleDateTimeSpan span(ToLinear(m_dt) - ToLinear(other.m_dt));
    span.SetStatus(SpanStatus(m_status, other.m_status));
    return span;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const {
    COleDateTime sum(FromLinear(ToLinear(m_dt) + span.GetSpan()));
    if (m_status != valid || span.GetStatus() != COleDateTimeSpan::valid)
        sum.m_status = m_status == null || span.GetStatus() == COleDateTimeSpan::null ? null : invalid;
    return sum;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const {
    return *this + (-span);
}

bool COleDateTime::operator==(const COleDateTime& other) const {
    return m_status == other.m_status && m_dt == other.m_dt;
}

bool COleDateTime::operator<(const COleDateTime& other) const {
    return ToLinear(m_dt) < ToLinear(other.m_dt);
}
