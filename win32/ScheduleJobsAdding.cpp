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
#include "win32/Netapi32.h"
#include "win32/ScheduleJobsAdding.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace ScheduleJobsAdding {

namespace {

// The platform's own declaration gives the type; the function itself is looked up at run time.
using NetScheduleJobAddProc = decltype(&::NetScheduleJobAdd);

struct Call {
    NetScheduleJobAddProc proc;
    LPCWSTR server;
    LPBYTE record;
    LPDWORD jobId;
};

DWORD Add(void* context) {
    const Call& call = *static_cast<const Call*>(context);
    return call.proc(call.server, call.record, call.jobId);
}

}  // namespace

std::uint32_t SubmitJob(const char16_t* Servername, const AtInfo& Buffer, std::uint32_t* JobId) {
    static NetScheduleJobAddProc proc = nullptr;
    DWORD error = 0;
    if (proc == nullptr) proc = Netapi32<NetScheduleJobAddProc>("NetScheduleJobAdd", error);
    if (proc == nullptr) return error;

    AT_INFO record;
    std::memset(&record, 0, sizeof record);  // the fill bytes too: the service gets nothing left over
    record.JobTime = Buffer.JobTime;
    record.DaysOfMonth = Buffer.DaysOfMonth;
    record.DaysOfWeek = Buffer.DaysOfWeek;
    record.Flags = Buffer.Flags;
    // The platform declares Command writable, but the service only reads it.
    record.Command = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(Buffer.Command.c_str()));

    DWORD jobId = *JobId;
    Call call{proc, reinterpret_cast<LPCWSTR>(Servername), reinterpret_cast<LPBYTE>(&record), &jobId};
    const DWORD status = GuardedCall(Add, &call);
    *JobId = jobId;
    return status;
}

}  // namespace ScheduleJobsAdding
