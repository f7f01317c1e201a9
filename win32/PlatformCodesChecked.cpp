// The platform's numbers that core/ decides by, checked against the platform's headers.

#include <windows.h>
#include <lm.h>
#include <lmat.h>
#include <taskschd.h>
#include <wincred.h>

#include "core/AtInfo.h"
#include "core/PlatformCodes.h"

static_assert(JobRunPeriodically == JOB_RUN_PERIODICALLY && JobNonInteractive == JOB_NONINTERACTIVE);
static_assert(Codes::AccessDenied == ERROR_ACCESS_DENIED && Codes::AtInterfaceOff == ERROR_NOT_SUPPORTED &&
              Codes::BadNetPath == ERROR_BAD_NETPATH && Codes::ServerUnavailable == RPC_S_SERVER_UNAVAILABLE &&
              Codes::EndpointNotRegistered == EPT_S_NOT_REGISTERED &&
              Codes::ServiceNotStarted == NERR_ServiceNotInstalled);
static_assert(Codes::TaskAccessDenied == std::uint32_t(E_ACCESSDENIED) &&
              Codes::TaskNotFound == std::uint32_t(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) &&
              Codes::TaskExists == std::uint32_t(HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS)) &&
              Codes::TaskFileExists == std::uint32_t(HRESULT_FROM_WIN32(ERROR_FILE_EXISTS)) &&
              Codes::TaskBadNetPath == std::uint32_t(HRESULT_FROM_WIN32(ERROR_BAD_NETPATH)) &&
              Codes::TaskServerUnavailable == std::uint32_t(HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)) &&
              Codes::SchedulerNotRunning == std::uint32_t(SCHED_E_SERVICE_NOT_RUNNING) &&
              Codes::ClassNotRegistered == std::uint32_t(REGDB_E_CLASSNOTREG));
static_assert(Codes::InvalidPassword == ERROR_INVALID_PASSWORD &&
              Codes::SessionConflict == ERROR_SESSION_CREDENTIAL_CONFLICT && Codes::NoNetwork == ERROR_NO_NETWORK &&
              Codes::Cancelled == ERROR_CANCELLED && Codes::NoLogonServers == ERROR_NO_LOGON_SERVERS &&
              Codes::LogonFailure == ERROR_LOGON_FAILURE && Codes::BadUserName == NERR_BadUsername &&
              Codes::TaskLogonFailure == std::uint32_t(HRESULT_FROM_WIN32(ERROR_LOGON_FAILURE)) &&
              Codes::TaskInvalidPassword == std::uint32_t(HRESULT_FROM_WIN32(ERROR_INVALID_PASSWORD)));
static_assert(Codes::FromWin32(ERROR_LOGON_FAILURE) == std::uint32_t(HRESULT_FROM_WIN32(ERROR_LOGON_FAILURE)) &&
              Codes::FromWin32(ERROR_SUCCESS) == std::uint32_t(HRESULT_FROM_WIN32(ERROR_SUCCESS)));
static_assert(Codes::MaxUserNameLength == CREDUI_MAX_USERNAME_LENGTH &&
              Codes::MaxPasswordLength == CREDUI_MAX_PASSWORD_LENGTH);
static_assert(Codes::LogonServiceAccount == TASK_LOGON_SERVICE_ACCOUNT);
static_assert(Codes::Succeeded(std::uint32_t(S_OK)) == SUCCEEDED(S_OK) &&
              Codes::Succeeded(std::uint32_t(S_FALSE)) == SUCCEEDED(S_FALSE) &&
              Codes::Succeeded(std::uint32_t(E_FAIL)) == SUCCEEDED(E_FAIL));
