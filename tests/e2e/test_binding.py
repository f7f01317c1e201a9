"""The binding of NetScheduleJobAdd against Wine's real scheduling service."""
import re

from conftest import wine


def probe(*args):
    out = wine("schedule_probe.exe", *args)
    match = re.fullmatch(r"status=(\d+) job=(\d+)(?: command=(.*))?\n?", out)
    assert match, out
    return int(match[1]), int(match[2]), match[3]


def test_default_job_reaches_the_service():
    status, job, command = probe()
    assert status == 0
    assert job > 0
    assert command == "Calc.exe"
    _, later, _ = probe("SOMEHOST")
    assert later != job


def test_service_down_is_a_status_not_a_crash(service_stopped):
    status, job, command = probe()
    assert status == 1753  # the RPC exception's code
    assert job == 0 and command is None
