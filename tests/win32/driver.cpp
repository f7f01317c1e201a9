// Remote control of the job window for the end-to-end tests: a few primitives over the window,
// its message boxes and the local scheduling service; the scenarios are the tests' own.
//   driver COMMAND [ARGUMENT]...  runs one command and prints its answer, a line of JSON
//   driver serve                  runs a command a line (["set", 101, "text"]), answers each
//   driver help                   lists the commands (the table at the end of this file)
// A text argument is a JSON string, or an array of UTF-16 code units for a text that UTF-8
// can't carry (half a surrogate pair).

#include <windows.h>
#include <lm.h>
#include <lmat.h>
#include <oleacc.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/win32/HookNames.h"
#include "tests/win32/ProcessCounts.h"
#include "win32/ControlIds.h"
#include "win32/Win32Handles.h"
#include "win32/WindowFont.h"
#include "win32/WindowNames.h"
#include "win32/WindowText.h"

namespace {

using nlohmann::json;

std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), int(bytes.size()),
                                     nullptr, nullptr));
    return bytes;
}
std::string Utf8(const std::u16string& text) { return Utf8(std::wstring(text.begin(), text.end())); }

std::wstring FromJson(const json& value) {
    if (value.is_array()) return std::wstring(value.begin(), value.end());  // code units
    const auto& bytes = value.get_ref<const std::string&>();
    std::wstring text(bytes.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), int(bytes.size()), text.data(), int(text.size())));
    return text;
}

// Asks `done` every 10 ms until it says yes or `timeoutMs` have passed; whether it said yes.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    for (DWORD waited = 0; !done(); waited += 10) {
        if (waited >= timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    return {name, static_cast<std::size_t>(GetClassNameW(window, name, 64))};
}

BOOL CALLBACK Add(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The children of `parent`, or the top-level windows for nullptr.
std::vector<HWND> Windows(HWND parent) {
    std::vector<HWND> found;
    if (parent) EnumChildWindows(parent, Add, reinterpret_cast<LPARAM>(&found));
    else EnumWindows(Add, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The extent of `text` in Tahoma 9 pt at `dpi`, as the driver's own copy of the window's font
// draws it: on one line, or wrapped at `wrapWidth` pixels when that is given. "&x" shows as x.
SIZE TextExtent(const std::wstring& text, int dpi, int wrapWidth) {
    const WindowDC screen(nullptr);
    const UniqueFont font = WindowFont(dpi);
    const SelectedObject selected(screen.get(), font.get());
    RECT box{0, 0, wrapWidth, 0};
    const UINT format = wrapWidth ? DT_WORDBREAK | DT_NOPREFIX : DT_SINGLELINE;
    DrawTextW(screen.get(), text.c_str(), -1, &box, DT_CALCRECT | format);
    return {box.right, box.bottom};
}

// The job window, and a handle to its program kept from the moment a window of it was first
// found, so that its exit code can be read however it ends.
struct Program {
    HWND root = nullptr;
    DWORD pid = 0;
    UniqueKernelObject process;
} program;

void Adopt(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == program.pid) return;
    program.pid = pid;
    program.process.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid));
}

HWND FindRoot(DWORD waitMs) {
    HWND root = nullptr;
    WaitFor([&] { return (root = FindWindowW(RootClassName, RootCaption())) != nullptr; }, waitMs);
    if (root) Adopt(program.root = root);
    return root;
}

// The program's message box on show: one that the job window owns, or one without an owner that
// carries the window's caption (what a program that could not build its window shows).
HWND FindBox(HWND root) {
    for (const HWND window : Windows(nullptr)) {
        const HWND owner = GetWindow(window, GW_OWNER);
        if (ClassOf(window) == L"#32770" && IsWindowVisible(window) &&
            ((root && owner == root) || (!owner && TextOf(window) == Texts::WindowCaption)))
            return window;
    }
    return nullptr;
}

INT_PTR Property(HWND root, const wchar_t* name) { return reinterpret_cast<INT_PTR>(GetPropW(root, name)); }

