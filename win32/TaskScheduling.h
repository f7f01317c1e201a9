#pragma once
// TaskScheduling: the registration of a task with the Task Scheduler 2.0 of a computer, through
// its ITaskService (TaskScheduling.cpp), for computers whose AT interface is off.

#include <string>

#include <windows.h>

#include "core/Account.h"
#include "core/TaskNaming.h"

namespace TaskScheduling {

// Registers `task` in the top folder of the Task Scheduler of `computer` (empty: this computer)
// under the lowest name At<N> that no task there has; when another program takes that name at
// the same moment, under the next; with `account` where one is given (nullptr: the user's own).
// COM is initialised on the calling thread for the call only, in
// its multithreaded apartment: the thread must be one that takes no window messages.
// The Task Scheduler is reached through its class's registration in the system, never through
// a DLL of the program's choosing. The result is an HRESULT.
NamedRegistration RegisterTask(const std::u16string& computer, const TaskDefinition& task, const Account* account);

}  // namespace TaskScheduling
