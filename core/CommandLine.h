#pragma once
// A command line as the Task Scheduler takes it: a program and its arguments apart.

#include <optional>
#include <string_view>

// Why a command line can't go into a task.
struct CommandProblem {
    enum Kind {
        NoProgram,   // nothing but blanks
        TooLong,     // a program path of more than 260 characters, the schema's limit
        Unwritable,  // characters an XML document can't hold (control characters, half a surrogate
                     // pair), or a line end or tab in the program, whose path can't have one
    } kind;
};

struct CommandLineParts {
    std::u16string_view program, arguments;  // views into the command line
    std::optional<CommandProblem> problem;   // set: no task can hold it
};

// The program is the first token, split as the platform splits a command line (quoted, or up
// to a blank), the arguments the rest after the blanks that follow it, as they stand.
CommandLineParts SplitCommandLine(std::u16string_view line);
