"""The scripts in a build folder of a test's own (ADDJOB_BUILD_DIR): a prefix left half-made is
made afresh, and what a run killed outright leaves running does not hold the folder's lock; a
script stopped by Ctrl-C or kill ends at once and leaves neither a process nor a half-made
prefix, a folder that another run holds is refused with the name of the process that holds it, a
prefix of another user is refused, and --help does nothing but tell. Each failure names its cause
and what to do."""
import contextlib
import fcntl
import os
import re
import signal
import subprocess
import time

import pytest

from wine import BIN, BUILD, ROOT

SCRIPTS = ["setup", "build", "release", "run", "test", "bench", "check-reproducible", "e2e"]
# Wine's side of the scripts alone: what scripts/run and scripts/e2e do before the program, under
# the shell options they run with (set -euo pipefail), read off scripts/run.
OPTIONS = re.search(r"^set -\w+ \w+$", (ROOT / "scripts" / "run").read_text(), re.MULTILINE)[0]
WINE_UP = f"{OPTIONS}; source scripts/common.sh; source scripts/wine-env.sh; wine_select {BUILD}; wine_up"


def started(folder, command, **env):
    """Runs COMMAND (bash, or a script and its arguments) with FOLDER for its build folder, as a
    run of its own from a terminal would: Ctrl-C's signal is not ignored there, as it is in these
    tests when scripts/e2e runs them in the background. It keeps the marks of this run
    (ADDJOB_RUNS), so that what it leaves is stopped with this run at the latest."""
    environment = {key: value for key, value in os.environ.items()
                   if key == "ADDJOB_RUNS" or not key.startswith(("ADDJOB_", "WINEPREFIX"))}
    environment.update(ADDJOB_BUILD_DIR=str(folder), **env)
    return subprocess.Popen(["bash", "-c", command] if isinstance(command, str) else command, cwd=ROOT,
                            env=environment, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            start_new_session=True, preexec_fn=lambda: signal.signal(signal.SIGINT, signal.SIG_DFL))


def processes(variable, value):
    """The processes whose environment sets VARIABLE to VALUE, each with its command line."""
    found = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if f"{variable}={value}".encode() in open(f"/proc/{pid}/environ", "rb").read().split(b"\0"):
                found[pid] = open(f"/proc/{pid}/cmdline", "rb").read().replace(b"\0", b" ").decode(errors="replace")
        except OSError:
            pass
    return found


def wine_processes(prefix):
    """The processes that run in PREFIX."""
    return list(processes("WINEPREFIX", prefix))


@pytest.fixture
def prefix(tmp_path):
    """The test's build folder's Wine prefix; no process of it is left running afterwards."""
    prefix = tmp_path / f"wineprefix-{BUILD}"
    yield prefix
    deadline = time.monotonic() + 5  # killed processes take a moment to go
    while wine_processes(prefix) and time.monotonic() < deadline:
        time.sleep(0.1)
    assert wine_processes(prefix) == [], "a process of the run was left running"


def test_a_prefix_left_half_made_is_made_afresh_and_survivors_hold_no_lock(tmp_path, prefix):
    # What an interrupted wineboot leaves: a registry but no mark that the prefix is ready.
    prefix.mkdir()
    (prefix / "system.reg").write_text("")
    run = started(tmp_path, WINE_UP + "; echo prefix-up; sleep 300 9<&-", DISPLAY=":987")
    lines = []
    deadline = time.monotonic() + 180
    while not (lines and "prefix-up" in lines[-1]) and run.poll() is None and time.monotonic() < deadline:
        lines.append(run.stdout.readline())
    out = "".join(lines)
    assert "prefix-up" in out, out
    assert "DISPLAY=:987 does not answer" in out
    assert "was left half-made by a run that was interrupted: making it afresh" in out
    assert (prefix / ".addjob-ready").is_file() and (prefix / "drive_c/windows/Fonts/tahoma.ttf").is_file()
    # Killed outright, the run leaves its Xvfb and Wine's server running: they must not keep the
    # lock, or every later run would be refused.
    run.kill()
    run.wait()
    run.stdout.close()  # its survivors hold the other end
    try:
        assert wine_processes(prefix), "nothing outlived the killed run: the case tests nothing"
        locker = started(tmp_path, "source scripts/common.sh; lock_build_folder && echo locked")
        assert locker.communicate(timeout=30)[0] == "locked\n"
    finally:
        # What the killed run had started may go on starting more for a moment.
        deadline = time.monotonic() + 5
        while (survivors := wine_processes(prefix)) and time.monotonic() < deadline:
            for pid in survivors:
                with contextlib.suppress(ProcessLookupError):
                    os.kill(int(pid), signal.SIGKILL)
            time.sleep(0.1)


