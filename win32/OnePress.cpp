#include "win32/OnePress.h"

#include <cwctype>
#include <utility>

namespace {

bool IsAlt(WPARAM key) { return key == VK_MENU || key == VK_LMENU || key == VK_RMENU; }

LRESULT CALLBACK DropRepeatedPresses(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0 || !IsRepeatedPress(*reinterpret_cast<const MSG*>(lParam)))
        return CallNextHookEx(nullptr, code, wParam, lParam);
    Drop(*reinterpret_cast<const MSG*>(lParam));
    return TRUE;
}

}  // namespace

void Drop(const MSG& message) {
    if (message.message == WM_SYSKEYDOWN && message.hwnd != nullptr && !IsAlt(message.wParam))
        DefWindowProcW(message.hwnd, WM_SYSKEYDOWN, VK_NONAME, message.lParam);
}

bool IsSchedulePress(int id, int code, HWND focus, HWND button) {
    return (GetDlgCtrlID(button) == id && code == BN_CLICKED) || (id == IDOK && focus == button);
}

bool IsRepeatedPress(const MSG& message) {
    const bool repeated = (message.lParam & (LPARAM{1} << 30)) != 0;
    switch (message.message) {
    case WM_KEYDOWN:
        return repeated && message.wParam == VK_RETURN;
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
        return repeated;
    default:
        return false;
    }
}

HHOOK FilterRepeatedPresses() {
    return SetWindowsHookExW(WH_MSGFILTER, DropRepeatedPresses, nullptr, GetCurrentThreadId());
}

void DropInputMadeDuringTheCall() {
    MSG message;
    for (const auto& [first, last] : {std::pair{WM_KEYFIRST, WM_KEYLAST}, {WM_MOUSEFIRST, WM_MOUSELAST},
                                     {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}})
        while (PeekMessageW(&message, nullptr, first, last, PM_REMOVE)) Drop(message);
}

bool ClosedBoxEcho::IsEcho(const MSG& message, HWND button, wchar_t accessKey) const {
    if (!closed_) return false;
    const bool onButton = message.hwnd == button;
    const bool isAccessKey = std::towupper(static_cast<wint_t>(message.wParam)) == std::towupper(accessKey);
    bool presses = false;
    switch (message.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        presses = onButton;
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        presses = onButton && (message.wParam == VK_RETURN || message.wParam == VK_SPACE);
        break;
    case WM_CHAR:
        presses = onButton && isAccessKey;
        break;
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
        presses = isAccessKey;
        break;
    }
    return presses && static_cast<LONG>(message.time - closedAt_) < static_cast<LONG>(GetDoubleClickTime());
}
