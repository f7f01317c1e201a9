// Hooks that the test driver puts into the job program, for what can only be done from inside
// it; HookNames.h names what they say to the driver. Hook (WH_GETMESSAGE, the program's thread)
// serves the driver's requests:
//   ChangeDpi (to, from)  sends WM_DPICHANGED as Windows does when the window moves to a monitor
//                         of another scale (under Wine it never comes by itself); answers the
//                         lfHeight of the font every control draws with (1 when they differ)
//   HighContrast          points the program's import of SystemParametersInfoW at a stand-in
//                         that reports high contrast on, and sends WM_SETTINGCHANGE as Windows
//                         does on a switch (Wine refuses SPI_SETHIGHCONTRAST); answers 1
//   CountPresses          installs Count in the program's thread for good; answers 1
//   WatchMarker           installs Marker in the program's thread for good; answers 1
// Count (WH_CALLWNDPROC) counts each activation of Schedule, by the window's own rule
// (win32/OnePress.h), each message box of the window that is shown, and of those each about an
// entry: the boxes with the warning icon, which the program shows for an entry and for nothing
// else. Input the program drops on purpose never becomes an activation. Sent CursorQuery, it
// notes whether the window's thread shows the wait cursor. Count and Marker also
// note each activation, box and system command (the system menu's, the close box's) in the file
// that ADDJOB_EVENTS names: the program's own account of what it handled, for a failure to show.
// VetoCreation (WH_CBT, every thread) vetoes the creation of the control whose id ADDJOB_VETO
// gives, or of the job window itself for "window".

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "tests/win32/HookNames.h"
#include "tests/win32/StandIn.h"
#include "win32/ControlIds.h"
#include "win32/OnePress.h"
#include "win32/WindowNames.h"

namespace {

bool IsClass(HWND window, const wchar_t* name) {
    wchar_t found[64] = {};
    return window != nullptr && GetClassNameW(window, found, 64) > 0 && lstrcmpW(found, name) == 0;
}
bool IsRoot(HWND window) { return IsClass(window, RootClassName); }

BOOL CALLBACK FindIcon(HWND control, LPARAM param) {
    auto& icon = *reinterpret_cast<HICON*>(param);
    const bool found = IsClass(control, L"Static") && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                       reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0)) == icon;
    if (found) icon = nullptr;
    return !found;
}

// Whether a message box shows `icon` (the system's shared one, as MessageBox loads it).
bool ShowsIcon(HWND box, HICON icon) {
    EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&icon));
    return icon == nullptr;
}

HANDLE Value(INT_PTR n) { return reinterpret_cast<HANDLE>(n); }
void Add(HWND root, const wchar_t* property) {
    SetPropW(root, property, Value(reinterpret_cast<INT_PTR>(GetPropW(root, property)) + 1));
}

// Keeps this DLL loaded after the driver's hook goes: what it installed in the program stays.
HMODULE Pinned() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&Pinned), &self);
    return self;
}

BOOL CALLBACK NoteFontHeight(HWND control, LPARAM param) {
    auto& height = *reinterpret_cast<LONG*>(param);
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const LONG own = handle && GetObjectW(handle, sizeof font, &font) ? font.lfHeight : 1;
    height = height == 0 || height == own ? own : 1;
    return TRUE;
}

LONG ChangeDpiOf(HWND root, int to, int from) {
    RECT frame{};
    GetWindowRect(root, &frame);
    const RECT suggested{frame.left, frame.top, frame.left + MulDiv(frame.right - frame.left, to, from),
                         frame.top + MulDiv(frame.bottom - frame.top, to, from)};
    SendMessageW(root, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    LONG height = 0;
    EnumChildWindows(root, NoteFontHeight, reinterpret_cast<LPARAM>(&height));
    return height;
}

decltype(&SystemParametersInfoW) systemParametersInfo = nullptr;

BOOL WINAPI HighContrastOn(UINT action, UINT size, void* value, UINT flags) {
    if (action != SPI_GETHIGHCONTRAST) return systemParametersInfo(action, size, value, flags);
    static_cast<HIGHCONTRASTW*>(value)->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
    return TRUE;
}

// Points the program's import of user32's SystemParametersInfoW at HighContrastOn.
bool AnswerHighContrast() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
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
            systemParametersInfo = reinterpret_cast<decltype(systemParametersInfo)>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(&HighContrastOn);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
            return true;
        }
    }
    return false;
}

// Appends a line, the time and `what`, to the file that ADDJOB_EVENTS names.
void Note(const std::wstring& what) {
    const std::wstring line = std::to_wstring(GetTickCount()) + L" ms: " + what + L"\n";
    std::string bytes(line.size() * 3, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), bytes.data(), int(bytes.size()),
                                     nullptr, nullptr));
    Append(L"ADDJOB_EVENTS", bytes);
}

