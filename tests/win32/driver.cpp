// Remote control of the job window for the end-to-end tests: finds the window, reads and
// changes its controls, presses buttons, reads and closes message boxes, puts hooks into the
// program, lists the jobs of the local scheduling service.
//
//   driver COMMAND [ARGUMENT]...   runs one command and prints its answer, one line of JSON
//   driver serve                   reads commands from its input, one JSON array a line
//                                  (["set", 101, "text"]), and answers each with one line;
//                                  the end-to-end tests keep one such driver running
//   driver help                    lists the commands (the table at the end of this file)

#include <windows.h>
#include <lm.h>
#include <lmat.h>
#include <oleacc.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "tests/win32/HookNames.h"
#include "tests/win32/ProcessCounts.h"
#include "win32/ControlIds.h"
#include "win32/Win32Handles.h"
#include "win32/WindowNames.h"

namespace {

using UniqueKernelObject = UniqueHandle<HANDLE, CloseHandle>;
using Args = std::vector<std::wstring>;

// One JSON value written front to back: each value and key separates itself from the one
// before it.
class Json {
public:
    void Open(char bracket) {
        Separate();
        out_ += bracket;
    }
    void Close(char bracket) { out_ += bracket; }
    void Key(const char* key) {
        Separate();
        out_ += '"';
        out_ += key;
        out_ += "\":";
        afterKey_ = true;
    }
    void Number(long long n) {
        Separate();
        out_ += std::to_string(n);
    }
    void Bool(bool value) {
        Separate();
        out_ += value ? "true" : "false";
    }
    void String(std::wstring_view text) {
        Separate();
        out_ += '"';
        for (const wchar_t c : text) {
            if (c == L'"' || c == L'\\') {
                out_ += '\\';
                out_ += static_cast<char>(c);
            } else if (c < 0x20 || c > 0x7E) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out_ += escaped;
            } else {
                out_ += static_cast<char>(c);
            }
        }
        out_ += '"';
    }
    void Numbers(std::initializer_list<long long> numbers) {
        Open('[');
        for (const long long n : numbers) Number(n);
        Close(']');
    }
    const std::string& Text() const { return out_; }

private:
    void Separate() {
        if (afterKey_) {
            afterKey_ = false;
        } else if (!out_.empty() && out_.back() != '{' && out_.back() != '[') {
            out_ += ',';
        }
    }
    std::string out_;
    bool afterKey_ = false;
};

// Asks `done` every `stepMs` until it says yes or `timeoutMs` have passed; whether it said yes.
template <typename Predicate>
bool WaitFor(Predicate done, DWORD timeoutMs, DWORD stepMs = 20) {
    for (DWORD waited = 0;; waited += stepMs) {
        if (done()) return true;
        if (waited >= timeoutMs) return false;
        Sleep(stepMs);
    }
}

// WM_GETTEXT rather than GetWindowText, which can't read another program's edit controls.
std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)), L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// A control's text as it shows it: "&x" is an underlined x, "&&" a single "&".
std::wstring Shown(const std::wstring& text) {
    std::wstring shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// The extent of `text` in the window's font at `dpi` as the driver's own copy of it draws it:
// on one line, or wrapped at `wrapWidth` pixels when that is given.
SIZE TextExtent(const wchar_t* text, int dpi, int wrapWidth) {
    const WindowDC screen(nullptr);
    if (dpi == 0) dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    const UniqueFont font(CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0,
                                      0, 0, L"Tahoma"));
    const SelectedObject selected(screen.get(), font.get());
    SIZE size{};
    if (wrapWidth > 0) {
        RECT box{0, 0, wrapWidth, 0};
        DrawTextW(screen.get(), text, -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        size = {box.right, box.bottom};
    } else {
        GetTextExtentPoint32W(screen.get(), text, lstrlenW(text), &size);
    }
    return size;
}

// Width, height and colour depth of each image of the program file's first icon.
std::vector<std::array<int, 3>> FileIcons(DWORD pid) {
    std::vector<std::array<int, 3>> images;
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const UniqueKernelObject process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process || !QueryFullProcessImageNameW(process.get(), 0, path, &size)) return images;
    const UniqueModule file(LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!file) return images;
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    if (const HRSRC group = FindResourceW(file.get(), MAKEINTRESOURCEW(1), RT_GROUP_ICON)) {
        const auto* header = static_cast<const WORD*>(LockResource(LoadResource(file.get(), group)));
        const auto* entries = reinterpret_cast<const GroupEntry*>(header + 3);
        for (WORD i = 0; i < header[2]; ++i)
            images.push_back({entries[i].width, entries[i].height, entries[i].bitCount});
    }
    return images;
}

