// Hooks that the test driver puts into the job program, for what can only be done from inside
// it. Each runs in the program's own thread.
//
// VetoCreation (WH_CBT, for every thread): vetoes the creation of one window of the job
// program, so that a test can see how the program meets a window it can't build. The driver
// starts the program with ADDJOB_VETO set to what to veto:
//   a control id   the control with that id in the job window
//   "window"       the job window itself
//
// The messages and properties named here are those of tests/win32/HookNames.h.
//
// ChangeDpi (WH_GETMESSAGE, for the program's thread): on the registered message
// "AddJobTestChangeDpi" posted to the job window (wParam: the new DPI, lParam: the current
// one), sends the window WM_DPICHANGED as Windows does when a window moves to a monitor of
// another scale: the suggested rectangle is the window's own, scaled by new/current. Under Wine
// the message never comes by itself, and its RECT pointer can't be sent from another process.
// Afterwards the hook sets two properties on the window: "AddJobTestFontHeight", the lfHeight
// of the font every control draws with (1 when they differ), and "AddJobTestDpi", the new DPI.
//
// StartCountingPresses (WH_GETMESSAGE, for the program's thread): on the registered message
// "AddJobTestCountPresses" posted to the job window, installs CountPresses in the program's
// own thread, where it stays when the driver's hook goes. CountPresses counts the presses that
// reach the Schedule button: first key-downs of Enter and Space on it, button-downs on it (a
// double click's second click comes as WM_LBUTTONDBLCLK, so it counts once), and first
// presses of the button's access key anywhere in the window, with Alt or, on a control that
// takes no characters, without. The count is the window property "AddJobTestPresses", less one.
//
// HighContrast (WH_GETMESSAGE, for the program's thread): on the registered message
// "AddJobTestHighContrast" posted to the job window, makes SystemParametersInfoW answer
// SPI_GETHIGHCONTRAST with HCF_HIGHCONTRASTON for the program (through its import table), and
// sends the window WM_SETTINGCHANGE as Windows does when the user switches high contrast on.
// Wine refuses SPI_SETHIGHCONTRAST, so this is the only way to switch it there. Afterwards the
// hook sets the window property "AddJobTestHighContrast".

#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <string>

#include "tests/win32/HookNames.h"
#include "win32/ControlIds.h"
#include "win32/WindowNames.h"

namespace {

bool IsRootClass(LPCWSTR name) { return !IS_INTRESOURCE(name) && lstrcmpW(name, RootClassName) == 0; }

bool IsRoot(HWND window) {
    wchar_t name[64] = {};
    return window != nullptr && GetClassNameW(window, name, 64) > 0 && IsRootClass(name);
}

bool Vetoed(const CREATESTRUCTW& create) {
    std::wstring veto(64, L'\0');
    veto.resize(GetEnvironmentVariableW(L"ADDJOB_VETO", veto.data(), static_cast<DWORD>(veto.size())));
    if (veto == L"window") return IsRootClass(create.lpszClass);
    if (veto.empty() || !(create.style & WS_CHILD) || !IsRoot(create.hwndParent)) return false;
    return reinterpret_cast<UINT_PTR>(create.hMenu) == std::wcstoul(veto.c_str(), nullptr, 10);
}

BOOL CALLBACK NoteFontHeight(HWND control, LPARAM param) {
    auto& height = *reinterpret_cast<LONG*>(param);
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const LONG own = handle && GetObjectW(handle, sizeof font, &font) ? font.lfHeight : 1;
    height = height == 0 || height == own ? own : 1;
    return TRUE;
}

void ChangeDpiOf(HWND root, int to, int from) {
    RECT frame{};
    GetWindowRect(root, &frame);
    const RECT suggested{frame.left, frame.top, frame.left + MulDiv(frame.right - frame.left, to, from),
                         frame.top + MulDiv(frame.bottom - frame.top, to, from)};
    SendMessageW(root, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    LONG height = 0;
    EnumChildWindows(root, NoteFontHeight, reinterpret_cast<LPARAM>(&height));
    SetPropW(root, FontHeightProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(height)));
    SetPropW(root, DpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(to)));
}

