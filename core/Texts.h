#pragma once
// Every text the program shows, in one place: the window's captions, entries and notes, what it
// says when it can't be built, its messages and their hints. In a message, %1, %2 ... stand for
// what Fill (Messages.h) puts there: an entry's caption, a piece of the user's text, a
// computer's name, a job's name, a code. Each text is a whole, terminated array: the window's own
// in UTF-16, so that the window can hand it to the platform as it is; the messages' in UTF-8,
// half the size in the program file, made UTF-16 as Fill makes a message.

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
inline constexpr char8_t NotBuilt[] = u8"Das Fenster kann nicht aufgebaut werden: %1 ließ sich nicht anlegen.";
inline constexpr char8_t NotBuiltWithError[] =
    u8"Das Fenster kann nicht aufgebaut werden: %1 ließ sich nicht anlegen. (Fehler %2)";
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
inline constexpr char8_t JobAdded[] = u8"Der geplante Task ''Task%1'' wurde erfolgreich hinzugefügt.  ";
inline constexpr char8_t JobNotAdded[] = u8"Der Task konnte nicht hinzugefügt werden.\n\nFehler %1 (0x%2)";

// Where the AT interface is off: %1 the computer as the subject, %2 as the owner.
inline constexpr char8_t OnThisComputer[] = u8"Auf diesem Computer";
inline constexpr char8_t OnComputer[] = u8"Auf dem Computer %1";
inline constexpr char8_t OfThisComputer[] = u8"dieses Computers";
inline constexpr char8_t OfComputer[] = u8"von %1";
inline constexpr char8_t AtInterfaceOff[] =
    u8"%1 ist die AT-Schnittstelle abgeschaltet, wie ab Windows 8 üblich.\n\nSoll der Job stattdessen in die "
    u8"Aufgabenplanung %2 eingetragen werden?";

// The Task Scheduler's answers: %1 the task's name, %2 the computer as the owner; %2 a failure's
// HRESULT in hexadecimal (all eight digits: a failure's highest bit is set).
inline constexpr char8_t TaskAdded[] = u8"Der geplante Task ''%1'' wurde in die Aufgabenplanung %2 eingetragen.";
inline constexpr char8_t TaskNotAdded[] = u8"Der Task konnte nicht in die Aufgabenplanung eingetragen werden.\n\nFehler 0x%2";

// Why the window holds up the end of a session while a call runs, as Windows shows it.
inline constexpr char16_t CallUnderWay[] = u"Ein Task wird gerade hinzugefügt; das Ergebnis steht noch aus.";

// The credential dialog, where a named computer refuses the user's own logon: %1 in the caption
// the computer's bare name, quoted; in the message where ("Auf dem Computer „SRV-7“").
inline constexpr char8_t AccountCaption[] = u8"Konto für %1";
inline constexpr char8_t AccountRequest[] =
    u8"%1 darf Ihr eigenes Konto keine Tasks hinzufügen. Geben Sie ein Konto ein, das dort Administrator ist. Das "
    u8"Programm verwendet es nur für diesen Task und speichert es nicht.";

// Entries that can't be read: %1 the entry's caption, %2 the piece that failed, quoted.
inline constexpr char8_t NotATime[] = u8"Im Feld „%1“ ist %2 keine Uhrzeit.";
inline constexpr char8_t TimesAccepted[] =
    u8"Erlaubt sind Uhrzeiten wie 17:00 oder 7:05, auch mit Sekunden (17:30:45) oder mit am/pm (5:00 pm), und eine "
    u8"volle Stunde allein (17).";
inline constexpr char8_t DayMissing[] =
    u8"Im Feld „%1“ fehlt ein Tag zwischen zwei Kommas oder nach dem letzten Komma.";
inline constexpr char8_t NotADayOfTheMonth[] = u8"Im Feld „%1“ ist %2 kein Tag des Monats.";
inline constexpr char8_t NotAWeekday[] = u8"Im Feld „%1“ ist %2 kein Wochentag.";
inline constexpr char8_t DaysAccepted[] =
    u8"Erlaubt sind Wochentage (M, T, W, TH, F, S, SU) wie M,T,SU oder Tage des Monats von 1 bis 31 wie 13,17,28, "
    u8"jeweils durch Kommas getrennt.";
inline constexpr char8_t NoProgram[] = u8"Im Feld „%1“ fehlt das Programm, das der Task starten soll.";
inline constexpr char8_t ProgramTooLong[] =
    u8"Im Feld „%1“ ist der Pfad des Programms länger als die 260 Zeichen, die die Aufgabenplanung annimmt.";
inline constexpr char8_t Unstorable[] =
    u8"Im Feld „%1“ steht in %2 ein Zeichen, das die Aufgabenplanung nicht speichern kann: ein Steuerzeichen oder ein "
    u8"halbes Ersatzzeichenpaar.";

