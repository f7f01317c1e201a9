#include "win32/Root.h"

#include <cwctype>
#include <string>

#include "core/HelpTextColour.h"
#include "core/ScheduleCommand.h"
#include "win32/ControlIds.h"
#include "win32/Win32Platform.h"
#include "win32/WindowNames.h"

namespace {

constexpr int ClientWidth = 6420;  // twips, like every size here
constexpr int ClientHeight = 4395;
constexpr int FontPoints = 9;
constexpr int IconResource = 1;
static_assert(HelpTextRedBrown == RGB(192, 64, 0));

constexpr wchar_t Credit[] =
    L"Win32 API, NetScheduleJobAdd(). Ein kleines Werkzeug des Tessaro-Teams, das Jobs in die "
    L"Aufgabenplanung eines Computers im Netz stellt.";
constexpr wchar_t Help[] =
    L"You can enter in the days that you want it to execute on: M,T,SU or the dates i.e. 13,17,28 of each month.";

enum class Kind {
    Caption,  // right-aligned on one line, fitted to its text leftwards from its right edge
    Note,     // left-aligned, wrapped inside its box
    Text,
    Check,
    Option,
    Button,
};

struct Control {
    int id;  // IDC_..., the control's name in ControlIds.h
    const wchar_t* name;
    Kind kind;
    const wchar_t* text;  // nullptr: the local computer's name
    int left, top, width, height;
};

// The window's controls in tab order: creation order is focus order. The letter after "&" is
// the control's access key (Alt+letter): a caption's moves the focus to the entry after it.
constexpr Control Controls[Root::ControlCount] = {
    {IDC_LABEL1, L"Label1", Kind::Caption, L"&Computer Name:", 1155, 330, 1395, 210},
    {IDC_TEXT1, L"Text1", Kind::Text, nullptr, 2655, 285, 1215, 315},
    {IDC_LABEL2, L"Label2", Kind::Caption, L"&Time (hh:mm):", 1305, 690, 1245, 210},
    {IDC_TEXT2, L"Text2", Kind::Text, L"17:00", 2655, 645, 1215, 315},
    {IDC_CHECK1, L"Check1", Kind::Check, L"&interactive", 4575, 2265, 1215, 315},
    {IDC_LABEL3, L"Label3", Kind::Caption, L"&Datum:", 1950, 1410, 600, 210},
    {IDC_TEXT3, L"Text3", Kind::Text, L"M,T,W,TH,F,S,SU", 3855, 1305, 1935, 315},
    {IDC_LABEL4, L"Label4", Kind::Caption, L"&Anwendung:", 1485, 1920, 1065, 210},
    {IDC_TEXT4, L"Text4", Kind::Text, L"Calc.exe", 2655, 1875, 3135, 315},
    {IDC_COMMAND1, L"Command1", Kind::Button, L"&Schedule", 4575, 2865, 1215, 375},
    {IDC_LABEL5, L"Label5", Kind::Note, Credit, 1305, 3435, 4455, 720},
    // The trailing blank of each option's caption is part of the caption: keep it.
    {IDC_OPTION1, L"Option1", Kind::Option, L"&nächsten ", 2655, 1245, 1095, 255},
    {IDC_OPTION2, L"Option2", Kind::Option, L"&jeden ", 2655, 1485, 1095, 255},
    {IDC_LABEL6, L"Label6", Kind::Note, Help, 1305, 2445, 2520, 930},
};

// The letter after the "&" in a control's text: its access key.
constexpr wchar_t AccessKey(int id) {
    for (const Control& control : Controls)
        for (const wchar_t* c = control.text; control.id == id && c && *c; ++c)
            if (*c == L'&') return c[1];
    return 0;
}
static_assert(AccessKey(IDC_COMMAND1) == L'S');

// Every control starts a group of its own but the second option button, so that the arrow
// keys move between the two options and nowhere else.
constexpr bool OptionPairIsOneGroup() {
    for (std::size_t i = 0; i + 1 < Root::ControlCount; ++i)
        if (Controls[i].id == IDC_OPTION1) return Controls[i + 1].id == IDC_OPTION2;
    return false;
}
static_assert(OptionPairIsOneGroup(), "Option2 must follow Option1 in the table");

struct ClassAndStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle StyleOf(Kind kind) {
    switch (kind) {
    case Kind::Caption:
        return {L"Static", SS_RIGHT, 0};
    case Kind::Note:
        return {L"Static", SS_LEFT | SS_NOPREFIX, 0};
    case Kind::Text:
        return {L"Edit", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::Check:
        return {L"Button", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case Kind::Option:
        return {L"Button", WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case Kind::Button:
        return {L"Button", WS_TABSTOP | BS_PUSHBUTTON, 0};
    }
    return {};
}

int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

struct Box {
    int left, top, width, height;  // pixels
};

// Where a control goes at `dpi`, measured in the font selected into `dc`: a caption is fitted
// to its text as it shows it (the "&" is an underline, not a character), leftwards from the
// table's right edge.
Box Placement(const Control& control, int dpi, HDC dc) {
    Box box{Pixels(control.left, dpi), Pixels(control.top, dpi), Pixels(control.width, dpi),
            Pixels(control.height, dpi)};
    if (control.kind == Kind::Caption) {
        RECT extent{};
        DrawTextW(dc, control.text, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
        box.left = Pixels(control.left + control.width, dpi) - extent.right;
        box.width = extent.right;
    }
    return box;
}

// Calls place(control, box) for each control in tab order, its box measured in `font` at `dpi`;
// stops at the first call that returns false, and returns false then. Creation and every change
// of DPI place the controls through it, so that both measure alike.
// The loop is compiled once; each caller's lambda is reached through `context`.
using PlaceThrough = bool (*)(void* context, const Control& control, const Box& box);
bool ForEachPlacement(HWND window, HFONT font, int dpi, PlaceThrough place, void* context) {
    const WindowDC screen(window);
    const SelectedObject measuring(screen.get(), font);
    for (const Control& control : Controls)
        if (!place(context, control, Placement(control, dpi, screen.get()))) return false;
    return true;
}

template <typename Place>
bool ForEachPlacement(HWND window, HFONT font, int dpi, Place place) {
    return ForEachPlacement(window, font, dpi, [](void* context, const Control& control, const Box& box) {
        return (*static_cast<Place*>(context))(control, box);
    }, &place);
}

// The window's font, Tahoma 9 pt, for `dpi`.
UniqueFont FontFor(int dpi) {
    return UniqueFont(CreateFontW(-MulDiv(FontPoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                  L"Tahoma"));
}

// The dots per inch of the window's monitor where the platform tracks them per monitor
// (Windows 10 1607 and later), else the system's.
int DpiOf(HWND window) {
    using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window != nullptr && getDpiForWindow != nullptr)
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    return GetDeviceCaps(WindowDC(nullptr).get(), LOGPIXELSY);
}

bool HighContrast() {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

std::wstring ComputerName() {
    DWORD size = 0;
    GetComputerNameW(nullptr, &size);  // asks for the length, terminator included
    std::wstring name(size, L'\0');
    if (size == 0 || !GetComputerNameW(name.data(), &size)) return {};
    name.resize(size);
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name;
}

// A key held down repeats its key-down about twenty times a second. Enter and the Alt+letter
// access keys press a button on key-down, so only the first of those may reach a button, or a
// held key would schedule a job, confirm it in the message box and schedule again. (Space
// presses a button on key-up, once however long it is held.)
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

// The same for the modal loops the window doesn't run itself, a message box's among them: they
// pass each message to the thread's message filter first, and skip it when the filter says so.
LRESULT CALLBACK DropRepeatedPresses(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && IsRepeatedPress(*reinterpret_cast<const MSG*>(lParam))) return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A control's whole text, whatever its length.
std::u16string TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)), L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()) + 1)));
    return {text.begin(), text.end()};
}

}  // namespace