// A hook of test_hooks.dll (found beside the driver, the first place searched) for `thread`.
UniqueHook InstallHook(int type, const char* name, DWORD thread) {
    static const HMODULE hooks = LoadLibraryW(L"test_hooks.dll");
    const auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hooks, name)));
    return UniqueHook(proc ? SetWindowsHookExW(type, proc, hooks, thread) : nullptr);
}

// The commands. `args` are the command's arguments, `root` the job window for those that need it.

using Args = std::vector<json>;
long Number(const Args& args, std::size_t i, long fallback) { return i < args.size() ? long(args[i]) : fallback; }
HWND Item(HWND root, const Args& args) { return GetDlgItem(root, args.at(0).get<int>()); }

// Whether the window is there, shown, and waiting for input (a click posted earlier can get lost).
json Wait(HWND, const Args& args) {
    const DWORD waitMs = Number(args, 0, 15000);
    const HWND root = FindRoot(waitMs);
    return {{"window", root && WaitFor([&] { return IsWindowVisible(root) != FALSE; }, waitMs) &&
                           WaitForInputIdle(program.process.get(), waitMs) == 0}};
}

json State(HWND root, const Args& args) {
    const int dpi = Number(args, 0, 0);
    RECT client{}, frame{};
    GetClientRect(root, &client);
    GetWindowRect(root, &frame);
    POINT origin{0, 0};
    ClientToScreen(root, &origin);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(root, nullptr), &thread);
    const HWND owner = GetWindow(root, GW_OWNER);
    json state = {{"caption", Utf8(TextOf(root))}, {"style", DWORD(GetWindowLongW(root, GWL_STYLE))},
                  {"exstyle", DWORD(GetWindowLongW(root, GWL_EXSTYLE))},
                  {"owner_visible", owner ? IsWindowVisible(owner) : -1}, {"client", {client.right, client.bottom}},
                  {"frame", {frame.left, frame.top, origin.x, origin.y}}, {"active", thread.hwndActive == root},
                  {"focus", thread.hwndFocus ? GetDlgCtrlID(thread.hwndFocus) : 0}, {"controls", json::array()}};
    for (const HWND child : Windows(root)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&rect), 2);
        const std::u16string text16 = TextOf(child);
        const std::wstring text(text16.begin(), text16.end()), kind = ClassOf(child);
        json control = {{"id", GetDlgCtrlID(child)}, {"class", Utf8(kind)}, {"text", Utf8(text)},
                        {"style", DWORD(GetWindowLongW(child, GWL_STYLE))},
                        {"rect", {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}}};
        if (kind == L"Button") control["checked"] = SendMessageW(child, BM_GETCHECK, 0, 0);
        if (kind == L"Edit" && !text.empty()) {
            // Where the text's last character starts: tells which font the box draws with.
            const auto x = [child](std::size_t i) { return short(LOWORD(SendMessageW(child, EM_POSFROMCHAR, i, 0))); };
            control["last_char_x"] = x(text.size() - 1) - x(0);
        }
        if (dpi > 0) {
            control["text_width"] = TextExtent(text, dpi, 0).cx;
            control["text_width_but_last"] = text.empty() ? 0 : TextExtent(text.substr(0, text.size() - 1), dpi, 0).cx;
            control["wrapped_height"] = TextExtent(text, dpi, rect.right - rect.left).cy;
        }
        state["controls"].push_back(control);
    }
    return state;
}

json Set(HWND root, const Args& args) {
    return {{"set", SendMessageW(Item(root, args), WM_SETTEXT, 0, LPARAM(FromJson(args.at(1)).c_str())) == TRUE}};
}

// Pastes into a control the way a user does, through the clipboard: in place of its text, or
// after it (APPEND 1).
json Paste(HWND root, const Args& args) {
    const std::wstring text = FromJson(args.at(1));
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);  // the clipboard owns it now
    CloseClipboard();
    const LRESULT end = SendMessageW(Item(root, args), WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(Item(root, args), EM_SETSEL, Number(args, 2, 0) ? end : 0, -1);
    SendMessageW(Item(root, args), WM_PASTE, 0, 0);
    return json::object();
}

