#include "core/ComputerName.h"

std::u16string TaskSchedulerName(std::u16string_view typed) {
    const std::size_t first = typed.find_first_not_of(u" \t\\");
    if (first == std::u16string_view::npos) return {};
    return std::u16string(typed.substr(first, typed.find_last_not_of(u" \t") + 1 - first));
}

namespace {

char16_t Folded(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Folded(a[i]) != Folded(b[i])) return false;
    return true;
}

}  // namespace

bool IsThisComputer(std::u16string_view typed, const ThisComputerNames& names) {
    const std::u16string name = TaskSchedulerName(typed);
    if (name.empty()) return true;
    for (const std::u16string_view own : {std::u16string_view(names.netBios), std::u16string_view(names.dnsHost),
                                          std::u16string_view(names.dnsFull), std::u16string_view(u"localhost"),
                                          std::u16string_view(u"127.0.0.1"), std::u16string_view(u"::1")})
        if (!own.empty() && SameName(name, own)) return true;
    return false;
}

std::u16string LogonDomain(std::u16string_view domain, std::u16string_view computer) {
    return domain.empty() || domain == u"." ? TaskSchedulerName(computer) : std::u16string(domain);
}
