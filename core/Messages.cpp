#include "core/Messages.h"

#include "core/Digits.h"
#include "core/PlatformCodes.h"
#include "core/Texts.h"
#include "core/Utf16.h"

namespace {

// Control and format characters: invisible in a message box, and the bidirectional ones among
// them would reorder its text. Half a surrogate pair has no picture either.
bool IsShownByCode(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xAD || (c >= 0x600 && c <= 0x605) || c == 0x61C ||
           c == 0x6DD || c == 0x70F || c == 0x180E || (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB) ||
           (c >= 0xD800 && c <= 0xDFFF) || (c >= 0x1D173 && c <= 0x1D17A) || (c >= 0xE0000 && c <= 0xE007F);
}

// "Auf dem Computer „HOST“", or "Auf diesem Computer" for this one.
std::u16string OnComputer(const std::u16string& computer) {
    return computer.empty() ? Texts::OnThisComputer : Fill(Texts::OnComputer, {Quoted(computer)});
}

// "von „HOST“", or "dieses Computers" for this one.
std::u16string OfComputer(const std::u16string& computer) {
    return computer.empty() ? Texts::OfThisComputer : Fill(Texts::OfComputer, {Quoted(computer)});
}

// The hints, by the way the job went, the answer that came back, and the computer it came from.
// The same answer has another cause on another way or from another computer: access denied from
// a named computer is also Windows' remote restriction of local accounts, and a Task Scheduler
// that can't be reached right after its AT interface answered is behind a firewall. A success's
// hint follows the confirmation.
enum class From { Either, ThisComputer, NamedComputer };
struct HintRow {
    Way way;
    std::uint32_t code;
    From from;
    const char16_t* hint;
};
constexpr HintRow Hints[] = {
    {Way::AtService, Codes::AccessDenied, From::ThisComputer, Texts::AdminHint},
    {Way::AtService, Codes::AccessDenied, From::NamedComputer, Texts::RemoteAdminHint},
    {Way::AtService, Codes::BadNetPath, From::NamedComputer, Texts::UnreachableHint},
    {Way::AtService, Codes::ServerUnavailable, From::NamedComputer, Texts::UnreachableHint},
    {Way::AtService, Codes::EndpointNotRegistered, From::Either, Texts::ServiceDownHint},
    {Way::AtService, Codes::ServiceNotStarted, From::Either, Texts::ServiceDownHint},
    {Way::TaskScheduler, Codes::TaskAccessDenied, From::ThisComputer, Texts::AdminHint},
    {Way::TaskScheduler, Codes::TaskAccessDenied, From::NamedComputer, Texts::RemoteAdminHint},
    {Way::TaskScheduler, Codes::TaskBadNetPath, From::NamedComputer, Texts::FirewallHint},
    {Way::TaskScheduler, Codes::TaskServerUnavailable, From::NamedComputer, Texts::FirewallHint},
    {Way::TaskScheduler, Codes::SchedulerNotRunning, From::Either, Texts::ServiceDownHint},
    {Way::TaskScheduler, Codes::ClassNotRegistered, From::Either, Texts::NoTaskSchedulerHint},
    {Way::TaskScheduler, Codes::SomeTriggersFailed, From::Either, Texts::SomeTriggersFailedHint},
    {Way::TaskScheduler, Codes::BatchLogonProblem, From::Either, Texts::BatchLogonHint},
};

std::u16string WithHint(std::u16string text, Way way, std::uint32_t code, const std::u16string& computer) {
    if (const auto hint = Hint(way, code, computer); !hint.empty()) (text += u"\n\n") += hint;
    return text;
}

}  // namespace

std::u16string Fill(std::u16string_view text, std::initializer_list<std::u16string_view> values) {
    std::u16string filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t n = i + 1 < text.size() && text[i] == u'%' ? std::size_t(text[i + 1] - u'1') : values.size();
        if (n < values.size()) {
            filled += values.begin()[n];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

std::u16string Quoted(std::u16string_view piece) {
    constexpr std::size_t Longest = 40;
    std::u16string_view kept = piece.substr(0, Longest);
    if (kept.size() < piece.size() && !kept.empty() && IsHighSurrogate(kept.back())) kept.remove_suffix(1);

    std::u16string shown = u"„";
    for (std::size_t i = 0; i < kept.size(); ++i) {
        char32_t c = kept[i];
        const bool pair = IsHighSurrogate(c) && i + 1 < kept.size() && IsLowSurrogate(kept[i + 1]);
        if (pair) c = 0x10000 + ((c - 0xD800) << 10) + (kept[i + 1] - 0xDC00);
        if (IsShownByCode(c)) {
            shown += u"[U+" + Digits(c, 16, 4) + u"]";
        } else {
            shown += kept.substr(i, pair ? 2 : 1);
        }
        i += pair;
    }
    if (kept.size() < piece.size()) shown += u"…";
    return shown + u"“";
}

std::u16string Hint(Way way, std::uint32_t code, const std::u16string& computer) {
    const From from = computer.empty() ? From::ThisComputer : From::NamedComputer;
    for (const HintRow& row : Hints)
        if (row.way == way && row.code == code && (row.from == from || row.from == From::Either))
            return Fill(row.hint, {OnComputer(computer), OfComputer(computer)});
    return {};
}

std::u16string ConversionErrorText(const ConversionError& error) {
    const std::u16string piece = Quoted(error.piece);
    switch (error.kind) {
    case ConversionError::BadTime:
        return Fill(Texts::NotATime, {Texts::TimeCaption, piece}) + u"\n\n" + Texts::TimesAccepted;
    case ConversionError::EmptyDay:
        return Fill(Texts::DayMissing, {Texts::DaysCaption}) + u"\n\n" + Texts::DaysAccepted;
    case ConversionError::BadDayOfMonth:
        return Fill(Texts::NotADayOfTheMonth, {Texts::DaysCaption, piece}) + u"\n\n" + Texts::DaysAccepted;
    case ConversionError::BadWeekday:
        break;
    }
    return Fill(Texts::NotAWeekday, {Texts::DaysCaption, piece}) + u"\n\n" + Texts::DaysAccepted;
}

std::u16string CommandProblemText(CommandProblem problem, std::u16string_view commandLine) {
    switch (problem.kind) {
    case CommandProblem::NoProgram:
        return Fill(Texts::NoProgram, {Texts::CommandCaption});
    case CommandProblem::TooLong:
        return Fill(Texts::ProgramTooLong, {Texts::CommandCaption});
    case CommandProblem::Unwritable:
        break;
    }
    return Fill(Texts::Unstorable, {Texts::CommandCaption, Quoted(commandLine)});
}

std::u16string QuestionText(const std::u16string& computer) {
    return Fill(Texts::AtInterfaceOff, {OnComputer(computer), OfComputer(computer)});
}

std::u16string ConfirmationText(std::u16string_view text, const std::u16string& job, const std::u16string& computer,
                                Way way, std::uint32_t status) {
    return WithHint(Fill(text, {job, OfComputer(computer)}), way, status, computer);
}

std::u16string FailureText(std::u16string_view text, std::uint32_t code, const std::u16string& platformText, Way way,
                           const std::u16string& computer) {
    std::u16string said = Fill(text, {Digits(code, 10), Digits(code, 16)});
    said += platformText.empty() ? u"." : u": " + platformText;
    return WithHint(std::move(said), way, code, computer);
}
