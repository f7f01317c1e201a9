"""The end-to-end tests' own copy of the texts the program shows, written apart from the
program's catalogue (core/Texts.h), so that a change to either is caught by the other."""

CAPTION = "Tessaro - Job hinzufügen"
TITLE = " Geplanten Task hinzufügen"
HELP = ("You can enter in the days that you want it to execute on: M,T,SU or the dates i.e. 13,17,28 of "
        "each month.")
CREDIT_BEGINS = "Win32 API, NetScheduleJobAdd(). "
# What each control shows, the "&" before its access key; Text1 shows this computer's name.
SHOWN = {
    "Label1": "&Computer Name:", "Label2": "&Time (hh:mm):", "Text2": "17:00", "Check1": "&interactive",
    "Label3": "&Datum:", "Text3": "M,T,W,TH,F,S,SU", "Label4": "&Anwendung:", "Text4": "Calc.exe",
    "Command1": "&Schedule", "Option1": "&nächsten ", "Option2": "&jeden ", "Label6": HELP,
}

# The AT service's answers.
JOB_ADDED_BEGINS, JOB_ADDED_ENDS = "Der geplante Task ''Task", "'' wurde erfolgreich hinzugefügt.  "


def job_added(number):
    return f"{JOB_ADDED_BEGINS}{number}{JOB_ADDED_ENDS}"


def job_not_added(code):
    """The head of the message, up to the platform's text."""
    return f"Der Task konnte nicht hinzugefügt werden.\n\nFehler {code} (0x{code:X})"


def task_not_added(code):
    """The head of the message, up to the platform's text."""
    return f"Der Task konnte nicht in die Aufgabenplanung eingetragen werden.\n\nFehler 0x{code:08X}"


# The hints, said of the computer they are about ("" for this computer).
def on(computer):
    return f"Auf dem Computer „{computer}“" if computer else "Auf diesem Computer"


ADMIN = "Zum Hinzufügen eines Tasks auf diesem Computer sind Administratorrechte nötig."


def remote_admin(computer):
    return (f"{on(computer)} sind Administratorrechte nötig. Ein lokales Konto eines Computers in einer Arbeitsgruppe "
            "hat sie über das Netz nicht, auch wenn es dort Administrator ist: Die Benutzerkontensteuerung schränkt es "
            "ein. Abhilfe: ein Domänenkonto, das dort Administrator ist, oder dort der DWORD-Wert "
            "LocalAccountTokenFilterPolicy = 1 unter HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System.")


def service_down(computer):
    return f"{on(computer)} läuft der Aufgabenplanungsdienst (Schedule) nicht."


def firewall(computer):
    return (f"{on(computer)} hat eben noch die AT-Schnittstelle geantwortet, aber die Firewall sperrt die Verwaltung der "
            "Aufgaben aus dem Netz. Ein Administrator gibt dort die Regelgruppe „Remote Scheduled Tasks Management“ frei "
            "(deutsch: „Remoteverwaltung geplanter Aufgaben“):\nnetsh advfirewall firewall set rule "
            'group="Remote Scheduled Tasks Management" new enable=yes')

# Where the AT interface is off.
def question(computer):
    return (f"Auf dem Computer „{computer}“ ist die AT-Schnittstelle abgeschaltet, wie ab Windows 8 üblich.\n\n"
            f"Soll der Job stattdessen in die Aufgabenplanung von „{computer}“ eingetragen werden?")


def task_added(name, computer):
    return f"Der geplante Task ''{name}'' wurde in die Aufgabenplanung von „{computer}“ eingetragen."


# Entries that can't be read, whole.
TIMES_ACCEPTED = ("Erlaubt sind Uhrzeiten wie 17:00 oder 7:05, auch mit Sekunden (17:30:45) oder mit am/pm "
                  "(5:00 pm), und eine volle Stunde allein (17).")
DAYS_ACCEPTED = ("Erlaubt sind Wochentage (M, T, W, TH, F, S, SU) wie M,T,SU oder Tage des Monats von 1 bis 31 "
                 "wie 13,17,28, jeweils durch Kommas getrennt.")


def not_a_time(piece):
    return f"Im Feld „Time (hh:mm):“ ist „{piece}“ keine Uhrzeit.\n\n{TIMES_ACCEPTED}"


def not_a_day_of_the_month(piece):
    return f"Im Feld „Datum:“ ist „{piece}“ kein Tag des Monats.\n\n{DAYS_ACCEPTED}"


def not_a_weekday(piece):
    return f"Im Feld „Datum:“ ist „{piece}“ kein Wochentag.\n\n{DAYS_ACCEPTED}"


DAY_MISSING = f"Im Feld „Datum:“ fehlt ein Tag zwischen zwei Kommas oder nach dem letzten Komma.\n\n{DAYS_ACCEPTED}"


# A window that can't be built.
def not_built(what):
    return f"Das Fenster kann nicht aufgebaut werden: {what} ließ sich nicht anlegen."


THE_WINDOW = "Das Fenster"


def the_control(name):
    return f"Das Steuerelement {name}"


# The credential dialog, and the hints about the account given for a named computer: `account` as
# typed, `name` the computer's bare name.
def account_caption(name):
    return f"Konto für „{name}“"


def account_not_admin(computer, account):
    return (f"{on(computer)} hat das Konto „{account}“ keine Administratorrechte, oder die Benutzerkontensteuerung "
            "schränkt es über das Netz ein, wie jedes lokale Konto außer dem eingebauten Administrator. Abhilfe: das "
            "eingebaute Konto Administrator jenes Computers, ein Domänenkonto, das dort Administrator ist, oder dort der "
            "DWORD-Wert LocalAccountTokenFilterPolicy = 1 unter "
            "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System.")


def wrong_password(computer, account):
    return (f"{on(computer)} ist das Konto „{account}“ nicht bekannt, oder sein Kennwort ist falsch. Ein lokales Konto "
            f"jenes Computers schreibt sich {computer}\\Name, ein Domänenkonto DOMÄNE\\Name.")


def session_conflict(name, account):
    return (f"Dieser Computer ist mit \\\\{name} schon unter einem anderen Konto als „{account}“ verbunden, und Windows "
            "verbindet ihn mit einem Computer nur unter einem Konto. Abhilfe: die bestehende Verbindung trennen, "
            f"mit\nnet use \\\\{name} /delete\noder statt des Namens die IP-Adresse des Computers eingeben.")


def no_network(name):
    return (f"Mit einem anderen Konto erreicht das Programm von „{name}“ über eine Verbindung zu \\\\{name}\\IPC$, und "
            "dafür fehlt diesem Computer das Netz: Läuft der Dienst Arbeitsstationsdienst (LanmanWorkstation)?")
