#include "win32/NetworkSession.h"

#include <windows.h>
#include <winnetwk.h>

#include "core/ComputerName.h"
#include "win32/SystemLibrary.h"
#include "win32/WindowText.h"

namespace {

HMODULE mpr = nullptr;

}  // namespace

NetworkSession::NetworkSession(const std::u16string& computer, const Account* account) {
    if (account == nullptr) return;
    static decltype(&WNetAddConnection2W) add = nullptr;
    DWORD error = 0;
    if (add == nullptr) add = SystemFunction<decltype(add)>(L"mpr.dll", mpr, "WNetAddConnection2W", error);
    if (add == nullptr) {
        status_ = error;
        return;
    }
    remote_ = u"\\\\" + TaskSchedulerName(computer) + u"\\IPC$";
    NETRESOURCEW resource{};
    resource.dwType = RESOURCETYPE_ANY;
    resource.lpRemoteName = const_cast<LPWSTR>(Wide(remote_));
    status_ = add(&resource, Wide(account->password.c_str()), Wide(account->user), CONNECT_TEMPORARY);
    made_ = status_ == NO_ERROR;
}

NetworkSession::~NetworkSession() {
    if (!made_) return;
    static decltype(&WNetCancelConnection2W) cancel = nullptr;
    DWORD error = 0;
    if (cancel == nullptr) cancel = SystemFunction<decltype(cancel)>(L"mpr.dll", mpr, "WNetCancelConnection2W", error);
    if (cancel != nullptr) cancel(Wide(remote_), 0, FALSE);
}
