#include <gtest/gtest.h>

#include "core/CallFailure.h"

namespace {

TEST(IsCallFailure, RpcFailuresAreStatusesFaultsEndTheProgram) {
    struct {
        std::uint32_t code;
        bool callFailure;
    } const cases[] = {
        // What a failed RPC call raises: its status, shown to the user.
        {1753, true},        // EPT_S_NOT_REGISTERED: the service is down
        {1722, true},        // RPC_S_SERVER_UNAVAILABLE
        {1726, true},        // RPC_S_CALL_FAILED
        {1727, true},        // RPC_S_CALL_FAILED_DNE
        {5, true},           // access denied, raised by the RPC layer
        {0xC0020017, true},  // RPC_NT_SERVER_UNAVAILABLE
        {0xC002001B, true},  // RPC_NT_CALL_FAILED
        {0, true},
        {0xFFFFFFFF, true},
        // The faults the platform's RPC filter passes on, and heap corruption.
        {0xC0000005, false},  // access violation
        {0xC0000194, false},  // possible deadlock
        {0xC00000AA, false},  // instruction misalignment
        {0x80000002, false},  // datatype misalignment
        {0xC0000096, false},  // privileged instruction
        {0xC000001D, false},  // illegal instruction
        {0x80000003, false},  // breakpoint
        {0xC00000FD, false},  // stack overflow
        {0xC0000235, false},  // handle not closable
        {0xC0000006, false},  // in-page error
        {0xC0000420, false},  // assertion failure
        {0xC0000409, false},  // stack buffer overrun
        {0x80000001, false},  // guard page
        {0xC00002C9, false},  // NaT consumption
        {0xC0000374, false},  // heap corruption
        // Their neighbours are ordinary codes.
        {0xC0000004, true},
        {0xC0000007, true},
        {0xC00000FC, true},
        {0xC00000FE, true},
        {0xC0000373, true},
        {0xC0000375, true},
        {0x80000000, true},
        {0x80000004, true},
        {0x40000005, true},  // the access violation's code but for its severity bits
    };
    for (const auto& c : cases) EXPECT_EQ(IsCallFailure(c.code), c.callFailure) << std::hex << c.code;
}

}  // namespace
