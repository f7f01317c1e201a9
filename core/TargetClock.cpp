#include "core/TargetClock.h"

namespace {

constexpr std::int32_t Undefined = -1;

// The date `days` after 1 January 1970 on the Gregorian calendar (H. Hinnant's civil_from_days,
// counted in eras of 400 years from 1 March 2000).
LocalTime DateAfter1970(std::int64_t days) {
    days += 719'468;
    const std::int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
    const std::int64_t dayOfEra = days - era * 146'097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1'460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = int(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month = int(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    return {int(yearOfEra + era * 400 + (month <= 2)), month, day, 0};
}

}  // namespace

LocalTime TargetLocalTime(const Clocks& clocks) {
    if (!clocks.target || clocks.target->minutesWest == Undefined) return clocks.here;
    const std::int64_t seconds = std::int64_t{clocks.target->secondsSince1970} - clocks.target->minutesWest * 60LL;
    const std::int64_t days = (seconds >= 0 ? seconds : seconds - 86'399) / 86'400;
    LocalTime local = DateAfter1970(days);
    local.Milliseconds = std::uint32_t(seconds - days * 86'400) * 1000 + clocks.target->hundredths % 100 * 10;
    return local;
}
