"""The binding of NetScheduleJobAdd against Wine's real scheduling service."""
import json
import os
import re
import subprocess
import time
import uuid

from app import service_commands
from wine import BIN, BUILTIN_NETAPI, OUT, WINE, start_service, wine, windows_path


def probe(*args):
    out = wine("schedule_probe.exe", *args)
    match = re.fullmatch(r"status=(\d+) job=(\d+)\n?", out)
    assert match, out
    return int(match[1]), int(match[2])


def test_default_job_reaches_the_service():
    command = f"Calc.exe /probe {uuid.uuid4().hex[:8]}"
    status, job = probe("", command)
    assert status == 0 and job > 0
    status, later = probe("SOMEHOST", command + "-2")
    assert status == 0 and later != job
    listed = service_commands([command, command + "-2"])
    assert command in listed and command + "-2" in listed, "the service lists each job with its command"


def test_service_down_is_a_status_not_a_crash(service_stopped):
    assert probe() == (1753, 0)  # the RPC exception's code, and no job


def test_guard_soak_5000_failed_calls_then_the_service(service_stopped, tmp_path):
    """Every call with the service down is a failure status, and each unwinds what it leaves:
    the process does not grow. Then the service starts and the same process gets a job."""
    out, go = tmp_path / "soak.txt", tmp_path / "go"
    with open(out, "wb") as sink:
        probe = subprocess.Popen([WINE, str(BIN / "schedule_probe.exe"), "soak", "5000", windows_path(go)],
                                 stdin=subprocess.DEVNULL, stdout=sink, stderr=subprocess.DEVNULL,
                                 env={**os.environ, **BUILTIN_NETAPI})
        deadline = time.monotonic() + 300
        while not out.read_text().strip() and probe.poll() is None and time.monotonic() < deadline:
            time.sleep(0.2)
        soak = json.loads(out.read_text().splitlines()[0])
        start_service()
        go.touch()
        assert probe.wait(timeout=90) == 0
    (OUT / f"guard-soak-{BIN.name}.json").write_text(json.dumps(soak) + "\n")
    assert soak["statuses"] == {"1753": 5000}
    memory_10th, memory_last = soak["memory_kb"]
    handles_10th, handles_last = soak["handles"]
    assert memory_10th > 0 and handles_10th > 0, "the counts must be real"
    # A guard that skips the cleanup of the frames it leaves grows by about 1.2 MB here.
    assert memory_last - memory_10th <= 256, soak
    assert abs(handles_last - handles_10th) <= 2, soak
    status, job = re.fullmatch(r"status=(\d+) job=(\d+)\n?", out.read_text().splitlines()[1] + "\n").groups()
    assert int(status) == 0 and int(job) > 0
