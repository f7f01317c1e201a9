#pragma once
// GuardedCall(proc, server, record, jobId) calls NetScheduleJobAdd through `proc` and returns
// its status, or the code of an exception raised inside it that IsCallFailure takes for a failed
// call; any other exception passes on and ends the program. Like the platform's own __except,
// the guard first unwinds the frames it leaves, so that their handlers (the RPC layer's cleanup
// among them) run, and only then resumes in GuardedCall's frame.

#include <windows.h>
#include <lm.h>
#include <lmat.h>

// The platform's own declaration gives the type; the function itself is looked up at run time.
using NetScheduleJobAddProc = decltype(&::NetScheduleJobAdd);

extern "C" DWORD GuardedCall(NetScheduleJobAddProc proc, LPCWSTR server, LPBYTE record, LPDWORD jobId);
