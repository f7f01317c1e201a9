#pragma once
// Texts between the program and the platform's windows.

#include <windows.h>

#include <string>

// The program's texts as the platform takes them: UTF-16 both, as wchar_t on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline const wchar_t* Wide(const std::u16string& text) { return Wide(text.c_str()); }

// A window's whole text, whatever its length: through WM_GETTEXT, which reads another program's
// edit controls too (GetWindowText reads only their titles).
inline std::u16string TextOf(HWND window) {
    std::u16string text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)), u'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}
