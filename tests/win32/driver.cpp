// Remote control of the job window for the end-to-end tests: finds the window, reads and
// changes its controls, presses buttons, reads and closes message boxes, lists the jobs of
// the local scheduling service. Prints JSON on one line.
//
//   driver wait                    waits until the window is there
//   driver state [DPI]             the window and its controls (with each text's extent in
//                                  Tahoma 9 pt at DPI)
//   driver set ID TEXT             sets a control's text (WM_SETTEXT)
//   driver set-file ID PATH        the same with the UTF-8 text of a file
//   driver press ID                clicks a button (check box, option) without waiting
//   driver schedule [MS]           clicks "Schedule", waits up to MS ms for the message box,
//                                  prints it and closes it with its OK button
//   driver box [MS]                waits for a message box of the window, prints and closes it
//   driver paste ID PATH           pastes the UTF-8 text of a file into a control, replacing its text
//   driver soak N TAG [BAD]        schedules N jobs in a row, each with a command of its own,
//                                  every BAD-th with a run time that can't be read
//   driver activate                makes the window the active one, as a click on it would
//   driver checkpoint [ID PATH]... [then ID PATH]...
//                                  between two bursts of a monkey test: closes any message box,
//                                  asks whether the window answers within 2 s, schedules once
//                                  (as "schedule" does) and tells whether that left the entries
//                                  as they were; pastes each file's text into its control,
//                                  counts handles and GDI objects, then pastes the files after
//                                  "then"; gives the client area's and the button's screen
//                                  rectangles, and activates the window
//   driver close [quit]            closes the window (or posts a foreign WM_QUIT to its
//                                  thread) and waits for the program to end
//   driver vetoed EXE WHAT         starts EXE with the creation of one of its windows vetoed by
//                                  test_hooks.dll (WHAT: a control id, or "window"), then
//                                  prints the message box it shows (and closes it), the windows
//                                  of the job window's class it had meanwhile, its exit code
//                                  and the windows it left
//   driver measure TEXT [DPI [WRAP]]
//                                  the extent of TEXT in Tahoma 9 pt (at DPI; wrapped at WRAP
//                                  pixels)
//   driver dpi TO FROM             moves the window from FROM to TO dots per inch as Windows
//                                  does between monitors (through test_hooks.dll) and prints
//                                  the height of the font its controls then draw with
//   driver count-presses           from now on counts the presses that reach the Schedule
//                                  button (through test_hooks.dll); checkpoint reports them
//   driver high-contrast           switches the program into high contrast as Windows would
//                                  (through test_hooks.dll; Wine can't switch itself)
//   driver accessible              each control's name and keyboard shortcut as a screen reader
//                                  reads them through Active Accessibility (IAccessible)
//   driver counts                  the program's kernel handles and GDI objects
//   driver jobs                    the jobs of the local scheduling service

#include <windows.h>
#include <lm.h>
#include <lmat.h>
#include <oleacc.h>

#include <cstdio>
#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "front/ControlIds.h"
#include "tests/win32/ProcessCounts.h"

