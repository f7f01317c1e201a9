// Drives the program's own binding of NetScheduleJobAdd against a real scheduling service.
//
//   schedule_probe [computer]       schedules the window's default job and reads its command
//                                   back from the service: "status=<n> job=<id>[ command=<text>]"
//   schedule_probe soak N GO_FILE   calls N times in this one process (the service is expected
//                                   to be down), prints one JSON line with the statuses seen and
//                                   the process's memory and kernel handles after the 10th and
//                                   the Nth call; then waits up to a minute for GO_FILE to exist
//                                   (the test starts the service meanwhile), calls once more and
//                                   prints "status=<n> job=<id>"

#include <windows.h>
#include <lm.h>
#include <lmat.h>

#include <cstdio>
#include <map>
#include <string>

#include "job/FillJobInfo.h"
#include "job/ScheduleJobsAdding.h"
#include "tests/win32/ProcessCounts.h"

namespace {

AtInfo DefaultJob() {
    WindowFields fields;
    fields.RunTime = u"17:00";
    fields.DayList = u"M,T,W,TH,F,S,SU";
    fields.CommandLine = u"Calc.exe";
    AtInfo job;
    if (FillJobInfo(fields, job)) ExitProcess(3);
    return job;
}

std::uint32_t Schedule(const AtInfo& job, const char16_t* server, std::uint32_t& jobId) {
    jobId = 0;
    return ScheduleJobsAdding::NetScheduleJobAdd(server, job, &jobId);
}

int Probe(const char16_t* server) {
    std::uint32_t jobId = 0;
    const std::uint32_t status = Schedule(DefaultJob(), server, jobId);
    std::printf("status=%lu job=%lu", static_cast<unsigned long>(status), static_cast<unsigned long>(jobId));
    LPBYTE info = nullptr;
    if (status == 0 && NetScheduleJobGetInfo(nullptr, jobId, &info) == 0) {
        // The service answers with an AT_INFO; only its command is worth reading back.
        std::printf(" command=%ls", reinterpret_cast<const AT_INFO*>(info)->Command);
        NetApiBufferFree(info);
    }
    std::printf("\n");
    return 0;
}

int Soak(long calls, const wchar_t* goFile) {
    const AtInfo job = DefaultJob();
    std::map<std::uint32_t, long> statuses;
    long memory10 = 0, handles10 = 0;
    for (long i = 1; i <= calls; ++i) {
        std::uint32_t jobId = 0;
        ++statuses[Schedule(job, nullptr, jobId)];
        if (i == 10) memory10 = PagefileKilobytes(GetCurrentProcess()), handles10 = HandleCount(GetCurrentProcessId());
    }
    std::printf("{\"statuses\":{");
    for (auto it = statuses.begin(); it != statuses.end(); ++it)
        std::printf("%s\"%lu\":%ld", it == statuses.begin() ? "" : ",", static_cast<unsigned long>(it->first),
                    it->second);
    std::printf("},\"memory_kb\":[%ld,%ld],\"handles\":[%ld,%ld]}\n", memory10, PagefileKilobytes(GetCurrentProcess()),
                handles10, HandleCount(GetCurrentProcessId()));
    std::fflush(stdout);

    for (int waited = 0; GetFileAttributesW(goFile) == INVALID_FILE_ATTRIBUTES; waited += 50) {
        if (waited >= 60000) return 4;
        Sleep(50);
    }
    std::uint32_t jobId = 0;
    const std::uint32_t status = Schedule(job, nullptr, jobId);
    std::printf("status=%lu job=%lu\n", static_cast<unsigned long>(status), static_cast<unsigned long>(jobId));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"soak") return Soak(std::wcstol(argv[2], nullptr, 10), argv[3]);
    return Probe(argc > 1 ? reinterpret_cast<const char16_t*>(argv[1]) : nullptr);
}
