#pragma once
// Dates on the Gregorian calendar, and the dates on which a job runs.

#include <cstdint>
#include <vector>

#include "core/AtInfo.h"

// A date and a time of day.
struct LocalTime {
    int Year = 0, Month = 0, Day = 0;  // month and day from 1
    std::uint32_t Milliseconds = 0;    // after midnight
    bool operator==(const LocalTime&) const = default;
};

inline constexpr std::uint32_t DayMs = 86'400'000;

int DaysInMonth(int year, int month);
int DayOfWeek(int year, int month, int day);  // 0 Monday ... 6 Sunday, as DaysOfWeek's bits
LocalTime NextDay(LocalTime date);            // the same time of day, a day later

// The dates on which a job that runs only once on each listed day runs: for each listed day in
// the order of the record's bits (Monday first, or day 1 first), the first date at or after
// `now` with that weekday, or that day of the month (a month without it is passed over, as the
// AT service passes over a 31st), whose JobTime is still ahead; for a record without days, the
// one date at or after `now` whose JobTime is still ahead (today or tomorrow).
std::vector<LocalTime> NextRunDates(const AtInfo& job, const LocalTime& now);
