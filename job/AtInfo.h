#pragma once
// The job that one Schedule builds: what runs, when, and on which days.

#include <cstdint>
#include <string>

// Bits of AT_INFO::Flags, with the values the scheduling service uses.
inline constexpr std::uint8_t JOB_RUN_PERIODICALLY = 0x01;  // every listed day, not only the next one
inline constexpr std::uint8_t JOB_NONINTERACTIVE = 0x10;    // no access to the user's desktop

struct AT_INFO {
    std::uint32_t JobTime = 0;      // milliseconds after midnight
    std::uint32_t DaysOfMonth = 0;  // bit n-1: day n of the month
    std::uint8_t DaysOfWeek = 0;    // bit 0: Monday ... bit 6: Sunday
    std::uint8_t Flags = 0;         // JOB_RUN_PERIODICALLY, JOB_NONINTERACTIVE
    std::u16string Command;         // the command line, exactly as typed
};
