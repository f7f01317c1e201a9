#pragma once
// GuardedCall(call, context) makes one call into netapi32 through `call`, which makes it with
// what `context` holds, and returns its status, or the code of an exception raised inside it
// that IsCallFailure takes for a failed call; any other exception passes on and ends the
// program. Like the platform's own __except, the guard first unwinds the frames it leaves, so
// that their handlers (the RPC layer's cleanup among them) run, and only then resumes in
// GuardedCall's frame. `call` must hold nothing with a destructor: on x86 its frame is left
// without one.

#include <windows.h>

using GuardedProc = DWORD (*)(void* context);

extern "C" DWORD GuardedCall(GuardedProc call, void* context);
