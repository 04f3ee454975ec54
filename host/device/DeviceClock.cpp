#include "host/device/DeviceClock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace std::chrono;

CDeviceClock CDeviceClock::FromMs(LONGLONG ms) {
    const sys_days date = floor<days>(sys_time<milliseconds>(milliseconds(ms)));
    const year_month_day calendar(date);
    const hh_mm_ss<milliseconds> time(milliseconds(ms) - date.time_since_epoch());
    return {static_cast<int>(calendar.year()),
            static_cast<int>(static_cast<unsigned>(calendar.month())),
            static_cast<int>(static_cast<unsigned>(calendar.day())),
            static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count())};
}

LONGLONG CDeviceClock::ToMs() const {
    const auto yearMonth = std::chrono::year(year) / std::chrono::month(static_cast<unsigned>(month));
    const unsigned last = static_cast<unsigned>(year_month_day_last(yearMonth / std::chrono::last).day());
    const sys_days date(yearMonth / std::chrono::day(std::min(static_cast<unsigned>(day), last)));
    return duration_cast<milliseconds>(date.time_since_epoch() + hours(hour) + minutes(minute) +
                                       seconds(second))
        .count();
}

std::string CDeviceClock::Text() const {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return text;
}

bool CDeviceClock::IsDate(int y, int m, int d) {
    return year_month_day(std::chrono::year(y), std::chrono::month(static_cast<unsigned>(m)),
                          std::chrono::day(static_cast<unsigned>(d)))
        .ok();
}
