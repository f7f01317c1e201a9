// Times programs side by side under the same conditions, taking turns, and prints the median
// of each in milliseconds, in the order given; then, for each program after the first, the
// first one's time over its time in the same turn: the median of these ratios, and their lower
// and upper quartile. A wait that both share (Wine's scheduling service answers in steps of
// 50 ms) moves the ratio of the medians, but hardly the median of the ratios.
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

// The value at `fraction` of the sorted values (0.5: the median).
double Quantile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5)];
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
    for (int p = 0; p < programs; ++p) std::printf(p == 0 ? "%.1f" : " %.1f", Quantile(times[p], 0.5));
    std::printf("\n");
    for (int p = 1; p < programs; ++p) {
        std::vector<double> ratios;
        for (int i = 0; i < runs; ++i) ratios.push_back(times[0][i] / times[p][i]);
        std::printf(p == 1 ? "%.2f %.2f %.2f" : " %.2f %.2f %.2f", Quantile(ratios, 0.5), Quantile(ratios, 0.25),
                    Quantile(ratios, 0.75));
    }
    std::printf("\n");
    return 0;
}
