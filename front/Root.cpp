#include "front/Root.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "front/ScheduleCommand.h"
#include "front/Win32Platform.h"

namespace {

constexpr wchar_t ClassName[] = L"TessaroAddJobRoot";
constexpr wchar_t Caption[] = L"Tessaro - Job hinzufügen";
constexpr int ClientWidth = 6420;  // twips, like every size here
constexpr int ClientHeight = 4395;
constexpr int FontPoints = 9;
constexpr COLORREF HelpTextColour = RGB(192, 64, 0);
constexpr int IconResource = 1;

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
    const wchar_t* name;
    Kind kind;
    const wchar_t* text;  // nullptr: the local computer's name
    int left, top, width, height;
};

// The window's controls in tab order: creation order is focus order.
constexpr Control Controls[Root::ControlCount] = {
    {L"Label1", Kind::Caption, L"Computer Name:", 1155, 330, 1395, 210},
    {L"Text1", Kind::Text, nullptr, 2655, 285, 1215, 315},
    {L"Label2", Kind::Caption, L"Time (hh:mm):", 1305, 690, 1245, 210},
    {L"Text2", Kind::Text, L"17:00", 2655, 645, 1215, 315},
    {L"Check1", Kind::Check, L"interactive", 4575, 2265, 1215, 315},
    {L"Label3", Kind::Caption, L"Datum:", 1950, 1410, 600, 210},
    {L"Text3", Kind::Text, L"M,T,W,TH,F,S,SU", 3855, 1305, 1935, 315},
    {L"Label4", Kind::Caption, L"Anwendung:", 1485, 1920, 1065, 210},
    {L"Text4", Kind::Text, L"Calc.exe", 2655, 1875, 3135, 315},
    {L"Command1", Kind::Button, L"Schedule", 4575, 2865, 1215, 375},
    {L"Label5", Kind::Note, Credit, 1305, 3435, 4455, 720},
    {L"Option1", Kind::Option, L"nächsten ", 2655, 1245, 1095, 255},
    {L"Option2", Kind::Option, L"jeden ", 2655, 1485, 1095, 255},
    {L"Label6", Kind::Note, Help, 1305, 2445, 2520, 930},
};

// The position of a control in the table; ControlCount for a name that isn't there.
constexpr std::size_t IndexOf(std::wstring_view name) {
    std::size_t i = 0;
    while (i < Root::ControlCount && Controls[i].name != name) ++i;
    return i;
}

constexpr std::size_t Text1 = IndexOf(L"Text1"), Text2 = IndexOf(L"Text2"), Text3 = IndexOf(L"Text3"),
                      Text4 = IndexOf(L"Text4"), Check1 = IndexOf(L"Check1"), Option1 = IndexOf(L"Option1"),
                      Option2 = IndexOf(L"Option2"), Command1 = IndexOf(L"Command1"), Label6 = IndexOf(L"Label6");
static_assert(std::max({Text1, Text2, Text3, Text4, Check1, Option1, Option2, Command1, Label6}) < Root::ControlCount);
static_assert(Option2 == Option1 + 1, "the option pair is one group: Option2 must follow Option1");

// Control ids stay clear of IDOK and IDCANCEL, which the dialog keys send.
constexpr int FirstId = 100;
int IdOf(std::size_t index) { return FirstId + static_cast<int>(index); }

struct ClassAndStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle StyleOf(Kind kind) {
    switch (kind) {
    case Kind::Caption:
        return {L"Static", SS_RIGHT | SS_NOPREFIX, 0};
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

std::wstring ComputerName() {
    DWORD size = 0;
    GetComputerNameW(nullptr, &size);  // asks for the length, terminator included
    std::wstring name(size, L'\0');
    if (size == 0 || !GetComputerNameW(name.data(), &size)) return {};
    name.resize(size);
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name;
}

std::u16string TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)), L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()) + 1)));
    return {text.begin(), text.end()};
}

}  // namespace