void NoteSystemCommand(HWND window, UINT message, WPARAM wParam) {
    if (message == WM_SYSCOMMAND && IsRoot(window)) {
        wchar_t hex[16];
        std::swprintf(hex, 16, L"%04X", unsigned(wParam));
        Note(L"system command 0x" + std::wstring(hex));
    }
}

// The first line of a box's text, or what it is where it has none (Wine's About box).
std::wstring FirstLine(HWND box) {
    std::vector<wchar_t> text(GetWindowTextLengthW(GetDlgItem(box, 0xFFFF)) + 1);
    GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()));
    const std::wstring line(text.data(), std::wcscspn(text.data(), L"\n"));
    return line.empty() ? L"a dialog without a message" : L"\"" + line + L"\"";
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK Count(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent.message == WM_COMMAND && IsRoot(sent.hwnd) &&
        IsSchedulePress(LOWORD(sent.wParam), HIWORD(sent.wParam), GetFocus(), GetDlgItem(sent.hwnd, IDC_COMMAND1))) {
        Add(sent.hwnd, PressesProperty);
        Note(L"Schedule activated");
    }
    if (code == HC_ACTION) NoteSystemCommand(sent.hwnd, sent.message, sent.wParam);
    static const UINT cursorQuery = RegisterWindowMessageW(CursorQuery);
    if (code == HC_ACTION && sent.message == cursorQuery && IsRoot(sent.hwnd))
        SetPropW(sent.hwnd, WaitCursorProperty, Value(GetCursor() == LoadCursorW(nullptr, IDC_WAIT)));
    if (code == HC_ACTION && sent.message == WM_SHOWWINDOW && sent.wParam && IsClass(sent.hwnd, L"#32770")) {
        const HWND owner = GetWindow(sent.hwnd, GW_OWNER);
        if (IsRoot(owner)) Add(owner, BoxesProperty), Note(L"box shown: " + FirstLine(sent.hwnd));
        if (IsRoot(owner) && ShowsIcon(sent.hwnd, LoadIconW(nullptr, IDI_WARNING))) Add(owner, WarningsProperty);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND markedRoot = nullptr;

// Counts each marker key the window's thread takes from its queue, in whichever loop: its own, a
// message box's, a menu's, or the drop of input made during a service call. Once the marker is
// taken, every key and click the X server had before it has been taken too, and handled. Counts
// the driver's probes the window's thread takes, in order. Notes the system commands posted to
// the window (a menu's choice).
extern "C" __declspec(dllexport) LRESULT CALLBACK Marker(int code, WPARAM wParam, LPARAM lParam) {
    const auto& message = *reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message.message == WM_KEYDOWN && message.wParam == MarkerKey)
        Add(markedRoot, MarkersProperty);
    static const UINT probe = RegisterWindowMessageW(ProbeMessage);
    if (code == HC_ACTION && wParam == PM_REMOVE && message.message == probe && IsRoot(message.hwnd)) {
        const auto taken = reinterpret_cast<INT_PTR>(GetPropW(message.hwnd, ProbesProperty));
        SetPropW(message.hwnd, ProbesProperty, Value(taken >= 0 && WPARAM(taken) + 1 == message.wParam ? taken + 1 : -1));
    }
    if (code == HC_ACTION && wParam == PM_REMOVE) NoteSystemCommand(message.hwnd, message.message, message.wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    auto& message = *reinterpret_cast<MSG*>(lParam);
    static const UINT request = RegisterWindowMessageW(HookRequest);
    if (code == HC_ACTION && wParam == PM_REMOVE && message.message == request && IsRoot(message.hwnd)) {
        const HWND root = message.hwnd;
        const int first = LOWORD(message.lParam), second = HIWORD(message.lParam);
        INT_PTR answer = 0;
        switch (message.wParam) {
        case ChangeDpi:
            answer = ChangeDpiOf(root, first, second);
            break;
        case HighContrast:
            answer = Pinned() && AnswerHighContrast();
            if (answer) SendMessageW(root, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
            break;
        case CountPresses:
            answer = SetWindowsHookExW(WH_CALLWNDPROC, Count, Pinned(), GetCurrentThreadId()) != nullptr;
            break;
        case WatchMarker:
            markedRoot = root;
            answer = SetWindowsHookExW(WH_GETMESSAGE, Marker, Pinned(), GetCurrentThreadId()) != nullptr;
            break;
        }
        SetPropW(root, AnswerProperty, Value(answer));
        SetPropW(root, DoneProperty, Value(1));
        message.message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK VetoCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW& create = *reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs;
        const std::wstring veto = Environment(L"ADDJOB_VETO");
        const bool isRoot = !IS_INTRESOURCE(create.lpszClass) && lstrcmpW(create.lpszClass, RootClassName) == 0;
        const bool isControl = !veto.empty() && (create.style & WS_CHILD) && IsRoot(create.hwndParent) &&
                               reinterpret_cast<UINT_PTR>(create.hMenu) == std::wcstoul(veto.c_str(), nullptr, 10);
        if ((veto == L"window" && isRoot) || isControl) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
