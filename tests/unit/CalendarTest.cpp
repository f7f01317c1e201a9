#include <gtest/gtest.h>

#include <vector>

#include "core/Calendar.h"

namespace {

constexpr LocalTime Tuesday{2026, 12, 8, 43'200'000};  // 8 December 2026, a Tuesday, noon

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
