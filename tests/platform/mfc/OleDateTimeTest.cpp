#include "platform/mfc/OleDateTime.h"

#include <gtest/gtest.h>

namespace {

struct DateCase {
    int year, month, day, hour, minute, second;
    bool valid;
    DATE date; // expected when valid
};

// OLE dates count days from 1899-12-30; before it the fraction still runs forwards.
const DateCase kDateCases[] = {
    {1899, 12, 30, 0, 0, 0, true, 0.0},    {1900, 1, 1, 0, 0, 0, true, 2.0},
    {1972, 1, 1, 0, 0, 0, true, 26299.0},  {2000, 1, 1, 12, 0, 0, true, 36526.5},
    {1899, 12, 29, 6, 0, 0, true, -1.25},  {1899, 12, 28, 18, 0, 0, true, -2.75},
    {100, 1, 1, 0, 0, 0, true, -657434.0}, {9999, 12, 31, 0, 0, 0, true, 2958465.0},
    {2000, 2, 29, 0, 0, 0, true, 36585.0}, {99, 12, 31, 0, 0, 0, false, 0},
    {10000, 1, 1, 0, 0, 0, false, 0},      {1900, 2, 29, 0, 0, 0, false, 0},
    {2001, 2, 29, 0, 0, 0, false, 0},      {2001, 4, 31, 0, 0, 0, false, 0},
    {2001, 13, 1, 0, 0, 0, false, 0},      {2001, 0, 1, 0, 0, 0, false, 0},
    {2001, 1, 0, 0, 0, 0, false, 0},       {2001, 1, 1, 24, 0, 0, false, 0},
    {2001, 1, 1, 0, 60, 0, false, 0},      {2001, 1, 1, 0, 0, 60, false, 0},
    {2001, 1, 1, -1, 0, 0, false, 0},
};

TEST(OleDateTime, SetDateTimeTable) {
    for (const DateCase& c : kDateCases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":"
                                        << c.minute << ":" << c.second);
        COleDateTime dt(1.5);
        const int result = dt.SetDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second);
        if (c.valid) {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(dt.GetStatus(), COleDateTime::valid);
            EXPECT_DOUBLE_EQ(dt.GetDate(), c.date);
            // And back to the same fields.
            EXPECT_EQ(dt.GetYear(), c.year);
            EXPECT_EQ(dt.GetMonth(), c.month);
            EXPECT_EQ(dt.GetDay(), c.day);
            EXPECT_EQ(dt.GetHour(), c.hour);
            EXPECT_EQ(dt.GetMinute(), c.minute);
            EXPECT_EQ(dt.GetSecond(), c.second);
        } else {
            EXPECT_EQ(result, 1);
            EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid);
            EXPECT_EQ(dt.GetYear(), AFX_OLE_DATETIME_ERROR);
            EXPECT_EQ(dt.GetSecond(), AFX_OLE_DATETIME_ERROR);
        }
    }
}

TEST(OleDateTime, FieldsRoundToTheNearestSecond) {
    // 0.4 s before midnight rounds into the next day, 0.6 s before stays; 0.4 s after
    // midnight stays on the day.
    const COleDateTime stays(36526.0 + (86400.0 - 0.6) / 86400.0);
    EXPECT_EQ(stays.GetDay(), 1);
    EXPECT_EQ(stays.GetSecond(), 59);
    const COleDateTime late(36526.0 + (86400.0 - 0.4) / 86400.0);
    EXPECT_EQ(late.GetDay(), 2);
    EXPECT_EQ(late.GetHour(), 0);
    EXPECT_EQ(late.GetSecond(), 0);
    const COleDateTime early(36526.0 + 0.4 / 86400.0);
    EXPECT_EQ(early.GetDay(), 1);
    EXPECT_EQ(early.GetSecond(), 0);
}

