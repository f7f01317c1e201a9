"""The program under test, started as it ships or against the stand-in netapi32.dll, and the
driver that works its window: one driver.exe for the whole run, which takes a command a line
and answers each with a line of JSON."""
import json
import os
import re
import select
import shutil
import subprocess
import time
from pathlib import Path

from wine import (BIN, BUILD, BUILTIN_NETAPI, OUT, ROOT, STAND_IN_NETAPI, STAND_IN_TASK_SCHEDULER, WINE, windows_path,
                  wine_command)

POINTER = 8 if BUILD == "win64" else 4
# The key that marks the end of the input sent so far (VK_PAUSE, tests/win32/HookNames.h).
MARKER = "Pause"


def record(job_time, days_of_month, days_of_week, flags):
    """The bytes of the platform's AT_INFO before its Command pointer, as this build lays them
    out: JobTime is pointer-sized, then DaysOfMonth, DaysOfWeek, Flags and two zero fill bytes."""
    return (job_time.to_bytes(POINTER, "little") + days_of_month.to_bytes(4, "little")
            + bytes([days_of_week, flags, 0, 0]))


def _control_ids():
    """The controls' ids by name ("Text1"), as win32/ControlIds.h defines them."""
    ids = {}
    for line in (ROOT / "win32" / "ControlIds.h").read_text().splitlines():
        if match := re.fullmatch(r"#define IDC_([A-Z]+)(\d+) (\d+)", line.strip()):
            ids[match[1].capitalize() + match[2]] = int(match[3])
    assert ids and len(set(ids.values())) == len(ids), ids
    return ids


ID = _control_ids()
NAME = {i: name for name, i in ID.items()}


def _argument(value):
    """A number as it is; a text as a JSON string, or as its UTF-16 code units where UTF-8 can't
    carry it (half a surrogate pair)."""
    if isinstance(value, int):
        return value
    text = str(value)
    try:
        text.encode("utf-8")
        return text
    except UnicodeEncodeError:
        data = text.encode("utf-16-le", "surrogatepass")
        return [int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)]


class Driver:
    """driver.exe serving commands for the whole run, started at the first command and again
    whenever it has ended (a test that stops Wine's server ends it too).

    A driver that ends before it answers never ran its course: under Wine a starting program
    is seldom ended with exit code 1 and nothing said (seen about once in a thousand starts).
    Such a command is sent again, once, to a new driver, and the event noted in
    build/wine-restarts.log with what Wine said."""

    def __init__(self):
        self.process = None
        self.pending = b""

    def __call__(self, *args, timeout=60):
        line = (json.dumps([_argument(a) for a in args]) + "\n").encode()
        for attempt in (1, 2):
            if self.process is None or self.process.poll() is not None:
                self._start()
            try:
                self.process.stdin.write(line)
                self.process.stdin.flush()
                answer = json.loads(self._read_line(timeout))
                break
            except (BrokenPipeError, EOFError):
                said = self.stop()
                if attempt == 2:
                    raise AssertionError(f"the driver ended twice on {args}; Wine said:\n{said}")
                note_restart(f"{args}: the driver ended before it answered", said)
        if isinstance(answer, dict) and "error" in answer:
            raise AssertionError(f"driver {args}: {answer['error']}")
        return answer

    def _start(self):
        self.log = OUT / f"driver-{BUILD}.log"
        with open(self.log, "wb") as log:
            self.process = subprocess.Popen([WINE, str(BIN / "driver.exe"), "serve"], stdin=subprocess.PIPE,
                                            stdout=subprocess.PIPE, stderr=log,
                                            env={**os.environ, **BUILTIN_NETAPI, "WINEDEBUG": "err+all"})
        self.pending = b""

    def _read_line(self, timeout):
        """The next line of the driver's answer. Wine's helper processes may hold the pipe open
        after the driver has ended, so its end is told by the driver's exit, not by the pipe's."""
        deadline = time.monotonic() + timeout
        out = self.process.stdout.fileno()
        while b"\n" not in self.pending:
            if time.monotonic() > deadline:
                self.stop()
                raise AssertionError(f"the driver did not answer within {timeout} s")
            if select.select([out], [], [], 0.2)[0]:
                chunk = os.read(out, 65536)
                if not chunk:
                    raise EOFError
                self.pending += chunk
            elif self.process.poll() is not None:
                raise EOFError
        line, self.pending = self.pending.split(b"\n", 1)
        return line.decode()

    def stop(self):
        """Ends the driver; what Wine said meanwhile."""
        if self.process is None:
            return ""
        try:
            self.process.stdin.close()
        except OSError:
            pass
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()
        self.process = None
        return self.log.read_text(errors="replace")[-2000:]


