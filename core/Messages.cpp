#include "core/Messages.h"

#include "core/ComputerName.h"
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
    return computer.empty() ? Utf16(Texts::OnThisComputer) : Fill(Texts::OnComputer, {Quoted(computer)});
}

// "von „HOST“", or "dieses Computers" for this one.
std::u16string OfComputer(const std::u16string& computer) {
    return computer.empty() ? Utf16(Texts::OfThisComputer) : Fill(Texts::OfComputer, {Quoted(computer)});
}

// The hints, by the way the job went, the answer that came back, the computer it came from, and
// whether an account was given for it. The same answer has another cause on another way or from
// another computer: access denied from a named computer is also Windows' remote restriction of
// local accounts, or, for an account given, that account's; a Task Scheduler that can't be reached
// right after its AT interface answered is behind a firewall. An answer about an account comes
// from either way, as a Windows error or its HRESULT. A success's hint follows the confirmation.
enum class On { AtService, TaskScheduler, Either };
enum class From { Either, ThisComputer, NamedComputer };
enum class Given { Either, NoAccount, Account };
struct HintRow {
    On way;
    std::uint32_t code;
    From from;
    Given given;
    const char8_t* hint;
};
constexpr HintRow Hints[] = {
    {On::AtService, Codes::AccessDenied, From::ThisComputer, Given::Either, Texts::AdminHint},
    {On::AtService, Codes::AccessDenied, From::NamedComputer, Given::NoAccount, Texts::RemoteAdminHint},
    {On::AtService, Codes::AccessDenied, From::NamedComputer, Given::Account, Texts::AccountNotAdminHint},
    {On::AtService, Codes::BadNetPath, From::NamedComputer, Given::Either, Texts::UnreachableHint},
    {On::AtService, Codes::ServerUnavailable, From::NamedComputer, Given::Either, Texts::UnreachableHint},
    {On::AtService, Codes::EndpointNotRegistered, From::Either, Given::Either, Texts::ServiceDownHint},
    {On::AtService, Codes::ServiceNotStarted, From::Either, Given::Either, Texts::ServiceDownHint},
    {On::TaskScheduler, Codes::TaskAccessDenied, From::ThisComputer, Given::Either, Texts::AdminHint},
    {On::TaskScheduler, Codes::TaskAccessDenied, From::NamedComputer, Given::NoAccount, Texts::RemoteAdminHint},
    {On::TaskScheduler, Codes::TaskAccessDenied, From::NamedComputer, Given::Account, Texts::AccountNotAdminHint},
    {On::TaskScheduler, Codes::TaskBadNetPath, From::NamedComputer, Given::Either, Texts::FirewallHint},
    {On::TaskScheduler, Codes::TaskServerUnavailable, From::NamedComputer, Given::Either, Texts::FirewallHint},
    {On::TaskScheduler, Codes::SchedulerNotRunning, From::Either, Given::Either, Texts::ServiceDownHint},
    {On::TaskScheduler, Codes::ClassNotRegistered, From::Either, Given::Either, Texts::NoTaskSchedulerHint},
    {On::TaskScheduler, Codes::SomeTriggersFailed, From::Either, Given::Either, Texts::SomeTriggersFailedHint},
    {On::TaskScheduler, Codes::BatchLogonProblem, From::Either, Given::Either, Texts::BatchLogonHint},
    {On::Either, Codes::LogonFailure, From::NamedComputer, Given::Account, Texts::WrongPasswordHint},
    {On::Either, Codes::InvalidPassword, From::NamedComputer, Given::Account, Texts::WrongPasswordHint},
    {On::Either, Codes::SessionConflict, From::NamedComputer, Given::Account, Texts::SessionConflictHint},
    {On::Either, Codes::NoLogonServers, From::NamedComputer, Given::Account, Texts::NoLogonServersHint},
    {On::Either, Codes::BadUserName, From::NamedComputer, Given::Account, Texts::BadUserNameHint},
    {On::Either, Codes::NoNetwork, From::NamedComputer, Given::Account, Texts::NoNetworkHint},
};

bool Matches(const HintRow& row, Way way, std::uint32_t code, From from, Given given) {
    const bool onWay = row.way == On::Either || (row.way == On::AtService) == (way == Way::AtService);
    const bool isCode = row.code == code || (row.way == On::Either && Codes::FromWin32(row.code) == code);
    return onWay && isCode && (row.from == from || row.from == From::Either) &&
           (row.given == given || row.given == Given::Either);
}

// A computer's bare name as a hint's command shows it: as Quoted shows it, without the quotes.
std::u16string BareName(const std::u16string& computer) {
    const std::u16string quoted = Quoted(TaskSchedulerName(computer));
    return quoted.substr(1, quoted.size() - 2);
}

std::u16string WithHint(std::u16string text, Way way, std::uint32_t code, const Target& target) {
    if (const auto hint = Hint(way, code, target); !hint.empty()) (text += u"\n\n") += hint;
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

std::u16string Fill(std::u8string_view text, std::initializer_list<std::u16string_view> values) {
    return Fill(Utf16(text), values);
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

std::u16string Hint(Way way, std::uint32_t code, const Target& target) {
    const From from = target.here ? From::ThisComputer : From::NamedComputer;
    const Given given = target.account.empty() ? Given::NoAccount : Given::Account;
    for (const HintRow& row : Hints)
        if (Matches(row, way, code, from, given))
            return Fill(row.hint, {OnComputer(target.computer), OfComputer(target.computer), Quoted(target.account),
                                   BareName(target.computer)});
    return {};
}

std::u16string ConversionErrorText(const ConversionError& error) {
    const std::u16string piece = Quoted(error.piece);
    switch (error.kind) {
    case ConversionError::BadTime:
        return Fill(Texts::NotATime, {Texts::TimeCaption, piece}) + u"\n\n" + Utf16(Texts::TimesAccepted);
    case ConversionError::EmptyDay:
        return Fill(Texts::DayMissing, {Texts::DaysCaption}) + u"\n\n" + Utf16(Texts::DaysAccepted);
    case ConversionError::BadDayOfMonth:
        return Fill(Texts::NotADayOfTheMonth, {Texts::DaysCaption, piece}) + u"\n\n" + Utf16(Texts::DaysAccepted);
    case ConversionError::BadWeekday:
        break;
    }
    return Fill(Texts::NotAWeekday, {Texts::DaysCaption, piece}) + u"\n\n" + Utf16(Texts::DaysAccepted);
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

std::u16string AccountCaption(const std::u16string& computer) {
    return Fill(Texts::AccountCaption, {Quoted(TaskSchedulerName(computer))});
}

std::u16string AccountRequest(const std::u16string& computer) {
    return Fill(Texts::AccountRequest, {OnComputer(computer)});
}

std::u16string ConfirmationText(std::u8string_view text, const std::u16string& job, const Target& target, Way way,
                                std::uint32_t status) {
    return WithHint(Fill(text, {job, OfComputer(target.computer)}), way, status, target);
}

std::u16string FailureText(std::u8string_view text, std::uint32_t code, const std::u16string& platformText, Way way,
                           const Target& target) {
    std::u16string said = Fill(text, {Digits(code, 10), Digits(code, 16)});
    said += platformText.empty() ? u"." : u": " + platformText;
    return WithHint(std::move(said), way, code, target);
}
