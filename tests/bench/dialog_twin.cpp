// Start-up baseline: the job window built the conventional way, from a DIALOGEX template
// (dialog_twin.rc) through the dialog manager. The same controls, texts, font, size, icon and
// manifest, the red help text, the computer's name and no taskbar button; nothing behind
// "Schedule".

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "win32/ControlIds.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto instance = reinterpret_cast<HINSTANCE>(lParam);
        for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
            const int size = GetSystemMetrics(metric);
            SendMessageW(dialog, WM_SETICON, which,
                         reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0)));
        }
        DWORD length = 0;
        GetComputerNameW(nullptr, &length);
        std::wstring name(length, L'\0');
        if (length != 0 && GetComputerNameW(name.data(), &length)) {
            name.resize(length);
            CharUpperBuffW(name.data(), length);
            SetDlgItemTextW(dialog, IDC_TEXT1, name.c_str());
        }
        SetDlgItemTextW(dialog, IDC_TEXT2, L"17:00");
        SetDlgItemTextW(dialog, IDC_TEXT3, L"M,T,W,TH,F,S,SU");
        SetDlgItemTextW(dialog, IDC_TEXT4, L"Calc.exe");
        CheckRadioButton(dialog, IDC_OPTION1, IDC_OPTION2, IDC_OPTION1);
        return TRUE;  // the focus goes to the first tab stop, Text1
    }
    case WM_CTLCOLORSTATIC: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        const bool help = reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_LABEL6);
        SetTextColor(dc, help ? RGB(192, 64, 0) : GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE:
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    const HWND owner = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    const HWND dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(1), owner, DialogProc,
                                           reinterpret_cast<LPARAM>(instance));
    ShowWindow(dialog, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyWindow(owner);
    return 0;
}
