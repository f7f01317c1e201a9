#pragma once
// Owners for Windows handles: each closes its handle with the function that handle needs; and
// for COM's interfaces, texts (BSTR) and VARIANTs.

#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <string>
#include <type_traits>

#include "core/Secret.h"

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
using UniqueKernelObject = UniqueHandle<HANDLE, CloseHandle>;

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

// A COM interface, released when the owner goes.
struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, ComReleaser>;

// Takes the interface a call hands out through its last parameter into `owner`, once the call
// has returned: Call(..., ComOut(owner)).
template <typename Interface>
class ComOut {
public:
    explicit ComOut(ComPtr<Interface>& owner) : owner_(owner) {}
    ~ComOut() { owner_.reset(received_); }
    ComOut(const ComOut&) = delete;
    ComOut& operator=(const ComOut&) = delete;
    operator Interface**() { return &received_; }
    operator void**() { return reinterpret_cast<void**>(&received_); }

private:
    ComPtr<Interface>& owner_;
    Interface* received_ = nullptr;
};

using UniqueBstr = UniqueHandle<BSTR, SysFreeString>;

// A BSTR with `text`; empty when there is no memory for it.
inline UniqueBstr Bstr(const std::u16string& text) {
    const auto* units = reinterpret_cast<const wchar_t*>(text.data());
    return UniqueBstr(SysAllocStringLen(units, static_cast<UINT>(text.size())));
}

// A BSTR that holds a secret: wiped over its whole length before it is freed, as oleaut32 keeps
// the memory of freed strings for the next ones.
struct SecretBstrFree {
    void operator()(BSTR text) const {
        SecureZeroMemory(text, SysStringByteLen(text));
        SysFreeString(text);
    }
};
using SecretBstr = std::unique_ptr<OLECHAR, SecretBstrFree>;

// A BSTR with the secret; empty when there is no memory for it.
inline SecretBstr Bstr(const Secret& secret) {
    const auto* units = reinterpret_cast<const wchar_t*>(secret.c_str());
    return SecretBstr(SysAllocStringLen(units, static_cast<UINT>(secret.size())));
}

// A VARIANT, cleared when the owner goes: empty, a number, or a text it owns.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    explicit Variant(LONG number) : Variant() {
        value_.vt = VT_I4;
        value_.lVal = number;
    }
    explicit Variant(const std::u16string& text) : Variant() {
        value_.bstrVal = Bstr(text).release();
        if (value_.bstrVal != nullptr) value_.vt = VT_BSTR;
    }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    const VARIANT& get() const { return value_; }

private:
    VARIANT value_;
};
