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
using UniqueHook = UniqueHandle<HHOOK, UnhookWindowsHookEx>;

// A window's device context (the screen's for nullptr), released when the owner goes, as wil's
// unique_hdc_window does.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for the owner's lifetime; the one it replaced is
// selected back when the owner goes, as with wil's select_object.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
