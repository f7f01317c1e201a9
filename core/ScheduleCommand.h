#pragma once
// The Schedule command: builds a job from the window's entries, hands it to the scheduling
// service and tells the user how that went. The platform stands behind two seams.

#include <cstdint>
#include <optional>
#include <string>

#include "core/FillJobInfo.h"

// The scheduling service on some computer.
class JobScheduler {
public:
    // Hands `job` to the service of `server` (nullptr: this computer), as NetScheduleJobAdd
    // does: 0 when the job was added and *jobId holds its number, else the failure's code.
    virtual std::uint32_t SubmitJob(const char16_t* server, const AtInfo& job, std::uint32_t* jobId) = 0;
    // The platform's own text for a status code, or an empty text where it has none.
    virtual std::u16string StatusText(std::uint32_t status) = 0;

protected:
    ~JobScheduler() = default;
};

enum class MessageKind { Information, Warning, Error };

// A modal message box over the window.
class MessageBoxes {
public:
    virtual void ShowMessage(const std::u16string& text, const std::u16string& title, MessageKind kind) = 0;

protected:
    ~MessageBoxes() = default;
};

// The entry the window should put the focus in after a failed conversion.
enum class FieldToFix { None, RunTime, DayList };

// One click on "Schedule". Returns the entry that could not be converted, if any.
FieldToFix Command1_Click(const WindowFields& fields, JobScheduler& scheduler, MessageBoxes& messages);

// `n` as unsigned digits in `base` (10 or 16), no leading zeros, no grouping.
std::u16string Digits(std::uint32_t n, std::uint32_t base);

// The texts Command1_Click shows, exposed for their own tests.
extern const char16_t* const MessageTitle;
std::u16string ConfirmationText(std::uint32_t jobId);
std::u16string ConversionErrorText(const ConversionError& error);
std::u16string ServiceErrorText(std::uint32_t status, const std::u16string& platformText);
