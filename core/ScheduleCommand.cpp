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
            const std::u16string hex = Digits(c, 16);
            shown += u"[U+" + std::u16string(hex.size() < 4 ? 4 - hex.size() : 0, u'0') + hex + u"]";
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

// What usually lies behind the status codes a user meets most.
std::u16string_view Hint(std::uint32_t status) {
    switch (status) {
    case 5:
        return u"Zum Hinzufügen eines Tasks auf diesem Computer sind Administratorrechte nötig.";
    case 50:
        return u"Ab Windows 8 ist die AT-Schnittstelle abgeschaltet, solange auf dem Zielcomputer der "
               u"Registrierungswert EnableAt (HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\"
               u"Schedule\\Configuration) nicht auf 1 steht.";
    case 53:
    case 1722:
        return u"Der Computer ist nicht erreichbar. Stimmt der Computername, und ist der Computer "
               u"eingeschaltet und im Netz?";
    case 1753:
    case 2184:
        return u"Der Aufgabenplanungsdienst (Schedule) läuft auf diesem Computer nicht.";
    default:
        return {};
    }
}

}  // namespace

std::u16string Digits(std::uint32_t n, std::uint32_t base) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), u"0123456789ABCDEF"[n % base]);
        n /= base;
    } while (n != 0);
    return digits;
}

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

FieldToFix Command1_Click(const WindowFields& fields, JobScheduler& scheduler, MessageBoxes& messages) {
    AtInfo job;
    std::uint32_t jobId = 0;

    if (const auto error = FillJobInfo(fields, job)) {
        messages.ShowMessage(ConversionErrorText(*error), MessageTitle, MessageKind::Warning);
        return error->kind == ConversionError::BadTime ? FieldToFix::RunTime : FieldToFix::DayList;
    }

    // An empty name means the local computer, which the service takes as no name at all.
    const char16_t* server = fields.ComputerName.empty() ? nullptr : fields.ComputerName.c_str();
    const std::uint32_t status = scheduler.SubmitJob(server, job, &jobId);

    if (status == 0)
        messages.ShowMessage(ConfirmationText(jobId), MessageTitle, MessageKind::Information);
    else
        messages.ShowMessage(ServiceErrorText(status, scheduler.StatusText(status)), MessageTitle, MessageKind::Error);
    return FieldToFix::None;
}
