"""Runs the Windows programs of one build under Wine, in the prefix that scripts/test prepared
(its server persistent, its scheduling service running). scripts/test selects the build:
ADDJOB_BUILD (win32 or win64), WINE (its loader) and WINESERVER."""
import contextlib
import json
import os
import re
import subprocess
import tempfile
import time
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
BUILD = os.environ.get("ADDJOB_BUILD", "win32")
BIN = ROOT / "build" / BUILD
WINE = os.environ.get("WINE", "wine")
WINESERVER = os.environ.get("WINESERVER", "wineserver")
POINTER = 8 if BUILD == "win64" else 4

# Wine's own netapi32 for every program of a test unless it asks for the stand-in, which the
# tests put in the prefix's system folder: the program loads netapi32.dll from there only.
BUILTIN_NETAPI = {"WINEDLLOVERRIDES": "netapi32=b;mscoree,mshtml="}
STAND_IN_NETAPI = {"WINEDLLOVERRIDES": "netapi32=n;mscoree,mshtml="}
SYSTEM_NETAPI = Path(os.environ.get("WINEPREFIX", "/nonexistent")) / "drive_c/windows/system32/netapi32.dll"


def record(job_time, days_of_month, days_of_week, flags):
    """The bytes of the platform's AT_INFO before its Command pointer, as this build lays them
    out: JobTime is pointer-sized, then DaysOfMonth, DaysOfWeek, Flags and two zero fill bytes."""
    return (job_time.to_bytes(POINTER, "little") + days_of_month.to_bytes(4, "little")
            + bytes([days_of_week, flags, 0, 0]))


def wine(program, *args, env=None, timeout=60, check=True):
    """Runs a program of the build and returns what it printed. Wine's helper processes
    inherit the output handles, so output goes to a file, never a pipe."""
    return wine_command([str(BIN / program), *map(str, args)], env, timeout, check)


def wine_command(command, env=None, timeout=60, check=True):
    code, text, said = run_wine(command, env, timeout)
    if check and code != 0:
        raise AssertionError(f"{command} exited {code}: {text}\n{said}")
    return text


def run_wine(command, env, timeout):
    """Exit code, output and the end of Wine's own messages."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        result = subprocess.run([WINE, *command], stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                env={**os.environ, **BUILTIN_NETAPI, **(env or {})}, timeout=timeout)
        out.seek(0)
        err.seek(0)
        text = out.read().decode("utf-8", "replace").replace("\r\n", "\n")
        said = err.read().decode("utf-8", "replace")[-2000:]
    return result.returncode, text, said


def _quiet(*command):
    subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False, timeout=60)


def start_service():
    """Starts Wine's scheduling service and returns once it says it is running."""
    for _ in range(10):
        if "already running" in wine_command(["net", "start", "schedule"], check=False):
            return
        time.sleep(0.2)
    raise AssertionError("Wine's scheduling service did not start")


@pytest.fixture
def service_stopped():
    """Wine's scheduling service is down for the test (only a server restart stops it), and
    running again afterwards."""
    _quiet(WINESERVER, "-k")
    _quiet(WINESERVER, "-w")
    _quiet(WINESERVER, "-p")
    yield
    start_service()


def _control_ids():
    """The controls' ids by name ("Text1"), as front/ControlIds.h defines them."""
    ids = {}
    for line in (ROOT / "front" / "ControlIds.h").read_text().splitlines():
        if match := re.fullmatch(r"#define IDC_([A-Z]+)(\d+) (\d+)", line.strip()):
            ids[match[1].capitalize() + match[2]] = int(match[3])
    assert len(ids) == 14, ids
    return ids


ID = _control_ids()
NAME = {i: name for name, i in ID.items()}


def driver(*args, timeout=60):
    """Runs one driver command and returns its JSON answer. Every command answers with a line,
    also when it fails; a driver that ends without one never ran its course. Under Wine that
    happens seldom (exit code 1, nothing said; seen about once in a thousand starts): such a start is
    made again once, and noted in build/driver-restarts.log with what Wine said."""
    command = [str(BIN / "driver.exe"), *map(str, args)]
    for attempt in (1, 2):
        code, text, said = run_wine(command, {"WINEDEBUG": "err+all"}, timeout)
        if code == 0 or text.strip() or attempt == 2:
            break
        with open(ROOT / "build" / "driver-restarts.log", "a") as log:
            log.write(f"{time.strftime('%H:%M:%S')} {BUILD} {args}: exited {code} without a word; Wine said:\n{said}\n")
    if code != 0:
        raise AssertionError(f"{command} exited {code}: {text}\n{said}")
    return json.loads(text.strip().splitlines()[-1])


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


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


