// Tessaro - Job hinzufügen: adds one job to the job queue of a computer's scheduling service.

#include <windows.h>

#include <commctrl.h>

#include "win32/Root.h"

namespace {

// DLLs the program or the system loads later come from the system folder only, never from the
// program's own folder or the current one. Windows 7 with KB2533623 and later have this; on
// older systems at least the current folder is taken out of the search from the start.
void LoadDllsFromTheSystemFolderOnly() {
    using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<SetDefaultDllDirectoriesProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set == nullptr || !set(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    LoadDllsFromTheSystemFolderOnly();
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);  // the themed controls of the manifest's Common Controls 6
    Root root(instance);
    if (!root.Show(showCommand)) return 2;  // Show has told the user what failed
    return root.MessageLoop();
}

// The 64-bit program starts here, not in the C runtime's start-up, which would split a command line
// and an environment the program never reads, run static constructors and atexit functions it has
// none of, and set up thread-local storage it doesn't use: a seventh of the file. The C runtime
// (msvcrt.dll) sets itself up as it loads. The window opens as the program's starter asked, and
// the process ends with WinMain's exit code, as it would through the start-up. (The 32-bit program
// keeps the start-up: there ld 2.40 crashes on a program without it.)
extern "C" [[noreturn]] void Start() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const int showCommand = startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : SW_SHOWDEFAULT;
    ExitProcess(static_cast<UINT>(wWinMain(GetModuleHandleW(nullptr), nullptr, const_cast<PWSTR>(L""), showCommand)));
}
