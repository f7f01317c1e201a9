// The binding of NetScheduleJobAdd: netapi32.dll is loaded and the function looked up by name
// at the first call, and the call is guarded so that an exception raised inside it (Wine's RPC
// layer raises 0x6D9 when the scheduling service is down) comes back as a status code.

#include <windows.h>

#include "job/ScheduleJobsAdding.h"
#include "job/Win32Handles.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace ScheduleJobsAdding {
namespace {

using NetScheduleJobAddProc = DWORD(WINAPI*)(LPCWSTR Servername, LPBYTE Buffer, LPDWORD JobId);

#if defined(__i386__)
// x86 Windows finds exception handlers through a chain of registration records on the stack,
// headed at fs:[0]. A record of our own around the call catches whatever the call raises; its
// handler unlinks the record and jumps back to the call site. Nothing with a destructor may
// live inside the guarded stretch, since the jump skips all cleanup.
struct GuardRecord {
    GuardRecord* next;
    void* handler;
    void* resume[5];  // __builtin_setjmp's buffer
    volatile DWORD code;
};

GuardRecord* ChainHead() {
    GuardRecord* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head) : : "memory");
    return head;
}

void SetChainHead(GuardRecord* head) { asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }

extern "C" EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* exception, void* establisher, CONTEXT*,
                                                       void*) {
    if (exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
    auto* record = static_cast<GuardRecord*>(establisher);
    record->code = exception->ExceptionCode != 0 ? exception->ExceptionCode : 574;  // ERROR_UNHANDLED_EXCEPTION
    SetChainHead(record->next);  // drops the dispatcher's own records too: their stack is discarded
    __builtin_longjmp(record->resume, 1);
}

__attribute__((noinline)) DWORD GuardedCall(NetScheduleJobAddProc proc, LPCWSTR server, LPBYTE buffer,
                                             LPDWORD jobId) {
    GuardRecord record{};
    record.handler = reinterpret_cast<void*>(&GuardHandler);
    record.next = ChainHead();
    if (__builtin_setjmp(record.resume) != 0) return record.code;
    SetChainHead(&record);
    const DWORD status = proc(server, buffer, jobId);
    SetChainHead(record.next);
    return status;
}
#else
DWORD GuardedCall(NetScheduleJobAddProc proc, LPCWSTR server, LPBYTE buffer, LPDWORD jobId) {
    return proc(server, buffer, jobId);
}
#endif

}  // namespace

std::uint32_t NetScheduleJobAdd(const char16_t* Servername, AtInfoBuffer* Buffer, std::uint32_t* JobId) {
    static UniqueModule netapi;
    static NetScheduleJobAddProc proc = nullptr;
    if (proc == nullptr) {
        if (!netapi) netapi.reset(LoadLibraryW(L"netapi32.dll"));
        if (!netapi) return GetLastError();
        proc = reinterpret_cast<NetScheduleJobAddProc>(
            reinterpret_cast<void*>(GetProcAddress(netapi.get(), "NetScheduleJobAdd")));
        if (proc == nullptr) return GetLastError();
    }
    DWORD jobId = *JobId;
    const DWORD status = GuardedCall(proc, reinterpret_cast<LPCWSTR>(Servername), reinterpret_cast<LPBYTE>(Buffer),
                                     &jobId);
    *JobId = jobId;
    return status;
}

}  // namespace ScheduleJobsAdding
