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

// About an account given for a named computer: `account` quoted, `name` the computer's bare name.
inline std::u16string AccountCaption(const std::u16string& quoted) { return u"Konto für " + quoted; }
inline std::u16string AccountRequest(const std::u16string& on) {
    return on + u" darf Ihr eigenes Konto keine Tasks hinzufügen. Geben Sie ein Konto ein, das dort Administrator ist. "
                u"Das Programm verwendet es nur für diesen Task und speichert es nicht.";
}
inline std::u16string AccountNotAdmin(const std::u16string& on, const std::u16string& account) {
    return on + u" hat das Konto " + account + u" keine Administratorrechte, oder die Benutzerkontensteuerung schränkt "
                u"es über das Netz ein, wie jedes lokale Konto außer dem eingebauten Administrator. Abhilfe: das "
                u"eingebaute Konto Administrator jenes Computers, ein Domänenkonto, das dort Administrator ist, oder dort "
                u"der DWORD-Wert LocalAccountTokenFilterPolicy = 1 unter "
                u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System.";
}
inline std::u16string WrongPassword(const std::u16string& on, const std::u16string& account, const std::u16string& name) {
    return on + u" ist das Konto " + account + u" nicht bekannt, oder sein Kennwort ist falsch. Ein lokales Konto jenes "
                u"Computers schreibt sich " + name + u"\\Name, ein Domänenkonto DOMÄNE\\Name.";
}
inline std::u16string SessionConflict(const std::u16string& name, const std::u16string& account) {
    return u"Dieser Computer ist mit \\\\" + name + u" schon unter einem anderen Konto als " + account +
           u" verbunden, und Windows verbindet ihn mit einem Computer nur unter einem Konto. Abhilfe: die bestehende "
           u"Verbindung trennen, mit\nnet use \\\\" + name + u" /delete\noder statt des Namens die IP-Adresse des "
           u"Computers eingeben.";
}
inline std::u16string NoLogonServers(const std::u16string& account, const std::u16string& name) {
    return u"Kein Anmeldeserver kann das Konto " + account + u" prüfen. Ist seine Domäne richtig geschrieben und "
           u"erreichbar? Ein lokales Konto jenes Computers schreibt sich " + name + u"\\Name.";
}
inline std::u16string BadUserName(const std::u16string& account, const std::u16string& name) {
    return u"Der Benutzername " + account + u" ist ungültig. Erlaubt sind Name, " + name +
           u"\\Name, DOMÄNE\\Name und name@domäne.";
}
inline std::u16string NoNetwork(const std::u16string& of, const std::u16string& name) {
    return u"Mit einem anderen Konto erreicht das Programm " + of + u" über eine Verbindung zu \\\\" + name +
           u"\\IPC$, und dafür fehlt diesem Computer das Netz: Läuft der Dienst Arbeitsstationsdienst "
           u"(LanmanWorkstation)?";
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
