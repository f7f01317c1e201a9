#include "core/ComputerName.h"

std::u16string TaskSchedulerName(std::u16string_view typed) {
    const std::size_t first = typed.find_first_not_of(u" \t\\");
    if (first == std::u16string_view::npos) return {};
    return std::u16string(typed.substr(first, typed.find_last_not_of(u" \t") + 1 - first));
}
