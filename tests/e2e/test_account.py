"""Another account for a named computer that refuses the user's own logon: Wine's own credential
dialog, driven with keys as a user types, and stand-ins for what Wine can't do (its mpr.dll has no
network, its Task Scheduler ignores an account): a computer that takes only the test's account,
through a network session to its IPC$."""
import subprocess
import time

import pytest

import texts
from app import driver
from wine import OUT, PREFIX

COMPUTER, USER = "SRV-7", "admin"
ACCOUNT = f"{COMPUTER}\\{USER}"  # as Wine's dialog makes a name typed without a domain
RIGHT = "Geheim7x"  # the account's password: typed, and written nowhere
SESSION = f"\\\\{COMPUTER}\\IPC$"
CANCEL = ("cancel", SESSION)


def session(password):
    return "session", SESSION, ACCOUNT, password


# Each row: the computer (None: this one, as the window starts), what the stand-ins answer, the
# password typed into each credential dialog in turn (None: Esc; HELD: the right one, with Enter
# held down on it), the message at the end (a confirmation whole, or a failure's head and hint;
# None: none), and what the account reached.
HELD = "held"
ACCOUNTS = {
    "right account first time": (COMPUTER, {}, [RIGHT], texts.job_added(1), [session("right"), CANCEL]),
    "wrong then right": (COMPUTER, {}, ["falsch", RIGHT], texts.job_added(1),
                         [session("wrong"), session("right"), CANCEL]),
    "three wrong": (COMPUTER, {}, ["a", "b", "c"], (texts.job_not_added(1326), texts.wrong_password(COMPUTER, ACCOUNT)),
                    [session("wrong")] * 3),
    "Cancel": (COMPUTER, {}, [None], None, []),
    "Enter held into the dialog": (COMPUTER, {}, [HELD], texts.job_added(1), [session("right"), CANCEL]),
    # A session that was there already, under another account: the program's is refused, and the
    # one that was there is not the program's to end.
    "1219, a session that was there already stays": (COMPUTER, {"mpr": "1219"}, [RIGHT],
             (texts.job_not_added(1219), texts.session_conflict(COMPUTER, ACCOUNT)), [session("right")]),
    "5 after an account": (COMPUTER, {"answers": 5}, [RIGHT],
                           (texts.job_not_added(5), texts.account_not_admin(COMPUTER, ACCOUNT)),
                           [session("right"), CANCEL]),
    "the AT interface off, then the Task Scheduler with the same account": (
        COMPUTER, {"answers": 50, "connect": "0"}, [RIGHT], texts.task_added("At1", COMPUTER),
        [session("right"), CANCEL, ("connect", USER, COMPUTER, "right")]),
    "Wine's own mpr, no network": (COMPUTER, {"mpr": "wine"}, [RIGHT],
                                   (texts.job_not_added(1222), texts.no_network(COMPUTER)), []),
    "this computer, never asked": (None, {}, [], (texts.job_not_added(5), texts.ADMIN), []),
}


def written_anywhere(secret, since, *logs):
    """The files under the prefix written since `since`, and the logs, that hold `secret` in UTF-8
    or UTF-16."""
    forms = [secret.encode(), secret.encode("utf-16-le")]
    files = [f for f in PREFIX.rglob("*") if f.is_file() and not f.is_symlink() and f.stat().st_mtime >= since]
    return [str(f) for f in files + [*OUT.glob("*.log"), *logs]
            if f.exists() and any(form in f.read_bytes() for form in forms)]


@pytest.mark.parametrize("case", ACCOUNTS)
def test_a_named_computer_that_refuses_the_users_own_logon_takes_another_account(fake, case):
    computer, answers, typed, said, reached = ACCOUNTS[case]
    since = time.time() - 1
    app = fake.start(**{"answers": 0, **answers}, account=(ACCOUNT, RIGHT))
    if computer:
        app.set("Text1", computer)
    app.press("Command1")
    dialogs, wait = [], 10000
    while (box := driver("box", wait, -2))["box"]:
        if box["title"] == texts.TITLE and "&Yes" in box["buttons"]:
            driver("box", 1000, 0)  # the question: Ja
            continue
        if box["title"] != texts.account_caption(COMPUTER):
            break
        dialogs.append(box)
        password = typed[len(dialogs) - 1]
        if password is None:
            app.keys("Escape")
            wait = 1000  # the window has taken the Esc: a box would be up by now
            continue
        if len(dialogs) == 1:
            app.xdotool("type", "--delay", "20", USER)
            app.keys("Tab")
        subprocess.run(["xdotool", "type", "--delay", "20", "--file", "-"], input=(RIGHT if password == HELD else
                                                                                    password).encode(), check=True)
        app.xdotool(*("keydown Return sleep 1.2 keyup Return" if password == HELD else "key Return").split())
    assert len(dialogs) == len(typed), "the credential dialog, once for each password"
    if said is None:
        assert box["box"] is False, box
    elif isinstance(said, str):
        assert box["text"] == said
    else:
        assert box["text"].startswith(said[0]) and box["text"].endswith("\n\n" + said[1]), box["text"]
    driver("box", 1000)
    assert driver("box", 1000)["box"] is False, "one box: one Schedule"
    assert fake.accounts() == reached
    assert app.process.poll() is None
    app.stop()
    assert written_anywhere(RIGHT, since, fake.log) == [], "the password was written down"


@pytest.mark.parametrize("during", ["the call", "the credential dialog"])
def test_closed_during_a_schedule_the_window_shows_its_outcome_first(fake, during):
    """Another program closes the window (WM_CLOSE, as taskkill does) while a call takes long or
    the credential dialog is up: the confirmation stays up after the close has come, and the
    window closes once it is read. (The user's own close box and Alt+F4 are input, which the
    window takes neither during a call nor under a dialog.)"""
    app = fake.start(answers="0@2000" if during == "the call" else 0, account=(ACCOUNT, RIGHT))
    app.set("Text1", COMPUTER)
    app.press("Command1")
    assert driver("box", 10000, -2)["title"] == texts.account_caption(COMPUTER)
    if during == "the credential dialog":
        driver("close", "WM_CLOSE", 0)
    app.xdotool("type", "--delay", "20", USER)
    app.keys("Tab")
    subprocess.run(["xdotool", "type", "--delay", "20", "--file", "-"], input=RIGHT.encode(), check=True)
    app.keys("Return")
    if during == "the call":
        driver("close", "WM_CLOSE", 0)
    assert driver("box", 10000, -2)["text"] == texts.job_added(1)
    assert driver("counts")["responsive"], "the window is there, the close waiting"
    assert driver("box", 1000)["box"]
    assert app.close("wait") == {"ended": True, "code": 0}
