#include "win32/Netapi32.h"

#include "win32/SystemLibrary.h"

FARPROC Netapi32Function(const char* name, DWORD& error) {
    static HMODULE netapi = nullptr;
    if (netapi == nullptr) netapi = LoadSystemLibrary(L"netapi32.dll");
    if (netapi == nullptr) {
        error = LastErrorOr(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    const FARPROC function = GetProcAddress(netapi, name);
    if (function == nullptr) error = LastErrorOr(ERROR_PROC_NOT_FOUND);
    return function;
}
