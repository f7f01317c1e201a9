#pragma once
// Owners for Windows handles: each closes its handle with the function that handle needs.

#include <windows.h>

#include <memory>
#include <type_traits>

template <typename Handle, auto Close>
struct HandleCloser {
    void operator()(Handle handle) const { Close(handle); }
};

template <typename Handle, auto Close>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleCloser<Handle, Close>>;

using UniqueModule = UniqueHandle<HMODULE, FreeLibrary>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindow>;
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueFont = UniqueHandle<HFONT, DeleteObject>;
using UniqueLocalText = UniqueHandle<wchar_t*, LocalFree>;
