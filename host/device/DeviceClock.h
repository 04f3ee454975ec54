// A moment of the device clock as calendar fields, with the conversions from and to
// milliseconds since 1970 (UTC, as the virtual clock's machine lives in UTC).
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

struct CDeviceClock {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;

    static CDeviceClock FromMs(LONGLONG ms);
    // A day past the month's end counts as its last day (the 31st of a month set to April).
    LONGLONG ToMs() const;
    // "2024-02-29 13:05:00"
    std::string Text() const;
    static bool IsDate(int year, int month, int day);
};
