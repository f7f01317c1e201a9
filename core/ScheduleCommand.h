#pragma once
// The Schedule command: builds a job from the window's entries, hands it to the scheduling
// service, and decides what the user is told. Where the service's AT interface is off, it asks
// whether to add the same job to the computer's Task Scheduler instead. The platform stands
// behind one seam, which the command calls and which never calls back; what the window shows
// at the end comes back as a value.

#include <cstdint>
#include <optional>
#include <string>

#include "core/Digits.h"
#include "core/FillJobInfo.h"
#include "core/TaskDefinition.h"

enum class MessageKind { Information, Warning, Error, Question };  // a question asks Ja or Nein, Ja first

struct Message {
    std::u16string text, title;
    MessageKind kind;
    bool operator==(const Message&) const = default;
};

// What the service of a computer answered to NetScheduleJobAdd.
struct SubmitResult {
    std::uint32_t status;      // 0: the job was added
    std::uint32_t jobId;       // its number
    std::u16string errorText;  // the platform's own text for a status other than 0, if it has one
};

// What a computer's Task Scheduler answered to a registration.
struct TaskRegistration {
    std::uint32_t result;      // an HRESULT; 0: the task was registered
    std::u16string name;       // under this name
    std::u16string errorText;  // the platform's own text for a failure, if it has one
};

// The platform: the services of some computer, the user, the clock.
class SchedulePlatform {
public:
    // Hands `job` to the scheduling service of `server` (nullptr: this computer) through
    // NetScheduleJobAdd.
    virtual SubmitResult SubmitJob(const char16_t* server, const AtInfo& job) = 0;
    // Asks the user; true for Ja.
    virtual bool Ask(const Message& question) = 0;
    // This computer's date and time of day.
    virtual LocalTime Now() = 0;
    // Registers `task` in the top folder of the Task Scheduler of `server` (empty: this
    // computer), under the lowest name At<N> that is free there.
    virtual TaskRegistration RegisterTask(const std::u16string& server, const TaskDefinition& task) = 0;

protected:
    ~SchedulePlatform() = default;
};

// The entry the window should put the focus in after a message about it.
enum class FieldToFix { None, RunTime, DayList, CommandLine };

// What a click leaves the window to do: the message to show last (none where the user said
// Nein), and where the focus goes.
struct Outcome {
    std::optional<Message> message;
    FieldToFix field = FieldToFix::None;
};

// NetScheduleJobAdd's answer where the AT interface of the computer is off (ERROR_NOT_SUPPORTED).
inline constexpr std::uint32_t AtInterfaceOff = 50;

// One click on "Schedule".
Outcome Command1_Click(const WindowFields& fields, SchedulePlatform& platform);

// The messages Command1_Click shows, exposed for their own tests.
extern const char16_t* const MessageTitle;
std::u16string ConfirmationText(std::uint32_t jobId);
std::u16string ConversionErrorText(const ConversionError& error);
std::u16string ServiceErrorText(std::uint32_t status, const std::u16string& platformText);
std::u16string TaskErrorText(std::uint32_t result, const std::u16string& platformText);
