#pragma once
// The job that one Schedule builds: what runs, when, and on which days. This is the program's
// own, portable record; the scheduling service's AT_INFO (<lmat.h>) is filled from it only for
// the call, by the Windows binding in win32/ScheduleJobsAdding.cpp.

#include <cstdint>
#include <string>

// Bits of AtInfo::Flags: JOB_RUN_PERIODICALLY and JOB_NONINTERACTIVE of the platform, which the
// binding checks these against.
inline constexpr std::uint8_t JobRunPeriodically = 0x01;  // every listed day, not only the next one
inline constexpr std::uint8_t JobNonInteractive = 0x10;   // no access to the user's desktop

struct AtInfo {
    std::uint32_t JobTime = 0;      // milliseconds after midnight
    std::uint32_t DaysOfMonth = 0;  // bit n-1: day n of the month
    std::uint8_t DaysOfWeek = 0;    // bit 0: Monday ... bit 6: Sunday
    std::uint8_t Flags = 0;         // JobRunPeriodically, JobNonInteractive
    std::u16string Command;         // the command line, exactly as typed
};
