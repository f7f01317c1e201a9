// The exception guard around the service call, for x86 and x64 Windows: their structured
// exception handling differs, the decision (IsCallFailure) is the same.

#define WIN32_NO_STATUS  // the STATUS_ codes come from <ntstatus.h> below, whole
#include <windows.h>
#undef WIN32_NO_STATUS
#include <ntstatus.h>
#include <winternl.h>  // NTSTATUS, which the STATUS_ codes are

#include "core/CallFailure.h"
#include "win32/ExceptionGuard.h"

// The portable list of fatal codes, against the platform's names for them.
static_assert(!IsCallFailure(STATUS_ACCESS_VIOLATION) && !IsCallFailure(STATUS_POSSIBLE_DEADLOCK) &&
              !IsCallFailure(STATUS_INSTRUCTION_MISALIGNMENT) && !IsCallFailure(STATUS_DATATYPE_MISALIGNMENT) &&
              !IsCallFailure(STATUS_PRIVILEGED_INSTRUCTION) && !IsCallFailure(STATUS_ILLEGAL_INSTRUCTION) &&
              !IsCallFailure(STATUS_BREAKPOINT) && !IsCallFailure(STATUS_STACK_OVERFLOW) &&
              !IsCallFailure(STATUS_HANDLE_NOT_CLOSABLE) && !IsCallFailure(STATUS_IN_PAGE_ERROR) &&
              !IsCallFailure(STATUS_ASSERTION_FAILURE) && !IsCallFailure(STATUS_STACK_BUFFER_OVERRUN) &&
              !IsCallFailure(STATUS_GUARD_PAGE_VIOLATION) && !IsCallFailure(STATUS_REG_NAT_CONSUMPTION) &&
              !IsCallFailure(STATUS_HEAP_CORRUPTION) && IsCallFailure(RPC_S_SERVER_UNAVAILABLE) &&
              IsCallFailure(EPT_S_NOT_REGISTERED));

namespace {

constexpr DWORD ErrorUnhandledException = 574;  // ERROR_UNHANDLED_EXCEPTION, which <winerror.h> lacks

DWORD StatusOf(const EXCEPTION_RECORD* exception) {
    return exception->ExceptionCode != 0 ? exception->ExceptionCode : ErrorUnhandledException;
}

}  // namespace

#if defined(__x86_64__)
// x64 Windows finds an exception's handlers through each function's unwind data. GuardedCall is
// written in assembly so that its unwind data can name GuardHandler as its language handler
// (.seh_handler). The handler hands the exception's code to RtlUnwindEx, which runs the unwind
// handlers of every frame between the exception and GuardedCall, restores GuardedCall's frame
// and resumes at GuardResume with the code in rax. GuardResume is the call's own return
// address, so that a shadow stack (CET) finds the resume where the call would have returned.
extern "C" void GuardResume();

extern "C" [[gnu::used]] EXCEPTION_DISPOSITION GuardHandler(EXCEPTION_RECORD* exception, void* establisherFrame,
                                                            CONTEXT*, DISPATCHER_CONTEXT* dispatch) {
    if (exception->ExceptionFlags & EXCEPTION_UNWIND) return ExceptionContinueSearch;
    if (!IsCallFailure(exception->ExceptionCode)) return ExceptionContinueSearch;
    RtlUnwindEx(establisherFrame, reinterpret_cast<void*>(&GuardResume), exception,
                reinterpret_cast<void*>(static_cast<ULONG_PTR>(StatusOf(exception))), dispatch->ContextRecord,
                dispatch->HistoryTable);
    return ExceptionContinueSearch;  // not reached: RtlUnwindEx resumes at GuardResume
}

// The nop after the call keeps the return address off the epilogue: an unwinder that finds the
// return address at "add rsp; ret" takes the frame for one leaving already and skips its handler.
asm(R"(
    .text
    .globl GuardedCall
    .def GuardedCall; .scl 2; .type 32; .endef
    .seh_proc GuardedCall
GuardedCall:                    # rcx: call, rdx: context
    subq $40, %rsp              # the callee's shadow space; keeps rsp 16-byte aligned
    .seh_stackalloc 40
    .seh_handler GuardHandler, @except
    .seh_endprologue
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    .globl GuardResume
GuardResume:                    # eax: the status, or the exception's code
    nop
    addq $40, %rsp
    ret
    .seh_endproc
)");

#elif defined(__i386__)
// x86 Windows finds exception handlers through a chain of registration records on the stack,
// headed at fs:[0]. GuardedCall links a record of its own around the call. Its handler unwinds
// the chain down to that record with RtlUnwind, which calls every handler above it, then jumps
// back into GuardedCall (__builtin_longjmp restores its stack and frame) with the record unlinked.
// Nothing with a destructor may live between the setjmp and the call.
namespace {

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

// RtlUnwind(record, continuation, exception, 0). RtlUnwind need not preserve ebx, esi, edi or
// ebp, so they are saved around it; the continuation is the instruction after the call.
void UnwindTo(GuardRecord* record, EXCEPTION_RECORD* exception) {
    asm volatile(
        "pushl %%ebx\n\t"
        "pushl %%esi\n\t"
        "pushl %%edi\n\t"
        "pushl %%ebp\n\t"
        "pushl $0\n\t"
        "pushl %1\n\t"
        "pushl $1f\n\t"
        "pushl %0\n\t"
        "call _RtlUnwind@16\n"
        "1:\n\t"
        "popl %%ebp\n\t"
        "popl %%edi\n\t"
        "popl %%esi\n\t"
        "popl %%ebx"
        :
        : "r"(record), "r"(exception)
        : "eax", "ecx", "edx", "memory", "cc");
}

}  // namespace

extern "C" EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* exception, void* establisher, CONTEXT*,
                                                       void*) {
    if (exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
    if (!IsCallFailure(exception->ExceptionCode)) return ExceptionContinueSearch;
    auto* record = static_cast<GuardRecord*>(establisher);
    record->code = StatusOf(exception);
    UnwindTo(record, exception);  // fs:[0] is our record now
    SetChainHead(record->next);
    __builtin_longjmp(record->resume, 1);
}

extern "C" __attribute__((noinline)) DWORD GuardedCall(GuardedProc call, void* context) {
    GuardRecord record{};
    record.handler = reinterpret_cast<void*>(&GuardHandler);
    record.next = ChainHead();
    if (__builtin_setjmp(record.resume) != 0) return record.code;
    SetChainHead(&record);
    const DWORD status = call(context);
    SetChainHead(record.next);
    return status;
}

#else
#error "The exception guard is written for x86 and x64 Windows."
#endif

