// The binding of NetScheduleJobAdd: netapi32.dll is loaded from the system folder and the
// function looked up by name at the first call; the job is handed over in the platform's own
// AT_INFO; and the call is guarded (ExceptionGuard.cpp) so that a failure the RPC layer raises
// inside it (Wine's raises 0x6D9 when the scheduling service is down) comes back as a status.

#include <windows.h>
#include <lm.h>
#include <lmat.h>

#include <cstring>

#include "win32/AtInfoLayout.h"
#include "win32/ExceptionGuard.h"
#include "win32/ScheduleJobsAdding.h"
#include "win32/SystemLibrary.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t));

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
