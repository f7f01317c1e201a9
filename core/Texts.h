#pragma once
// Every text the program shows, in one place: the window's captions, entries and notes, what it
// says when it can't be built, its messages and their hints. In a message, %1, %2 ... stand for
// what Fill (Messages.h) puts there: an entry's caption, a piece of the user's text, a
// computer's name, a job's name, a code. Each text is a whole, terminated array, so that the
// window can hand it to the platform as it is.

namespace Texts {

// The window. The options' captions end in a blank, which is part of them.
inline constexpr char16_t WindowCaption[] = u"Tessaro - Job hinzufügen";
inline constexpr char16_t ComputerCaption[] = u"Computer Name:";
inline constexpr char16_t TimeCaption[] = u"Time (hh:mm):";
inline constexpr char16_t InteractiveCaption[] = u"interactive";
inline constexpr char16_t DaysCaption[] = u"Datum:";
inline constexpr char16_t CommandCaption[] = u"Anwendung:";
inline constexpr char16_t ScheduleCaption[] = u"Schedule";
inline constexpr char16_t NextCaption[] = u"nächsten ";
inline constexpr char16_t EveryCaption[] = u"jeden ";
inline constexpr char16_t DefaultTime[] = u"17:00";
inline constexpr char16_t DefaultDays[] = u"M,T,W,TH,F,S,SU";
inline constexpr char16_t DefaultCommand[] = u"Calc.exe";
inline constexpr char16_t Credit[] =
    u"Win32 API, NetScheduleJobAdd(). Ein kleines Werkzeug des Tessaro-Teams, das Jobs in die Aufgabenplanung eines "
    u"Computers im Netz stellt.";
inline constexpr char16_t Help[] =
    u"You can enter in the days that you want it to execute on: M,T,SU or the dates i.e. 13,17,28 of each month.";

// A window that can't be built whole: %1 is what could not be made, %2 the platform's error.
inline constexpr char16_t NotBuilt[] = u"Das Fenster kann nicht aufgebaut werden: %1 ließ sich nicht anlegen.";
inline constexpr char16_t NotBuiltWithError[] =
    u"Das Fenster kann nicht aufgebaut werden: %1 ließ sich nicht anlegen. (Fehler %2)";
inline constexpr char16_t TheWindowClass[] = u"Die Fensterklasse";
inline constexpr char16_t TheKeyFilter[] = u"Der Filter für gehaltene Tasten";
inline constexpr char16_t TheHiddenOwner[] = u"Das verborgene Besitzerfenster";
inline constexpr char16_t TheWindow[] = u"Das Fenster";
inline constexpr char16_t TheFont[] = u"Die Schrift Tahoma";
inline constexpr char16_t TheControl[] = u"Das Steuerelement %1";

// The title of every message. Its leading blank is part of it.
inline constexpr char16_t MessageTitle[] = u" Geplanten Task hinzufügen";

// The AT service's answers: %1 the job's number; %1 and %2 a code in decimal and hexadecimal.
// Two apostrophes on each side of the job's name, not a double quote, and two blanks at the
// end: the confirmation is meant exactly so.
inline constexpr char16_t JobAdded[] = u"Der geplante Task ''Task%1'' wurde erfolgreich hinzugefügt.  ";
inline constexpr char16_t JobNotAdded[] = u"Der Task konnte nicht hinzugefügt werden.\n\nFehler %1 (0x%2)";

// Where the AT interface is off: %1 the computer as the subject, %2 as the owner.
inline constexpr char16_t OnThisComputer[] = u"Auf diesem Computer";
inline constexpr char16_t OnComputer[] = u"Auf dem Computer %1";
inline constexpr char16_t OfThisComputer[] = u"dieses Computers";
inline constexpr char16_t OfComputer[] = u"von %1";
inline constexpr char16_t AtInterfaceOff[] =
    u"%1 ist die AT-Schnittstelle abgeschaltet, wie ab Windows 8 üblich.\n\nSoll der Job stattdessen in die "
    u"Aufgabenplanung %2 eingetragen werden?";

// The Task Scheduler's answers: %1 the task's name, %2 the computer as the owner; %2 a failure's
// HRESULT in hexadecimal (all eight digits: a failure's highest bit is set).
inline constexpr char16_t TaskAdded[] = u"Der geplante Task ''%1'' wurde in die Aufgabenplanung %2 eingetragen.";
inline constexpr char16_t TaskNotAdded[] = u"Der Task konnte nicht in die Aufgabenplanung eingetragen werden.\n\nFehler 0x%2";

// Entries that can't be read: %1 the entry's caption, %2 the piece that failed, quoted.
inline constexpr char16_t NotATime[] = u"Im Feld „%1“ ist %2 keine Uhrzeit.";
inline constexpr char16_t TimesAccepted[] =
    u"Erlaubt sind Uhrzeiten wie 17:00 oder 7:05, auch mit Sekunden (17:30:45) oder mit am/pm (5:00 pm), und eine "
    u"volle Stunde allein (17).";
inline constexpr char16_t DayMissing[] =
    u"Im Feld „%1“ fehlt ein Tag zwischen zwei Kommas oder nach dem letzten Komma.";
inline constexpr char16_t NotADayOfTheMonth[] = u"Im Feld „%1“ ist %2 kein Tag des Monats.";
inline constexpr char16_t NotAWeekday[] = u"Im Feld „%1“ ist %2 kein Wochentag.";
inline constexpr char16_t DaysAccepted[] =
    u"Erlaubt sind Wochentage (M, T, W, TH, F, S, SU) wie M,T,SU oder Tage des Monats von 1 bis 31 wie 13,17,28, "
    u"jeweils durch Kommas getrennt.";
inline constexpr char16_t NoProgram[] = u"Im Feld „%1“ fehlt das Programm, das der Task starten soll.";
inline constexpr char16_t ProgramTooLong[] =
    u"Im Feld „%1“ ist der Pfad des Programms länger als die 260 Zeichen, die die Aufgabenplanung annimmt.";
inline constexpr char16_t Unstorable[] =
    u"Im Feld „%1“ steht in %2 ein Zeichen, das die Aufgabenplanung nicht speichern kann: ein Steuerzeichen oder ein "
    u"halbes Ersatzzeichenpaar.";

// What usually lies behind an answer, about the computer it came from: %1 where ("Auf diesem
// Computer", "Auf dem Computer „SRV-7“"), %2 whose ("dieses Computers", "von „SRV-7“").
inline constexpr char16_t AdminHint[] =
    u"Zum Hinzufügen eines Tasks auf diesem Computer sind Administratorrechte nötig.";
// Microsoft's "User Account Control and remote restrictions".
inline constexpr char16_t RemoteAdminHint[] =
    u"%1 sind Administratorrechte nötig. Ein lokales Konto eines Computers in einer Arbeitsgruppe hat sie über das "
    u"Netz nicht, auch wenn es dort Administrator ist: Die Benutzerkontensteuerung schränkt es ein. Abhilfe: ein "
    u"Domänenkonto, das dort Administrator ist, oder dort der DWORD-Wert LocalAccountTokenFilterPolicy = 1 unter "
    u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System.";
inline constexpr char16_t UnreachableHint[] =
    u"Die Aufgabenplanung %2 ist nicht erreichbar. Stimmt der Computername, und ist der Computer eingeschaltet und im "
    u"Netz?";
inline constexpr char16_t ServiceDownHint[] = u"%1 läuft der Aufgabenplanungsdienst (Schedule) nicht.";
// Where the AT interface answered a moment ago: the exception that ITaskService::Connect's
// documentation names, by the rule group's English and German name.
inline constexpr char16_t FirewallHint[] =
    u"%1 hat eben noch die AT-Schnittstelle geantwortet, aber die Firewall sperrt die Verwaltung der Aufgaben aus dem "
    u"Netz. Ein Administrator gibt dort die Regelgruppe „Remote Scheduled Tasks Management“ frei (deutsch: "
    u"„Remoteverwaltung geplanter Aufgaben“):\nnetsh advfirewall firewall set rule group=\"Remote Scheduled Tasks "
    u"Management\" new enable=yes";
inline constexpr char16_t NoTaskSchedulerHint[] =
    u"Auf diesem Computer fehlt die Schnittstelle zur Aufgabenplanung, die es erst ab Windows Vista gibt.";
inline constexpr char16_t SomeTriggersFailedHint[] =
    u"Die Aufgabenplanung %2 meldet, dass nicht jeder Trigger des Tasks ihn starten wird.";
inline constexpr char16_t BatchLogonHint[] =
    u"Die Aufgabenplanung %2 meldet, dass der Task womöglich nicht startet: Dem Konto, unter dem er läuft, fehlt das "
    u"Recht, sich als Batchauftrag anzumelden.";

}  // namespace Texts
