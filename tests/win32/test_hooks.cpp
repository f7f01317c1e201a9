// Hooks that the test driver puts into the job program, for what can only be done from inside
// it. Each runs in the program's own thread.
//
// VetoCreation (WH_CBT, for every thread): vetoes the creation of one window of the job
// program, so that a test can see how the program meets a window it can't build. The driver
// starts the program with ADDJOB_VETO set to what to veto:
//   a control id   the control with that id in the job window
//   "window"       the job window itself
//
// ChangeDpi (WH_GETMESSAGE, for the program's thread): on the registered message
// "AddJobTestChangeDpi" posted to the job window (wParam: the new DPI, lParam: the current
// one), sends the window WM_DPICHANGED as Windows does when a window moves to a monitor of
// another scale: the suggested rectangle is the window's own, scaled by new/current. Under Wine
// the message never comes by itself, and its RECT pointer can't be sent from another process.
// Afterwards the hook sets two properties on the window: "AddJobTestFontHeight", the lfHeight
// of the font every control draws with (1 when they differ), and "AddJobTestDpi", the new DPI.

#include <windows.h>

#include <string>

namespace {

constexpr wchar_t RootClass[] = L"TessaroAddJobRoot";

bool IsRootClass(LPCWSTR name) { return !IS_INTRESOURCE(name) && lstrcmpW(name, RootClass) == 0; }

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
    SetPropW(root, L"AddJobTestFontHeight", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(height)));
    SetPropW(root, L"AddJobTestDpi", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(to)));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK VetoCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && Vetoed(*reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs)) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK ChangeDpi(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    static const UINT request = RegisterWindowMessageW(L"AddJobTestChangeDpi");
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == request && IsRoot(message->hwnd)) {
        ChangeDpiOf(message->hwnd, static_cast<int>(message->wParam), static_cast<int>(message->lParam));
        message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
