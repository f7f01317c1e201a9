#include "win32/Win32Platform.h"

#include <utility>

#include "win32/ScheduleJobsAdding.h"
#include "win32/SystemLibrary.h"
#include "win32/TaskScheduling.h"
#include "win32/Win32Handles.h"

namespace {

// The message text of `status` from `source` (nullptr: the system's own table).
std::u16string FormattedMessage(std::uint32_t status, HMODULE source) {
    const DWORD from = source ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM;
    wchar_t* raw = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | from, source, status, 0,
                       reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    const UniqueLocalText owned(raw);
    std::u16string text(reinterpret_cast<const char16_t*>(raw), length);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
    return text;
}

// Keys and clicks that reached the window while the service call ran wait in its queue, and
// would otherwise be handled once it returns: a second Schedule, or the OK of the box that is
// about to show the first one's result, pressed before it could be read. They are dropped: the
// window takes no input while a Schedule runs.
void DropInputMadeDuringTheCall() {
    MSG message;
    for (const auto& [first, last] : {std::pair{WM_KEYFIRST, WM_KEYLAST}, {WM_MOUSEFIRST, WM_MOUSELAST},
                                     {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}})
        while (PeekMessageW(&message, nullptr, first, last, PM_REMOVE)) {
        }
}

// The platform's text for a status: network codes 2100 to 2999 have theirs in netmsg.dll, the
// rest in the system's table; an HRESULT of a Windows error has its error's.
std::u16string StatusText(std::uint32_t status) {
    if (status >= 2100 && status <= 2999) {
        const UniqueModule netmsg(LoadSystemLibrary(L"netmsg.dll", LOAD_LIBRARY_AS_DATAFILE));
        if (netmsg) {
            if (auto text = FormattedMessage(status, netmsg.get()); !text.empty()) return text;
        }
    }
    std::u16string text = FormattedMessage(status, nullptr);
    if (text.empty() && HRESULT_FACILITY(status) == FACILITY_WIN32)
        text = FormattedMessage(HRESULT_CODE(status), nullptr);
    return text;
}

}  // namespace

SubmitResult Win32Platform::SubmitJob(const char16_t* server, const AtInfo& job) {
    std::uint32_t jobId = 0;
    const std::uint32_t status = ScheduleJobsAdding::SubmitJob(server, job, &jobId);
    DropInputMadeDuringTheCall();
    return {status, jobId, status != 0 ? StatusText(status) : std::u16string()};
}

bool Win32Platform::Ask(const Message& question) { return ShowMessage(owner_, question) == IDYES; }

LocalTime Win32Platform::Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay,
            ((now.wHour * 60u + now.wMinute) * 60u + now.wSecond) * 1000u + now.wMilliseconds};
}

TaskRegistration Win32Platform::RegisterTask(const std::u16string& server, const TaskDefinition& task) {
    const auto [result, name] = TaskScheduling::RegisterTask(server, task);
    DropInputMadeDuringTheCall();
    return {result, name, result != 0 ? StatusText(result) : std::u16string()};
}

int ShowMessage(HWND owner, const Message& message) {
    const UINT style = message.kind == MessageKind::Information ? MB_OK | MB_ICONINFORMATION
                       : message.kind == MessageKind::Warning   ? MB_OK | MB_ICONWARNING
                       : message.kind == MessageKind::Error     ? MB_OK | MB_ICONERROR
                                                                : MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1;
    return MessageBoxW(owner, Wide(message.text), Wide(message.title), style);
}
