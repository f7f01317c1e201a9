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