namespace {

constexpr wchar_t Caption[] = L"Tessaro - Job hinzufügen";

struct Json {
    std::string out;
    void Raw(const char* text) { out += text; }
    void Number(long long n) { out += std::to_string(n); }
    void String(const std::wstring& text) {
        out += '"';
        for (const wchar_t c : text) {
            if (c == L'"' || c == L'\\') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c < 0x20 || c > 0x7E) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
        out += '"';
    }
    void Key(const char* key) {
        if (!out.empty() && out.back() != '{' && out.back() != '[') out += ',';
        out += '"';
        out += key;
        out += "\":";
    }
    void Item() {
        if (!out.empty() && out.back() != '{' && out.back() != '[') out += ',';
    }
    void Numbers(std::initializer_list<long long> numbers) {
        Raw("[");
        for (const long long n : numbers) {
            Item();
            Number(n);
        }
        Raw("]");
    }
    void Print() { std::printf("%s\n", out.c_str()); }
};

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

// The extent of `text` in the window's font at `dpi` as the driver's own copy of it draws it:
// on one line, or wrapped at `wrapWidth` pixels when that is given.
SIZE TextExtent(const wchar_t* text, int dpi, int wrapWidth) {
    const HDC screen = GetDC(nullptr);
    if (dpi == 0) dpi = GetDeviceCaps(screen, LOGPIXELSY);
    const HFONT font = CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0,
                                   0, L"Tahoma");
    const HGDIOBJ previous = SelectObject(screen, font);
    SIZE size{};
    if (wrapWidth > 0) {
        RECT box{0, 0, wrapWidth, 0};
        DrawTextW(screen, text, -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        size = {box.right, box.bottom};
    } else {
        GetTextExtentPoint32W(screen, text, lstrlenW(text), &size);
    }
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return size;
}

// Width, height and colour depth of each image of the program file's first icon.
std::vector<std::array<int, 3>> FileIcons(DWORD pid) {
    std::vector<std::array<int, 3>> images;
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const bool named = process && QueryFullProcessImageNameW(process, 0, path, &size);
    if (process) CloseHandle(process);
    const HMODULE file = named ? LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE) : nullptr;
    if (!file) return images;
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    if (const HRSRC group = FindResourceW(file, MAKEINTRESOURCEW(1), RT_GROUP_ICON)) {
        const auto* header = static_cast<const WORD*>(LockResource(LoadResource(file, group)));
        const auto* entries = reinterpret_cast<const GroupEntry*>(header + 3);
        for (WORD i = 0; i < header[2]; ++i)
            images.push_back({entries[i].width, entries[i].height, entries[i].bitCount});
    }
    FreeLibrary(file);
    return images;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

HWND FindRoot(DWORD waitMs) {
    for (DWORD waited = 0;; waited += 20) {
        if (const HWND root = FindWindowW(L"TessaroAddJobRoot", Caption)) return root;
        if (waited >= waitMs) return nullptr;
        Sleep(20);
    }
}

HWND RootOrDie() {
    const HWND root = FindRoot(10000);
    if (root == nullptr) {
        std::printf("{\"error\":\"no window\"}\n");
        ExitProcess(2);
    }
    return root;
}

struct BoxSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    if (GetWindow(window, GW_OWNER) == search->owner && ClassOf(window) == L"#32770" && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForBox(HWND root, DWORD waitMs) {
    for (DWORD waited = 0;; waited += 10) {
        BoxSearch search{root, nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (waited >= waitMs) return nullptr;
        Sleep(10);
    }
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
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
    for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
    return result;
}

void PrintBox(const Box& box) {
    Json json;
    json.Raw("{");
    json.Key("box");
    json.Raw(box.shown ? "true" : "false");
    if (box.shown) {
        json.Key("ms");
        json.Number(box.ms);
        json.Key("title");
        json.String(box.title);
        json.Key("text");
        json.String(box.text);
        json.Key("buttons");
        json.Raw("[");
        for (const auto& button : box.buttons) {
            json.Item();
            json.String(button);
        }
        json.Raw("]");
    }
    json.Raw("}");
    json.Print();
}

Box Schedule(HWND root, DWORD waitMs) {
    const DWORD start = GetTickCount();
    PostMessageW(GetDlgItem(root, IDC_COMMAND1), BM_CLICK, 0, 0);
    return TakeBox(root, waitMs, start);
}

void State(HWND root, int dpi) {
    Json json;
    json.Raw("{");
    json.Key("caption");
    json.String(TextOf(root));
    json.Key("style");
    json.Number(static_cast<unsigned>(GetWindowLongW(root, GWL_STYLE)));
    json.Key("exstyle");
    json.Number(static_cast<unsigned>(GetWindowLongW(root, GWL_EXSTYLE)));
    const HWND owner = GetWindow(root, GW_OWNER);
    json.Key("owner_visible");
    json.Number(owner == nullptr ? -1 : IsWindowVisible(owner));
    RECT client{};
    GetClientRect(root, &client);
    json.Key("client");
    json.Numbers({client.right, client.bottom});
    RECT frame{};
    GetWindowRect(root, &frame);
    POINT origin{0, 0};
    ClientToScreen(root, &origin);
    json.Key("frame");
    json.Numbers({frame.left, frame.top, origin.x, origin.y});
    DWORD pid = 0;
    GetWindowThreadProcessId(root, &pid);
    json.Key("file_icons");
    json.Raw("[");
    for (const auto& [width, height, bits] : FileIcons(pid)) {
        json.Item();
        json.Numbers({width, height, bits});
    }
    json.Raw("]");

    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(root, nullptr), &thread);
    json.Key("active");
    json.Number(thread.hwndActive == root);
    json.Key("focus");
    json.Number(thread.hwndFocus ? GetDlgCtrlID(thread.hwndFocus) : 0);

    json.Key("controls");
    json.Raw("[");
    for (const HWND child : Children(root)) {
        json.Item();
        json.Raw("{");
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
            const auto x = [child](LRESULT i) { return static_cast<short>(LOWORD(SendMessageW(child, EM_POSFROMCHAR, i, 0))); };
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
        json.Raw("}");
    }
    json.Raw("]}");
    json.Print();
}

std::wstring FileText(const wchar_t* path) {
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
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

// Schedules `count` jobs, each with the command "cmd /c rem TAG-<n>"; when `badTimeEvery` is
// given, every such Schedule from the first on has the run time "abc" instead (and the old one
// back after it). Prints each answer's text, how many Schedules left the entries as they were,
// and the program's handle and GDI object counts after the 10th and the last.
void Soak(HWND root, long count, const std::wstring& tag, long badTimeEvery) {
    DWORD pid = 0;
    GetWindowThreadProcessId(root, &pid);
    const HWND commandLine = GetDlgItem(root, IDC_TEXT4), runTime = GetDlgItem(root, IDC_TEXT2);
    Json json;
    json.Raw("{");
    json.Key("answers");
    json.Raw("[");
    long tenth[2] = {}, slowest = 0, kept = 0;
    for (long i = 0; i < count; ++i) {
        const std::wstring command = L"cmd /c rem " + tag + L"-" + std::to_wstring(i);
        SendMessageW(commandLine, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(command.c_str()));
        const bool badTime = badTimeEvery > 0 && i % badTimeEvery == 0;
        const std::wstring time = TextOf(runTime);
        if (badTime) SendMessageW(runTime, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
        const auto before = Entries(root);
        const Box box = Schedule(root, 10000);
        kept += Entries(root) == before;
        if (badTime) SendMessageW(runTime, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(time.c_str()));
        json.Item();
        json.String(box.text);
        slowest = std::max<long>(slowest, box.ms);
        if (i == std::min(9L, count - 1)) tenth[0] = HandleCount(pid), tenth[1] = GdiObjectCount(pid);
    }
    json.Raw("]");
    json.Key("entries_kept");
    json.Number(kept);
    json.Key("tenth");
    json.Numbers({tenth[0], tenth[1]});
    json.Key("last");
    json.Numbers({HandleCount(pid), GdiObjectCount(pid)});
    json.Key("slowest_ms");
    json.Number(slowest);
    json.Raw("}");
    json.Print();
}

bool Activate(HWND root) {
    SetForegroundWindow(root);
    for (int i = 0; i < 100 && GetForegroundWindow() != root; ++i) Sleep(20);
    return GetForegroundWindow() == root;
}

void ScreenRect(Json& json, const char* key, HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    json.Key(key);
    json.Numbers({rect.left, rect.top, rect.right, rect.bottom});
}

void Checkpoint(HWND root, wchar_t** pastes, int count) {
    DWORD pid = 0;
    GetWindowThreadProcessId(root, &pid);
    const auto pasteUntil = [&](const wchar_t* stop) {
        for (; count >= 2 && lstrcmpW(pastes[0], stop) != 0; pastes += 2, count -= 2)
            Paste(GetDlgItem(root, std::wcstol(pastes[0], nullptr, 10)), FileText(pastes[1]));
        if (count > 0) ++pastes, --count;  // past "then"
    };
    long boxesClosed = 0;
    while (TakeBox(root, 200, GetTickCount()).shown) ++boxesClosed;
    DWORD_PTR answer = 0;
    const bool responsive = SendMessageTimeoutW(root, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0;
    const auto before = Entries(root);
    const Box box = Schedule(root, 10000);
    Json json;
    json.Raw("{");
    json.Key("responsive");
    json.Raw(responsive ? "true" : "false");
    json.Key("boxes_closed");
    json.Number(boxesClosed);
    json.Key("box");
    json.String(box.shown ? box.text : L"");
    json.Key("entries_kept");
    json.Raw(Entries(root) == before ? "true" : "false");
    pasteUntil(L"then");
    json.Key("counts");
    json.Numbers({HandleCount(pid), GdiObjectCount(pid)});
    pasteUntil(L"");
    json.Key("presses");
    json.Number(reinterpret_cast<INT_PTR>(GetPropW(root, L"AddJobTestPresses")) - 1);
    POINT origin{0, 0};
    ClientToScreen(root, &origin);
    RECT client{};
    GetClientRect(root, &client);
    json.Key("client");
    json.Numbers({origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
    ScreenRect(json, "button", GetDlgItem(root, IDC_COMMAND1));
    json.Key("active");
    json.Raw(Activate(root) ? "true" : "false");
    json.Raw("}");
    json.Print();
}

void Jobs() {
    LPBYTE buffer = nullptr;
    DWORD read = 0, total = 0, resume = 0;
    const DWORD status = NetScheduleJobEnum(nullptr, &buffer, MAX_PREFERRED_LENGTH, &read, &total, &resume);
    Json json;
    json.Raw("{");
    json.Key("status");
    json.Number(status);
    json.Key("jobs");
    json.Raw("[");
    const auto* jobs = reinterpret_cast<const AT_ENUM*>(buffer);
    for (DWORD i = 0; status == 0 && i < read; ++i) {
        json.Item();
        json.Raw("[");
        json.Number(jobs[i].JobId);
        json.Raw(",");
        json.String(jobs[i].Command ? jobs[i].Command : L"");
        json.Raw("]");
    }
    json.Raw("]}");
    if (buffer) NetApiBufferFree(buffer);
    json.Print();
}

struct ProcessWindows {
    DWORD pid;
    const wchar_t* className;  // nullptr: any
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ProcessWindows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && (search->className == nullptr || ClassOf(window) == search->className))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> WindowsOf(DWORD pid, const wchar_t* className) {
    ProcessWindows search{pid, className, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring BesideMe(const wchar_t* file) {
    std::wstring path(MAX_PATH, L'\0');
    while (GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())) == path.size())
        path.resize(path.size() * 2);
    return path.substr(0, path.find_last_of(L'\\') + 1) + file;
}

// Installs a hook of test_hooks.dll for `thread` (0: every thread), or ends the driver.
HHOOK InstallHook(int type, const char* name, DWORD thread) {
    const HMODULE hooks = LoadLibraryW(BesideMe(L"test_hooks.dll").c_str());
    const auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hooks, name)));
    const HHOOK installed = proc ? SetWindowsHookExW(type, proc, hooks, thread) : nullptr;
    if (!installed) {
        std::printf("{\"error\":\"no hook\"}\n");
        ExitProcess(2);
    }
    return installed;
}

void Vetoed(const wchar_t* program, const wchar_t* what) {
    const HHOOK installed = InstallHook(WH_CBT, "VetoCreation", 0);
    SetEnvironmentVariableW(L"ADDJOB_VETO", what);
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("{\"error\":\"not started\"}\n");
        ExitProcess(2);
    }
    // The program has no window to own its message box: find the box by its process.
    HWND box = nullptr;
    for (int waited = 0; box == nullptr && waited < 15000; waited += 20) {
        for (const HWND window : WindowsOf(process.dwProcessId, L"#32770"))
            if (IsWindowVisible(window)) box = window;
        if (box == nullptr) Sleep(20);
    }
    Json json;
    json.Raw("{");
    json.Key("box_text");
    json.String(box ? TextOf(GetDlgItem(box, 0xFFFF)) : L"");
    json.Key("box_title");
    json.String(box ? TextOf(box) : L"");
    json.Key("job_windows_with_box");
    json.Number(static_cast<long long>(WindowsOf(process.dwProcessId, L"TessaroAddJobRoot").size()));
    for (const HWND child : box ? Children(box) : std::vector<HWND>{})
        if (ClassOf(child) == L"Button") PostMessageW(child, BM_CLICK, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    json.Key("ended");
    json.Raw(ended ? "true" : "false");
    json.Key("code");
    json.Number(code);
    json.Key("windows_left");
    json.Number(static_cast<long long>(WindowsOf(process.dwProcessId, nullptr).size()));
    json.Raw("}");
    json.Print();
    if (!ended) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    UnhookWindowsHookEx(installed);
}

// Waits until the hook has set `property` on the window; false after ten seconds.
bool WaitForProperty(HWND root, const wchar_t* property) {
    for (int waited = 0; waited < 10000; waited += 20) {
        if (GetPropW(root, property) != nullptr) return true;
        Sleep(20);
    }
    return false;
}

void CountPresses(HWND root) {
    const HHOOK installed = InstallHook(WH_GETMESSAGE, "StartCountingPresses", GetWindowThreadProcessId(root, nullptr));
    PostMessageW(root, RegisterWindowMessageW(L"AddJobTestCountPresses"), 0, 0);
    const bool counting = WaitForProperty(root, L"AddJobTestPresses");
    UnhookWindowsHookEx(installed);
    std::printf("{\"counting\":%s}\n", counting ? "true" : "false");
}

void HighContrast(HWND root) {
    const HHOOK installed = InstallHook(WH_GETMESSAGE, "HighContrast", GetWindowThreadProcessId(root, nullptr));
    PostMessageW(root, RegisterWindowMessageW(L"AddJobTestHighContrast"), 0, 0);
    const bool on = WaitForProperty(root, L"AddJobTestHighContrast");
    UnhookWindowsHookEx(installed);
    std::printf("{\"high_contrast\":%s}\n", on ? "true" : "false");
}

void Accessible(HWND root) {
    CoInitialize(nullptr);
    Json json;
    json.Raw("[");
    for (const HWND child : Children(root)) {
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
        json.Item();
        json.Raw("{");
        json.Key("id");
        json.Number(GetDlgCtrlID(child));
        json.Key("hr");
        json.Number(static_cast<unsigned long>(found));
        json.Key("name");
        json.String(name ? name : L"");
        json.Key("shortcut");
        json.String(shortcut ? shortcut : L"");
        json.Raw("}");
        SysFreeString(name);
        SysFreeString(shortcut);
    }
    json.Raw("]");
    json.Print();
    CoUninitialize();
}

void ChangeDpi(HWND root, int to, int from) {
    const HHOOK installed = InstallHook(WH_GETMESSAGE, "ChangeDpi", GetWindowThreadProcessId(root, nullptr));
    PostMessageW(root, RegisterWindowMessageW(L"AddJobTestChangeDpi"), to, from);
    bool done = false;
    for (int waited = 0; !done && waited < 10000; waited += 20) {
        done = reinterpret_cast<INT_PTR>(GetPropW(root, L"AddJobTestDpi")) == to;
        if (!done) Sleep(20);
    }
    UnhookWindowsHookEx(installed);
    std::printf("{\"done\":%s,\"font_height\":%ld}\n", done ? "true" : "false",
                static_cast<long>(reinterpret_cast<INT_PTR>(GetPropW(root, L"AddJobTestFontHeight"))));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const auto number = [&](int i, long fallback) { return argc > i ? std::wcstol(argv[i], nullptr, 10) : fallback; };

    if (command == L"wait") {
        std::printf(FindRoot(static_cast<DWORD>(number(2, 15000))) ? "{\"window\":true}\n" : "{\"window\":false}\n");
    } else if (command == L"state") {
        State(RootOrDie(), number(2, 0));
    } else if (command == L"set" && argc > 3) {
        SendMessageW(GetDlgItem(RootOrDie(), number(2, 0)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
        std::printf("{}\n");
    } else if (command == L"set-file" && argc > 3) {
        const std::wstring text = FileText(argv[3]);
        SendMessageW(GetDlgItem(RootOrDie(), number(2, 0)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        std::printf("{\"length\":%u}\n", static_cast<unsigned>(text.size()));
    } else if (command == L"press" && argc > 2) {
        PostMessageW(GetDlgItem(RootOrDie(), number(2, 0)), BM_CLICK, 0, 0);
        std::printf("{}\n");
    } else if (command == L"schedule") {
        PrintBox(Schedule(RootOrDie(), static_cast<DWORD>(number(2, 10000))));
    } else if (command == L"box") {
        PrintBox(TakeBox(RootOrDie(), static_cast<DWORD>(number(2, 5000)), GetTickCount()));
    } else if (command == L"paste" && argc > 3) {
        Paste(GetDlgItem(RootOrDie(), number(2, 0)), FileText(argv[3]));
        std::printf("{}\n");
    } else if (command == L"soak" && argc > 3) {
        Soak(RootOrDie(), number(2, 1), argv[3], number(4, 0));
    } else if (command == L"activate") {
        std::printf("{\"active\":%s}\n", Activate(RootOrDie()) ? "true" : "false");
    } else if (command == L"checkpoint") {
        Checkpoint(RootOrDie(), argv + 2, argc - 2);
    } else if (command == L"vetoed" && argc > 3) {
        Vetoed(argv[2], argv[3]);
    } else if (command == L"close") {
        const HWND root = RootOrDie();
        DWORD pid = 0;
        GetWindowThreadProcessId(root, &pid);
        const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
        if (argc > 2 && std::wstring(argv[2]) == L"quit")
            PostThreadMessageW(GetWindowThreadProcessId(root, nullptr), WM_QUIT, 7, 0);
        else
            PostMessageW(root, WM_SYSCOMMAND, SC_CLOSE, 0);
        const bool ended = process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
        DWORD code = 0;
        if (process) GetExitCodeProcess(process, &code);
        if (process) CloseHandle(process);
        std::printf("{\"ended\":%s,\"code\":%lu}\n", ended ? "true" : "false", static_cast<unsigned long>(code));
    } else if (command == L"measure" && argc > 2) {
        const SIZE size = TextExtent(argv[2], number(3, 0), number(4, 0));
        std::printf("{\"width\":%ld,\"height\":%ld}\n", size.cx, size.cy);
    } else if (command == L"dpi" && argc > 3) {
        ChangeDpi(RootOrDie(), number(2, 96), number(3, 96));
    } else if (command == L"high-contrast") {
        HighContrast(RootOrDie());
    } else if (command == L"accessible") {
        Accessible(RootOrDie());
    } else if (command == L"count-presses") {
        CountPresses(RootOrDie());
    } else if (command == L"counts") {
        DWORD pid = 0;
        GetWindowThreadProcessId(RootOrDie(), &pid);
        std::printf("{\"handles\":%ld,\"gdi\":%ld}\n", HandleCount(pid), GdiObjectCount(pid));
    } else if (command == L"jobs") {
        Jobs();
    } else {
        std::printf("{\"error\":\"usage\"}\n");
        return 2;
    }
    return 0;
}
