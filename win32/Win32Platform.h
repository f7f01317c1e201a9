#pragma once
// The Schedule command's platform on Windows: netapi32's NetScheduleJobAdd, the Task Scheduler,
// message boxes and the clock.

#include <windows.h>

#include "core/ScheduleCommand.h"

class Win32Platform final : public SchedulePlatform {
public:
    explicit Win32Platform(HWND owner) : owner_(owner) {}

    SubmitResult SubmitJob(const char16_t* server, const AtInfo& job) override;
    bool Ask(const Message& question) override;
    LocalTime Now() override;
    TaskRegistration RegisterTask(const std::u16string& server, const TaskDefinition& task) override;

private:
    HWND owner_;
};

// Shows `message` in a modal box owned by `owner`; the button that closed it (IDOK, IDYES ...).
int ShowMessage(HWND owner, const Message& message);

// UTF-16 texts are wchar_t texts on Windows.
inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
