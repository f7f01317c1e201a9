#pragma once
// The platform's numbers that the program decides by, under names of its own (the platform's
// own names are macros of <windows.h>). win32/PlatformCodesChecked.cpp checks each against the
// platform's headers where they have it.

#include <cstdint>

namespace Codes {

// What NetScheduleJobAdd answers (Windows error codes, <winerror.h> and <lmerr.h>).
inline constexpr std::uint32_t AccessDenied = 5;             // ERROR_ACCESS_DENIED
inline constexpr std::uint32_t AtInterfaceOff = 50;          // ERROR_NOT_SUPPORTED: the AT interface is off
inline constexpr std::uint32_t BadNetPath = 53;              // ERROR_BAD_NETPATH
inline constexpr std::uint32_t ServerUnavailable = 1722;     // RPC_S_SERVER_UNAVAILABLE
inline constexpr std::uint32_t EndpointNotRegistered = 1753;  // EPT_S_NOT_REGISTERED: the service is down
inline constexpr std::uint32_t ServiceNotStarted = 2184;     // NERR_ServiceNotInstalled, "not started"

// What a computer answers an account, through the network's session (WNetAddConnection2W) or the
// Task Scheduler's Connect, and what the credential dialog answers.
inline constexpr std::uint32_t InvalidPassword = 86;             // ERROR_INVALID_PASSWORD
inline constexpr std::uint32_t SessionConflict = 1219;           // ERROR_SESSION_CREDENTIAL_CONFLICT
inline constexpr std::uint32_t NoNetwork = 1222;                 // ERROR_NO_NETWORK
inline constexpr std::uint32_t Cancelled = 1223;                 // ERROR_CANCELLED: the user chose Cancel
inline constexpr std::uint32_t NoLogonServers = 1311;            // ERROR_NO_LOGON_SERVERS
inline constexpr std::uint32_t LogonFailure = 1326;              // ERROR_LOGON_FAILURE: wrong name or password
inline constexpr std::uint32_t BadUserName = 2202;               // NERR_BadUsername
inline constexpr std::uint32_t TaskLogonFailure = 0x8007052E;    // HRESULT_FROM_WIN32(ERROR_LOGON_FAILURE)
inline constexpr std::uint32_t TaskInvalidPassword = 0x80070056;  // HRESULT_FROM_WIN32(ERROR_INVALID_PASSWORD)
// The longest name and password the credential dialog takes (CREDUI_MAX_USERNAME_LENGTH,
// CREDUI_MAX_PASSWORD_LENGTH), without the terminator.
inline constexpr std::uint32_t MaxUserNameLength = 513;
inline constexpr std::uint32_t MaxPasswordLength = 256;

// What the Task Scheduler answers (HRESULTs).
inline constexpr std::uint32_t TaskAccessDenied = 0x80070005;      // E_ACCESSDENIED
inline constexpr std::uint32_t TaskNotFound = 0x80070002;          // HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
inline constexpr std::uint32_t TaskExists = 0x800700B7;            // HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS)
inline constexpr std::uint32_t TaskFileExists = 0x80070050;        // HRESULT_FROM_WIN32(ERROR_FILE_EXISTS), Wine's
inline constexpr std::uint32_t TaskBadNetPath = 0x80070035;        // HRESULT_FROM_WIN32(ERROR_BAD_NETPATH)
inline constexpr std::uint32_t TaskServerUnavailable = 0x800706BA;  // HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)
inline constexpr std::uint32_t SchedulerNotRunning = 0x80041315;   // SCHED_E_SERVICE_NOT_RUNNING
inline constexpr std::uint32_t ClassNotRegistered = 0x80040154;    // REGDB_E_CLASSNOTREG: no Task Scheduler 2.0
// Successes of ITaskFolder::RegisterTask that the platform documents: the task is registered,
// but not all its triggers will start it, or it may fail to start for want of the batch logon
// right. Not in mingw-w64's headers; <winerror.h> of the Windows SDK has both.
inline constexpr std::uint32_t SomeTriggersFailed = 0x0004131B;  // SCHED_S_SOME_TRIGGERS_FAILED
inline constexpr std::uint32_t BatchLogonProblem = 0x0004131C;   // SCHED_S_BATCH_LOGON_PROBLEM

// HRESULT_FROM_WIN32(): a Windows error as the HRESULT that COM answers it with.
constexpr std::uint32_t FromWin32(std::uint32_t error) { return error == 0 ? 0 : 0x80070000 | (error & 0xFFFF); }

// SUCCEEDED(): an HRESULT whose severity bit is clear, S_OK or another success.
constexpr bool Succeeded(std::uint32_t hresult) { return (hresult & 0x80000000) == 0; }

// How a task logs on to run: TASK_LOGON_SERVICE_ACCOUNT, a service account, which needs no one
// to be logged on and no password.
inline constexpr std::uint32_t LogonServiceAccount = 5;

}  // namespace Codes