def note_restart(what, said):
    """Notes in build/wine-restarts.log that Wine ended a program as it started, and what Wine
    said; scripts/test shows the notes at its end."""
    with open(OUT / "wine-restarts.log", "a") as restarts:
        restarts.write(f"{time.strftime('%H:%M:%S')} {BUILD} {what}; Wine said:\n{said}\n")


driver = Driver()


def service_commands(wanted, within=5.0):
    """The commands of the local scheduling service's jobs, once it lists all of `wanted` or
    after `within` seconds: Wine's service takes a job into its list a moment after it has
    confirmed it."""
    deadline = time.monotonic() + within
    while True:
        jobs = driver("jobs")
        assert jobs["status"] == 0
        commands = [command for _, command in jobs["jobs"]]
        if set(wanted) <= set(commands) or time.monotonic() > deadline:
            return commands
        time.sleep(0.1)


class App:
    """The program running under Wine, driven through the driver."""

    def __init__(self, program, env):
        self.program = Path(program)
        self.log = open(OUT / "app.log", "ab")
        # What the test hooks, once installed, note of what the program handled.
        self.events = OUT / f"events-{BUILD}.log"
        self.watching = False
        # Before its window shows, the program ends only with exit code 2 and a box that says
        # why, or by a fault's code: an exit code of 1 then, with nothing said, is Wine's, which
        # ends a starting program so now and then. It is started again, once, and the event noted.
        for attempt in (1, 2):
            self.events.write_bytes(b"")
            said = (OUT / "app.log").stat().st_size
            self.process = subprocess.Popen([WINE, str(program)], stdin=subprocess.DEVNULL,
                                            stdout=self.log, stderr=self.log,
                                            env={**os.environ, **BUILTIN_NETAPI, "WINEDEBUG": "err+all", **env,
                                                 "ADDJOB_EVENTS": windows_path(self.events)})
            deadline = time.monotonic() + 15
            while not (shown := driver("wait", 250)["window"]) and self.process.poll() is None and \
                    time.monotonic() < deadline:
                pass
            if shown:
                return
            code = self.process.poll()
            if code != 1 or attempt == 2:
                break
            note_restart(f"{self.program.name}: ended with exit code 1 before its window showed",
                         (OUT / "app.log").read_bytes()[said:].decode(errors="replace")[-2000:])
        raise AssertionError("the window did not appear: the program " +
                             ("runs" if code is None else f"ended with exit code {code}"))

    def state(self, dpi=None):
        """The window and its controls; with `dpi`, also each text's extent in the window's
        font at that DPI, as the driver's own copy of it measures it."""
        state = driver("state", *([dpi] if dpi else []))
        state["by_name"] = {NAME[c["id"]]: c for c in state["controls"]}
        return state

    def entries(self):
        """What the user can change: the texts and the check states."""
        return {name: (c["text"], c.get("checked")) for name, c in self.state()["by_name"].items()}

    def set(self, name, text):
        driver("set", ID[name], text)

    def press(self, name):
        """Clicks a button: Schedule without waiting for what it opens, any other once the
        program has handled the click."""
        driver("press", ID[name])

    def schedule(self, wait_ms=10000):
        """Clicks Schedule, and reads and closes the message box it opens."""
        self.press("Command1")
        box = driver("box", wait_ms)
        assert box["box"], "no message box after Schedule"
        return box

    def last_events(self, n):
        """The last N things the program noted it handled (test_hooks.dll's Count and Marker)."""
        return self.events.read_text(errors="replace").splitlines()[-n:]

    def counts(self):
        """The program's kernel handles and GDI objects."""
        counts = driver("counts")
        return [counts["handles"], counts["gdi"]]

    def xdotool(self, *commands):
        """Real keys and clicks through the X server, as a user makes them; returns once the
        program has handled them."""
        subprocess.run(["xdotool", *commands], check=True, timeout=120)
        self.settle()

    def keys(self, *keys):
        """Key presses, as a user types them; returns once the program has handled them."""
        self.xdotool("key", "--delay", "30", *keys)

    def settle(self):
        """Returns once the window's thread has taken every key and click sent so far through
        the X server, and handled all but the last: a marker key sent after them has reached it
        (test_hooks.dll counts it there, in whichever loop takes it). xdotool itself returns as
        soon as the X server has its events, before Wine has turned them into messages. Where
        the keyboard focus is on no window of the program, the marker can't arrive: then the
        window is made active and the marker sent again."""
        if not self.watching:
            assert driver("hook", "marker") == {"done": True, "answer": 1}
            self.watching = True
        for _ in range(3):
            wanted = driver("counts")["markers"] + 1
            subprocess.run(["xdotool", "key", MARKER], check=True, timeout=30)
            if driver("marker", wanted, 10000)["seen"]:
                return
            driver("activate")
        raise AssertionError("the window's thread never took the marker key")

    def tab_to(self, name, limit=20):
        """Presses Tab until the focus is in the named control."""
        for _ in range(limit):
            if NAME.get(self.state()["focus"]) == name:
                return
            self.keys("Tab")
        raise AssertionError(f"Tab never reached {name}")

    def focus_after(self, *keys):
        """The name of the control the keys move the focus to."""
        self.keys(*keys)
        return NAME.get(self.state()["focus"])

    def reactivate(self):
        """Makes the window active again if closing a message box left no window active.
        The driver closes boxes with a posted click, which carries no X event time; without a
        window manager Wine then sometimes loses the X focus. A user's click or key doesn't."""
        if not self.state()["active"]:
            assert driver("activate")["active"]

    def focus_becomes(self, name, within=2.0):
        """Whether the focus is in the named control, allowing the program a moment: when the
        driver has closed a message box, the program may not yet have returned from it."""
        self.reactivate()
        deadline = time.monotonic() + within
        while (focus := self.state()["focus"]) != ID[name] and time.monotonic() < deadline:
            time.sleep(0.05)
        return focus == ID[name]

    def close(self, how="close", wait_ms=10000):
        """Closes the window ("close"), ends its loop with a foreign WM_QUIT ("quit"), or neither
        ("wait"), and waits for the program to end: whether it did, and its exit code as Windows
        has it (Wine's loader passes on only its lowest byte, or nothing after a crash)."""
        result = driver("close", how, wait_ms)
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.kill()
        return result

    def kill(self):
        """Ends the program itself, not only the Wine loader that started it: a window left
        open would be found, and driven, by the next test."""
        wine_command(["taskkill", "/f", "/im", self.program.name], check=False)
        self.process.kill()

    def stop(self):
        try:
            if self.process.poll() is None:
                assert self.close()["ended"], "the program did not end when its window was closed"
        except AssertionError:
            self.kill()
            raise
        finally:
            self.log.close()