HWND FindRoot(DWORD waitMs) {
    HWND root = nullptr;
    WaitFor([&] { return (root = FindWindowW(RootClassName, RootCaption)) != nullptr; }, waitMs);
    return root;
}

template <typename Keep>
struct WindowSearch {
    Keep& keep;
    std::vector<HWND> found;
};

template <typename Keep>
BOOL CALLBACK Collect(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch<Keep>*>(param);
    if (search.keep(window)) search.found.push_back(window);
    return TRUE;
}

// The top-level windows that EnumWindows lists and `keep` takes.
template <typename Keep>
std::vector<HWND> TopLevelWindows(Keep keep) {
    WindowSearch<Keep> search{keep, {}};
    EnumWindows(Collect<Keep>, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> WindowsOf(DWORD pid, const wchar_t* className = nullptr) {
    return TopLevelWindows([&](HWND window) {
        return ProcessOf(window) == pid && (className == nullptr || ClassOf(window) == className);
    });
}

// The message box the window shows, once there is one (nullptr after `waitMs`).
HWND WaitForBox(HWND root, DWORD waitMs) {
    HWND box = nullptr;
    WaitFor(
        [&] {
            const auto boxes = TopLevelWindows([&](HWND window) {
                return GetWindow(window, GW_OWNER) == root && ClassOf(window) == L"#32770" && IsWindowVisible(window);
            });
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr;
        },
        waitMs, 10);
    return box;
}

std::vector<HWND> Children(HWND parent) {
    const auto any = [](HWND) { return true; };
    WindowSearch<decltype(any)> search{any, {}};
    EnumChildWindows(parent, Collect<decltype(any)>, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Box {
    bool shown = false;
    DWORD ms = 0;  // from the start tick to the box
    std::wstring title, text;
    std::vector<std::wstring> buttons;
};

// Waits for a message box of the window, reads it and closes it with its OK button.
Box TakeBox(HWND root, DWORD waitMs, DWORD startTick) {
    Box result;
    const HWND box = WaitForBox(root, waitMs);
    if (box == nullptr) return result;
    result.shown = true;
    result.ms = GetTickCount() - startTick;
    result.title = TextOf(box);
    if (const HWND text = GetDlgItem(box, 0xFFFF)) result.text = TextOf(text);
    HWND ok = nullptr;
    for (const HWND child : Children(box)) {
        if (ClassOf(child) != L"Button") continue;
        result.buttons.push_back(TextOf(child));
        ok = child;
    }
    if (ok != nullptr) PostMessageW(ok, BM_CLICK, 0, 0);
    WaitFor([&] { return !IsWindow(box); }, 5000, 10);
    return result;
}

void WriteBox(Json& json, const Box& box) {
    json.Open('{');
    json.Key("box");
    json.Bool(box.shown);
    if (box.shown) {
        json.Key("ms");
        json.Number(box.ms);
        json.Key("title");
        json.String(box.title);
        json.Key("text");
        json.String(box.text);
        json.Key("buttons");
        json.Open('[');
        for (const auto& button : box.buttons) json.String(button);
        json.Close(']');
    }
    json.Close('}');
}

Box Schedule(HWND root, DWORD waitMs) {
    const DWORD start = GetTickCount();
    PostMessageW(GetDlgItem(root, IDC_COMMAND1), BM_CLICK, 0, 0);
    return TakeBox(root, waitMs, start);
}

std::wstring FileText(const wchar_t* path) {
    const HANDLE opened = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    const UniqueKernelObject file(opened != INVALID_HANDLE_VALUE ? opened : nullptr);
    if (!file) return {};
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    std::wstring text(bytes.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(read), text.data(),
                                    static_cast<int>(text.size())));
    return text;
}

// Replaces a control's text the way a user pastes: through the clipboard.
void Paste(HWND control, const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);  // the clipboard owns it now
    CloseClipboard();
    SendMessageW(control, EM_SETSEL, 0, -1);
    SendMessageW(control, WM_PASTE, 0, 0);
}

// What the user can change: the texts of the text boxes and the states of the buttons.
std::vector<std::wstring> Entries(HWND root) {
    std::vector<std::wstring> entries;
    for (const HWND child : Children(root)) {
        if (ClassOf(child) == L"Edit") entries.push_back(TextOf(child));
        if (ClassOf(child) == L"Button") entries.push_back(std::to_wstring(SendMessageW(child, BM_GETCHECK, 0, 0)));
    }
    return entries;
}

bool Activate(HWND root) {
    SetForegroundWindow(root);
    return WaitFor([&] { return GetForegroundWindow() == root; }, 2000);
}

void ScreenRect(Json& json, const char* key, const RECT& rect) {
    json.Key(key);
    json.Numbers({rect.left, rect.top, rect.right, rect.bottom});
}

std::wstring BesideMe(const wchar_t* file) {
    std::wstring path(MAX_PATH, L'\0');
    while (GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())) == path.size())
        path.resize(path.size() * 2);
    return path.substr(0, path.find_last_of(L'\\') + 1) + file;
}

