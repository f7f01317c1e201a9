#include "win32/Root.h"

#include <utility>

#include "core/Digits.h"
#include "core/HelpTextColour.h"
#include "core/Messages.h"
#include "core/ScheduleCommand.h"
#include "win32/SystemSettings.h"
#include "win32/Win32Platform.h"
#include "win32/WindowFont.h"
#include "win32/WindowLayout.h"
#include "win32/WindowNames.h"
#include "win32/WindowText.h"

namespace {

constexpr int IconResource = 1;
static_assert(HelpTextRedBrown == RGB(192, 64, 0));

constexpr const Control& ScheduleButton = ControlWithId(IDC_COMMAND1);

// Calls place(control, box) for each control in tab order, its box measured in `font` at `dpi`;
// stops at the first that returns false, and returns false then. Creation and every change of
// DPI place the controls through it, so that both measure alike.
template <typename Place>
bool ForEachPlacement(HWND window, HFONT font, int dpi, Place place) {
    const WindowDC screen(window);
    const SelectedObject measuring(screen.get(), font);
    for (const Control& control : Controls)
        if (!place(control, Placement(control, dpi, screen.get()))) return false;
    return true;
}

}  // namespace

Root::~Root() {
    if (window_ != nullptr) DestroyWindow(window_);
}

bool Root::Show(int showCommand) {
    if (!Create()) {
        MessageBoxW(nullptr, Wide(failure_), RootCaption(), MB_OK | MB_ICONERROR);
        return false;
    }
    // Access keys are underlined as the system's keyboard-cue setting says (always, or from the
    // first Alt on), as in a dialog.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(Item(IDC_TEXT1));
    return true;
}

