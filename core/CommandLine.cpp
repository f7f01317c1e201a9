#include "core/CommandLine.h"

#include "core/Utf16.h"

namespace {

using Text = std::u16string_view;

constexpr std::size_t LongestPath = 260;  // the schema's pathType

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Whether XML 1.0 can hold every character of `text`: no control character but tab and line
// ends, no half of a surrogate pair, no U+FFFE or U+FFFF.
bool Writable(Text text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
        } else if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || IsHighSurrogate(c) || IsLowSurrogate(c) ||
                   c >= 0xFFFE) {
            return false;
        }
    }
    return true;
}

// A path has no control character: Windows refuses 1 to 31 in a file's name, the tab and the
// line ends among them, which XML would otherwise hold.
bool HasControlCharacter(Text text) {
    for (const char16_t c : text)
        if (c < 0x20) return true;
    return false;
}

}  // namespace

CommandLineParts SplitCommandLine(Text whole) {
    Text line = whole;
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    const bool quoted = !line.empty() && line.front() == u'"';
    std::size_t end = quoted ? line.find(u'"', 1) : 0;
    while (!quoted && end < line.size() && !IsBlank(line[end])) ++end;
    CommandLineParts parts;
    parts.program = quoted ? line.substr(1, end == Text::npos ? Text::npos : end - 1) : line.substr(0, end);
    parts.arguments = end == Text::npos ? Text{} : line.substr(end + quoted);
    while (!parts.arguments.empty() && IsBlank(parts.arguments.front())) parts.arguments.remove_prefix(1);
    if (parts.program.empty()) {
        parts.problem = {CommandProblem::NoProgram};
    } else if (parts.program.size() > LongestPath) {
        parts.problem = {CommandProblem::TooLong};
    } else if (!Writable(whole) || HasControlCharacter(parts.program)) {
        parts.problem = {CommandProblem::Unwritable};
    }
    return parts;
}
