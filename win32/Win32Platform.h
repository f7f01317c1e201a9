#pragma once
// The Schedule command's seams on Windows: netapi32's NetScheduleJobAdd and MessageBoxW.

#include <windows.h>

#include "core/ScheduleCommand.h"

class Win32Platform final : public JobScheduler, public MessageBoxes {
public:
    explicit Win32Platform(HWND owner) : owner_(owner) {}

    std::uint32_t SubmitJob(const char16_t* server, const AtInfo& job, std::uint32_t* jobId) override;
    std::u16string StatusText(std::uint32_t status) override;
    void ShowMessage(const std::u16string& text, const std::u16string& title, MessageKind kind) override;

private:
    HWND owner_;
};

// UTF-16 texts are wchar_t texts on Windows.
inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