// What usually lies behind an answer, about the computer it came from: %1 where ("Auf diesem
// Computer", "Auf dem Computer „SRV-7“"), %2 whose ("dieses Computers", "von „SRV-7“").
inline constexpr char8_t AdminHint[] =
    u8"Zum Hinzufügen eines Tasks auf diesem Computer sind Administratorrechte nötig.";
// Microsoft's "User Account Control and remote restrictions".
inline constexpr char8_t RemoteAdminHint[] =
    u8"%1 sind Administratorrechte nötig. Ein lokales Konto eines Computers in einer Arbeitsgruppe hat sie über das "
    u8"Netz nicht, auch wenn es dort Administrator ist: Die Benutzerkontensteuerung schränkt es ein. Abhilfe: ein "
    u8"Domänenkonto, das dort Administrator ist, oder dort der DWORD-Wert LocalAccountTokenFilterPolicy = 1 unter "
    u8"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System.";
// About the account given for a named computer: %3 the account as typed, quoted; %4 the computer's
// bare name. The documented answers of WNetAddConnection2 and of ITaskService::Connect.
inline constexpr char8_t AccountNotAdminHint[] =
    u8"%1 hat das Konto %3 keine Administratorrechte, oder die Benutzerkontensteuerung schränkt es über das Netz ein, "
    u8"wie jedes lokale Konto außer dem eingebauten Administrator. Abhilfe: das eingebaute Konto Administrator jenes "
    u8"Computers, ein Domänenkonto, das dort Administrator ist, oder dort der DWORD-Wert LocalAccountTokenFilterPolicy "
    u8"= 1 unter HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System.";
inline constexpr char8_t WrongPasswordHint[] =
    u8"%1 ist das Konto %3 nicht bekannt, oder sein Kennwort ist falsch. Ein lokales Konto jenes Computers schreibt "
    u8"sich %4\\Name, ein Domänenkonto DOMÄNE\\Name.";
inline constexpr char8_t SessionConflictHint[] =
    u8"Dieser Computer ist mit \\\\%4 schon unter einem anderen Konto als %3 verbunden, und Windows verbindet ihn "
    u8"mit einem Computer nur unter einem Konto. Abhilfe: die bestehende Verbindung trennen, mit\nnet use \\\\%4 "
    u8"/delete\noder statt des Namens die IP-Adresse des Computers eingeben.";
inline constexpr char8_t NoLogonServersHint[] =
    u8"Kein Anmeldeserver kann das Konto %3 prüfen. Ist seine Domäne richtig geschrieben und erreichbar? Ein lokales "
    u8"Konto jenes Computers schreibt sich %4\\Name.";
inline constexpr char8_t BadUserNameHint[] =
    u8"Der Benutzername %3 ist ungültig. Erlaubt sind Name, %4\\Name, DOMÄNE\\Name und name@domäne.";
inline constexpr char8_t NoNetworkHint[] =
    u8"Mit einem anderen Konto erreicht das Programm %2 über eine Verbindung zu \\\\%4\\IPC$, und dafür fehlt "
    u8"diesem Computer das Netz: Läuft der Dienst Arbeitsstationsdienst (LanmanWorkstation)?";
inline constexpr char8_t UnreachableHint[] =
    u8"Die Aufgabenplanung %2 ist nicht erreichbar. Stimmt der Computername, und ist der Computer eingeschaltet und im "
    u8"Netz?";
inline constexpr char8_t ServiceDownHint[] = u8"%1 läuft der Aufgabenplanungsdienst (Schedule) nicht.";
// Where the AT interface answered a moment ago: the exception that ITaskService::Connect's
// documentation names, by the rule group's English and German name.
inline constexpr char8_t FirewallHint[] =
    u8"%1 hat eben noch die AT-Schnittstelle geantwortet, aber die Firewall sperrt die Verwaltung der Aufgaben aus dem "
    u8"Netz. Ein Administrator gibt dort die Regelgruppe „Remote Scheduled Tasks Management“ frei (deutsch: "
    u8"„Remoteverwaltung geplanter Aufgaben“):\nnetsh advfirewall firewall set rule group=\"Remote Scheduled Tasks "
    u8"Management\" new enable=yes";
inline constexpr char8_t NoTaskSchedulerHint[] =
    u8"Auf diesem Computer fehlt die Schnittstelle zur Aufgabenplanung, die es erst ab Windows Vista gibt.";
inline constexpr char8_t SomeTriggersFailedHint[] =
    u8"Die Aufgabenplanung %2 meldet, dass nicht jeder Trigger des Tasks ihn starten wird.";
inline constexpr char8_t BatchLogonHint[] =
    u8"Die Aufgabenplanung %2 meldet, dass der Task womöglich nicht startet: Dem Konto, unter dem er läuft, fehlt das "
    u8"Recht, sich als Batchauftrag anzumelden.";

}  // namespace Texts