// A hook of test_hooks.dll for `thread` (0: every thread); empty when it can't be installed.
UniqueHook InstallHook(int type, const char* name, DWORD thread) {
    static const HMODULE hooks = LoadLibraryW(BesideMe(L"test_hooks.dll").c_str());
    const auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hooks, name)));
    return UniqueHook(proc ? SetWindowsHookExW(type, proc, hooks, thread) : nullptr);
}

// Has test_hooks.dll's `hook` serve `request` in the window's thread, and waits until it has
// set `property` on the window.
bool AskHook(HWND root, const char* hook, const wchar_t* request, WPARAM wParam, LPARAM lParam,
             const wchar_t* property) {
    const UniqueHook installed = InstallHook(WH_GETMESSAGE, hook, GetWindowThreadProcessId(root, nullptr));
    if (!installed) return false;
    PostMessageW(root, RegisterWindowMessageW(request), wParam, lParam);
    return WaitFor([&] { return GetPropW(root, property) != nullptr; }, 10000);
}

INT_PTR Property(HWND root, const wchar_t* name) { return reinterpret_cast<INT_PTR>(GetPropW(root, name)); }

// ---------------------------------------------------------------------------------------------
// The commands. Each answers with one JSON value.
// ---------------------------------------------------------------------------------------------

struct Call {
    HWND root;         // the job window, for the commands that need one
    const Args& args;  // the command's arguments
    long Number(std::size_t i, long fallback = 0) const {
        return i < args.size() ? std::wcstol(args[i].c_str(), nullptr, 10) : fallback;
    }
    const wchar_t* Text(std::size_t i) const { return i < args.size() ? args[i].c_str() : L""; }
    HWND Item(std::size_t i) const { return GetDlgItem(root, Number(i)); }
};

// The window, once it is there, shown and its program waiting for input: a click posted to a
// window that is still being made and shown can get lost.
void Wait(const Call& call, Json& json) {
    const DWORD waitMs = static_cast<DWORD>(call.Number(0, 15000));
    const HWND root = FindRoot(waitMs);
    const UniqueKernelObject process(root ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(root))
                                          : nullptr);
    const bool ready = process && WaitFor([&] { return IsWindowVisible(root) != FALSE; }, waitMs) &&
                       WaitForInputIdle(process.get(), waitMs) == 0;
    json.Open('{');
    json.Key("window");
    json.Bool(ready);
    json.Close('}');
}

