// A netapi32.dll that lacks NetScheduleJobAdd, for the test of a platform without it.

#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI NetApiBufferFree(LPVOID) { return 0; }
