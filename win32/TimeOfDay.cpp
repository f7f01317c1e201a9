#include "win32/TimeOfDay.h"

#include <windows.h>
#include <lm.h>

#include "win32/ExceptionGuard.h"
#include "win32/Netapi32.h"

namespace TimeOfDay {

namespace {

using NetRemoteTODProc = decltype(&::NetRemoteTOD);
using NetApiBufferFreeProc = decltype(&::NetApiBufferFree);

struct Call {
    NetRemoteTODProc proc;
    LPCWSTR server;
    LPBYTE* buffer;
};

DWORD Read(void* context) {
    const Call& call = *static_cast<const Call*>(context);
    return call.proc(call.server, call.buffer);
}

}  // namespace

std::uint32_t ReadRemoteClock(const char16_t* Servername, RemoteClock& clock) {
    static NetRemoteTODProc read = nullptr;
    static NetApiBufferFreeProc release = nullptr;
    DWORD error = 0;
    if (read == nullptr) read = Netapi32<NetRemoteTODProc>("NetRemoteTOD", error);
    if (release == nullptr) release = Netapi32<NetApiBufferFreeProc>("NetApiBufferFree", error);
    if (read == nullptr || release == nullptr) return error;

    LPBYTE buffer = nullptr;
    Call call{read, reinterpret_cast<LPCWSTR>(Servername), &buffer};
    const DWORD status = GuardedCall(Read, &call);
    if (status == NERR_Success && buffer != nullptr) {
        const auto& told = *reinterpret_cast<const TIME_OF_DAY_INFO*>(buffer);
        clock = {told.tod_elapsedt, told.tod_hunds, told.tod_timezone};
    }
    // The buffer is the platform's, whatever the status: it frees it.
    if (buffer != nullptr) release(buffer);
    return status == NERR_Success && buffer == nullptr ? ERROR_INVALID_DATA : status;
}

}  // namespace TimeOfDay