void State(const Call& call, Json& json) {
    const HWND root = call.root;
    const int dpi = call.Number(0);
    json.Open('{');
    json.Key("caption");
    json.String(TextOf(root));
    json.Key("style");
    json.Number(static_cast<unsigned>(GetWindowLongW(root, GWL_STYLE)));
    json.Key("exstyle");
    json.Number(static_cast<unsigned>(GetWindowLongW(root, GWL_EXSTYLE)));
    const HWND owner = GetWindow(root, GW_OWNER);
    json.Key("owner_visible");
    json.Number(owner == nullptr ? -1 : IsWindowVisible(owner));
    RECT client{}, frame{};
    GetClientRect(root, &client);
    GetWindowRect(root, &frame);
    POINT origin{0, 0};
    ClientToScreen(root, &origin);
    json.Key("client");
    json.Numbers({client.right, client.bottom});
    json.Key("frame");
    json.Numbers({frame.left, frame.top, origin.x, origin.y});
    json.Key("file_icons");
    json.Open('[');
    for (const auto& [width, height, bits] : FileIcons(ProcessOf(root))) json.Numbers({width, height, bits});
    json.Close(']');

    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(root, nullptr), &thread);
    json.Key("active");
    json.Number(thread.hwndActive == root);
    json.Key("focus");
    json.Number(thread.hwndFocus ? GetDlgCtrlID(thread.hwndFocus) : 0);

    json.Key("controls");
    json.Open('[');
    for (const HWND child : Children(root)) {
        json.Open('{');
        json.Key("id");
        json.Number(GetDlgCtrlID(child));
        json.Key("class");
        json.String(ClassOf(child));
        json.Key("text");
        json.String(TextOf(child));
        json.Key("style");
        json.Number(static_cast<unsigned>(GetWindowLongW(child, GWL_STYLE)));
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&rect), 2);
        json.Key("rect");
        json.Numbers({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
        if (ClassOf(child) == L"Button") {
            json.Key("checked");
            json.Number(SendMessageW(child, BM_GETCHECK, 0, 0));
        }
        if (ClassOf(child) == L"Edit") {
            // Where the text's last character starts: tells which font the box draws with.
            const LRESULT length = SendMessageW(child, WM_GETTEXTLENGTH, 0, 0);
            const auto x = [child](LRESULT i) {
                return static_cast<short>(LOWORD(SendMessageW(child, EM_POSFROMCHAR, i, 0)));
            };
            json.Key("last_char_x");
            json.Number(length > 0 ? x(length - 1) - x(0) : 0);
        }
        if (dpi > 0) {
            // The text as the driver's own Tahoma 9 pt at `dpi` lays it out: on one line, all
            // but its last character, and wrapped at the control's width.
            const std::wstring text = Shown(TextOf(child));
            json.Key("text_width");
            json.Number(TextExtent(text.c_str(), dpi, 0).cx);
            json.Key("text_width_but_last");
            json.Number(text.empty() ? 0 : TextExtent(text.substr(0, text.size() - 1).c_str(), dpi, 0).cx);
            json.Key("wrapped_height");
            json.Number(TextExtent(text.c_str(), dpi, rect.right - rect.left).cy);
        }
        json.Close('}');
    }
    json.Close(']');
    json.Close('}');
}

void Empty(Json& json) {
    json.Open('{');
    json.Close('}');
}

