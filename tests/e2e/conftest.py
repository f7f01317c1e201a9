"""Runs the Windows programs of the build under Wine, in the prefix that scripts/test prepared
(its server persistent, its scheduling service running)."""
import os
import subprocess
import tempfile
import time
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
BIN = ROOT / "build" / "win32"


def wine(program, *args, env=None, timeout=60, check=True):
    """Runs a program of the build and returns what it printed. Wine's helper processes
    inherit the output handles, so output goes to a file, never a pipe."""
    return _wine_command([str(BIN / program), *map(str, args)], env, timeout, check)


def _wine_command(command, env=None, timeout=60, check=True):
    with tempfile.TemporaryFile() as out:
        result = subprocess.run(["wine", *command],
                                stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL,
                                env={**os.environ, **(env or {})}, timeout=timeout)
        out.seek(0)
        text = out.read().decode("utf-8", "replace").replace("\r\n", "\n")
    if check and result.returncode != 0:
        raise AssertionError(f"{command} exited {result.returncode}: {text}")
    return text


def _quiet(*command):
    subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False, timeout=60)


def start_service():
    """Starts Wine's scheduling service and returns once it says it is running."""
    for _ in range(10):
        if "already running" in _wine_command(["net", "start", "schedule"], check=False):
            return
        time.sleep(0.2)
    raise AssertionError("Wine's scheduling service did not start")


@pytest.fixture
def service_stopped():
    """Wine's scheduling service is down for the test (only a server restart stops it), and
    running again afterwards."""
    _quiet("wineserver", "-k")
    _quiet("wineserver", "-w")
    _quiet("wineserver", "-p")
    yield
    start_service()