Root::~Root() {
    if (window_ != nullptr) DestroyWindow(window_);
}

bool Root::Show(int showCommand) {
    if (!Create()) {
        MessageBoxW(nullptr, failure_.c_str(), RootCaption, MB_OK | MB_ICONERROR);
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
    if (!RegisterClassExW(&windowClass)) return NotMade(L"Die Fensterklasse");

    SetLastError(ERROR_SUCCESS);
    repeatFilter_.reset(SetWindowsHookExW(WH_MSGFILTER, DropRepeatedPresses, nullptr, GetCurrentThreadId()));
    if (!repeatFilter_) return NotMade(L"Der Filter für gehaltene Tasten");

    SetLastError(ERROR_SUCCESS);
    owner_.reset(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, nullptr));
    if (!owner_) return NotMade(L"Das verborgene Besitzerfenster");

    // Fixed dialog frame: caption, system menu and close box; no sizing, no minimise or maximise.
    // The size is a first guess at the system's DPI; OnCreate lays the window out for its own.
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    dpi_ = DpiOf(nullptr);
    RECT frame{0, 0, Pixels(ClientWidth), Pixels(ClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    SetLastError(ERROR_SUCCESS);
    if (!CreateWindowExW(0, RootClassName, RootCaption, style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                         frame.bottom - frame.top, owner_.get(), nullptr, instance_, this))
        return failure_.empty() ? NotMade(L"Das Fenster") : false;  // OnCreate names what failed
    FitClient();
    return true;
}

int Root::MessageLoop() {
    MSG message{};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (IsRepeatedPress(message) || IsEchoOfClosedBox(message)) continue;
        // The dialog manager's keys: Tab, Shift+Tab, arrows in the option pair, Space on buttons.
        if (window_ != nullptr && IsDialogMessageW(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 1;  // -1: the loop itself failed
}

// The second half of a double click on a message box's OK that lies over "Schedule", or of a
// double-tapped Enter, reaches the button once the box is gone. Input that would press the
// button within the double-click time of a Schedule's last box closing is taken for that: a
// click on it, Enter, Space or its letter on it, or its access key anywhere. The time is the
// input's own, so a deliberate press a moment later counts, and a press that is not input
// (BM_CLICK, or a screen reader's default action) always does.
bool Root::IsEchoOfClosedBox(const MSG& message) const {
    if (!boxClosed_) return false;
    const bool onButton = message.hwnd == Item(IDC_COMMAND1);
    const bool accessKey =
        std::towupper(static_cast<wint_t>(message.wParam)) == std::towupper(AccessKey(IDC_COMMAND1));
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
        presses = onButton && accessKey;
        break;
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
        presses = accessKey;
        break;
    }
    return presses && static_cast<LONG>(message.time - boxClosedAt_) < static_cast<LONG>(GetDoubleClickTime());
}

bool Root::NotMade(const wchar_t* what) {
    const DWORD error = GetLastError();
    failure_ = L"Das Fenster kann nicht aufgebaut werden: ";
    failure_ += what;
    failure_ += L" ließ sich nicht anlegen.";
    if (error != ERROR_SUCCESS) {
        failure_ += L" (Fehler ";
        failure_ += Wide(Digits(error, 10));
        failure_ += L")";
    }
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

int Root::Pixels(int twips) const { return ::Pixels(twips, dpi_); }

bool Root::OnCreate() {
    dpi_ = DpiOf(window_);
    SetLastError(ERROR_SUCCESS);
    font_ = FontFor(dpi_);
    if (!font_) return NotMade(L"Die Schrift Tahoma");
    const std::wstring computerName = ComputerName();
    // Each control is made in its place rather than made and then moved: that saves the start
    // fourteen moves and repaints.
    const bool made = ForEachPlacement(window_, font_.get(), dpi_, [&](const Control& control, const Box& box) {
        const auto [className, style, exStyle] = StyleOf(control.kind);
        const DWORD group = control.id == IDC_OPTION2 ? 0 : WS_GROUP;
        SetLastError(ERROR_SUCCESS);
        const HWND created = CreateWindowExW(exStyle, className, control.text ? control.text : computerName.c_str(),
                                             WS_CHILD | WS_VISIBLE | group | style, box.left, box.top, box.width,
                                             box.height, window_,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance_,
                                             nullptr);
        if (created == nullptr) return NotMade((L"Das Steuerelement " + std::wstring(control.name)).c_str());
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
    ForEachPlacement(window_, font.get(), dpi, [&](const Control& control, const Box& box) {
        const HWND item = Item(control.id);
        SetWindowPos(item, nullptr, box.left, box.top, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        return true;
    });
    font_ = std::move(font);  // the old font goes now that no control draws with it
}

void Root::OnDpiChanged(int dpi, const RECT& suggested) {
    // Without a font for the new DPI the window stays whole at the old one, frame included.
    UniqueFont font = FontFor(dpi);
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
    const int dx = Pixels(ClientWidth) - client.right, dy = Pixels(ClientHeight) - client.bottom;
    if (dx != 0 || dy != 0)
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Root::Item(int id) const { return GetDlgItem(window_, id); }

void Root::OnCommand(int id, int code) {
    // Enter reaches the window as IDOK wherever the focus is; only on the button does it act.
    const bool enterOnButton = id == IDOK && GetFocus() == Item(IDC_COMMAND1);
    if ((id == IDC_COMMAND1 && code == BN_CLICKED) || enterOnButton) Schedule();
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

void Root::OnDestroy() {
    window_ = nullptr;
    // A window destroyed by a failed creation leaves the quit to the program, which still has
    // to say what failed.
    if (created_) PostQuitMessage(0);
}

WindowFields Root::ReadFields() const {
    WindowFields fields;
    fields.ComputerName = TextOf(Item(IDC_TEXT1));
    fields.RunTime = TextOf(Item(IDC_TEXT2));
    fields.DayList = TextOf(Item(IDC_TEXT3));
    fields.CommandLine = TextOf(Item(IDC_TEXT4));
    fields.Interactive = IsDlgButtonChecked(window_, IDC_CHECK1) == BST_CHECKED;
    fields.EveryListedDay = IsDlgButtonChecked(window_, IDC_OPTION2) == BST_CHECKED;
    return fields;
}

void Root::Schedule() {
    Win32Platform platform(window_);
    const Outcome outcome = Command1_Click(ReadFields(), platform);
    if (outcome.message) ShowMessage(window_, *outcome.message);
    // Its last box has just closed.
    boxClosed_ = true;
    boxClosedAt_ = GetTickCount();
    if (outcome.field == FieldToFix::None) return;
    const HWND entry = Item(outcome.field == FieldToFix::RunTime   ? IDC_TEXT2
                            : outcome.field == FieldToFix::DayList ? IDC_TEXT3
                                                                   : IDC_TEXT4);
    // The window may be activated again only after this, when the closed message box hands
    // the activation back; that restores the focus from focusWhileInactive_.
    focusWhileInactive_ = entry;
    SetFocus(entry);
    SendMessageW(entry, EM_SETSEL, 0, -1);
}
