#include "win32/Win32Platform.h"

#include <utility>

#include "win32/ScheduleJobsAdding.h"
#include "win32/SystemLibrary.h"
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

}  // namespace

std::uint32_t Win32Platform::SubmitJob(const char16_t* server, const AtInfo& job, std::uint32_t* jobId) {
    const std::uint32_t status = ScheduleJobsAdding::SubmitJob(server, job, jobId);
    DropInputMadeDuringTheCall();
    return status;
}

std::u16string Win32Platform::StatusText(std::uint32_t status) {
    // Network status codes 2100 to 2999 have their texts in netmsg.dll.
    if (status >= 2100 && status <= 2999) {
        const UniqueModule netmsg(LoadSystemLibrary(L"netmsg.dll", LOAD_LIBRARY_AS_DATAFILE));
        if (netmsg) {
            if (auto text = FormattedMessage(status, netmsg.get()); !text.empty()) return text;
        }
    }
    return FormattedMessage(status, nullptr);
}

void Win32Platform::ShowMessage(const std::u16string& text, const std::u16string& title, MessageKind kind) {
    const UINT icon = kind == MessageKind::Information ? MB_ICONINFORMATION
                      : kind == MessageKind::Warning   ? MB_ICONWARNING
                                                       : MB_ICONERROR;
    MessageBoxW(owner_, Wide(text), Wide(title), MB_OK | icon);
}
