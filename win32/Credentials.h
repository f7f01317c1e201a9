#pragma once
// An account for another computer: asked of the user in the platform's credential dialog, and its
// name split into user and domain, both through credui.dll from the system folder.

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/Account.h"
#include "core/SchedulePlatform.h"

// Shows the credential dialog (CredUIPromptForCredentialsW), modal to `owner`, for the computer
// `target` with `request`'s title and text; `again` says that the last name or password was wrong
// and offers that name again. The dialog keeps nothing (CREDUI_FLAGS_DO_NOT_PERSIST) and offers no
// certificate. 0 with `account` filled, ERROR_CANCELLED, or the error that kept it from showing.
std::uint32_t PromptForAccount(HWND owner, const std::u16string& target, const Message& request, bool again,
                               Account& account);

// `account`'s user and domain (CredUIParseUserNameW): "SRV\admin", "admin@example.org" and
// "admin" each into their parts. 0, or the Windows error that says why not.
std::uint32_t SplitUserName(const std::u16string& account, std::u16string& user, std::u16string& domain);