bool Root::Create() {
    const int bigSize = GetSystemMetrics(SM_CXICON), smallSize = GetSystemMetrics(SM_CXSMICON);
    bigIcon_.reset(static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(IconResource), IMAGE_ICON, bigSize, bigSize, 0)));
    smallIcon_.reset(static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(IconResource), IMAGE_ICON, smallSize, smallSize, 0)));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = bigIcon_.get();
    windowClass.hIconSm = smallIcon_.get();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = RootClassName;
    // Each step clears the last error first: a creation that a hook refuses sets none, and
    // NotMade() must not report one left over from earlier.
    SetLastError(ERROR_SUCCESS);
    if (!RegisterClassExW(&windowClass)) return NotMade(Texts::TheWindowClass);

    SetLastError(ERROR_SUCCESS);
    repeatFilter_.reset(FilterRepeatedPresses());
    if (!repeatFilter_) return NotMade(Texts::TheKeyFilter);

    SetLastError(ERROR_SUCCESS);
    owner_.reset(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, nullptr));
    if (!owner_) return NotMade(Texts::TheHiddenOwner);

    // Fixed dialog frame: caption, system menu and close box; no sizing, no minimise or maximise.
    // The size is a first guess at the system's DPI; OnCreate lays the window out for its own.
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    dpi_ = DpiOf(nullptr);
    RECT frame{0, 0, Pixels(ClientWidth, dpi_), Pixels(ClientHeight, dpi_)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    SetLastError(ERROR_SUCCESS);
    if (!CreateWindowExW(0, RootClassName, RootCaption(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                         frame.right - frame.left, frame.bottom - frame.top, owner_.get(), nullptr, instance_, this))
        return failure_.empty() ? NotMade(Texts::TheWindow) : false;  // OnCreate names what failed
    FitClient();
    return true;
}

int Root::MessageLoop() {
    MSG message{};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (IsRepeatedPress(message) || echo_.IsEcho(message, Item(IDC_COMMAND1), ScheduleButton.key)) {
            Drop(message);
            continue;
        }
        // The dialog manager's keys: Tab, Shift+Tab, arrows in the option pair, Space on buttons.
        if (window_ != nullptr && IsDialogMessageW(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 1;  // -1: the loop itself failed
}

bool Root::NotMade(const std::u16string& what) {
    const DWORD error = GetLastError();
    failure_ = error == ERROR_SUCCESS ? Fill(Texts::NotBuilt, {what})
                                      : Fill(Texts::NotBuiltWithError, {what, Digits(error, 10)});
    return false;
}

LRESULT CALLBACK Root::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Root*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Root*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->OnMessage(window, message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Root::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // A window that can't be built whole is not shown at all: -1 destroys it.
        if (!OnCreate()) return -1;
        created_ = true;
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NEXTDLGCTL:
        OnNextDlgCtl(wParam, LOWORD(lParam) != 0);
        return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        OnSystemColours();
        return 0;
    case WM_CLOSE:
        return OnClose() ? DefWindowProcW(window, message, wParam, lParam) : 0;
    case WM_QUERYENDSESSION:
        return !scheduling_;  // not while a Schedule runs, whose outcome the user has yet to see
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_NCDESTROY:
        // The window's last message: nothing may reach this object through it afterwards.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool Root::OnCreate() {
    dpi_ = DpiOf(window_);
    SetLastError(ERROR_SUCCESS);
    font_ = WindowFont(dpi_);
    if (!font_) return NotMade(Texts::TheFont);
    here_ = ThisComputer();
    const std::u16string& computerName = here_.netBios;
    // Each control is made in its place rather than made and then moved: that saves the start
    // fourteen moves and repaints.
    const bool made = ForEachPlacement(window_, font_.get(), dpi_, [&](const Control& control, const RECT& box) {
        const auto [className, style, exStyle] = StyleOf(control.kind);
        SetLastError(ERROR_SUCCESS);
        const HWND created = CreateWindowExW(
            exStyle, className, Wide(ShownText(control, computerName)),
            WS_CHILD | WS_VISIBLE | (StartsGroup(control) ? WS_GROUP : 0) | style, box.left, box.top,
            box.right - box.left, box.bottom - box.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance_, nullptr);
        if (created == nullptr) return NotMade(Fill(Texts::TheControl, {control.name}));
        SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if (control.kind == Kind::Text) SendMessageW(created, EM_LIMITTEXT, 0, 0);  // no length limit
        return true;
    });
    if (!made) return false;

    CheckRadioButton(window_, IDC_OPTION1, IDC_OPTION2, IDC_OPTION1);

    // Leave the system menu with what the frame allows: Move and Close.
    const HMENU systemMenu = GetSystemMenu(window_, FALSE);
    for (const UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
        DeleteMenu(systemMenu, command, MF_BYCOMMAND);
    return true;
}

void Root::Layout(int dpi, UniqueFont font) {
    dpi_ = dpi;
    ForEachPlacement(window_, font.get(), dpi, [&](const Control& control, const RECT& box) {
        const HWND item = Item(control.id);
        SetWindowPos(item, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        return true;
    });
    font_ = std::move(font);  // the old font goes now that no control draws with it
}

void Root::OnDpiChanged(int dpi, const RECT& suggested) {
    // Without a font for the new DPI the window stays whole at the old one, frame included.
    UniqueFont font = WindowFont(dpi);
    if (!font) return;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Layout(dpi, std::move(font));
    FitClient();
}

void Root::FitClient() {
    RECT frame{}, client{};
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    const int dx = Pixels(ClientWidth, dpi_) - client.right, dy = Pixels(ClientHeight, dpi_) - client.bottom;
    if (dx != 0 || dy != 0)
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Root::Item(int id) const { return GetDlgItem(window_, id); }

void Root::OnCommand(int id, int code) {
    if (IsSchedulePress(id, code, GetFocus(), Item(IDC_COMMAND1))) Schedule();
}

void Root::OnActivate(bool active) {
    // Keep the focus where the user left it when the window goes to the background and back.
    if (!active) {
        const HWND focus = GetFocus();
        focusWhileInactive_ = IsChild(window_, focus) ? focus : nullptr;
    } else {
        SetFocus(focusWhileInactive_ != nullptr ? focusWhileInactive_ : Item(IDC_TEXT1));
    }
}

LRESULT Root::OnCtlColorStatic(HDC dc, HWND control) {
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    SetTextColor(dc, control == Item(IDC_LABEL6) ? HelpTextColour(HighContrast(), text) : text);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// What a dialog does with the focus: the dialog keys ask for it with WM_NEXTDLGCTL, a caption's
// access key twice (the caption itself, then the next stop after it: its entry).
void Root::OnNextDlgCtl(WPARAM target, bool isWindow) {
    const HWND next = isWindow ? reinterpret_cast<HWND>(target) : GetNextDlgTabItem(window_, GetFocus(), target != 0);
    if (next == nullptr || !IsChild(window_, next)) return;  // another program's window is none of ours
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    SetFocus(next);
}

// High contrast switched on or off, or the system's colours changed: draw with the new ones.
void Root::OnSystemColours() { RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN); }

// Closed while a Schedule runs (a call, the credential dialog, a box): the window closes once the
// user has seen how the Schedule ended, rather than take its last box down with it.
bool Root::OnClose() {
    if (scheduling_) closeWhenDone_ = true;
    return !scheduling_;
}

void Root::OnDestroy() {
    window_ = nullptr;
    // A window destroyed by a failed creation leaves the quit to the program, which still has
    // to say what failed.
    if (created_) PostQuitMessage(0);
}

WindowFields Root::ReadFields() const {
    WindowFields fields;
    for (const Control& control : Controls) {
        if (control.entry != nullptr) fields.*control.entry = TextOf(Item(control.id));
        if (control.checked != nullptr) fields.*control.checked = IsDlgButtonChecked(window_, control.id) == BST_CHECKED;
    }
    return fields;
}

void Root::Schedule() {
    scheduling_ = true;
    Win32Platform platform(window_, here_);
    const Outcome outcome = Command1_Click(ReadFields(), platform);
    if (outcome.message) ShowMessage(window_, *outcome.message);
    echo_.BoxClosed();  // its last box has just closed
    scheduling_ = false;
    if (std::exchange(closeWhenDone_, false)) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return;
    }
    const Control* field = ControlFor(outcome.field);
    if (field == nullptr) return;
    const HWND entry = Item(field->id);
    // The window may be activated again only after this, when the closed message box hands
    // the activation back; that restores the focus from focusWhileInactive_.
    focusWhileInactive_ = entry;
    SetFocus(entry);
    SendMessageW(entry, EM_SETSEL, 0, -1);
}
