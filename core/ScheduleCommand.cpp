#include "core/ScheduleCommand.h"

#include <string_view>

namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c < 0xE000; }

// Control and format characters: invisible in a message box, and the bidirectional ones among
// them would reorder its text. Half a surrogate pair has no picture either.
bool IsShownByCode(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xAD || (c >= 0x600 && c <= 0x605) || c == 0x61C ||
           c == 0x6DD || c == 0x70F || c == 0x180E || (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB) ||
           (c >= 0xD800 && c <= 0xDFFF) || (c >= 0x1D173 && c <= 0x1D17A) || (c >= 0xE0000 && c <= 0xE007F);
}

// A piece of the user's text as a message box can show it: at most 40 code units (never half a
// surrogate pair), and each invisible character written as its code, [U+202E].
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

constexpr std::u16string_view AcceptedTimes =
    u"Erlaubt sind Uhrzeiten wie 17:00 oder 7:05, auch mit Sekunden (17:30:45) oder mit am/pm "
    u"(5:00 pm), und eine volle Stunde allein (17).";
constexpr std::u16string_view AcceptedDays =
    u"Erlaubt sind Wochentage (M, T, W, TH, F, S, SU) wie M,T,SU oder Tage des Monats von 1 bis 31 "
    u"wie 13,17,28, jeweils durch Kommas getrennt.";

constexpr std::u16string_view AdminHint =
    u"Zum Hinzufügen eines Tasks auf diesem Computer sind Administratorrechte nötig.";
constexpr std::u16string_view UnreachableHint =
    u"Der Computer ist nicht erreichbar. Stimmt der Computername, und ist der Computer eingeschaltet und im Netz?";
constexpr std::u16string_view ServiceDownHint =
    u"Der Aufgabenplanungsdienst (Schedule) läuft auf diesem Computer nicht.";

// What usually lies behind the status codes a user meets most.
std::u16string_view Hint(std::uint32_t status) {
    switch (status) {
    case 5:
        return AdminHint;
    case 53:
    case 1722:
        return UnreachableHint;
    case 1753:
    case 2184:
        return ServiceDownHint;
    default:
        return {};
    }
}

// The same for the Task Scheduler's answers.
std::u16string_view TaskHint(std::uint32_t result) {
    switch (result) {
    case 0x80070005:  // E_ACCESSDENIED
        return AdminHint;
    case 0x80070035:  // ERROR_BAD_NETPATH
    case 0x800706BA:  // RPC_S_SERVER_UNAVAILABLE
        return UnreachableHint;
    case 0x80041315:  // SCHED_E_SERVICE_NOT_RUNNING
        return ServiceDownHint;
    case 0x80040154:  // REGDB_E_CLASSNOTREG: this computer has no Task Scheduler 2.0
        return u"Die Aufgabenplanung, in die der Job eingetragen würde, gibt es erst ab Windows Vista.";
    default:
        return {};
    }
}

// "von „HOST“", or "dieses Computers" for the local one.
std::u16string OfComputer(const std::u16string& name) {
    return name.empty() ? u"dieses Computers" : u"von " + Quoted(name);
}

std::u16string QuestionText(const std::u16string& computer) {
    return (computer.empty() ? std::u16string(u"Auf diesem Computer") : u"Auf dem Computer " + Quoted(computer)) +
           u" ist die AT-Schnittstelle abgeschaltet, wie ab Windows 8 üblich.\n\nSoll der Job stattdessen in die "
           u"Aufgabenplanung " + OfComputer(computer) + u" eingetragen werden?";
}

std::u16string TaskConfirmationText(const std::u16string& task, const std::u16string& computer) {
    return u"Der geplante Task ''" + task + u"'' wurde in die Aufgabenplanung " + OfComputer(computer) +
           u" eingetragen.";
}

std::u16string CommandProblemText(CommandProblem problem, const std::u16string& commandLine) {
    switch (problem.kind) {
    case CommandProblem::NoProgram:
        return u"Im Feld „Anwendung:“ fehlt das Programm, das der Task starten soll.";
    case CommandProblem::TooLong:
        return u"Im Feld „Anwendung:“ ist der Pfad des Programms länger als die 260 Zeichen, die die "
               u"Aufgabenplanung annimmt.";
    case CommandProblem::Unwritable:
        break;
    }
    return u"Im Feld „Anwendung:“ steht in " + Quoted(commandLine) +
           u" ein Zeichen, das die Aufgabenplanung nicht speichern kann: ein Steuerzeichen oder ein halbes "
           u"Ersatzzeichenpaar.";
}

}  // namespace

