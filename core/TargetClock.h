#pragma once
// The clock a task's dates are reckoned from: the target computer's own, where it tells it. The
// Task Scheduler runs a task's triggers in the local time of the computer that has it, as the
// AT service reckons a job's days from that computer's clock.

#include <cstdint>
#include <optional>

#include "core/Calendar.h"

// What a computer tells of its clock (NetRemoteTOD's TIME_OF_DAY_INFO).
struct RemoteClock {
    std::uint32_t secondsSince1970;  // tod_elapsedt: GMT
    std::uint32_t hundredths;        // tod_hunds: of the current second
    std::int32_t minutesWest;        // tod_timezone: its offset, minutes west of GMT; -1: undefined
};

struct Clocks {
    std::optional<RemoteClock> target;  // none where the target could not be asked
    LocalTime here;                     // this computer's date and time of day
};

// The target's local date and time of day, its GMT time less its offset, where it told both;
// else this computer's.
LocalTime TargetLocalTime(const Clocks& clocks);