class App:
    """The program running under Wine, driven through the driver."""

    def __init__(self, program, env):
        self.program = Path(program)
        self.log = open(ROOT / "build" / "app.log", "ab")
        self.process = subprocess.Popen([WINE, str(program)], stdin=subprocess.DEVNULL,
                                        stdout=self.log, stderr=self.log,
                                        env={**os.environ, **BUILTIN_NETAPI, **env})
        assert driver("wait")["window"], "the window did not appear"

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
        driver("press", ID[name])

    def schedule(self):
        box = driver("schedule")
        assert box["box"], "no message box after Schedule"
        return box

    def keys(self, *keys):
        """Real key presses through the X server, as a user types them."""
        subprocess.run(["xdotool", "key", "--delay", "30", *keys], check=True, timeout=30)

    def focus_after(self, *keys):
        """The name of the control the keys move the focus to (the old one if they don't)."""
        before = self.state()["focus"]
        self.keys(*keys)
        deadline = time.monotonic() + 2
        while (focus := self.state()["focus"]) == before and time.monotonic() < deadline:
            time.sleep(0.05)
        return NAME.get(focus)

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

    def close(self):
        if self.process.poll() is None:
            result = driver("close")
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.kill()
            return result
        return {"ended": True}

    def kill(self):
        """Ends the program itself, not only the Wine loader that started it: a window left
        open would be found, and driven, by the next test."""
        wine_command(["taskkill", "/f", "/im", self.program.name], check=False)
        self.process.kill()

    def stop(self):
        try:
            if self.process.poll() is None:
                self.close()
        except AssertionError:
            self.kill()
            raise
        finally:
            self.log.close()


@pytest.fixture
def app():
    """The program as it ships, against Wine's real netapi32 and scheduling service."""
    running = App(BIN / "AddJob.exe", {})
    yield running
    running.stop()


@contextlib.contextmanager
def system_netapi(folder):
    """The build's stand-in from `folder` as the system's netapi32.dll, Wine's own back after.
    Files are swapped by renaming, so a program still running keeps the one it loaded."""
    wines_own = SYSTEM_NETAPI.read_bytes()

    def put(data):
        incoming = SYSTEM_NETAPI.with_suffix(".incoming")
        incoming.write_bytes(data)
        os.replace(incoming, SYSTEM_NETAPI)

    put((BIN / folder / "netapi32.dll").read_bytes())
    try:
        yield
    finally:
        put(wines_own)


class Fake:
    """Starts the program against the stand-in netapi32.dll and reads what it was handed."""

    def __init__(self, folder):
        self.folder = folder
        self.log = folder / "calls.log"
        self.running = None

    def start(self, answers=0, job_id=1, program=BIN / "AddJob.exe"):
        """`answers`: the stand-in's answer to each call, the last repeating; a status, or
        "!" and an exception code to raise."""
        answers = answers if isinstance(answers, (list, tuple)) else [answers]
        env = {**STAND_IN_NETAPI, "FAKE_NETAPI_LOG": windows_path(self.log),
               "FAKE_NETAPI_ANSWERS": ",".join(map(str, answers)), "FAKE_NETAPI_JOBID": str(job_id)}
        self.running = App(program, env)
        return self.running

    def calls(self):
        """Each call: the server name (None for NULL), the record's bytes and the command."""
        if not self.log.exists():
            return []
        calls = []
        for line in self.log.read_text().splitlines():
            fields = dict(part.split("=", 1) for part in line.split(" "))
            server = None if fields["server"] == "NULL" else bytes.fromhex(fields["server"]).decode("utf-16-le")
            calls.append((server, bytes.fromhex(fields["record"]),
                          bytes.fromhex(fields["command"]).decode("utf-16-le")))
        return calls


@pytest.fixture
def fake(tmp_path):
    stand_in = Fake(tmp_path)
    with system_netapi("fake"):
        yield stand_in
        if stand_in.running:
            stand_in.running.stop()