def no_growth(counts):
    """Whether counts of kernel handles and GDI objects, taken after each of a run of like
    steps, do not grow with the steps. Wine's caches step up once, now and then late, and then
    stay; objects come and go between counts (a few device contexts and fonts, alive at one count
    and gone at the next); a leak raises the floor all along. So of the run's thirds, the lower
    quartile of the counts, which a few passing objects don't move, may rise from one third to
    the next once, but not twice in a row, for either of the two."""
    third = len(counts) // 3
    parts = counts[:third], counts[third:2 * third], counts[2 * third:]
    for i in (0, 1):
        first, second, last = (sorted(c[i] for c in part)[len(part) // 4] for part in parts)
        if first < second < last:
            return False
    return True


def downloads(folder, program, foreign_dll):
    """A copy of the build's PROGRAM in FOLDER/downloads, beside a DLL that isn't one (the stand-in
    without NetScheduleJobAdd) under the name FOREIGN_DLL, as a download folder may hold one; the
    copy's path."""
    downloads = folder / "downloads"
    downloads.mkdir()
    shutil.copy(BIN / program, downloads)
    shutil.copy(BIN / "without-add" / "netapi32.dll", downloads / foreign_dll)
    return downloads / program


def password_hash(password):
    """The FNV-1a hash of a password's UTF-16 code units in hexadecimal, as the stand-ins check it."""
    value = 14695981039346656037
    for unit in memoryview(password.encode("utf-16-le")).cast("H"):
        value = ((value ^ unit) * 1099511628211) % (1 << 64)
    return f"{value:x}"


def _utf16(hex_text):
    return bytes.fromhex(hex_text).decode("utf-16-le", "surrogatepass")


class Fake:
    """Starts the program against the stand-in netapi32.dll, and the stand-in Task Scheduler if
    asked, and reads what they were handed."""

    def __init__(self, folder):
        self.folder = folder
        self.log = folder / "calls.log"
        self.running = None

    def start(self, answers=0, job_id=1, program=BIN / "AddJob.exe", clock="", connect=None, register="", account=None,
              mpr=""):
        """`answers`: the stand-in's answer to each call, the last repeating; a status, or
        "!" and an exception code to raise. `clock`: what it answers NetRemoteTOD ("AHEAD,TIMEZONE",
        a status, or "!" and a code; by default ERROR_NOT_SUPPORTED). `connect`: what the stand-in
        Task Scheduler's Connect answers (an HRESULT); without it, Wine's own Task Scheduler.
        `register`: what its registration answers. Each may end in "@" and the milliseconds it takes.
        `account`: (user, password), the account a named computer takes, through the stand-in
        mpr.dll's network session, which answers `mpr` where given ("wine": Wine's own mpr.dll).
        The stand-ins are told the password's hash alone (password_hash)."""
        answers = answers if isinstance(answers, (list, tuple)) else [answers]
        overrides = (STAND_IN_NETAPI if connect is None else STAND_IN_TASK_SCHEDULER)["WINEDLLOVERRIDES"]
        user, password = account or ("", "")
        env = {"WINEDLLOVERRIDES": overrides + (";mpr=n" if account and mpr != "wine" else ""),
               "FAKE_ACCOUNT": user, "FAKE_PASSWORD_HASH": password_hash(password) if account else "",
               "FAKE_MPR": "" if mpr == "wine" else mpr,
               "FAKE_NETAPI_LOG": windows_path(self.log), "FAKE_NETAPI_ANSWERS": ",".join(map(str, answers)),
               "FAKE_NETAPI_JOBID": str(job_id), "FAKE_NETAPI_CLOCK": clock, "FAKE_TASKSCHD": connect or "",
               "FAKE_TASKSCHD_REGISTER": register}
        self.running = App(program, env)
        return self.running

    def calls(self):
        """Each call of NetScheduleJobAdd: the server name (None for NULL), the record's bytes and
        the command."""
        return [call[1:] for call in self._logged() if call[0] == "add"]

    def clocks_read(self):
        """The server name of each call of NetRemoteTOD (None for NULL)."""
        return [call[1] for call in self._logged() if call[0] == "clock"]

    def connects(self):
        """The server name of each call of the stand-in Task Scheduler's Connect (None for none)."""
        return [call[1] for call in self._logged() if call[0] == "connect"]

    def accounts(self):
        """What the account reached, in turn: each network session asked for ("session", remote,
        user, password right, wrong or none) and ended ("cancel", remote), and each Connect of the
        Task Scheduler with its user, domain and password ("connect", user, domain, password)."""
        said = []
        for kind, name, *fields in self._logged():
            if kind == "session":
                said.append((kind, name, fields[0]["user"], fields[0]["password"]))
            elif kind == "cancel":
                said.append((kind, name))
            elif kind == "connect":
                said.append((kind, fields[0]["user"], fields[0]["domain"], fields[0]["password"]))
        return said

    def held(self):
        """What each stand-in has handed out and not had back so far: {"netapi32": its buffers,
        "taskschd": the references on its objects}."""
        held = [call[1:] for call in self._logged() if call[0] == "held"]
        return {"netapi32": 0, "taskschd": 0} | {dll: int(count) for dll, count in held}

    def _logged(self):
        """Each call, as a tuple: its kind (add, clock, connect, register, held), then what it was
        handed, or for held, the stand-in and its count."""
        if not self.log.exists():
            return []
        calls = []
        for line in self.log.read_text().splitlines():
            kind = line.split(" ", 1)[0] if line.startswith(("clock ", "connect ", "register ", "held ", "session ",
                                                             "cancel ")) else "add"
            fields = dict(part.split("=", 1) for part in line.removeprefix(kind + " ").split(" "))
            if kind == "held":
                calls.append((kind, fields["dll"], fields["count"]))
                continue
            text = {key: None if value == "NULL" else value if key == "password" else _utf16(value)
                    for key, value in fields.items() if key not in ("record", "command")}
            name = text.get("server", text.get("name", text.get("remote")))
            calls.append((kind, name, bytes.fromhex(fields["record"]), _utf16(fields["command"])) if kind == "add"
                         else (kind, name, text))
        return calls
