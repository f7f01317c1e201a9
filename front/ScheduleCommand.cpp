#include "front/ScheduleCommand.h"

#include <string_view>

namespace {

// `n` as unsigned digits in `base` (10 or 16), no leading zeros.
std::u16string Digits(std::uint32_t n, std::uint32_t base) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), u"0123456789ABCDEF"[n % base]);
        n /= base;
    } while (n != 0);
    return digits;
}

// A piece of the user's text, short enough for a message box.
std::u16string Quoted(std::u16string_view piece) {
    constexpr std::size_t Longest = 40;
    std::u16string shown(piece.substr(0, Longest));
    if (piece.size() > Longest) {
        if (shown.size() > 0 && shown.back() >= 0xD800 && shown.back() < 0xDC00) shown.pop_back();  // half a pair
        shown += u"…";
    }
    return u"„" + shown + u"“";
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

const char16_t* const MessageTitle = u" Geplanten Task hinzufügen";

std::u16string ConfirmationText(std::uint32_t jobId) {
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
    const std::uint32_t status = scheduler.NetScheduleJobAdd(server, job, &jobId);

    if (status == 0)
        messages.ShowMessage(ConfirmationText(jobId), MessageTitle, MessageKind::Information);
    else
        messages.ShowMessage(ServiceErrorText(status, scheduler.StatusText(status)), MessageTitle, MessageKind::Error);
    return FieldToFix::None;
}
