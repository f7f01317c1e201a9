"""Wine for one build of the program, as scripts/e2e prepared it: the build (ADDJOB_BUILD,
win32 or win64) and its folder (ADDJOB_BIN_DIR), the build folder for logs and figures
(ADDJOB_BUILD_DIR), Wine's loader (WINE) and server (WINESERVER), and its prefix (WINEPREFIX), whose
server is persistent and whose scheduling service runs. Programs are run here, the service is
stopped and started, and netapi32.dll is swapped for a stand-in."""
import contextlib
import os
import re
import subprocess
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = os.environ.get("ADDJOB_BUILD", "win32")
OUT = Path(os.environ.get("ADDJOB_BUILD_DIR") or ROOT / "build")
BIN = Path(os.environ.get("ADDJOB_BIN_DIR") or OUT / BUILD)
WINE = os.environ.get("WINE", "wine")
WINESERVER = os.environ.get("WINESERVER", "wineserver")

# Wine's own netapi32 and Task Scheduler for every program of a test unless it asks for a
# stand-in, which the tests put in the prefix's system folder: the program loads netapi32.dll
# from there only, and COM the Task Scheduler's class from taskschd.dll there.
BUILTIN_NETAPI = {"WINEDLLOVERRIDES": "netapi32=b;taskschd=b;mscoree,mshtml="}
STAND_IN_NETAPI = {"WINEDLLOVERRIDES": "netapi32=n;taskschd=b;mscoree,mshtml="}
STAND_IN_TASK_SCHEDULER = {"WINEDLLOVERRIDES": "netapi32=n;taskschd=n;mscoree,mshtml="}
PREFIX = Path(os.environ.get("WINEPREFIX", "/nonexistent"))
SYSTEM = PREFIX / "drive_c/windows/system32"
# Where Wine's Task Scheduler service keeps each task, as a file named after it, and each AT job,
# as a file At<N>.job.
TASKS = PREFIX / "drive_c/windows/system32/tasks"
AT_JOBS = PREFIX / "drive_c/windows/tasks"


def project_version():
    """The version that CMakeLists.txt's project() gives."""
    return re.search(r"project\(AddJob VERSION ([0-9.]+)", (ROOT / "CMakeLists.txt").read_text()).group(1)


def run_wine(command, env=None, timeout=60):
    """Runs a Windows program; its exit code, its output and the end of Wine's own messages.
    Wine's helper processes inherit the output handles, so output goes to a file, never a
    pipe that would be waited on to its end."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        result = subprocess.run([WINE, *command], stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                env={**os.environ, **BUILTIN_NETAPI, **(env or {})}, timeout=timeout)
        out.seek(0)
        err.seek(0)
        text = out.read().decode("utf-8", "replace").replace("\r\n", "\n")
        said = err.read().decode("utf-8", "replace")[-2000:]
    return result.returncode, text, said


def wine_command(command, env=None, timeout=60, check=True):
    """What a Windows program printed; with `check`, a non-zero exit fails the test."""
    code, text, said = run_wine(command, env, timeout)
    if check and code != 0:
        raise AssertionError(f"{command} exited {code}: {text}\n{said}")
    return text


def wine(program, *args, env=None, timeout=60, check=True):
    """The same for a program of the build."""
    return wine_command([str(BIN / program), *map(str, args)], env, timeout, check)


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


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


def stop_service():
    """Stops the scheduling service, and every program of the prefix with it: only a restart of
    Wine's server stops the service. The server is persistent again afterwards."""
    _quiet(WINESERVER, "-k")
    _quiet(WINESERVER, "-w")
    _quiet(WINESERVER, "-p")


def remove_tasks():
    """Deletes every task of Wine's Task Scheduler, and has its service start on demand again:
    registering a task makes Wine start it with the prefix, and a stopped service's tests could
    not then stop it."""
    for task in TASKS.glob("*"):
        task.unlink()
    wine_command(["reg", "add", "HKLM\\System\\CurrentControlSet\\Services\\Schedule", "/v", "Start",
                  "/t", "REG_DWORD", "/d", "3", "/f"])


@contextlib.contextmanager
def system_dlls(folder, *names):
    """The build's stand-ins from `folder` as the system's DLLs of these names, Wine's own back
    after. Files are swapped by renaming, so a program still running keeps the one it loaded."""
    wines_own = {name: (SYSTEM / name).read_bytes() for name in names}

    def put(name, data):
        incoming = (SYSTEM / name).with_suffix(".incoming")
        incoming.write_bytes(data)
        os.replace(incoming, SYSTEM / name)

    for name in names:
        put(name, (BIN / folder / name).read_bytes())
    try:
        yield
    finally:
        for name, data in wines_own.items():
            put(name, data)
