// The binding of NetScheduleJobAdd: netapi32.dll is loaded from the system folder and the
// function looked up by name at the first call; the job is handed over in the platform's own
// AT_INFO; and the call is guarded (ExceptionGuard.cpp) so that a failure the RPC layer raises
// inside it (Wine's raises 0x6D9 when the scheduling service is down) comes back as a status.

#include <windows.h>
#include <lm.h>
#include <lmat.h>

#include <cstddef>
#include <cstring>

#include "win32/ExceptionGuard.h"
#include "win32/ScheduleJobsAdding.h"
#include "win32/SystemLibrary.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t));
static_assert(JobRunPeriodically == JOB_RUN_PERIODICALLY && JobNonInteractive == JOB_NONINTERACTIVE);

// The record as the service reads it. JobTime is a DWORD_PTR, so 64-bit Windows widens it and
// everything after it moves.
#if defined(_WIN64)
static_assert(sizeof(AT_INFO) == 24 && offsetof(AT_INFO, DaysOfMonth) == 8 && offsetof(AT_INFO, DaysOfWeek) == 12 &&
              offsetof(AT_INFO, Flags) == 13 && offsetof(AT_INFO, Command) == 16);
#else
static_assert(sizeof(AT_INFO) == 16 && offsetof(AT_INFO, DaysOfMonth) == 4 && offsetof(AT_INFO, DaysOfWeek) == 8 &&
              offsetof(AT_INFO, Flags) == 9 && offsetof(AT_INFO, Command) == 12);
#endif

namespace ScheduleJobsAdding {

std::uint32_t SubmitJob(const char16_t* Servername, const AtInfo& Buffer, std::uint32_t* JobId) {
    // Loaded once and kept for the life of the process, like a DLL the program imports.
    static HMODULE netapi = nullptr;
    static NetScheduleJobAddProc proc = nullptr;
    if (proc == nullptr) {
        if (netapi == nullptr) netapi = LoadSystemLibrary(L"netapi32.dll");
        if (netapi == nullptr) return LastErrorOr(ERROR_MOD_NOT_FOUND);
        proc = reinterpret_cast<NetScheduleJobAddProc>(
            reinterpret_cast<void*>(GetProcAddress(netapi, "NetScheduleJobAdd")));
        if (proc == nullptr) return LastErrorOr(ERROR_PROC_NOT_FOUND);
    }

    AT_INFO record;
    std::memset(&record, 0, sizeof record);  // the fill bytes too: the service gets nothing left over
    record.JobTime = Buffer.JobTime;
    record.DaysOfMonth = Buffer.DaysOfMonth;
    record.DaysOfWeek = Buffer.DaysOfWeek;
    record.Flags = Buffer.Flags;
    // The platform declares Command writable, but the service only reads it.
    record.Command = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(Buffer.Command.c_str()));

    DWORD jobId = *JobId;
    const DWORD status =
        GuardedCall(proc, reinterpret_cast<LPCWSTR>(Servername), reinterpret_cast<LPBYTE>(&record), &jobId);
    *JobId = jobId;
    return status;
}

}  // namespace ScheduleJobsAdding