bool Root::Show(int showCommand) {
    if (!Create()) {
        MessageBoxW(nullptr, failure_.c_str(), Caption, MB_OK | MB_ICONERROR);
        return false;
    }
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(controls_[Text1]);
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
    windowClass.lpszClassName = ClassName;
    // Each step clears the last error first: a creation that a hook refuses sets none, and
    // Failed() must not report one left over from earlier.
    SetLastError(ERROR_SUCCESS);
    if (!RegisterClassExW(&windowClass)) return Failed(L"Die Fensterklasse");

    SetLastError(ERROR_SUCCESS);
    owner_.reset(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, nullptr));
    if (!owner_) return Failed(L"Das verborgene Besitzerfenster");

    // Fixed dialog frame: caption, system menu and close box; no sizing, no minimise or maximise.
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    dpi_ = GetDeviceCaps(WindowDC(nullptr).get(), LOGPIXELSY);
    RECT frame{0, 0, Pixels(ClientWidth), Pixels(ClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    SetLastError(ERROR_SUCCESS);
    if (!CreateWindowExW(0, ClassName, Caption, style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                         frame.bottom - frame.top, owner_.get(), nullptr, instance_, this))
        return failure_.empty() ? Failed(L"Das Fenster") : false;  // OnCreate names what failed
    return true;
}

int Root::MessageLoop() {
    MSG message{};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        // The dialog manager's keys: Tab, Shift+Tab, arrows in the option pair, Space on buttons.
        if (window_ != nullptr && IsDialogMessageW(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 1;  // -1: the loop itself failed
}

bool Root::Failed(const wchar_t* what) {
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
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
        window_ = nullptr;
        // A window destroyed by a failed creation leaves the quit to the program, which still
        // has to say what failed.
        if (created_) PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

int Root::Pixels(int twips) const { return MulDiv(twips, dpi_, 1440); }

bool Root::OnCreate() {
    SetLastError(ERROR_SUCCESS);
    font_.reset(CreateFontW(-MulDiv(FontPoints, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                            L"Tahoma"));
    if (!font_) return Failed(L"Die Schrift Tahoma");
    const WindowDC screen(window_);
    const SelectedObject measuringFont(screen.get(), font_.get());

    const std::wstring computerName = ComputerName();
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const Control& control = Controls[i];
        const auto [className, style, exStyle] = StyleOf(control.kind);
        const wchar_t* text = control.text != nullptr ? control.text : computerName.c_str();

        int left = Pixels(control.left), width = Pixels(control.width);
        if (control.kind == Kind::Caption) {
            SIZE extent{};
            GetTextExtentPoint32W(screen.get(), text, lstrlenW(text), &extent);
            const int right = Pixels(control.left + control.width);
            left = right - extent.cx;
            width = extent.cx;
        }
        // Every control starts a group of its own but the second option button, so that the
        // arrow keys move between the two options and nowhere else.
        const DWORD group = i == Option2 ? 0 : WS_GROUP;
        SetLastError(ERROR_SUCCESS);
        controls_[i] = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | group | style, left,
                                       Pixels(control.top), width, Pixels(control.height), window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(i))), instance_, nullptr);
        if (controls_[i] == nullptr) return Failed((L"Das Steuerelement " + std::wstring(control.name)).c_str());
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if (control.kind == Kind::Text) SendMessageW(controls_[i], EM_LIMITTEXT, 0, 0);  // no length limit
    }

    CheckRadioButton(window_, IdOf(Option1), IdOf(Option2), IdOf(Option1));

    // Leave the system menu with what the frame allows: Move and Close.
    const HMENU systemMenu = GetSystemMenu(window_, FALSE);
    for (const UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
        DeleteMenu(systemMenu, command, MF_BYCOMMAND);
    return true;
}

void Root::OnCommand(int id, int code) {
    // Enter reaches the window as IDOK wherever the focus is; only on the button does it act.
    const bool enterOnButton = id == IDOK && GetFocus() == controls_[Command1];
    if ((id == IdOf(Command1) && code == BN_CLICKED) || enterOnButton) Schedule();
}

void Root::OnActivate(bool active) {
    // Keep the focus where the user left it when the window goes to the background and back.
    if (!active) {
        const HWND focus = GetFocus();
        focusWhileInactive_ = IsChild(window_, focus) ? focus : nullptr;
    } else {
        SetFocus(focusWhileInactive_ != nullptr ? focusWhileInactive_ : controls_[Text1]);
    }
}

LRESULT Root::OnCtlColorStatic(HDC dc, HWND control) {
    SetTextColor(dc, control == controls_[Label6] ? HelpTextColour : GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

WindowFields Root::ReadFields() const {
    WindowFields fields;
    fields.ComputerName = TextOf(controls_[Text1]);
    fields.RunTime = TextOf(controls_[Text2]);
    fields.DayList = TextOf(controls_[Text3]);
    fields.CommandLine = TextOf(controls_[Text4]);
    fields.Interactive = IsDlgButtonChecked(window_, IdOf(Check1)) == BST_CHECKED ? 1 : 0;
    fields.EveryListedDay = IsDlgButtonChecked(window_, IdOf(Option2)) == BST_CHECKED;
    return fields;
}

void Root::Schedule() {
    Win32Platform platform(window_);
    const FieldToFix field = Command1_Click(ReadFields(), platform, platform);
    if (field == FieldToFix::None) return;
    const HWND entry = controls_[field == FieldToFix::RunTime ? Text2 : Text3];
    // The window may be activated again only after this, when the closed message box hands
    // the activation back; that restores the focus from focusWhileInactive_.
    focusWhileInactive_ = entry;
    SetFocus(entry);
    SendMessageW(entry, EM_SETSEL, 0, -1);
}