// A click on "Schedule" may open a modal box, so it is posted; a click on any other button is
// sent, so that it has been handled when the answer comes.
json Press(HWND root, const Args& args) {
    const HWND button = Item(root, args);
    if (GetDlgCtrlID(button) == IDC_COMMAND1) return {{"posted", PostMessageW(button, BM_CLICK, 0, 0) != 0}};
    DWORD_PTR result = 0;
    return {{"sent", SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0}};
}

// Waits up to MS ms for the program's message box, reads it, and presses its button number
// BUTTON (from 0; -1: the last one, OK or No; -2: none, the box stays); a dialog that stays up
// even so (Wine's About box, from the system menu) is closed. With X and Y, moves the box first
// so that the middle of its last button lies at that point of the screen.
json Box(HWND, const Args& args) {
    HWND box = nullptr;
    WaitFor([&] { return (box = FindBox(FindRoot(0))) != nullptr; }, Number(args, 0, 5000));
    if (!box) return {{"box", false}};
    Adopt(box);  // a program without a window: its exit code is read through its box
    json buttons = json::array();
    std::vector<HWND> handles;
    for (const HWND child : Windows(box)) {
        if (ClassOf(child) != L"Button") continue;
        buttons.push_back(Utf8(TextOf(child)));
        handles.push_back(child);
    }
    const json answer = {{"box", true}, {"title", Utf8(TextOf(box))}, {"text", Utf8(TextOf(GetDlgItem(box, 0xFFFF)))},
                         {"buttons", buttons}};
    if (args.size() > 3 && !handles.empty()) {
        RECT frame{}, last{};
        GetWindowRect(box, &frame);
        GetWindowRect(handles.back(), &last);
        SetWindowPos(box, nullptr, frame.left + args[2].get<int>() - (last.left + last.right) / 2,
                     frame.top + args[3].get<int>() - (last.top + last.bottom) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    const long button = Number(args, 1, -1);
    if (button == -2 || handles.empty()) return answer;
    PostMessageW(handles.at(button < 0 ? handles.size() - 1 : button), BM_CLICK, 0, 0);
    if (!WaitFor([&] { return !IsWindow(box); }, 2000)) PostMessageW(box, WM_CLOSE, 0, 0);
    WaitFor([&] { return !IsWindow(box); }, 3000);
    return answer;
}

// Closes the window (close), has another program close it (WM_CLOSE, as taskkill without /f
// does), ends its loop with a foreign WM_QUIT (quit), or none of them (wait), and waits up to MS
// ms for the program to end; its exit code.
json Close(HWND, const Args& args) {
    const std::wstring how = args.empty() ? L"close" : FromJson(args[0]);
    if (how == L"close") PostMessageW(program.root, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (how == L"WM_CLOSE") PostMessageW(program.root, WM_CLOSE, 0, 0);
    if (how == L"quit") PostThreadMessageW(GetWindowThreadProcessId(program.root, nullptr), WM_QUIT, 7, 0);
    const bool ended = program.process && WaitForSingleObject(program.process.get(), Number(args, 1, 10000)) == 0;
    DWORD code = STILL_ACTIVE;
    if (ended) GetExitCodeProcess(program.process.get(), &code);
    return {{"ended", ended}, {"code", code}};
}

// Has test_hooks.dll's Hook serve one request in the window's thread (dpi TO FROM,
// high-contrast, count, marker), or installs (veto 1) or removes (veto 0) its VetoCreation for every
// program started meanwhile.
json HookCommand(HWND, const Args& args) {
    const std::wstring name = FromJson(args.at(0));
    static UniqueHook veto;
    if (name == L"veto") {
        veto = Number(args, 1, 0) ? InstallHook(WH_CBT, "VetoCreation", 0) : UniqueHook();
        return {{"answer", veto != nullptr}};
    }
    const HWND root = FindRoot(10000);
    if (!root) return {{"error", "no window"}};
    const HookAction action = name == L"dpi"             ? ChangeDpi
                              : name == L"high-contrast" ? HighContrast
                              : name == L"marker"        ? WatchMarker
                                                         : CountPresses;
    const UniqueHook installed = InstallHook(WH_GETMESSAGE, "Hook", GetWindowThreadProcessId(root, nullptr));
    RemovePropW(root, DoneProperty);
    PostMessageW(root, RegisterWindowMessageW(HookRequest), action, MAKELPARAM(Number(args, 1, 0), Number(args, 2, 0)));
    const bool done = installed && WaitFor([&] { return Property(root, DoneProperty) != 0; }, 10000);
    return {{"done", done}, {"answer", Property(root, AnswerProperty)}};
}

json Activate(HWND root, const Args&) {
    SetForegroundWindow(root);
    return {{"active", WaitFor([&] { return GetForegroundWindow() == root; }, 2000)}};
}

// Handles and GDI objects, whether the window answers within 2 s, what the press counter counted.
json Counts(HWND root, const Args&) {
    DWORD_PTR answer = 0;
    return {{"handles", HandleCount(program.pid)}, {"gdi", GdiObjectCount(program.pid)},
            {"responsive", SendMessageTimeoutW(root, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0},
            {"presses", Property(root, PressesProperty)}, {"boxes", Property(root, BoxesProperty)},
            {"warnings", Property(root, WarningsProperty)}, {"markers", Property(root, MarkersProperty)},
            {"probes", Property(root, ProbesProperty)}};
}

// Posts N probes to the window, numbered 1 to N, as another program may post it messages.
json Post(HWND root, const Args& args) {
    bool posted = true;
    for (long i = 1; i <= Number(args, 0, 1); ++i)
        posted = PostMessageW(root, RegisterWindowMessageW(ProbeMessage), i, 0) && posted;
    return {{"posted", posted}};
}

// Whether the window's thread answers a message within 500 ms, whether Windows takes the window
// for hung, and whether it shows the wait cursor (test_hooks.dll's Count, installed, says).
json Responds(HWND root, const Args&) {
    DWORD_PTR answer = 0;
    RemovePropW(root, WaitCursorProperty);
    const bool answers = SendMessageTimeoutW(root, RegisterWindowMessageW(CursorQuery), 0, 0, SMTO_ABORTIFHUNG, 500,
                                             &answer) != 0;
    return {{"answers", answers}, {"hung", IsHungAppWindow(root) != FALSE},
            {"wait_cursor", Property(root, WaitCursorProperty) == 1}};
}

// Whether the window's thread has taken N marker keys, waiting up to MS ms.
json Marker(HWND root, const Args& args) {
    const INT_PTR wanted = Number(args, 0, 1);
    return {{"seen", WaitFor([&] { return Property(root, MarkersProperty) >= wanted; }, Number(args, 1, 10000))}};
}

json Accessible(HWND root, const Args&) {
    CoInitialize(nullptr);
    json read = json::array();
    for (const HWND child : Windows(root)) {
        IAccessible* object = nullptr;
        const HRESULT found =
            AccessibleObjectFromWindow(child, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
        BSTR name = nullptr, shortcut = nullptr;
        VARIANT self{};
        self.vt = VT_I4;  // lVal 0: CHILDID_SELF
        if (SUCCEEDED(found)) {
            object->get_accName(self, &name);
            object->get_accKeyboardShortcut(self, &shortcut);
            object->Release();
        }
        read.push_back({{"id", GetDlgCtrlID(child)}, {"hr", static_cast<unsigned long>(found)},
                        {"name", Utf8(name ? name : L"")}, {"shortcut", Utf8(shortcut ? shortcut : L"")}});
        SysFreeString(name);
        SysFreeString(shortcut);
    }
    CoUninitialize();
    return read;
}

// The jobs of the local scheduling service; with "delete", each is deleted first and what is
// left is listed.
json Jobs(HWND, const Args& args) {
    json listed;
    for (int round = args.empty() ? 1 : 0; round < 2; ++round) {
        LPBYTE buffer = nullptr;
        DWORD read = 0, total = 0, resume = 0;
        const DWORD status = NetScheduleJobEnum(nullptr, &buffer, MAX_PREFERRED_LENGTH, &read, &total, &resume);
        listed = {{"status", status}, {"jobs", json::array()}};
        for (DWORD i = 0; status == 0 && i < read; ++i) {
            const AT_ENUM& job = reinterpret_cast<const AT_ENUM*>(buffer)[i];
            listed["jobs"].push_back({job.JobId, Utf8(job.Command ? job.Command : L"")});
            if (round == 0) NetScheduleJobDel(nullptr, job.JobId, job.JobId);
        }
        NetApiBufferFree(buffer);
    }
    return listed;
}

struct Command {
    const char *name, *usage;
    bool window;  // needs the job window (waits up to 10 s for it)
    json (*run)(HWND, const Args&);
};

constexpr Command Commands[] = {
    {"wait", "[MS]: whether the window is there and ready for input, waiting up to MS ms (15000)", false, Wait},
    {"state", "[DPI]: the window and its controls (with each text's extent in Tahoma 9 pt at DPI)", true, State},
    {"set", "ID TEXT: sets a control's text (WM_SETTEXT)", true, Set},
    {"paste", "ID TEXT [APPEND]: pastes TEXT into a control through the clipboard, in place of its text or after it",
     true, Paste},
    {"press", "ID: clicks a button (BM_CLICK): Schedule without waiting, any other once it is handled", true, Press},
    {"box", "[MS [BUTTON [X Y]]]: waits for the program's message box, reads it, presses BUTTON", false, Box},
    {"close", "[close|WM_CLOSE|quit|wait [MS]]: ends the program and waits for it; its exit code", false, Close},
    {"hook", "dpi TO FROM|high-contrast|count|marker|veto 1|veto 0: a request to test_hooks.dll", false,
     HookCommand},
    {"marker", "N [MS]: whether the window's thread has taken N marker keys, waiting up to MS ms", true, Marker},
    {"activate", ": makes the window the active one, as a click on it would", true, Activate},
    {"counts", ": handles, GDI objects, responsiveness, and the counted presses, boxes and probes", true, Counts},
    {"post", "N: posts N probes to the window, which the hook counts as the window's thread takes them", true, Post},
    {"responds", ": whether the window answers within 500 ms, is taken for hung, shows the wait cursor", true,
     Responds},
    {"accessible", ": each control's name and keyboard shortcut, read as a screen reader does", true, Accessible},
    {"jobs", "[delete]: the jobs of the local scheduling service (deleted first)", false, Jobs},
};

// Runs one command, given as a JSON array with its name first.
json Run(const json& line) {
    try {
        const std::string name = line.at(0);
        json help = json::array();
        for (const Command& command : Commands) help.push_back(std::string(command.name) + " " + command.usage);
        if (name == "help") return help;
        const auto command = std::find_if(std::begin(Commands), std::end(Commands),
                                          [&](const Command& c) { return name == c.name; });
        if (command == std::end(Commands)) return {{"error", "no command " + name + " (driver help lists them)"}};
        const HWND root = command->window ? FindRoot(10000) : nullptr;
        if (command->window && !root) return {{"error", "no window"}};
        return command->run(root, Args(line.begin() + 1, line.end()));
    } catch (const json::exception& e) {
        return {{"error", std::string("bad arguments: ") + e.what()}};
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const auto answer = [](const json& line) {
        const json answer = Run(line);
        std::cout << answer.dump(-1, ' ', true, json::error_handler_t::replace) << std::endl;
        return answer.contains("error") ? 2 : 0;
    };
    if (argc == 2 && std::wstring(argv[1]) == L"serve") {
        for (std::string line; std::getline(std::cin, line);) answer(json::parse(line, nullptr, false));
        return 0;
    }
    json line = json::array();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = Utf8(argv[i]);
        const bool number = i > 1 && arg.find_first_not_of("-0123456789") == std::string::npos;
        line.push_back(number ? json(std::stol(arg)) : json(arg));
    }
    return answer(line);
}
