// A stand-in for netapi32.dll that lets a test see what the program hands to the scheduling
// service. Each call of NetScheduleJobAdd appends one line to the file named by FAKE_NETAPI_LOG:
//   server=<UTF-16 as hex, or NULL> record=<the AT_INFO's bytes as hex> command=<UTF-16 as hex>
// and answers as FAKE_NETAPI_ANSWERS says: a comma-separated list with one entry per call, the
// last one repeating (default "0"). An entry is a status to return, or "!" and an exception
// code to raise, and may end in "@" and a number of milliseconds to take first ("0@4000"). A
// job that is added gets a number that starts at FAKE_NETAPI_JOBID (default 1) and grows by
// one with each added job.
// NetRemoteTOD appends "clock server=<...>" and answers as FAKE_NETAPI_CLOCK says: a status
// (default 50, ERROR_NOT_SUPPORTED), "!" and an exception code to raise, or "AHEAD,TIMEZONE":
// this computer's time AHEAD seconds later, told with tod_timezone TIMEZONE. Its buffer is freed
// with this stand-in's NetApiBufferFree.

#include <windows.h>
#include <lm.h>
#include <lmat.h>

#include <cstdio>
#include <string>

#include "win32/AtInfoLayout.h"  // the record as this stand-in's architecture lays it out

namespace {

std::wstring Environment(const wchar_t* name) {
    std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
}

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

void Hex(std::string& out, const void* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", static_cast<const BYTE*>(data)[i]);
        out += pair;
    }
}

void Server(std::string& line, LPCWSTR server) {
    line += "server=";
    if (server) {
        Hex(line, server, lstrlenW(server) * sizeof(wchar_t));
    } else {
        line += "NULL";
    }
}

void Log(const std::string& line) {
    const HANDLE log = CreateFileW(Environment(L"FAKE_NETAPI_LOG").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                   OPEN_ALWAYS, 0, nullptr);
    if (log == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
}

}  // namespace

extern "C" __declspec(dllexport) NET_API_STATUS WINAPI NetApiBufferFree(LPVOID Buffer) {
    return HeapFree(GetProcessHeap(), 0, Buffer) ? NERR_Success : ERROR_INVALID_PARAMETER;
}

extern "C" __declspec(dllexport) NET_API_STATUS WINAPI NetRemoteTOD(LPCWSTR UncServerName, LPBYTE* BufferPtr) {
    std::string line = "clock ";
    Server(line, UncServerName);
    Log(line + "\n");
    const std::wstring answer = Environment(L"FAKE_NETAPI_CLOCK");
    if (answer.empty()) return ERROR_NOT_SUPPORTED;
    if (answer[0] == L'!') RaiseException(std::wcstoul(answer.c_str() + 1, nullptr, 0), 0, 0, nullptr);
    const std::size_t comma = answer.find(L',');
    if (comma == std::wstring::npos) return std::wcstoul(answer.c_str(), nullptr, 0);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);  // 100 ns since 1601
    const ULONGLONG since1601 = (ULONGLONG{now.dwHighDateTime} << 32 | now.dwLowDateTime) / 10'000'000;
    auto* told = static_cast<TIME_OF_DAY_INFO*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(TIME_OF_DAY_INFO)));
    told->tod_elapsedt = static_cast<DWORD>(since1601 - 11'644'473'600ULL + std::wcstol(answer.c_str(), nullptr, 10));
    told->tod_timezone = std::wcstol(answer.c_str() + comma + 1, nullptr, 10);
    told->tod_tinterval = 310;
    *BufferPtr = reinterpret_cast<LPBYTE>(told);
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

    static DWORD calls = 0, added = 0;
    const std::wstring answer = Answer(calls++);
    if (const auto at = answer.find(L'@'); at != std::wstring::npos) Sleep(std::wcstoul(&answer[at + 1], nullptr, 10));
    if (answer[0] == L'!') RaiseException(std::wcstoul(answer.c_str() + 1, nullptr, 0), 0, 0, nullptr);
    const DWORD result = std::wcstoul(answer.c_str(), nullptr, 0);
    if (result == 0) *JobId = EnvironmentNumber(L"FAKE_NETAPI_JOBID", 1) + added++;
    return result;
}
