#include "win32/Win32Platform.h"

#include "core/Digits.h"
#include "win32/CallOffThread.h"
#include "win32/Credentials.h"
#include "win32/NetworkSession.h"
#include "win32/ScheduleJobsAdding.h"
#include "win32/SystemLibrary.h"
#include "win32/TaskScheduling.h"
#include "win32/TimeOfDay.h"
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

// Each call that may take long is made off the window's thread, the network session for an
// account too; this computer is no name at all for netapi32.
RouteResult Win32Platform::SubmitJob(const std::u16string& computer, const AtInfo& job, const Account* account) {
    std::uint32_t jobId = 0, status = 0;
    CallOffThread(owner_, [&] {
        const NetworkSession session(computer, account);
        status = session.status() != 0 ? session.status()
                                       : ScheduleJobsAdding::SubmitJob(computer.empty() ? nullptr : computer.c_str(),
                                                                       job, &jobId);
    });
    if (status != 0) return {status, {}, StatusText(status)};
    return {status, Digits(jobId, 10), {}};
}

bool Win32Platform::Ask(const Message& question) { return ShowMessage(owner_, question) == IDYES; }

std::uint32_t Win32Platform::AskForAccount(const std::u16string& target, const Message& request, bool again,
                                           Account& account) {
    return PromptForAccount(owner_, target, request, again, account);
}

Clocks Win32Platform::Now(const std::u16string& computer) {
    Clocks clocks;
    RemoteClock target{};
    std::uint32_t status = 0;
    CallOffThread(owner_, [&] { status = TimeOfDay::ReadRemoteClock(computer.empty() ? nullptr : computer.c_str(), target); });
    if (status == 0) clocks.target = target;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    clocks.here = {now.wYear, now.wMonth, now.wDay,
                   ((now.wHour * 60u + now.wMinute) * 60u + now.wSecond) * 1000u + now.wMilliseconds};
    return clocks;
}

RouteResult Win32Platform::RegisterTask(const std::u16string& computer, const TaskDefinition& task,
                                        const Account* account) {
    NamedRegistration registered{};
    CallOffThread(owner_, [&] { registered = TaskScheduling::RegisterTask(computer, task, account); });
    const auto& [result, name] = registered;
    return {result, name, FAILED(result) ? StatusText(result) : std::u16string()};
}

int ShowMessage(HWND owner, const Message& message) {
    const UINT style = message.kind == MessageKind::Information ? MB_OK | MB_ICONINFORMATION
                       : message.kind == MessageKind::Warning   ? MB_OK | MB_ICONWARNING
                       : message.kind == MessageKind::Error     ? MB_OK | MB_ICONERROR
                                                                : MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1;
    return MessageBoxW(owner, Wide(message.text), Wide(message.title), style);
}
