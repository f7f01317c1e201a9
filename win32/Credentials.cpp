#include "win32/Credentials.h"

#include <wincred.h>

#include "win32/SystemLibrary.h"
#include "win32/WindowText.h"

namespace {

HMODULE credui = nullptr;

// A text buffer of `length` code units and a terminator, for the platform to write into.
std::u16string Room(std::size_t length) { return std::u16string(length + 1, u'\0'); }

// Cuts `text` at its first terminator, where the platform's text ended.
void Terminated(std::u16string& text) { text.resize(text.find(u'\0')); }

}  // namespace

std::uint32_t PromptForAccount(HWND owner, const std::u16string& target, const Message& request, bool again,
                               Account& account) {
    static decltype(&CredUIPromptForCredentialsW) prompt = nullptr;
    DWORD error = 0;
    if (prompt == nullptr) prompt = SystemFunction<decltype(prompt)>(L"credui.dll", credui, "CredUIPromptForCredentialsW", error);
    if (prompt == nullptr) return error;

    CREDUI_INFOW info{sizeof info, owner, Wide(request.text), Wide(request.title), nullptr};
    std::u16string user = Room(Codes::MaxUserNameLength);
    if (again) account.user.copy(user.data(), std::min<std::size_t>(account.user.size(), Codes::MaxUserNameLength));
    account.password.Wipe();  // the dialog would show what the buffer holds
    BOOL save = FALSE;
    const DWORD flags = CREDUI_FLAGS_DO_NOT_PERSIST | CREDUI_FLAGS_EXCLUDE_CERTIFICATES |
                        (again ? CREDUI_FLAGS_INCORRECT_PASSWORD : 0);
    const DWORD answer = prompt(&info, Wide(target), nullptr, again ? ERROR_LOGON_FAILURE : 0,
                                reinterpret_cast<PWSTR>(user.data()), static_cast<ULONG>(user.size()),
                                reinterpret_cast<PWSTR>(account.password.data()),
                                static_cast<ULONG>(account.password.capacity()), &save, flags);
    if (answer != NO_ERROR) {
        account.password.Wipe();
        return answer;
    }
    Terminated(user);
    account.user = std::move(user);
    return NO_ERROR;
}

std::uint32_t SplitUserName(const std::u16string& account, std::u16string& user, std::u16string& domain) {
    static decltype(&CredUIParseUserNameW) parse = nullptr;
    DWORD error = 0;
    if (parse == nullptr) parse = SystemFunction<decltype(parse)>(L"credui.dll", credui, "CredUIParseUserNameW", error);
    if (parse == nullptr) return error;
    user = Room(Codes::MaxUserNameLength);
    domain = Room(Codes::MaxUserNameLength);
    const DWORD answer = parse(Wide(account), reinterpret_cast<PWSTR>(user.data()), static_cast<ULONG>(user.size()),
                               reinterpret_cast<PWSTR>(domain.data()), static_cast<ULONG>(domain.size()));
    Terminated(user);
    Terminated(domain);
    return answer;
}
