// Times two programs side by side under the same conditions, alternating between them, and
// prints the median of each in milliseconds.
//
//   stopwatch start N A.EXE B.EXE            process start to its window shown and idle
//   stopwatch click N TITLE_A TITLE_B ID     click on button ID to the message box shown,
//                                            in two running programs with those captions

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

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
    std::vector<double> a, b;
    if (mode == L"start" && argc == 5) {
        for (int i = 0; i < runs; ++i) {
            a.push_back(StartToWindow(argv[3]));
            b.push_back(StartToWindow(argv[4]));
        }
    } else if (mode == L"click" && argc == 6) {
        const HWND first = FindWindowW(nullptr, argv[3]), second = FindWindowW(nullptr, argv[4]);
        if (!first || !second) return 3;
        for (int i = 0; i < runs; ++i) {
            a.push_back(ClickToBox(first, _wtoi(argv[5])));
            b.push_back(ClickToBox(second, _wtoi(argv[5])));
        }
    } else {
        std::printf("usage: stopwatch start N A.EXE B.EXE | click N TITLE_A TITLE_B ID\n");
        return 2;
    }
    std::printf("%.1f %.1f\n", Median(a), Median(b));
    return 0;
}
