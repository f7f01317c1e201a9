#include "win32/Netapi32.h"

#include "win32/SystemLibrary.h"

FARPROC Netapi32Function(const char* name, DWORD& error) {
    static HMODULE netapi = nullptr;
    return SystemFunction(L"netapi32.dll", netapi, name, error);
}
