#include "win32/SystemLibrary.h"

#include <string>

HMODULE LoadSystemLibrary(const wchar_t* name, DWORD flags) {
    if (const HMODULE module = LoadLibraryExW(name, nullptr, flags | LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    return LoadSystemLibraryByPath(name, flags);  // a system without the search flags
}

HMODULE LoadSystemLibraryByPath(const wchar_t* name, DWORD flags) {
    std::wstring path(GetSystemDirectoryW(nullptr, 0), L'\0');
    path.resize(GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size())));
    if (path.empty()) return nullptr;
    path += L'\\';
    path += name;
    // The DLL's own imports are searched for too: from its folder first, not the program's
    // (LOAD_WITH_ALTERED_SEARCH_PATH), and never in the current folder.
    SetDllDirectoryW(L"");
    return LoadLibraryExW(path.c_str(), nullptr, flags | LOAD_WITH_ALTERED_SEARCH_PATH);
}

FARPROC SystemFunction(const wchar_t* dll, HMODULE& module, const char* name, DWORD& error) {
    if (module == nullptr) module = LoadSystemLibrary(dll);
    if (module == nullptr) {
        error = LastErrorOr(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    const FARPROC function = GetProcAddress(module, name);
    if (function == nullptr) error = LastErrorOr(ERROR_PROC_NOT_FOUND);
    return function;
}
