#pragma once
// A network session to a computer under another account, which netapi32's calls to that computer
// then ride: NetScheduleJobAdd has no account of its own, and takes the session to \\NAME\IPC$.

#include <cstdint>
#include <string>

#include "core/Account.h"

// The session to \\COMPUTER\IPC$ under `account` (none: nothing is made) for as long as the owner
// lives: made with WNetAddConnection2W of mpr.dll from the system folder, temporary, and
// cancelled with WNetCancelConnection2W when the owner goes, if the owner made it. A session that
// was there before belongs to someone else and stays.
class NetworkSession {
public:
    NetworkSession(const std::u16string& computer, const Account* account);
    ~NetworkSession();
    NetworkSession(const NetworkSession&) = delete;
    NetworkSession& operator=(const NetworkSession&) = delete;

    // 0 where the session is there (or none was asked for), else the Windows error that says why not.
    std::uint32_t status() const { return status_; }

private:
    std::u16string remote_;
    std::uint32_t status_ = 0;
    bool made_ = false;
};
