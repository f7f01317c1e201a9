// Schedules the window's default job through the program's own binding of NetScheduleJobAdd and
// reads its command back from the service: proves the binding against a real scheduling service.
//   schedule_probe [computer]   prints "status=<n> job=<id>" and, on success, " command=<read back>"

#include <windows.h>

#include <cstdio>

#include "job/FillJobInfo.h"
#include "job/ScheduleJobsAdding.h"

// Declared here: <lm.h> would bring the platform's AT_INFO next to the program's own.
extern "C" DWORD WINAPI NetScheduleJobGetInfo(LPCWSTR Servername, DWORD JobId, LPBYTE* PointerToBuffer);
extern "C" DWORD WINAPI NetApiBufferFree(LPVOID Buffer);

int wmain(int argc, wchar_t** argv) {
    WindowFields fields;
    fields.RunTime = u"17:00";
    fields.DayList = u"M,T,W,TH,F,S,SU";
    fields.CommandLine = u"Calc.exe";
    AT_INFO job;
    if (FillJobInfo(fields, job)) return 3;

    const auto* server = argc > 1 ? reinterpret_cast<const char16_t*>(argv[1]) : nullptr;
    auto buffer = ScheduleJobsAdding::ForCall(job);
    std::uint32_t jobId = 0;
    const std::uint32_t status = ScheduleJobsAdding::NetScheduleJobAdd(server, &buffer, &jobId);
    std::printf("status=%lu job=%lu", static_cast<unsigned long>(status), static_cast<unsigned long>(jobId));

    LPBYTE info = nullptr;
    if (status == 0 && NetScheduleJobGetInfo(nullptr, jobId, &info) == 0) {
        // The service answers with an AT_INFO; only its command is worth reading back.
        std::printf(" command=%ls", reinterpret_cast<const wchar_t*>(
                                        reinterpret_cast<ScheduleJobsAdding::AtInfoBuffer*>(info)->Command));
        NetApiBufferFree(info);
    }
    std::printf("\n");
    return 0;
}
