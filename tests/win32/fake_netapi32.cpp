// A stand-in for netapi32.dll that lets a test see what the program hands to the scheduling
// service. Each call of NetScheduleJobAdd appends one line to the file named by FAKE_NETAPI_LOG:
//   server=<UTF-16 as hex, or NULL> record=<the AT_INFO's bytes as hex> command=<UTF-16 as hex>
// and answers as FAKE_NETAPI_ANSWERS says: a comma-separated list with one entry per call, the
// last one repeating (default "0"). An entry is a status to return, or "!" and an exception
// code to raise, and may end in "@" and a number of milliseconds to take first ("0@4000"). A
// job that is added gets a number that starts at FAKE_NETAPI_JOBID (default 1) and grows by
// one with each added job. Where FAKE_ACCOUNT names an account, a named computer answers
// ERROR_ACCESS_DENIED but through the session to its IPC$ that carries that account (the stand-in
// mpr.dll's), as a Windows does to a user who is none of its administrators.
// NetRemoteTOD appends "clock server=<...>" and answers as FAKE_NETAPI_CLOCK says: a status
// (default 50, ERROR_NOT_SUPPORTED), "!" and an exception code to raise, or "AHEAD,TIMEZONE":
// this computer's time AHEAD seconds later, told with tod_timezone TIMEZONE; any of them may end
// in "@" and a number of milliseconds to take first. Its buffer is freed with this stand-in's
// NetApiBufferFree; each buffer handed out and each freed is counted (StandIn.h's Held).

#include <windows.h>
#include <lm.h>
#include <lmat.h>

#include <string>

#include "tests/win32/StandIn.h"
#include "win32/AtInfoLayout.h"  // the record as this stand-in's architecture lays it out

namespace {

DWORD EnvironmentNumber(const wchar_t* name, DWORD fallback) {
    const std::wstring value = Environment(name);
    return value.empty() ? fallback : static_cast<DWORD>(std::wcstoul(value.c_str(), nullptr, 0));
}

// The answer to call number `call` (from 0): FAKE_NETAPI_ANSWERS' entry, the last repeating.
std::wstring Answer(DWORD call) {
    const std::wstring answers = Environment(L"FAKE_NETAPI_ANSWERS");
    std::size_t start = 0;
    for (DWORD i = 0; i < call; ++i) {
        const std::size_t comma = answers.find(L',', start);
        if (comma == std::wstring::npos) break;
        start = comma + 1;
    }
    const std::wstring answer = answers.substr(start, answers.find(L',', start) - start);
    return answer.empty() ? L"0" : answer;
}

}  // namespace

extern "C" __declspec(dllexport) NET_API_STATUS WINAPI NetApiBufferFree(LPVOID Buffer) {
    if (!HeapFree(GetProcessHeap(), 0, Buffer)) return ERROR_INVALID_PARAMETER;
    Held("netapi32", -1);
    return NERR_Success;
}

extern "C" __declspec(dllexport) NET_API_STATUS WINAPI NetRemoteTOD(LPCWSTR UncServerName, LPBYTE* BufferPtr) {
    std::string line = "clock ";
    Server(line, UncServerName);
    Log(line + "\n");
    const std::wstring answer = Environment(L"FAKE_NETAPI_CLOCK");
    if (answer.empty()) return ERROR_NOT_SUPPORTED;
    const std::size_t comma = answer.find(L',');
    if (comma == std::wstring::npos) return Answered(answer);
    TakeItsTime(answer);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);  // 100 ns since 1601
    const ULONGLONG since1601 = (ULONGLONG{now.dwHighDateTime} << 32 | now.dwLowDateTime) / 10'000'000;
    auto* told = static_cast<TIME_OF_DAY_INFO*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(TIME_OF_DAY_INFO)));
    told->tod_elapsedt = static_cast<DWORD>(since1601 - 11'644'473'600ULL + std::wcstol(answer.c_str(), nullptr, 10));
    told->tod_timezone = std::wcstol(answer.c_str() + comma + 1, nullptr, 10);
    told->tod_tinterval = 310;
    *BufferPtr = reinterpret_cast<LPBYTE>(told);
    Held("netapi32", +1);
    return NERR_Success;
}

extern "C" __declspec(dllexport) NET_API_STATUS WINAPI NetScheduleJobAdd(LPCWSTR Servername, LPBYTE Buffer,
                                                                         LPDWORD JobId) {
    std::string line;
    Server(line, Servername);
    line += " record=";
    Hex(line, Buffer, sizeof(AT_INFO));
    line += " command=";
    const LPCWSTR command = reinterpret_cast<const AT_INFO*>(Buffer)->Command;
    Hex(line, command, lstrlenW(command) * sizeof(wchar_t));
    Log(line + "\n");

    const std::wstring account = Environment(L"FAKE_ACCOUNT");
    if (!account.empty() && Servername != nullptr) {
        const std::wstring name = Servername + std::wcsspn(Servername, L"\\");
        if (Environment(L"FAKE_SESSION") != L"\\\\" + name + L"\\IPC$|" + account) return ERROR_ACCESS_DENIED;
    }
    static DWORD calls = 0, added = 0;
    const DWORD result = Answered(Answer(calls++));
    if (result == 0) *JobId = EnvironmentNumber(L"FAKE_NETAPI_JOBID", 1) + added++;
    return result;
}
