#pragma once
// The unit tests' own copy of the texts the program shows and of the window's default entries,
// written apart from the program's catalogue, so that a change to either is caught by the other.

#include <string>

#include "core/WindowFields.h"

namespace Expected {

inline const std::u16string Title = u" Geplanten Task hinzufügen";

inline std::u16string JobAdded(const std::u16string& number) {
    return u"Der geplante Task ''Task" + number + u"'' wurde erfolgreich hinzugefügt.  ";
}
inline const std::u16string JobNotAdded = u"Der Task konnte nicht hinzugefügt werden.\n\nFehler ";
inline const std::u16string TaskNotAdded = u"Der Task konnte nicht in die Aufgabenplanung eingetragen werden.\n\nFehler 0x";

// `of` is "von „HOST“" or "dieses Computers".
inline std::u16string TaskAdded(const std::u16string& name, const std::u16string& of) {
    return u"Der geplante Task ''" + name + u"'' wurde in die Aufgabenplanung " + of + u" eingetragen.";
}
// `on` is "Auf dem Computer „HOST“" or "Auf diesem Computer".
inline std::u16string Question(const std::u16string& on, const std::u16string& of) {
    return on + u" ist die AT-Schnittstelle abgeschaltet, wie ab Windows 8 üblich.\n\nSoll der Job stattdessen in die "
                u"Aufgabenplanung " + of + u" eingetragen werden?";
}

inline const std::u16string TimesAccepted =
    u"Erlaubt sind Uhrzeiten wie 17:00 oder 7:05, auch mit Sekunden (17:30:45) oder mit am/pm (5:00 pm), und eine "
    u"volle Stunde allein (17).";
inline const std::u16string DaysAccepted =
    u"Erlaubt sind Wochentage (M, T, W, TH, F, S, SU) wie M,T,SU oder Tage des Monats von 1 bis 31 wie 13,17,28, "
    u"jeweils durch Kommas getrennt.";
// The entries' captions as the messages about them name them.
inline const std::u16string TimeField = u"Im Feld „Time (hh:mm):“", DaysField = u"Im Feld „Datum:“";
inline std::u16string NotATime(const std::u16string& quoted) {
    return TimeField + u" ist " + quoted + u" keine Uhrzeit.\n\n" + TimesAccepted;
}
inline const std::u16string DayMissing =
    DaysField + u" fehlt ein Tag zwischen zwei Kommas oder nach dem letzten Komma.\n\n" + DaysAccepted;
inline std::u16string NotADayOfTheMonth(const std::u16string& quoted) {
    return DaysField + u" ist " + quoted + u" kein Tag des Monats.\n\n" + DaysAccepted;
}
inline std::u16string NotAWeekday(const std::u16string& quoted) {
    return DaysField + u" ist " + quoted + u" kein Wochentag.\n\n" + DaysAccepted;
}
inline const std::u16string NoProgram = u"Im Feld „Anwendung:“ fehlt das Programm, das der Task starten soll.";
inline const std::u16string ProgramTooLong =
    u"Im Feld „Anwendung:“ ist der Pfad des Programms länger als die 260 Zeichen, die die Aufgabenplanung annimmt.";
inline std::u16string Unstorable(const std::u16string& quoted) {
    return u"Im Feld „Anwendung:“ steht in " + quoted +
           u" ein Zeichen, das die Aufgabenplanung nicht speichern kann: ein Steuerzeichen oder ein halbes "
           u"Ersatzzeichenpaar.";
}

// The hints, said of a computer: `on` as in Question, `of` as in TaskAdded.
inline const std::u16string Admin = u"Zum Hinzufügen eines Tasks auf diesem Computer sind Administratorrechte nötig.";
inline std::u16string RemoteAdmin(const std::u16string& on) {
    return on + u" sind Administratorrechte nötig. Ein lokales Konto eines Computers in einer Arbeitsgruppe hat sie über "
                u"das Netz nicht, auch wenn es dort Administrator ist: Die Benutzerkontensteuerung schränkt es ein. "
                u"Abhilfe: ein Domänenkonto, das dort Administrator ist, oder dort der DWORD-Wert "
                u"LocalAccountTokenFilterPolicy = 1 unter HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System.";
}
inline std::u16string Unreachable(const std::u16string& of) {
    return u"Die Aufgabenplanung " + of + u" ist nicht erreichbar. Stimmt der Computername, und ist der Computer "
                                         u"eingeschaltet und im Netz?";
}
inline std::u16string ServiceDown(const std::u16string& on) {
    return on + u" läuft der Aufgabenplanungsdienst (Schedule) nicht.";
}
inline std::u16string Firewall(const std::u16string& on) {
    return on + u" hat eben noch die AT-Schnittstelle geantwortet, aber die Firewall sperrt die Verwaltung der Aufgaben "
                u"aus dem Netz. Ein Administrator gibt dort die Regelgruppe „Remote Scheduled Tasks Management“ frei "
                u"(deutsch: „Remoteverwaltung geplanter Aufgaben“):\nnetsh advfirewall firewall set rule "
                u"group=\"Remote Scheduled Tasks Management\" new enable=yes";
}
inline const std::u16string Vista =
    u"Auf diesem Computer fehlt die Schnittstelle zur Aufgabenplanung, die es erst ab Windows Vista gibt.";
inline std::u16string SomeTriggersFailed(const std::u16string& of) {
    return u"Die Aufgabenplanung " + of + u" meldet, dass nicht jeder Trigger des Tasks ihn starten wird.";
}
inline std::u16string BatchLogonProblem(const std::u16string& of) {
    return u"Die Aufgabenplanung " + of + u" meldet, dass der Task womöglich nicht startet: Dem Konto, unter dem er "
                                         u"läuft, fehlt das Recht, sich als Batchauftrag anzumelden.";
}

// The window's entries as it starts, on a computer named HOST.
inline WindowFields Defaults() {
    WindowFields fields;
    fields.ComputerName = u"HOST";
    fields.RunTime = u"17:00";
    fields.DayList = u"M,T,W,TH,F,S,SU";
    fields.CommandLine = u"Calc.exe";
    return fields;
}

}  // namespace Expected
