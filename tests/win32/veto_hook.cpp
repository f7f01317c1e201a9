// A CBT hook for the end-to-end tests: vetoes the creation of one window of the job program,
// so that a test can see how the program meets a window it can't build. The driver installs it
// for every thread and starts the program with ADDJOB_VETO set to what to veto:
//   a control id   the control with that id in the job window
//   "window"       the job window itself

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

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK VetoCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && Vetoed(*reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs)) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
