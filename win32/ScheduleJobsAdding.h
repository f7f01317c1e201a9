#pragma once
// ScheduleJobsAdding: the binding of netapi32's NetScheduleJobAdd, the platform function that
// hands a job to the scheduling service of a computer (ScheduleJobsAdding.cpp).

#include <cstdint>

#include "core/AtInfo.h"

namespace ScheduleJobsAdding {

// Hands `Buffer` to the scheduling service of `Servername` (nullptr: this computer) through
// NetScheduleJobAdd, as the platform's AT_INFO, whose Command points at Buffer.Command for the
// length of the call.
// netapi32.dll is loaded from the system folder and the function looked up by name at the
// first call, then kept.
// Returns 0 when the job was added and *JobId holds its number. A missing DLL or function
// answers with its Windows error code, and a failure the RPC layer raises inside the call with
// the exception's code (IsCallFailure). A fault such as an access violation is not caught: it
// ends the program.
std::uint32_t SubmitJob(const char16_t* Servername, const AtInfo& Buffer, std::uint32_t* JobId);

}  // namespace ScheduleJobsAdding
