#pragma once
// A computer's name, as the user typed it, in the form each way to its scheduling service takes.
// NetScheduleJobAdd and NetRemoteTOD take a DNS or NetBIOS name, and \\NAME as well: the name as
// typed.

#include <string>
#include <string_view>

// The name that ITaskService::Connect takes: "the name of the computer", without the leading
// backslashes of the form \\SRV-7, which Windows Server 2008 refuses there, and without blanks
// around it; empty, this computer, where nothing else is left.
std::u16string TaskSchedulerName(std::u16string_view typed);