bool IsScheduleButton(HWND window) { return GetDlgCtrlID(window) == IDC_COMMAND1 && IsRoot(GetParent(window)); }

// Whether KEY (a virtual key or a character) is the letter after the "&" in the button's text.
bool IsAccessKey(HWND window, WPARAM key) {
    const HWND root = GetAncestor(window, GA_ROOT);
    wchar_t text[64] = {};
    if (!IsRoot(root) || !GetDlgItemTextW(root, IDC_COMMAND1, text, 64)) return false;
    const wchar_t* letter = wcschr(text, L'&');
    return letter != nullptr && towupper(letter[1]) == towupper(static_cast<wint_t>(key));
}

bool IsPress(const MSG& message) {
    if (message.lParam & (LPARAM{1} << 30)) return false;  // a held key's repeat
    switch (message.message) {
    case WM_KEYDOWN:
        return (message.wParam == VK_RETURN || message.wParam == VK_SPACE) && IsScheduleButton(message.hwnd);
    case WM_LBUTTONDOWN:
        return IsScheduleButton(message.hwnd);
    case WM_SYSKEYDOWN:
        return IsAccessKey(message.hwnd, message.wParam);
    case WM_CHAR: {
        // The dialog manager takes a letter typed on a control that takes no characters (a
        // button, an option, the check box) as an access key, Alt or not.
        auto copy = message;
        const auto code = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&copy));
        return !(code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) && IsAccessKey(message.hwnd, message.wParam);
    }
    default:
        return false;
    }
}

// Keeps this DLL loaded after the driver's hook goes: what it installed in the program stays.
HMODULE Pinned() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&Pinned), &self);
    return self;
}

using SystemParametersInfoProc = decltype(&SystemParametersInfoW);
SystemParametersInfoProc systemParametersInfo = nullptr;

BOOL WINAPI HighContrastOn(UINT action, UINT size, void* value, UINT flags) {
    if (action != SPI_GETHIGHCONTRAST) return systemParametersInfo(action, size, value, flags);
    static_cast<HIGHCONTRASTW*>(value)->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
    return TRUE;
}

// Points the program's import of user32's SystemParametersInfoW at HighContrastOn.
bool AnswerHighContrast() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name; ++dll) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + dll->Name), "user32.dll") != 0) continue;
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; name->u1.AddressOfData != 0; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), "SystemParametersInfoW") != 0) continue;
            DWORD protection = 0;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
            systemParametersInfo = reinterpret_cast<SystemParametersInfoProc>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(&HighContrastOn);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK HighContrast(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    static const UINT request = RegisterWindowMessageW(HighContrastRequest);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == request && IsRoot(message->hwnd)) {
        if (Pinned() && AnswerHighContrast()) {
            SendMessageW(message->hwnd, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
            SetPropW(message->hwnd, HighContrastProperty, reinterpret_cast<HANDLE>(1));
        }
        message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK CountPresses(int code, WPARAM wParam, LPARAM lParam) {
    const auto& message = *reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && IsPress(message)) {
        const HWND root = GetAncestor(message.hwnd, GA_ROOT);
        const auto count = reinterpret_cast<INT_PTR>(GetPropW(root, PressesProperty));
        SetPropW(root, PressesProperty, reinterpret_cast<HANDLE>(count + 1));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK StartCountingPresses(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    static const UINT request = RegisterWindowMessageW(CountPressesRequest);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == request && IsRoot(message->hwnd)) {
        if (SetWindowsHookExW(WH_GETMESSAGE, CountPresses, Pinned(), GetCurrentThreadId()))
            SetPropW(message->hwnd, PressesProperty, reinterpret_cast<HANDLE>(1));
        message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK VetoCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && Vetoed(*reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs)) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK ChangeDpi(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    static const UINT request = RegisterWindowMessageW(ChangeDpiRequest);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == request && IsRoot(message->hwnd)) {
        ChangeDpiOf(message->hwnd, static_cast<int>(message->wParam), static_cast<int>(message->lParam));
        message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
