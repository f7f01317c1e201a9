// A stand-in for mpr.dll, for the network session that carries an account to another computer:
// Wine's own has no network to make one on. WNetAddConnection2W appends "session remote=<UTF-16
// hex> user=<UTF-16 hex> password=right|wrong|none" (StandIn.h's PasswordIs) to the file that
// FAKE_NETAPI_LOG names and answers as FAKE_MPR says, a status; without it, 0 for the right
// password and ERROR_LOGON_FAILURE for another. A session it makes is noted for the stand-in
// netapi32 in this process's FAKE_SESSION ("<remote>|<user>"). WNetCancelConnection2W appends
// "cancel remote=<UTF-16 hex>", and ends the session.

#include <windows.h>
#include <winnetwk.h>

#include "tests/win32/StandIn.h"

extern "C" __declspec(dllexport) DWORD WINAPI WNetAddConnection2W(LPNETRESOURCEW resource, LPCWSTR password,
                                                                   LPCWSTR user, DWORD) {
    const std::string right = PasswordIs(password);
    std::string line = "session ";
    Field(line, "remote", resource->lpRemoteName);
    Field(line += " ", "user", user);
    Log(line + " password=" + right + "\n");
    const std::wstring answer = Environment(L"FAKE_MPR");
    const DWORD status = !answer.empty() ? Answered(answer) : right == "right" ? NO_ERROR : ERROR_LOGON_FAILURE;
    if (status == NO_ERROR) SetEnvironmentVariableW(L"FAKE_SESSION", (std::wstring(resource->lpRemoteName) + L"|" + user).c_str());
    return status;
}

extern "C" __declspec(dllexport) DWORD WINAPI WNetCancelConnection2W(LPCWSTR name, DWORD, BOOL) {
    std::string line = "cancel ";
    Field(line, "remote", name);
    Log(line + "\n");
    SetEnvironmentVariableW(L"FAKE_SESSION", nullptr);
    return NO_ERROR;
}
