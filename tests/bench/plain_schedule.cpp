// Baseline for the Schedule time: a window with one button that adds the default job with
// NetScheduleJobAdd and confirms it in a message box, and nothing else.

#include <windows.h>
#include <lm.h>
#include <lmat.h>

#include "core/Digits.h"
#include "core/Messages.h"
#include "core/Texts.h"
#include "win32/ControlIds.h"  // the button has the id of the job window's
#include "win32/WindowText.h"

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_COMMAND1) {
        wchar_t command[] = L"Calc.exe";
        AT_INFO job{61200000, 0, 0x7F, JOB_NONINTERACTIVE, command};
        DWORD jobId = 0;
        if (NetScheduleJobAdd(nullptr, reinterpret_cast<LPBYTE>(&job), &jobId) == 0) {
            const std::u16string text = Fill(Texts::JobAdded, {Digits(jobId, 10)});
            MessageBoxW(window, Wide(text), Wide(Texts::MessageTitle), MB_OK | MB_ICONINFORMATION);
        }
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"BaselineSchedule";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowW(L"BaselineSchedule", L"Baseline schedule", WS_OVERLAPPEDWINDOW, 500,
                                      0, 300, 200, nullptr, nullptr, instance, nullptr);
    CreateWindowW(L"Button", L"Schedule", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 100, 30, window,
                  reinterpret_cast<HMENU>(IDC_COMMAND1), instance, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
