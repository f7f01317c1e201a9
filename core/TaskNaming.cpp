#include "core/TaskNaming.h"

#include "core/Digits.h"
#include "core/PlatformCodes.h"

NamedRegistration RegisterUnderFreeName(TaskFolder& folder, const TaskDefinition& task) {
    std::u16string name;
    // Bounded, so that a folder that says every name is taken can't keep the window waiting.
    for (std::uint32_t n = 1; n <= 10'000; ++n) {
        name = u"At" + Digits(n, 10);
        const std::uint32_t found = folder.Find(name);
        if (Codes::Succeeded(found)) continue;                   // a task has that name
        if (found != Codes::TaskNotFound) return {found, name};  // it can't be told whether the name is free
        const std::uint32_t result = folder.Register(name, task);
        if (result != Codes::TaskExists && result != Codes::TaskFileExists) return {result, name};
        // Another program has taken the name since: the next.
    }
    return {Codes::TaskExists, name};  // every name is taken: a failure, never a registration
}
