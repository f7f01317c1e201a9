#pragma once
// The job of one Schedule as a task of the Task Scheduler 2.0, for computers whose AT interface
// is off (every default Windows 8 and later): the same task, to the same effect as the AT
// service gives the same record, written in the documented task schema (version 1.2, the level
// of Windows Vista).

#include <optional>
#include <string>

#include "core/AtInfo.h"
#include "core/Calendar.h"
#include "core/CommandLine.h"

struct TaskDefinition {
    std::u16string Xml;          // the whole definition
    std::u16string RunAs;        // the account (a SID) it runs as
    std::uint32_t LogonType;     // how it logs on to run (Codes::LogonServiceAccount)
};

// The task for `job` as of `now` on the target's calendar, or why its command can't go into one.
struct TaskDefinitionOrProblem {
    std::optional<TaskDefinition> definition;
    std::optional<CommandProblem> problem;
};
TaskDefinitionOrProblem MakeTaskDefinition(const AtInfo& job, const LocalTime& now);
