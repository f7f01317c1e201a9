"""Fixtures of the end-to-end tests: the program as it ships, the program against the
stand-in netapi32.dll, Wine's scheduling service stopped for a test, and a prefix that keeps no
job the tests added."""
import time

import pytest

from app import App, Fake, driver
from wine import AT_JOBS, BIN, TASKS, remove_tasks, start_service, stop_service, system_dlls


def remove_jobs():
    """Deletes every AT job of Wine's real scheduling service and every task of its Task
    Scheduler folder; the files of jobs and tasks that the prefix still keeps a few seconds later.
    (Wine's service may go on listing a job whose file it has deleted: its folder watcher misses
    some of the deletions made in a burst, as of 200 jobs.)"""
    remove_tasks()
    deadline = time.monotonic() + 5
    while True:
        driver("jobs", "delete")
        left = [job.name for job in AT_JOBS.glob("*.job")] + [task.name for task in TASKS.glob("*")]
        if not left or time.monotonic() > deadline:
            return left
        time.sleep(0.2)


@pytest.fixture(scope="session", autouse=True)
def no_job_is_left():
    """The tests add real jobs: none is there when they start, and none is left when they end."""
    remove_jobs()
    yield
    assert remove_jobs() == [], "jobs of the tests were left in the prefix"


@pytest.fixture
def service_stopped():
    """Wine's scheduling service is down for the test (only a server restart stops it), and
    running again afterwards. The restart ends the driver too; it starts again when needed."""
    driver.stop()
    stop_service()
    yield
    start_service()


@pytest.fixture
def app():
    """The program as it ships, against Wine's real netapi32 and scheduling service."""
    running = App(BIN / "AddJob.exe", {})
    yield running
    running.stop()


@pytest.fixture
def fake(tmp_path):
    stand_in = Fake(tmp_path)
    with system_dlls("fake", "netapi32.dll", "taskschd.dll", "mpr.dll"):
        yield stand_in
        if stand_in.running:
            stand_in.running.stop()


def pytest_sessionfinish():
    driver.stop()
