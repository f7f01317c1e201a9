#include "core/Calendar.h"

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

int DaysInMonth(int year, int month) {
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

int DayOfWeek(int year, int month, int day) {
    // Sakamoto's method counts from Sunday; the record's bits count from Monday.
    static constexpr int MonthOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) --year;
    return (year + year / 4 - year / 100 + year / 400 + MonthOffsets[month - 1] + day + 6) % 7;
}

LocalTime NextDay(LocalTime date) {
    if (++date.Day > DaysInMonth(date.Year, date.Month)) {
        date.Day = 1;
        if (++date.Month > 12) date.Month = 1, ++date.Year;
    }
    return date;
}

std::vector<LocalTime> NextRunDates(const AtInfo& job, const LocalTime& now) {
    LocalTime first{now.Year, now.Month, now.Day, job.JobTime};
    if (job.JobTime <= now.Milliseconds) first = NextDay(first);  // today's time is past
    if (job.DaysOfWeek == 0 && job.DaysOfMonth == 0) return {first};
    std::vector<LocalTime> dates;
    for (int weekday = 0; weekday < 7; ++weekday) {
        if (!(job.DaysOfWeek >> weekday & 1)) continue;
        LocalTime date = first;
        while (DayOfWeek(date.Year, date.Month, date.Day) != weekday) date = NextDay(date);
        dates.push_back(date);
    }
    for (int day = 1; day <= 31; ++day) {
        if (!(job.DaysOfMonth >> (day - 1) & 1)) continue;
        LocalTime date = first;
        while (date.Day != day) date = NextDay(date);
        dates.push_back(date);
    }
    return dates;
}
