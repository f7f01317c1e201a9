// Drives the program's own binding of NetScheduleJobAdd against a real scheduling service.
//
//   schedule_probe [computer [command]]
//                                   schedules the window's default job (with that command):
//                                   "status=<n> job=<id>"
//   schedule_probe soak N GO_FILE   calls N times in this one process (the service is expected
//                                   to be down), prints one JSON line with the statuses seen and
//                                   the process's memory and kernel handles after the 10th and
//                                   the Nth call; then waits up to a minute for GO_FILE to exist
//                                   (the test starts the service meanwhile), calls once more and
//                                   prints "status=<n> job=<id>"
//   schedule_probe clock [computer]  reads the computer's clock through the program's binding of
//                                   NetRemoteTOD: "status=<n> elapsed=<seconds since 1970, GMT>
//                                   hundredths=<n> timezone=<minutes west of GMT> here=<this
//                                   computer's seconds since 1970, GMT>"
//   schedule_probe load-by-path     loads netapi32.dll as a system without the loader's search
//                                   flags would: "path=<the file loaded> add=<1 when it has
//                                   NetScheduleJobAdd> beside=<the number of DLLs loaded
//                                   from the probe's own folder>"
//
// netapi32.dll is looked up at run time here too, never imported: a test puts a foreign one
// beside the probe, which the loader would otherwise bind at start.

#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "core/FillJobInfo.h"
#include "tests/win32/ProcessCounts.h"
#include "win32/ScheduleJobsAdding.h"
#include "win32/SystemLibrary.h"
#include "win32/TimeOfDay.h"

namespace {

// The window's default job, with `command`, handed to the service of `server`; its status.
std::uint32_t Schedule(const char16_t* server, const wchar_t* command = L"Calc.exe", std::uint32_t* jobId = nullptr) {
    WindowFields fields;
    fields.RunTime = u"17:00";
    fields.DayList = u"M,T,W,TH,F,S,SU";
    fields.CommandLine = reinterpret_cast<const char16_t*>(command);
    AtInfo job;
    if (FillJobInfo(fields, job)) ExitProcess(3);
    std::uint32_t id = 0;
    return ScheduleJobsAdding::SubmitJob(server, job, jobId ? jobId : &id);
}

int Probe(const char16_t* server, const wchar_t* command) {
    std::uint32_t jobId = 0;
    const std::uint32_t status = Schedule(server, command, &jobId);
    std::printf("status=%lu job=%lu\n", static_cast<unsigned long>(status), static_cast<unsigned long>(jobId));
    return 0;
}

int Soak(long calls, const wchar_t* goFile) {
    std::map<std::string, long> statuses;
    long memory10 = 0, handles10 = 0;
    for (long i = 1; i <= calls; ++i) {
        ++statuses[std::to_string(Schedule(nullptr))];
        if (i == 10) memory10 = PagefileKilobytes(GetCurrentProcess()), handles10 = HandleCount(GetCurrentProcessId());
    }
    const nlohmann::json soak = {{"statuses", statuses},
                                 {"memory_kb", {memory10, PagefileKilobytes(GetCurrentProcess())}},
                                 {"handles", {handles10, HandleCount(GetCurrentProcessId())}}};
    std::printf("%s\n", soak.dump().c_str());
    std::fflush(stdout);
    for (int waited = 0; GetFileAttributesW(goFile) == INVALID_FILE_ATTRIBUTES; waited += 50) {
        if (waited >= 60000) return 4;
        Sleep(50);
    }
    return Probe(nullptr, L"Calc.exe");
}

int Clock(const char16_t* server) {
    RemoteClock clock{};
    const std::uint32_t status = TimeOfDay::ReadRemoteClock(server, clock);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const unsigned long long here =
        ((static_cast<unsigned long long>(now.dwHighDateTime) << 32 | now.dwLowDateTime) / 10'000'000) - 11'644'473'600;
    std::printf("status=%lu elapsed=%lu hundredths=%lu timezone=%ld here=%llu\n", static_cast<unsigned long>(status),
                static_cast<unsigned long>(clock.secondsSince1970), static_cast<unsigned long>(clock.hundredths),
                static_cast<long>(clock.minutesWest), here);
    return 0;
}

std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(module ? GetModuleFileNameW(module, path.data(), MAX_PATH) : 0);
    return path;
}

int LoadByPath() {
    const HMODULE netapi = LoadSystemLibraryByPath(L"netapi32.dll");
    const std::wstring mine = ModulePath(GetModuleHandleW(nullptr));
    const std::wstring folder = mine.substr(0, mine.find_last_of(L'\\') + 1);
    HMODULE modules[256];
    DWORD bytes = 0;
    EnumProcessModules(GetCurrentProcess(), modules, sizeof modules, &bytes);
    int beside = 0;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 256; ++i) {
        const std::wstring path = ModulePath(modules[i]);
        beside += path != mine && CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                                                       static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
    }
    std::printf("path=%ls add=%d beside=%d\n", ModulePath(netapi).c_str(),
                netapi && GetProcAddress(netapi, "NetScheduleJobAdd") != nullptr, beside);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"load-by-path") return LoadByPath();
    if (argc >= 2 && std::wstring(argv[1]) == L"clock")
        return Clock(argc > 2 ? reinterpret_cast<const char16_t*>(argv[2]) : nullptr);
    if (argc == 4 && std::wstring(argv[1]) == L"soak") return Soak(std::wcstol(argv[2], nullptr, 10), argv[3]);
    const auto* server = argc > 1 && argv[1][0] != L'\0' ? reinterpret_cast<const char16_t*>(argv[1]) : nullptr;
    return Probe(server, argc > 2 ? argv[2] : L"Calc.exe");
}
