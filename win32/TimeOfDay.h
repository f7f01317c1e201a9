#pragma once
// The binding of NetRemoteTOD, the platform function that reads the clock of a computer (its
// Server service answers, and needs no administrator rights). Loaded by name from netapi32.dll
// in the system folder at the first call, as NetScheduleJobAdd is, and guarded the same way.

#include <cstdint>

#include "core/TargetClock.h"

namespace TimeOfDay {

// What `Servername` (nullptr: this computer) tells of its clock: 0 and `clock` filled, or the
// status of the call, or the code of a failure raised inside it.
std::uint32_t ReadRemoteClock(const char16_t* Servername, RemoteClock& clock);

}  // namespace TimeOfDay
