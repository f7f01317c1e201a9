#pragma once
// The job of one Schedule as a task of the Task Scheduler 2.0, for computers whose AT interface
// is off (every default Windows 8 and later). A job that the AT interface adds becomes a task
// named At<N> in the library's top folder; this makes the same task, to the same effect as the
// AT service gives the same record, written in the documented task schema (version 1.2, the
// level of Windows 7).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/AtInfo.h"

// A date and a time of day on this computer's calendar. The Task Scheduler takes a task's
// times in the target's local time and offers no way to read its clock, so the dates are
// reckoned from this computer's.
struct LocalTime {
    int Year = 0, Month = 0, Day = 0;  // month and day from 1
    std::uint32_t Milliseconds = 0;    // after midnight
    bool operator==(const LocalTime&) const = default;
};

int DaysInMonth(int year, int month);
int DayOfWeek(int year, int month, int day);  // 0 Monday ... 6 Sunday, as DaysOfWeek's bits

// The dates on which a job that runs only once on each listed day runs: for each listed day in
// the order of the record's bits (Monday first, or day 1 first), the first date at or after
// `now` with that weekday, or that day of the month (a month without it is passed over, as the
// AT service passes over a 31st), whose JobTime is still ahead; for a record without days, the
// one date at or after `now` whose JobTime is still ahead (today or tomorrow).
std::vector<LocalTime> NextRunDates(const AtInfo& job, const LocalTime& now);

// What a command line turns into for the Task Scheduler, which keeps a program and its
// arguments apart: the first token, split as the platform splits a command line (quoted, or up
// to a blank), and the rest as it stands.
struct CommandProblem {
    enum Kind {
        NoProgram,   // nothing but blanks
        TooLong,     // a program path of more than 260 characters, the schema's limit
        Unwritable,  // characters an XML document can't hold (control characters, half a surrogate pair)
    } kind;
};

// How a task logs on to run: TASK_LOGON_SERVICE_ACCOUNT, a service account that needs no one to be
// logged on and no password.
inline constexpr std::uint32_t LogonServiceAccount = 5;

struct TaskDefinition {
    std::u16string Xml;                           // the whole definition
    std::u16string RunAs;                         // the account (a SID) it runs as
    std::uint32_t LogonType = LogonServiceAccount;  // how it logs on to run
};

// The task for `job` as of `now`, or why its command can't go into one.
struct TaskDefinitionOrProblem {
    std::optional<TaskDefinition> definition;
    std::optional<CommandProblem> problem;
};
TaskDefinitionOrProblem MakeTaskDefinition(const AtInfo& job, const LocalTime& now);

// A folder of a Task Scheduler, as far as naming a new task in it goes. Both answer an HRESULT.
class TaskFolder {
public:
    // S_OK when a task of that name is there, TaskNotFound when none is.
    virtual std::uint32_t Find(const std::u16string& name) = 0;
    // Registers `task` as a new task under `name`; one of NameTaken when a task has that name.
    virtual std::uint32_t Register(const std::u16string& name, const TaskDefinition& task) = 0;

protected:
    ~TaskFolder() = default;
};

inline constexpr std::uint32_t TaskNotFound = 0x80070002;  // HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
// What registering under a name that is taken answers: Windows says ERROR_ALREADY_EXISTS, Wine
// ERROR_FILE_EXISTS.
inline constexpr std::uint32_t NameTaken[] = {0x800700B7, 0x80070050};

struct NamedRegistration {
    std::uint32_t result;  // 0: registered
    std::u16string name;   // the name it was registered under, or the one that failed
};

// Registers `task` in `folder` under At<N>, N the lowest number from 1 on that no task there
// has; when another program takes that name at the same moment, under the next free one.
NamedRegistration RegisterUnderFreeName(TaskFolder& folder, const TaskDefinition& task);
