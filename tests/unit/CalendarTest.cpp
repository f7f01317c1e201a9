#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/Calendar.h"

namespace {

constexpr LocalTime Tuesday{2026, 12, 8, 43'200'000};  // 8 December 2026, a Tuesday, noon

// The lengths of the months, from a calendar, not from the program's rule: a leap year, a
// common year, and the centuries that are (2000, 2400) and are not (2100, 2200) leap years.
TEST(DaysInMonth, EveryMonthOfFourKindsOfYear) {
    const struct {
        int year;
        std::array<int, 12> days;
    } rows[] = {
        {2024, {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}},
        {2026, {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}},
        {2000, {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}},
        {2100, {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}},
        {2200, {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}},
        {2400, {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}},
    };
    for (const auto& row : rows) {
        std::array<int, 12> days{};
        for (int month = 1; month <= 12; ++month) days[month - 1] = DaysInMonth(row.year, month);
        EXPECT_EQ(days, row.days) << row.year;
    }
}

// The weekday of the 13th of every month of 2026, and of a few dates across leap days and
// centuries, read off a calendar (0 Monday ... 6 Sunday).
TEST(DayOfWeek, KnownDatesInEveryMonth) {
    std::array<int, 12> thirteenths{};
    for (int month = 1; month <= 12; ++month) thirteenths[month - 1] = DayOfWeek(2026, month, 13);
    EXPECT_EQ(thirteenths, (std::array<int, 12>{1, 4, 4, 0, 2, 5, 0, 3, 6, 1, 4, 6}));
    const struct {
        int year, month, day, weekday;
    } rows[] = {{2000, 1, 1, 5}, {2000, 2, 29, 1}, {2100, 3, 1, 0}, {2028, 2, 29, 1},
                {1970, 1, 1, 3}, {2026, 12, 8, 1}, {2038, 1, 19, 1}};
    for (const auto& row : rows)
        EXPECT_EQ(DayOfWeek(row.year, row.month, row.day), row.weekday) << row.year << "-" << row.month << "-" << row.day;
}

// The last day of every month and the date after it, read off a calendar.
constexpr struct {
    LocalTime last, next;
} MonthEnds[] = {
    {{2027, 1, 31}, {2027, 2, 1}},   {{2027, 2, 28}, {2027, 3, 1}},   {{2027, 3, 31}, {2027, 4, 1}},
    {{2027, 4, 30}, {2027, 5, 1}},   {{2027, 5, 31}, {2027, 6, 1}},   {{2027, 6, 30}, {2027, 7, 1}},
    {{2027, 7, 31}, {2027, 8, 1}},   {{2027, 8, 31}, {2027, 9, 1}},   {{2027, 9, 30}, {2027, 10, 1}},
    {{2027, 10, 31}, {2027, 11, 1}}, {{2027, 11, 30}, {2027, 12, 1}}, {{2027, 12, 31}, {2028, 1, 1}},
    {{2028, 2, 29}, {2028, 3, 1}},   {{2100, 2, 28}, {2100, 3, 1}},   {{2000, 2, 29}, {2000, 3, 1}},
};

// A job without days, on each month's last day: today while its time is ahead, else on the
// first of the next month; at midnight, at the day's last second, with seconds, and at a time
// equal to now.
TEST(NextRunDates, EveryMonthsLastDayAtTheEndsOfTheDay) {
    const struct {
        std::uint32_t now, time;
        bool today;
    } times[] = {
        {0, 0, false},                     // midnight, now: tomorrow
        {0, 60'000, true},                 // a minute after midnight
        {86'399'000, 86'340'000, false},   // 23:59:59, a job at 23:59
        {86'339'999, 86'340'000, true},    // 23:58:59.999
        {86'340'000, 86'340'000, false},   // 23:59, now
        {86'398'000, 86'399'000, true},    // a job at 23:59:59, with seconds
        {86'399'000, 86'399'000, false},   // and now
        {86'399'999, 86'399'000, false},
        {61'245'000, 61'245'001, true},    // a millisecond ahead
    };
    for (const auto& end : MonthEnds) {
        for (const auto& t : times) {
            LocalTime now = end.last, expected = t.today ? end.last : end.next;
            now.Milliseconds = t.now;
            expected.Milliseconds = t.time;
            const AtInfo job{t.time, 0, 0, 0x10, u"Calc.exe"};
            EXPECT_EQ(NextRunDates(job, now), std::vector<LocalTime>{expected})
                << end.last.Year << "-" << end.last.Month << " at " << t.now << " for " << t.time;
        }
    }
}

// The next 31st from each month's last day, its time passed: months without one are passed over.
TEST(NextRunDates, TheNext31stFromEveryMonth) {
    const LocalTime next31st[] = {{2027, 3, 31},  {2027, 3, 31},  {2027, 5, 31},  {2027, 5, 31}, {2027, 7, 31},
                                  {2027, 7, 31},  {2027, 8, 31},  {2027, 10, 31}, {2027, 10, 31}, {2027, 12, 31},
                                  {2027, 12, 31}, {2028, 1, 31},  {2028, 3, 31},  {2100, 3, 31},  {2000, 3, 31}};
    for (std::size_t i = 0; i < std::size(MonthEnds); ++i) {
        LocalTime now = MonthEnds[i].last, expected = next31st[i];
        now.Milliseconds = 43'200'000;
        expected.Milliseconds = 0;
        const AtInfo job{0, 1u << 30, 0, 0x10, u"Calc.exe"};
        EXPECT_EQ(NextRunDates(job, now), std::vector<LocalTime>{expected}) << now.Year << "-" << now.Month;
    }
}

// Each listed day's next date: across month ends, year ends and 29 February, and at the
// boundary of the time being ahead.
TEST(NextRunDates, EachListedDaysNextDate) {
    const struct {
        LocalTime now;
        std::uint32_t time;
        std::uint8_t weekdays = 0;
        std::uint32_t monthDays = 0;
        std::vector<LocalTime> dates = {};  // their Milliseconds are `time`
    } rows[] = {
        // Tuesday at noon, now: next week's; a minute later: today.
        {.now = Tuesday, .time = 43'200'000, .weekdays = 0x02, .dates = {{2026, 12, 15}}},
        {.now = Tuesday, .time = 43'260'000, .weekdays = 0x02, .dates = {{2026, 12, 8}}},
        {.now = Tuesday,
         .time = 0,
         .weekdays = 0x7F,
         .dates = {{2026, 12, 14}, {2026, 12, 15}, {2026, 12, 9}, {2026, 12, 10}, {2026, 12, 11}, {2026, 12, 12},
                   {2026, 12, 13}}},
        // Monday, past: into the next year.
        {.now = {2026, 12, 28, 68'400'000}, .time = 64'800'000, .weekdays = 0x01, .dates = {{2027, 1, 4}}},
        {.now = {2026, 12, 31, 43'200'000},
         .time = 39'600'000,
         .monthDays = 1u | 1u << 30,
         .dates = {{2027, 1, 1}, {2027, 1, 31}}},
        // No 31st in February, nor in April; no 29 February in 2027 and 2100, but in 2028 and 2000.
        {.now = {2027, 2, 1, 0}, .time = 60'000, .monthDays = 1u << 30, .dates = {{2027, 3, 31}}},
        {.now = {2027, 4, 30, 0}, .time = 60'000, .monthDays = 1u << 30, .dates = {{2027, 5, 31}}},
        {.now = {2027, 2, 1, 0}, .time = 60'000, .monthDays = 1u << 28, .dates = {{2027, 3, 29}}},
        {.now = {2028, 2, 1, 0}, .time = 60'000, .monthDays = 1u << 28, .dates = {{2028, 2, 29}}},
        {.now = {2100, 2, 1, 0}, .time = 60'000, .monthDays = 1u << 28, .dates = {{2100, 3, 29}}},
        {.now = {2000, 2, 28, 0}, .time = 60'000, .monthDays = 1u << 28, .dates = {{2000, 2, 29}}},
        // No days: tomorrow, or today.
        {.now = {2026, 12, 31, 86'370'000}, .time = 86'340'000, .dates = {{2027, 1, 1}}},
        {.now = {2026, 12, 31, 86'280'000}, .time = 86'340'000, .dates = {{2026, 12, 31}}},
    };
    for (const auto& row : rows) {
        std::vector<LocalTime> expected = row.dates;
        for (auto& date : expected) date.Milliseconds = row.time;
        const AtInfo job{row.time, row.monthDays, row.weekdays, 0x10, u"Calc.exe"};
        EXPECT_EQ(NextRunDates(job, row.now), expected) << "row #" << (&row - rows);
    }
}

}  // namespace
