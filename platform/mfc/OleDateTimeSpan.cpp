#include "platform/mfc/OleDateTimeSpan.h"

#include <cmath>

namespace {
constexpr double kSecondsPerDay = 86400.0;
}

COleDateTimeSpan::COleDateTimeSpan(LONG days, int hours, int minutes, int seconds)
    : m_span(days + hours / 24.0 + minutes / 1440.0 + seconds / kSecondsPerDay) {}

LONGLONG COleDateTimeSpan::RoundedSeconds() const {
    return static_cast<LONGLONG>(std::llround(m_span * kSecondsPerDay));
}

double COleDateTimeSpan::GetTotalDays() const {
    // Whole days after the half-second tolerance, truncated towards zero.
    const double half = 0.5 / kSecondsPerDay;
    return static_cast<double>(static_cast<LONGLONG>(m_span + (m_span < 0 ? -half : half)));
}

double COleDateTimeSpan::GetTotalHours() const {
    return static_cast<double>(RoundedSeconds() / 3600);
}

double COleDateTimeSpan::GetTotalMinutes() const {
    return static_cast<double>(RoundedSeconds() / 60);
}

double COleDateTimeSpan::GetTotalSeconds() const {
    return static_cast<double>(RoundedSeconds());
}

LONGLONG COleDateTimeSpan::GetDays() const {
    return static_cast<LONGLONG>(m_span);
}

LONG COleDateTimeSpan::GetHours() const {
    return static_cast<LONG>((RoundedSeconds() / 3600) % 24);
}

LONG COleDateTimeSpan::GetMinutes() const {
    return static_cast<LONG>((RoundedSeconds() / 60) % 60);
}

LONG COleDateTimeSpan::GetSeconds() const {
    return static_cast<LONG>(RoundedSeconds() % 60);
}

namespace {
COleDateTimeSpan::DateTimeSpanStatus Combined(COleDateTimeSpan::DateTimeSpanStatus a,
                                              COleDateTimeSpan::DateTimeSpanStatus b) {
    if (a == COleDateTimeSpan::invalid || b == COleDateTimeSpan::invalid)
        return COleDateTimeSpan::invalid;
    if (a == COleDateTimeSpan::null || b == COleDateTimeSpan::null)
        return COleDateTimeSpan::null;
    return COleDateTimeSpan::valid;
}
} // namespace

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const {
    COleDateTimeSpan sum(m_span + other.m_span);
    sum.m_status = Combined(m_status, other.m_status);
    return sum;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const {
    COleDateTimeSpan difference(m_span - other.m_span);
    difference.m_status = Combined(m_status, other.m_status);
    return difference;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const {
    COleDateTimeSpan negated(-m_span);
    negated.m_status = m_status;
    return negated;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& other) const {
    return m_status == other.m_status && m_span == other.m_span;
}
