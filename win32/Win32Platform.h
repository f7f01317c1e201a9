#pragma once
// The Schedule command's platform on Windows: netapi32's NetScheduleJobAdd and NetRemoteTOD, the
// Task Scheduler, message boxes and the clock.

#include <windows.h>

#include "core/SchedulePlatform.h"
#include "win32/WindowText.h"

class Win32Platform final : public SchedulePlatform {
public:
    explicit Win32Platform(HWND owner) : owner_(owner) {}

    RouteResult SubmitJob(const std::u16string& computer, const AtInfo& job) override;
    bool Ask(const Message& question) override;
    Clocks Now(const std::u16string& computer) override;
    RouteResult RegisterTask(const std::u16string& computer, const TaskDefinition& task) override;

private:
    HWND owner_;
};

// Shows `message` in a modal box owned by `owner`; the button that closed it (IDOK, IDYES ...).
int ShowMessage(HWND owner, const Message& message);
