#pragma once
// Loading the system's own DLLs from the system folder and nowhere else. netapi32.dll and
// netmsg.dll are not among the system's known DLLs, so a plain LoadLibrary would take a file of
// the same name lying beside the program (in a download folder, say) and run it.

#include <windows.h>

// LoadLibraryExW(name, flags) from the system folder; nullptr and the last error on failure.
HMODULE LoadSystemLibrary(const wchar_t* name, DWORD flags = 0);

// The same where the system has no LOAD_LIBRARY_SEARCH_ flags (Vista, and 7 without
// KB2533623): by the DLL's full path in the system folder. LoadSystemLibrary falls back to it.
HMODULE LoadSystemLibraryByPath(const wchar_t* name, DWORD flags = 0);

// The last error, or `fallback` where a failed call left none: a failure must never read as 0.
inline DWORD LastErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

// The function `name` of the system's DLL `dll`, which is loaded from the system folder at the
// first call that needs it and kept in `module` for the life of the process, like a DLL the
// program imports; nullptr with `error` set (the DLL or the function is missing) where it can't
// be had.
FARPROC SystemFunction(const wchar_t* dll, HMODULE& module, const char* name, DWORD& error);

template <typename Proc>
Proc SystemFunction(const wchar_t* dll, HMODULE& module, const char* name, DWORD& error) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(SystemFunction(dll, module, name, error)));
}