void Set(const Call& call, Json& json) {
    SendMessageW(call.Item(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(call.Text(1)));
    Empty(json);
}

void SetFile(const Call& call, Json& json) {
    const std::wstring text = FileText(call.Text(1));
    SendMessageW(call.Item(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    json.Open('{');
    json.Key("length");
    json.Number(static_cast<long long>(text.size()));
    json.Close('}');
}

void PasteCommand(const Call& call, Json& json) {
    Paste(call.Item(0), FileText(call.Text(1)));
    Empty(json);
}

void Press(const Call& call, Json& json) {
    PostMessageW(call.Item(0), BM_CLICK, 0, 0);
    Empty(json);
}

void ScheduleCommand(const Call& call, Json& json) {
    WriteBox(json, Schedule(call.root, static_cast<DWORD>(call.Number(0, 10000))));
}

void BoxCommand(const Call& call, Json& json) {
    WriteBox(json, TakeBox(call.root, static_cast<DWORD>(call.Number(0, 5000)), GetTickCount()));
}

// Schedules N jobs, each with the command "cmd /c rem TAG-<n>"; when BAD is given, every
// BAD-th Schedule from the first on has the run time "abc" instead (and the old one back after
// it). Answers each box's text, how many Schedules left the entries as they were, and the
// program's handle and GDI object counts after the 10th and the last.
void Soak(const Call& call, Json& json) {
    const HWND root = call.root;
    const long count = call.Number(0, 1), badTimeEvery = call.Number(2);
    const DWORD pid = ProcessOf(root);
    const HWND commandLine = GetDlgItem(root, IDC_TEXT4), runTime = GetDlgItem(root, IDC_TEXT2);
    json.Open('{');
    json.Key("answers");
    json.Open('[');
    long tenth[2] = {}, slowest = 0, kept = 0;
    for (long i = 0; i < count; ++i) {
        const std::wstring command = L"cmd /c rem " + std::wstring(call.Text(1)) + L"-" + std::to_wstring(i);
        SendMessageW(commandLine, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(command.c_str()));
        const bool badTime = badTimeEvery > 0 && i % badTimeEvery == 0;
        const std::wstring time = TextOf(runTime);
        if (badTime) SendMessageW(runTime, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
        const auto before = Entries(root);
        const Box box = Schedule(root, 10000);
        kept += Entries(root) == before;
        if (badTime) SendMessageW(runTime, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(time.c_str()));
        json.String(box.text);
        slowest = std::max<long>(slowest, box.ms);
        if (i == std::min(9L, count - 1)) tenth[0] = HandleCount(pid), tenth[1] = GdiObjectCount(pid);
    }
    json.Close(']');
    json.Key("entries_kept");
    json.Number(kept);
    json.Key("tenth");
    json.Numbers({tenth[0], tenth[1]});
    json.Key("last");
    json.Numbers({HandleCount(pid), GdiObjectCount(pid)});
    json.Key("slowest_ms");
    json.Number(slowest);
    json.Close('}');
}

void ActivateCommand(const Call& call, Json& json) {
    json.Open('{');
    json.Key("active");
    json.Bool(Activate(call.root));
    json.Close('}');
}

// Between two bursts of a monkey test: closes any message box, asks whether the window
// answers within 2 s, schedules once and tells whether that left the entries as they were;
// pastes each ID PATH pair's file into its control, counts handles and GDI objects, then
// pastes the pairs after "then"; gives the client area's and the button's screen rectangles,
// the presses counted on Schedule, and activates the window.
void Checkpoint(const Call& call, Json& json) {
    const HWND root = call.root;
    const DWORD pid = ProcessOf(root);
    std::size_t next = 0;
    const auto pasteUntil = [&](std::wstring_view stop) {
        for (; next + 1 < call.args.size() && call.args[next] != stop; next += 2)
            Paste(call.Item(next), FileText(call.Text(next + 1)));
        ++next;  // past "then"
    };
    long boxesClosed = 0;
    while (TakeBox(root, 200, GetTickCount()).shown) ++boxesClosed;
    DWORD_PTR answer = 0;
    const bool responsive = SendMessageTimeoutW(root, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0;
    const auto before = Entries(root);
    const Box box = Schedule(root, 10000);
    json.Open('{');
    json.Key("responsive");
    json.Bool(responsive);
    json.Key("boxes_closed");
    json.Number(boxesClosed);
    json.Key("box");
    json.String(box.shown ? box.text : L"");
    json.Key("entries_kept");
    json.Bool(Entries(root) == before);
    pasteUntil(L"then");
    json.Key("counts");
    json.Numbers({HandleCount(pid), GdiObjectCount(pid)});
    pasteUntil(L"");
    json.Key("presses");
    json.Number(Property(root, PressesProperty) - 1);
    POINT origin{0, 0};
    ClientToScreen(root, &origin);
    RECT client{}, button{};
    GetClientRect(root, &client);
    GetWindowRect(GetDlgItem(root, IDC_COMMAND1), &button);
    ScreenRect(json, "client", {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
    ScreenRect(json, "button", button);
    json.Key("active");
    json.Bool(Activate(root));
    json.Close('}');
}

void Close(const Call& call, Json& json) {
    const HWND root = call.root;
    const UniqueKernelObject process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(root)));
    if (std::wstring_view(call.Text(0)) == L"quit")
        PostThreadMessageW(GetWindowThreadProcessId(root, nullptr), WM_QUIT, 7, 0);
    else
        PostMessageW(root, WM_SYSCOMMAND, SC_CLOSE, 0);
    const bool ended = process && WaitForSingleObject(process.get(), 10000) == WAIT_OBJECT_0;
    DWORD code = 0;
    if (process) GetExitCodeProcess(process.get(), &code);
    json.Open('{');
    json.Key("ended");
    json.Bool(ended);
    json.Key("code");
    json.Number(code);
    json.Close('}');
}

// Starts EXE with the creation of one of its windows vetoed by test_hooks.dll (WHAT: a control
// id, or "window"), then answers the message box it shows (and closes it), the windows of the
// job window's class it had meanwhile, its exit code and the windows it left.
void Vetoed(const Call& call, Json& json) {
    const UniqueHook installed = InstallHook(WH_CBT, "VetoCreation", 0);
    SetEnvironmentVariableW(L"ADDJOB_VETO", call.Text(1));
    std::wstring commandLine = L"\"" + std::wstring(call.Text(0)) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const bool running = installed && CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                                     nullptr, &startup, &started);
    SetEnvironmentVariableW(L"ADDJOB_VETO", nullptr);  // for the programs started after this one
    json.Open('{');
    if (!running) {
        json.Key("error");
        json.String(L"not started");
        json.Close('}');
        return;
    }
    const UniqueKernelObject process(started.hProcess), thread(started.hThread);
    // The program has no window to own its message box: find the box by its process.
    HWND box = nullptr;
    WaitFor(
        [&] {
            for (const HWND window : WindowsOf(started.dwProcessId, L"#32770"))
                if (IsWindowVisible(window)) box = window;
            return box != nullptr;
        },
        15000);
    json.Key("box_text");
    json.String(box ? TextOf(GetDlgItem(box, 0xFFFF)) : L"");
    json.Key("box_title");
    json.String(box ? TextOf(box) : L"");
    json.Key("job_windows_with_box");
    json.Number(static_cast<long long>(WindowsOf(started.dwProcessId, RootClassName).size()));
    for (const HWND child : box ? Children(box) : std::vector<HWND>{})
        if (ClassOf(child) == L"Button") PostMessageW(child, BM_CLICK, 0, 0);
    const bool ended = WaitForSingleObject(process.get(), 10000) == WAIT_OBJECT_0;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.get(), &code);
    json.Key("ended");
    json.Bool(ended);
    json.Key("code");
    json.Number(code);
    json.Key("windows_left");
    json.Number(static_cast<long long>(WindowsOf(started.dwProcessId).size()));
    json.Close('}');
    if (!ended) TerminateProcess(process.get(), 1);
}

void Measure(const Call& call, Json& json) {
    const SIZE size = TextExtent(call.Text(0), call.Number(1), call.Number(2));
    json.Open('{');
    json.Key("width");
    json.Number(size.cx);
    json.Key("height");
    json.Number(size.cy);
    json.Close('}');
}

void ChangeDpi(const Call& call, Json& json) {
    const long to = call.Number(0, 96);
    RemovePropW(call.root, DpiProperty);
    const bool done = AskHook(call.root, "ChangeDpi", ChangeDpiRequest, to, call.Number(1, 96), DpiProperty) &&
                      Property(call.root, DpiProperty) == to;
    json.Open('{');
    json.Key("done");
    json.Bool(done);
    json.Key("font_height");
    json.Number(Property(call.root, FontHeightProperty));
    json.Close('}');
}

void HighContrast(const Call& call, Json& json) {
    json.Open('{');
    json.Key("high_contrast");
    json.Bool(AskHook(call.root, "HighContrast", HighContrastRequest, 0, 0, HighContrastProperty));
    json.Close('}');
}

void CountPresses(const Call& call, Json& json) {
    json.Open('{');
    json.Key("counting");
    json.Bool(AskHook(call.root, "StartCountingPresses", CountPressesRequest, 0, 0, PressesProperty));
    json.Close('}');
}

void Accessible(const Call& call, Json& json) {
    CoInitialize(nullptr);
    json.Open('[');
    for (const HWND child : Children(call.root)) {
        IAccessible* object = nullptr;
        const HRESULT found =
            AccessibleObjectFromWindow(child, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
        BSTR name = nullptr, shortcut = nullptr;
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        if (SUCCEEDED(found)) {
            object->get_accName(self, &name);
            object->get_accKeyboardShortcut(self, &shortcut);
            object->Release();
        }
        json.Open('{');
        json.Key("id");
        json.Number(GetDlgCtrlID(child));
        json.Key("hr");
        json.Number(static_cast<unsigned long>(found));
        json.Key("name");
        json.String(name ? name : L"");
        json.Key("shortcut");
        json.String(shortcut ? shortcut : L"");
        json.Close('}');
        SysFreeString(name);
        SysFreeString(shortcut);
    }
    json.Close(']');
    CoUninitialize();
}

void Counts(const Call& call, Json& json) {
    const DWORD pid = ProcessOf(call.root);
    json.Open('{');
    json.Key("handles");
    json.Number(HandleCount(pid));
    json.Key("gdi");
    json.Number(GdiObjectCount(pid));
    json.Close('}');
}

void Jobs(const Call&, Json& json) {
    LPBYTE buffer = nullptr;
    DWORD read = 0, total = 0, resume = 0;
    const DWORD status = NetScheduleJobEnum(nullptr, &buffer, MAX_PREFERRED_LENGTH, &read, &total, &resume);
    json.Open('{');
    json.Key("status");
    json.Number(status);
    json.Key("jobs");
    json.Open('[');
    const auto* jobs = reinterpret_cast<const AT_ENUM*>(buffer);
    for (DWORD i = 0; status == 0 && i < read; ++i) {
        json.Open('[');
        json.Number(jobs[i].JobId);
        json.String(jobs[i].Command ? jobs[i].Command : L"");
        json.Close(']');
    }
    json.Close(']');
    json.Close('}');
    if (buffer) NetApiBufferFree(buffer);
}

struct Command {
    const char* name;
    const char* arguments;
    const char* help;
    std::size_t required;  // arguments that must be given
    bool window;           // needs the job window (waits up to 10 s for it)
    void (*run)(const Call&, Json&);
};

void Help(const Call&, Json& json);

constexpr Command Commands[] = {
    {"wait", "[MS]", "whether the window is there and ready for input, waiting up to MS ms (15000)", 0, false,
     Wait},
    {"state", "[DPI]", "the window and its controls (with each text's extent in Tahoma 9 pt at DPI)", 0, true, State},
    {"set", "ID TEXT", "sets a control's text (WM_SETTEXT)", 2, true, Set},
    {"set-file", "ID PATH", "the same with the UTF-8 text of a file", 2, true, SetFile},
    {"paste", "ID PATH", "pastes the UTF-8 text of a file into a control, replacing its text", 2, true, PasteCommand},
    {"press", "ID", "clicks a button (check box, option) without waiting", 1, true, Press},
    {"schedule", "[MS]", "clicks Schedule, waits up to MS ms for the message box, answers it and closes it", 0, true,
     ScheduleCommand},
    {"box", "[MS]", "waits up to MS ms for a message box of the window, answers it and closes it", 0, true, BoxCommand},
    {"soak", "N TAG [BAD]", "N Schedules in a row, each with a command of its own, every BAD-th with a bad time", 2,
     true, Soak},
    {"activate", "", "makes the window the active one, as a click on it would", 0, true, ActivateCommand},
    {"checkpoint", "[ID PATH]... [then ID PATH]...", "between two bursts of a monkey test (see Checkpoint)", 0, true,
     Checkpoint},
    {"close", "[quit]", "closes the window (or posts a foreign WM_QUIT) and waits for the program to end", 0, true,
     Close},
    {"vetoed", "EXE WHAT", "starts EXE with the creation of WHAT (a control id, or window) vetoed", 2, false, Vetoed},
    {"measure", "TEXT [DPI [WRAP]]", "the extent of TEXT in Tahoma 9 pt (at DPI; wrapped at WRAP pixels)", 1, false,
     Measure},
    {"dpi", "TO FROM", "moves the window from FROM to TO dots per inch as between two monitors", 2, true, ChangeDpi},
    {"high-contrast", "", "switches the program into high contrast, as Windows would", 0, true, HighContrast},
    {"accessible", "", "each control's name and keyboard shortcut, read as a screen reader does", 0, true,
     Accessible},
    {"count-presses", "", "from now on counts the presses that reach Schedule (checkpoint answers them)", 0, true,
     CountPresses},
    {"counts", "", "the program's kernel handles and GDI objects", 0, true, Counts},
    {"jobs", "", "the jobs of the local scheduling service", 0, false, Jobs},
    {"help", "", "this list", 0, false, Help},
};

void Help(const Call&, Json& json) {
    json.Open('[');
    for (const Command& command : Commands) {
        std::wstring line(command.name, command.name + std::strlen(command.name));
        line += L' ';
        line.append(command.arguments, command.arguments + std::strlen(command.arguments));
        line += L": ";
        line.append(command.help, command.help + std::strlen(command.help));
        json.String(line);
    }
    json.Close(']');
}

void Error(Json& json, const wchar_t* what) {
    json.Open('{');
    json.Key("error");
    json.String(what);
    json.Close('}');
}

// Runs `args` (the command's name first); false when it could not be run.
bool Run(const Args& args, Json& json) {
    const auto command = std::find_if(std::begin(Commands), std::end(Commands), [&](const Command& c) {
        return !args.empty() && args[0] == std::wstring(c.name, c.name + std::strlen(c.name));
    });
    if (command == std::end(Commands) || args.size() - 1 < command->required) {
        Error(json, L"usage: driver help");
        return false;
    }
    const HWND root = command->window ? FindRoot(10000) : nullptr;
    if (command->window && root == nullptr) {
        Error(json, L"no window");
        return false;
    }
    const Args rest(args.begin() + 1, args.end());
    command->run(Call{root, rest}, json);
    return true;
}

void Answer(const Json& json) {
    const std::string line = json.Text() + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// A line of the form ["name", "text", 12]: strings (with JSON's escapes) and whole numbers.
bool ParseLine(std::string_view line, Args& args) {
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    };
    const auto hex = [&](std::size_t at) { return std::strtoul(std::string(line.substr(at, 4)).c_str(), nullptr, 16); };
    skipBlanks();
    if (i >= line.size() || line[i++] != '[') return false;
    for (;;) {
        skipBlanks();
        if (i < line.size() && line[i] == ']') return true;
        std::wstring value;
        if (i < line.size() && line[i] == '"') {
            std::string raw;  // UTF-8 bytes as they come, turned into UTF-16 before each escape
            const auto flush = [&] {
                std::wstring wide(raw.size(), L'\0');
                wide.resize(MultiByteToWideChar(CP_UTF8, 0, raw.data(), static_cast<int>(raw.size()), wide.data(),
                                                static_cast<int>(wide.size())));
                value += wide;
                raw.clear();
            };
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] != '\\') {
                    raw += line[i];
                    continue;
                }
                flush();
                if (++i >= line.size()) return false;
                switch (line[i]) {
                case 'n': value += L'\n'; break;
                case 'r': value += L'\r'; break;
                case 't': value += L'\t'; break;
                case 'b': value += L'\b'; break;
                case 'f': value += L'\f'; break;
                case 'u':
                    if (i + 4 >= line.size()) return false;
                    value += static_cast<wchar_t>(hex(i + 1));
                    i += 4;
                    break;
                default: value += static_cast<wchar_t>(line[i]); break;  // " \ /
                }
            }
            flush();
            if (i++ >= line.size()) return false;
        } else {
            while (i < line.size() && (line[i] == '-' || (line[i] >= '0' && line[i] <= '9'))) value += line[i++];
            if (value.empty()) return false;
        }
        args.push_back(value);
        skipBlanks();
        if (i < line.size() && line[i] == ',') ++i;
    }
}

int Serve() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char chunk[4096];
    for (;;) {
        std::size_t end;
        while ((end = pending.find('\n')) == std::string::npos) {
            DWORD read = 0;
            if (!ReadFile(input, chunk, sizeof chunk, &read, nullptr) || read == 0) return 0;
            pending.append(chunk, read);
        }
        Args args;
        Json json;
        if (ParseLine(std::string_view(pending).substr(0, end), args))
            Run(args, json);
        else
            Error(json, L"not a JSON array of strings and numbers");
        pending.erase(0, end + 1);
        Answer(json);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring_view(argv[1]) == L"serve") return Serve();
    Json json;
    const bool ran = Run(Args(argv + 1, argv + argc), json);
    Answer(json);
    return ran ? 0 : 2;
}
