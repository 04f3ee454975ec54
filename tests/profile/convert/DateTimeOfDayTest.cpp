// The limits of dates and times of day, typed and set: what is stored, what is
// refused, and the message the user sees.
#include <algorithm>

#include "logger/AopLogCapture.h"
#include "profile/convert/CnvErrors.h"
#include "profile/convert/Date.h"
#include "profile/convert/TimeOfDay.h"
#include "tests/profile/convert/ConverterTest.h"

namespace {

struct LimitCase {
    bool date; // else a time of day
    ULONGLONG min, max;
    const wchar_t* text;
    HRESULT result;
    const wchar_t* stored; // the value's text after the call
    LONG promptId;
    const wchar_t* message;
};

constexpr ULONGLONG kDays = CDate::kLimit;
constexpr ULONGLONG kMs = CTimeOfDay::kLimit;

const LimitCase kCases[] = {
    {true, 0, kDays, L"1972-01-01", S_OK, L"1972-01-01", 0, L""},
    {true, 0, kDays, L" 2151-06-06 ", S_OK, L"2151-06-06", 0, L""},
    {true, 0, kDays, L"2151-06-07", CNV_E_OUTOFRANGE, L"1972-01-01", 14,
     L"'2151-06-07' is outside 1972-01-01 to 2151-06-06."},
    {true, 0, kDays, L"1971-12-31", CNV_E_OUTOFRANGE, L"1972-01-01", 14,
     L"'1971-12-31' is outside 1972-01-01 to 2151-06-06."},
    {true, 0, kDays, L"2021-2-3", S_OK, L"2021-02-03", 0, L""},
    {true, 0, kDays, L"2024-02-29", S_OK, L"2024-02-29", 0, L""},
    {true, 0, kDays, L"2021-02-29", CNV_E_INVALIDDATE, L"1972-01-01", 21, L"'2021-02-29' is not a date."},
    {true, 0, kDays, L"2021-02-30", CNV_E_INVALIDDATE, L"1972-01-01", 21, L"'2021-02-30' is not a date."},
    {true, 0, kDays, L"2021-13-01", CNV_E_INVALIDDATE, L"1972-01-01", 21, L"'2021-13-01' is not a date."},
    {true, 0, kDays, L"2021/02/03", CNV_E_INVALIDDATE, L"1972-01-01", 21, L"'2021/02/03' is not a date."},
    {true, 0, kDays, L"2021-02", CNV_E_INVALIDDATE, L"1972-01-01", 21, L"'2021-02' is not a date."},
    {true, 0, kDays, L"2021--03", CNV_E_INVALIDDATE, L"1972-01-01", 21, L"'2021--03' is not a date."},
    {true, 0, kDays, L"--", CNV_E_EMPTYTEXT, L"1972-01-01", 2, L"Enter a value."},
    {true, 100, 200, L"1972-04-10", S_OK, L"1972-04-10", 0, L""},
    {true, 100, 200, L"1972-04-09", CNV_E_OUTOFRANGE, L"1972-04-10", 14,
     L"'1972-04-09' is outside 1972-04-10 to 1972-07-19."},
    {false, 0, kMs, L"7", S_OK, L"07:00:00.000", 0, L""},
    {false, 0, kMs, L"7:5", S_OK, L"07:05:00.000", 0, L""},
    {false, 0, kMs, L"7:5:9.25", S_OK, L"07:05:09.250", 0, L""},
    {false, 0, kMs, L"23:59:59.9999", S_OK, L"23:59:59.999", 0, L""},
    {false, 0, kMs, L"7.5", CNV_E_INVALIDTIMEOFDAY, L"00:00:00.000", 20, L"'7.5' is not a time of day."},
    {false, 0, kMs, L"7:5.5", CNV_E_INVALIDTIMEOFDAY, L"00:00:00.000", 20, L"'7:5.5' is not a time of day."},
    {false, 0, kMs, L"24:00", CNV_E_INVALIDTIMEOFDAY, L"00:00:00.000", 20, L"'24:00' is not a time of day."},
    {false, 0, kMs, L"12:60", CNV_E_INVALIDTIMEOFDAY, L"00:00:00.000", 20, L"'12:60' is not a time of day."},
    {false, 0, kMs, L"1:2:3:4", CNV_E_INVALIDTIMEOFDAY, L"00:00:00.000", 20,
     L"'1:2:3:4' is not a time of day."},
    {false, 0, kMs, L"7h", CNV_E_INVALIDTIMEOFDAY, L"00:00:00.000", 20, L"'7h' is not a time of day."},
    {false, 0, kMs, L":.", CNV_E_EMPTYTEXT, L"00:00:00.000", 2, L"Enter a value."},
    {false, 0, 43200000, L"12:00:00.001", CNV_E_OUTOFRANGE, L"00:00:00.000", 14,
     L"'12:00:00.001' is outside 00:00:00.000 to 12:00:00.000."},
};

class DateTimeOfDayLimits : public ConverterTest, public testing::WithParamInterface<LimitCase> {};

TEST_P(DateTimeOfDayLimits, StoreOrRefuseWithTheUsersMessage) {
    const LimitCase& c = GetParam();
    CDate date(c.date ? c.min : 0, c.date ? c.max : kDays);
    CTimeOfDay time(c.date ? 0 : c.min, c.date ? kMs : c.max);
    CPromptInfo prompt = Untouched();
    CString stored;
    if (c.date) {
        EXPECT_EQ(date.Set(c.text, &prompt), c.result);
        date.ToText(&stored);
    } else {
        EXPECT_EQ(time.Set(c.text, &prompt), c.result);
        time.ToText(&stored);
    }
    EXPECT_EQ(std::wstring(stored), c.stored);
    // A refused value is refused again at each level (number, date, text); the last
    // message, naming what was typed, stands.
    std::vector<LONG>& requested = m_registration.Server().m_requested;
    if (!requested.empty() && std::count(requested.begin(), requested.end(), c.promptId) == std::ssize(requested))
        requested.resize(1);
    ExpectPrompt(prompt, c.promptId, c.message);
}

INSTANTIATE_TEST_SUITE_P(Table, DateTimeOfDayLimits, testing::ValuesIn(kCases));

TEST_F(ConverterTest, DateTimeValuesAndLimitsOutsideTheText) {
    CAopLogCapture log;
    CTimeOfDay reversed(100, 50);
    EXPECT_EQ(reversed.GetValue(), 100U);
    EXPECT_EQ(log.Messages(), std::vector<std::wstring>(2, L"Error: Invalid min/max range specified"));
    EXPECT_EQ(log.Records()[0].function, L"CTimeOfDay::CTimeOfDay");
    log.Clear();
    CTimeOfDay noon(0, 43200000);
    CPromptInfo prompt;
    // A date-time is clamped, never refused.
    EXPECT_EQ(noon.Set(COleDateTime(2024, 1, 1, 23, 59, 59), &prompt), S_OK);
    EXPECT_EQ(noon.GetValue(), 43200000U);
    CDate date;
    EXPECT_EQ(date.Set(COleDateTime(2151, 6, 7, 0, 0, 0), &prompt), CNV_E_OUTOFRANGE);
    EXPECT_EQ(date.Set(ULONGLONG{65535}, nullptr), S_OK);
    EXPECT_EQ(date.GetYear() * 10000 + date.GetMonth() * 100 + date.GetDay(), 21510606U);
    EXPECT_EQ(date.GetMaxTextLength(), 10);
    EXPECT_EQ(noon.GetMaxTextLength(), 12);
    EXPECT_EQ(CDate(70000, 80000).GetMin(), 65535U);
    EXPECT_EQ(log.Messages(),
              (std::vector<std::wstring>{L"Invalid minimum Date.", L"Invalid maximum Date."}));
    m_registration.Server().m_requested.clear();
}

} // namespace