TEST(OleDateTime, OutOfRangeDatesAnswerTheErrorValue) {
    EXPECT_EQ(COleDateTime(kOleDateMax + 1.0).GetYear(), AFX_OLE_DATETIME_ERROR);
    EXPECT_EQ(COleDateTime(kOleDateMin - 1.0).GetMonth(), AFX_OLE_DATETIME_ERROR);
    COleDateTime nullDate(100.0);
    nullDate.SetStatus(COleDateTime::null);
    EXPECT_EQ(nullDate.GetDay(), AFX_OLE_DATETIME_ERROR);
}

TEST(OleDateTime, DayOfWeekAndYear) {
    const COleDateTime saturday(2000, 1, 1, 0, 0, 0);
    EXPECT_EQ(saturday.GetDayOfWeek(), 7);
    EXPECT_EQ(saturday.GetDayOfYear(), 1);
    const COleDateTime leapEnd(2000, 12, 31, 0, 0, 0);
    EXPECT_EQ(leapEnd.GetDayOfYear(), 366);
    EXPECT_EQ(leapEnd.GetDayOfWeek(), 1); // a Sunday
    SYSTEMTIME st{};
    ASSERT_TRUE(COleDateTime(1972, 1, 1, 13, 14, 15).GetAsSystemTime(st));
    EXPECT_EQ(st.wYear, 1972);
    EXPECT_EQ(st.wDayOfWeek, 6); // Saturday, counted from Sunday = 0
    EXPECT_EQ(st.wHour, 13);
    EXPECT_EQ(st.wSecond, 15);
}

TEST(OleDateTime, ArithmeticCrossesTheEpoch) {
    const COleDateTime before(1899, 12, 29, 6, 0, 0);
    const COleDateTime after = before + COleDateTimeSpan(1.0);
    EXPECT_DOUBLE_EQ(after.GetDate(), 0.25);
    EXPECT_DOUBLE_EQ((after - before).GetSpan(), 1.0);
    EXPECT_DOUBLE_EQ((before + COleDateTimeSpan(0.5)).GetDate(), -1.75);
    EXPECT_TRUE(before < after);
    EXPECT_TRUE(COleDateTime(-1.75) > before); // later the same day
    EXPECT_EQ(after - COleDateTimeSpan(1.0), before);
}

TEST(OleDateTimeSpan, TotalDaysKeepsHalfASecondOfTolerance) {
    struct {
        double span;
        double totalDays;
    } const cases[] = {
        {1.0, 1.0},
        {1.0 - 0.4 / 86400, 1.0},
        {1.0 - 0.6 / 86400, 0.0},
        {-1.0 + 0.4 / 86400, -1.0},
        {-1.0 + 0.6 / 86400, 0.0},
        {26299.9, 26299.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.span);
        EXPECT_EQ(COleDateTimeSpan(c.span).GetTotalDays(), c.totalDays);
    }
    const COleDateTimeSpan span(2, 3, 4, 5);
    EXPECT_EQ(span.GetDays(), 2);
    EXPECT_EQ(span.GetHours(), 3);
    EXPECT_EQ(span.GetMinutes(), 4);
    EXPECT_EQ(span.GetSeconds(), 5);
    EXPECT_EQ(span.GetTotalSeconds(), 2 * 86400 + 3 * 3600 + 4 * 60 + 5);
}

TEST(OleDateTimeSpan, StatusFollowsTheDates) {
    COleDateTime invalidDate;
    invalidDate.SetDate(2001, 2, 30);
    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    const COleDateTime good(2001, 3, 1, 0, 0, 0);
    EXPECT_EQ((good - invalidDate).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ((nullDate - good).GetStatus(), COleDateTimeSpan::null);
    EXPECT_EQ((good - good).GetStatus(), COleDateTimeSpan::valid);
}

TEST(OleDateTime, CurrentTimeFollowsTheVirtualClock) {
    CClock::Instance().SetVirtual(true);
    const COleDateTime before = COleDateTime::GetCurrentTime();
    CClock::Instance().Advance(90 * 60 * 1000);
    const COleDateTime after = COleDateTime::GetCurrentTime();
    EXPECT_EQ(before.GetStatus(), COleDateTime::valid);
    EXPECT_EQ((after - before).GetTotalMinutes(), 90);
}

} // namespace
