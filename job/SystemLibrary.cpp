#include "job/SystemLibrary.h"

#include <string>

HMODULE LoadSystemLibrary(const wchar_t* name, DWORD flags) {
    if (const HMODULE module = LoadLibraryExW(name, nullptr, flags | LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    // Systems without the search flags (Vista, and 7 without KB2533623): the full path instead.
    std::wstring path(GetSystemDirectoryW(nullptr, 0), L'\0');
    path.resize(GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size())));
    if (path.empty()) return nullptr;
    path += L'\\';
    path += name;
    return LoadLibraryExW(path.c_str(), nullptr, flags);
}
