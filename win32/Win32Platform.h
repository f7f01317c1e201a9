#pragma once
// The Schedule command's platform on Windows: netapi32's NetScheduleJobAdd and NetRemoteTOD, the
// Task Scheduler, the network session and the credential dialog for another account, message
// boxes and the clock.

#include <windows.h>

#include "core/SchedulePlatform.h"
#include "win32/WindowText.h"

class Win32Platform final : public SchedulePlatform {
public:
    Win32Platform(HWND owner, const ThisComputerNames& here) : owner_(owner), here_(here) {}

    const ThisComputerNames& ThisComputer() override { return here_; }
    RouteResult SubmitJob(const std::u16string& computer, const AtInfo& job, const Account* account) override;
    bool Ask(const Message& question) override;
    std::uint32_t AskForAccount(const std::u16string& target, const Message& request, bool again,
                                Account& account) override;
    Clocks Now(const std::u16string& computer) override;
    RouteResult RegisterTask(const std::u16string& computer, const TaskDefinition& task,
                             const Account* account) override;

private:
    HWND owner_;
    const ThisComputerNames& here_;
};

// Shows `message` in a modal box owned by `owner`; the button that closed it (IDOK, IDYES ...).
int ShowMessage(HWND owner, const Message& message);
