#pragma once
// Which exceptions raised inside the service call mean only that the call failed. The RPC layer
// under NetScheduleJobAdd raises its failures (0x6D9 when the scheduling service is down, 0x6BA
// when the server can't be reached ...) instead of returning them; the binding's guard answers
// those with their code, as the platform's own RpcExceptionFilter does. The faults that filter
// passes on are a different matter: after an access violation or a stack overflow inside a
// system DLL, locks may be held and memory broken, so the program must not go on as if a call
// had merely failed. Those pass the guard and end the program as the crash they are.

#include <array>
#include <cstdint>

// The faults that RpcExceptionFilter leaves to the next handler, and heap corruption.
inline constexpr std::array<std::uint32_t, 15> FatalExceptionCodes = {
    0xC0000005,  // STATUS_ACCESS_VIOLATION
    0xC0000194,  // STATUS_POSSIBLE_DEADLOCK
    0xC00000AA,  // STATUS_INSTRUCTION_MISALIGNMENT
    0x80000002,  // STATUS_DATATYPE_MISALIGNMENT
    0xC0000096,  // STATUS_PRIVILEGED_INSTRUCTION
    0xC000001D,  // STATUS_ILLEGAL_INSTRUCTION
    0x80000003,  // STATUS_BREAKPOINT
    0xC00000FD,  // STATUS_STACK_OVERFLOW
    0xC0000235,  // STATUS_HANDLE_NOT_CLOSABLE
    0xC0000006,  // STATUS_IN_PAGE_ERROR
    0xC0000420,  // STATUS_ASSERTION_FAILURE
    0xC0000409,  // STATUS_STACK_BUFFER_OVERRUN
    0x80000001,  // STATUS_GUARD_PAGE_VIOLATION
    0xC00002C9,  // STATUS_REG_NAT_CONSUMPTION
    0xC0000374,  // STATUS_HEAP_CORRUPTION
};

// True when an exception with this code, raised inside the call, is the call's failure and so
// its status; false when it must end the program.
constexpr bool IsCallFailure(std::uint32_t exceptionCode) {
    for (const std::uint32_t fatal : FatalExceptionCodes)
        if (exceptionCode == fatal) return false;
    return true;
}
