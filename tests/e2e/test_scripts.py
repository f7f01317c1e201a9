"""The scripts in a build folder of a test's own (ADDJOB_BUILD_DIR): a prefix left half-made is
made afresh, and what a run killed outright leaves running does not hold the folder's lock;
Ctrl-C while a prefix is made leaves neither the prefix nor a process, a folder that another
run holds is refused with the name of the process that holds it, a prefix of another user is
refused, and --help does nothing but tell. Each failure names its cause and what to do."""
import fcntl
import os
import re
import signal
import subprocess
import time

import pytest

from wine import BUILD, ROOT

SCRIPTS = ["setup", "build", "release", "run", "test", "bench", "check-reproducible", "e2e"]
# Wine's side of the scripts alone: what scripts/run and scripts/e2e do before the program, under
# the shell options they run with (set -euo pipefail), read off scripts/run.
OPTIONS = re.search(r"^set -\w+ \w+$", (ROOT / "scripts" / "run").read_text(), re.MULTILINE)[0]
WINE_UP = (f"{OPTIONS}; source scripts/common.sh; source scripts/wine-env.sh; trap wine_down EXIT; "
           f"wine_select {BUILD}; wine_up")


def started(folder, command, **env):
    """Runs COMMAND (bash) with FOLDER for its build folder, as a run of its own would."""
    environment = {key: value for key, value in os.environ.items() if not key.startswith(("ADDJOB_", "WINEPREFIX"))}
    environment.update(ADDJOB_BUILD_DIR=str(folder), **env)
    return subprocess.Popen(["bash", "-c", command], cwd=ROOT, env=environment, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True, start_new_session=True)


def wine_processes(prefix):
    """The processes that run in PREFIX."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if f"WINEPREFIX={prefix}".encode() in open(f"/proc/{pid}/environ", "rb").read().split(b"\0"):
                found.append(pid)
        except OSError:
            pass
    return found


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
    survivors = wine_processes(prefix)
    try:
        assert survivors, "nothing outlived the killed run: the case tests nothing"
        locker = started(tmp_path, "source scripts/common.sh; lock_build_folder && echo locked")
        assert locker.communicate(timeout=30)[0] == "locked\n"
    finally:
        for pid in survivors:
            os.kill(int(pid), signal.SIGKILL)


def test_ctrl_c_while_the_prefix_is_made_leaves_nothing(tmp_path, prefix):
    run = started(tmp_path, WINE_UP)
    deadline = time.monotonic() + 60
    while not wine_processes(prefix) and time.monotonic() < deadline:
        time.sleep(0.2)
    time.sleep(2)  # well into wineboot
    os.killpg(run.pid, signal.SIGINT)  # Ctrl-C reaches the terminal's whole process group
    out, _ = run.communicate(timeout=60)
    assert run.returncode == 130, out
    assert "interrupted; stopping what this run started" in out
    assert f"Removed the half-made Wine prefix {prefix}" in out
    assert not prefix.exists()


def test_a_folder_another_run_holds_is_refused_naming_its_holder(tmp_path, prefix):
    with open(tmp_path / ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        lock.write("process 4242, scripts/test, since 12:00:00")
        lock.flush()
        run = started(os.path.relpath(tmp_path, ROOT), "scripts/build")  # named as an absolute folder
        out, _ = run.communicate(timeout=60)
    assert run.returncode == 1
    assert f"another run is using the build folder {tmp_path} (process 4242, scripts/test, since 12:00:00; " \
           f"held by process {os.getpid()} (" in out, out
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
