#pragma once
// The name of a new task: At<N>, as the AT interface names the tasks it adds.

#include <cstdint>
#include <string>

#include "core/TaskDefinition.h"

// A folder of a Task Scheduler, as far as naming a new task in it goes. Both answer an HRESULT.
class TaskFolder {
public:
    // A success (S_OK) when a task of that name is there, Codes::TaskNotFound when none is.
    virtual std::uint32_t Find(const std::u16string& name) = 0;
    // Registers `task` as a new task under `name`; Codes::TaskExists or TaskFileExists when a
    // task has that name.
    virtual std::uint32_t Register(const std::u16string& name, const TaskDefinition& task) = 0;

protected:
    ~TaskFolder() = default;
};

struct NamedRegistration {
    std::uint32_t result;  // the registration's HRESULT (any success: registered), or the look-up's that stopped it
    std::u16string name;   // the name it was registered under, or the one that failed
};

// Registers `task` in `folder` under At<N>, N the lowest number from 1 on that no task there
// has; when another program takes that name at the same moment, under the next free one.
NamedRegistration RegisterUnderFreeName(TaskFolder& folder, const TaskDefinition& task);