// The leading blank is part of the title: keep it.
const char16_t* const MessageTitle = u" Geplanten Task hinzufügen";

std::u16string ConfirmationText(std::uint32_t jobId) {
    // Two apostrophes on each side of the name (not a double quote), and two blanks at the end:
    // the text is meant exactly so.
    return u"Der geplante Task ''Task" + Digits(jobId, 10) + u"'' wurde erfolgreich hinzugefügt.  ";
}

std::u16string ConversionErrorText(const ConversionError& error) {
    std::u16string text;  // the day-list messages; each ends with what is accepted
    switch (error.kind) {
    case ConversionError::BadTime:
        return u"Im Feld „Time (hh:mm):“ ist " + Quoted(error.piece) + u" keine Uhrzeit.\n\n" +
               std::u16string(AcceptedTimes);
    case ConversionError::EmptyDay:
        text = u"Im Feld „Datum:“ fehlt ein Tag zwischen zwei Kommas oder nach dem letzten Komma.";
        break;
    case ConversionError::BadDayOfMonth:
        text = u"Im Feld „Datum:“ ist " + Quoted(error.piece) + u" kein Tag des Monats.";
        break;
    case ConversionError::BadWeekday:
        text = u"Im Feld „Datum:“ ist " + Quoted(error.piece) + u" kein Wochentag.";
        break;
    }
    return text + u"\n\n" + std::u16string(AcceptedDays);
}

std::u16string ServiceErrorText(std::uint32_t status, const std::u16string& platformText) {
    std::u16string text = u"Der Task konnte nicht hinzugefügt werden.\n\nFehler " + Digits(status, 10) + u" (0x" +
                          Digits(status, 16) + u")";
    text += platformText.empty() ? u"." : u": " + platformText;
    if (const auto hint = Hint(status); !hint.empty()) text += u"\n\n" + std::u16string(hint);
    return text;
}

std::u16string TaskErrorText(std::uint32_t result, const std::u16string& platformText) {
    // An HRESULT in all its eight digits.
    std::u16string text =
        u"Der Task konnte nicht in die Aufgabenplanung eingetragen werden.\n\nFehler 0x" + Digits(result, 16, 8);
    text += platformText.empty() ? u"." : u": " + platformText;
    if (const auto hint = TaskHint(result); !hint.empty()) text += u"\n\n" + std::u16string(hint);
    return text;
}

namespace {

Outcome Say(std::u16string text, MessageKind kind, FieldToFix field = FieldToFix::None) {
    return {Message{std::move(text), MessageTitle, kind}, field};
}

}  // namespace

Outcome Command1_Click(const WindowFields& fields, SchedulePlatform& platform) {
    AtInfo job;
    if (const auto error = FillJobInfo(fields, job))
        return Say(ConversionErrorText(*error), MessageKind::Warning,
                   error->kind == ConversionError::BadTime ? FieldToFix::RunTime : FieldToFix::DayList);

    // An empty name means the local computer, which the service takes as no name at all.
    const char16_t* server = fields.ComputerName.empty() ? nullptr : fields.ComputerName.c_str();
    const SubmitResult submitted = platform.SubmitJob(server, job);
    if (submitted.status == 0) return Say(ConfirmationText(submitted.jobId), MessageKind::Information);
    if (submitted.status != AtInterfaceOff)
        return Say(ServiceErrorText(submitted.status, submitted.errorText), MessageKind::Error);

    // The AT interface is off: the same job as a task of the computer's Task Scheduler, if the
    // user wants it, with its dates reckoned from the moment of the answer.
    if (!platform.Ask(*Say(QuestionText(fields.ComputerName), MessageKind::Question).message)) return {};
    const auto made = MakeTaskDefinition(job, platform.Now());
    if (made.problem)
        return Say(CommandProblemText(*made.problem, job.Command), MessageKind::Warning, FieldToFix::CommandLine);
    const TaskRegistration registered = platform.RegisterTask(fields.ComputerName, *made.definition);
    if (registered.result == 0)
        return Say(TaskConfirmationText(registered.name, fields.ComputerName), MessageKind::Information);
    return Say(TaskErrorText(registered.result, registered.errorText), MessageKind::Error);
}