# A script stopped mid-run: the script, the step it is in (a process of the run whose command line
# has this), the signal, and whether it reaches the script's whole process group, as Ctrl-C in a
# terminal does, or the script alone, as timeout, CI runners and service managers send it.
STOPS = {
    "build compiling, Ctrl-C": (["scripts/build"], "cc1plus", signal.SIGINT, True),
    "build compiling, kill": (["scripts/build"], "cc1plus", signal.SIGTERM, False),
    "test building its unit tests": (["scripts/test"], "cc1plus", signal.SIGINT, False),
    "run building": (["scripts/run"], "cc1plus", signal.SIGTERM, False),
    "e2e making its prefix": (["scripts/e2e", BUILD, str(BIN)], "wineboot", signal.SIGINT, False),
    "e2e running its tests": (["scripts/e2e", BUILD, str(BIN)], "driver.exe", signal.SIGTERM, False),
}


@pytest.mark.parametrize("case", STOPS)
def test_a_script_stopped_mid_run_ends_at_once_and_leaves_nothing(tmp_path, prefix, case):
    command, step, signal_number, group = STOPS[case]
    run = started(tmp_path, command)
    deadline = time.monotonic() + 180
    while not any(step in line for line in processes("ADDJOB_BUILD_DIR", tmp_path).values()):
        assert run.poll() is None and time.monotonic() < deadline, f"{case}: never reached {step}"
        time.sleep(0.1)
    if step == "wineboot":
        time.sleep(2)  # well into making the prefix
    (os.killpg if group else os.kill)(run.pid, signal_number)
    stopped = time.monotonic()
    out, _ = run.communicate(timeout=10)
    assert run.returncode == 130, out
    assert "interrupted; stopping what this run started." in out, out
    # Each within 10 s of the signal, whatever it was doing: processes killed a moment ago may
    # still be there, without their environment.
    while (left := processes("ADDJOB_BUILD_DIR", tmp_path)) and time.monotonic() < stopped + 10:
        time.sleep(0.1)
    assert left == {}, f"{case}: left running"
    assert not prefix.exists() or (prefix / ".addjob-ready").exists(), f"{case}: left a half-made prefix"


def test_a_folder_another_run_holds_is_refused_naming_its_holder(tmp_path, prefix):
    with open(tmp_path / ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        lock.write("process 4242, scripts/test, since 12:00:00")
        lock.flush()
        run = started(os.path.relpath(tmp_path, ROOT), "scripts/build")  # named as an absolute folder
        out, _ = run.communicate(timeout=60)
    assert run.returncode == 1
    assert out.startswith(f"build: another run is using the build folder {tmp_path} (process 4242, scripts/test, "
                          f"since 12:00:00; held by process {os.getpid()} ("), out
    assert re.findall(r"process (\d+) \(", out) == [str(os.getpid())], out  # this test alone holds it
    assert "What to do: wait for it to end, or stop it; or give this run a folder of its own" in out
    assert not (tmp_path / "win32").exists()


def test_a_prefix_of_another_user_is_refused(tmp_path, prefix):
    prefix.mkdir()
    os.chown(prefix, 65534, 65534)  # nobody
    run = started(tmp_path, WINE_UP)
    out, _ = run.communicate(timeout=60)
    assert run.returncode == 1
    assert f"The Wine prefix {prefix} belongs to the user nobody" in out
    assert f"What to do: run as nobody, or delete the prefix (rm -rf {prefix})" in out


def test_help_does_nothing_but_tell(tmp_path):
    for script in SCRIPTS:
        run = started(tmp_path, f"scripts/{script} --help")
        out, _ = run.communicate(timeout=30)
        assert run.returncode == 0 and len(out.splitlines()) >= 2, (script, out)
        assert not out.startswith(("#", "!")), (script, out)
    assert os.listdir(tmp_path) == [], "--help did something"
