#pragma once
// The record as the scheduling service reads it, and the platform function that takes it:
// NetScheduleJobAdd of netapi32.dll.

#include <cstddef>
#include <cstdint>

#include "job/AtInfo.h"

namespace ScheduleJobsAdding {

// The service's AT_INFO. On 32-bit Windows it is 16 bytes: the Command pointer sits at
// offset 12, after two zero fill bytes. Wider pointers only widen the tail.
struct AtInfoBuffer {
    std::uint32_t JobTime;
    std::uint32_t DaysOfMonth;
    std::uint8_t DaysOfWeek;
    std::uint8_t Flags;
    std::uint16_t Fill;
    const char16_t* Command;  // zero-terminated UTF-16
};

static_assert(offsetof(AtInfoBuffer, DaysOfMonth) == 4);
static_assert(offsetof(AtInfoBuffer, DaysOfWeek) == 8);
static_assert(offsetof(AtInfoBuffer, Flags) == 9);
static_assert(offsetof(AtInfoBuffer, Fill) == 10);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(AtInfoBuffer, Command) == 12);
static_assert(sizeof(AtInfoBuffer) == 16);
#endif

// Presents `job` for one call. The buffer borrows job.Command: it must not outlive `job`.
inline AtInfoBuffer ForCall(const AT_INFO& job) {
    AtInfoBuffer buffer{};
    buffer.JobTime = job.JobTime;
    buffer.DaysOfMonth = job.DaysOfMonth;
    buffer.DaysOfWeek = job.DaysOfWeek;
    buffer.Flags = job.Flags;
    buffer.Command = job.Command.c_str();
    return buffer;
}

#ifdef _WIN32
// Calls NetScheduleJobAdd of netapi32.dll, looked up by name at the first call and kept.
// Never raises: a missing DLL or function answers with its Windows error code, and an
// exception raised inside the call (an RPC failure, say) answers with the exception's code.
std::uint32_t NetScheduleJobAdd(const char16_t* Servername, AtInfoBuffer* Buffer, std::uint32_t* JobId);
#endif

}  // namespace ScheduleJobsAdding
