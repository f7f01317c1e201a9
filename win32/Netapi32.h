#pragma once
// netapi32.dll, loaded from the system folder at the first call that needs it and kept for the
// life of the process, like a DLL the program imports; and its functions, looked up by name.

#include <windows.h>

// The function `name` of netapi32.dll as a `Proc`; nullptr with `error` set (the DLL or the
// function is missing) where it can't be had.
FARPROC Netapi32Function(const char* name, DWORD& error);

template <typename Proc>
Proc Netapi32(const char* name, DWORD& error) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(Netapi32Function(name, error)));
}
