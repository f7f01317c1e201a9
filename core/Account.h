#pragma once
// An account for another computer, as the user gives it for one Schedule: its name as typed
// ("SRV-7\admin", "admin@example.org", "admin") and its password, which only a Secret holds.

#include <string>

#include "core/PlatformCodes.h"
#include "core/Secret.h"

struct Account {
    std::u16string user;
    Secret password{Codes::MaxPasswordLength + 1};
};
