// Times programs side by side under the same conditions, taking turns, and prints the median
// of each in milliseconds, in the order given.
//
//   stopwatch start N PROGRAM.EXE...   process start to its window shown and idle
//   stopwatch click N WINDOW_TITLE...  click on the button with the id of "Schedule" to the
//                                      message box shown, in running programs with those captions

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "win32/ControlIds.h"

namespace {

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD pid;
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const bool match = search->owner ? GetWindow(window, GW_OWNER) == search->owner : pid == search->pid;
    if (match && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitShown(DWORD pid, HWND owner) {
    for (int i = 0; i < 20000; ++i) {
        Search search{pid, owner, nullptr};
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(1);
    }
    return nullptr;
}

double StartToWindow(const wchar_t* program) {
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    // Idle in its message loop for the first time: set up, shown and painted. Polling for the
    // window instead would compete with the starting program for the Wine server.
    WaitForInputIdle(process.hProcess, 20000);
    const HWND window = WaitShown(process.dwProcessId, nullptr);
    const double shown = Now();
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window ? shown - start : -1;
}

BOOL CALLBACK CloseBoxButton(HWND child, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    if (std::wstring(name) == L"Button") {
        PostMessageW(child, BM_CLICK, 0, 0);
        return FALSE;
    }
    return TRUE;
}

double ClickToBox(HWND window, int buttonId) {
    const double start = Now();
    PostMessageW(GetDlgItem(window, buttonId), BM_CLICK, 0, 0);
    const HWND box = WaitShown(0, window);
    const double shown = Now();
    if (!box) return -1;
    EnumChildWindows(box, CloseBoxButton, 0);
    while (IsWindow(box)) Sleep(1);
    return shown - start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    const int runs = argc > 2 ? _wtoi(argv[2]) : 0;
    const int programs = argc - 3;
    std::vector<std::vector<double>> times(programs > 0 ? programs : 0);
    if (mode == L"start" && programs > 0) {
        for (int i = 0; i < runs; ++i)
            for (int p = 0; p < programs; ++p) times[p].push_back(StartToWindow(argv[3 + p]));
    } else if (mode == L"click" && programs > 0) {
        std::vector<HWND> windows;
        for (int p = 0; p < programs; ++p) {
            windows.push_back(FindWindowW(nullptr, argv[3 + p]));
            if (!windows.back()) return 3;
        }
        for (int i = 0; i < runs; ++i)
            for (int p = 0; p < programs; ++p) times[p].push_back(ClickToBox(windows[p], IDC_COMMAND1));
    } else {
        std::printf("usage: stopwatch start N PROGRAM.EXE... | click N WINDOW_TITLE...\n");
        return 2;
    }
    for (int p = 0; p < programs; ++p) std::printf(p == 0 ? "%.1f" : " %.1f", Median(times[p]));
    std::printf("\n");
    return 0;
}
