"""Fixtures of the end-to-end tests: the program as it ships, the program against the
stand-in netapi32.dll, and Wine's scheduling service stopped for a test."""
import pytest

from app import App, Fake, driver
from wine import BIN, start_service, stop_service, system_netapi


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
    with system_netapi("fake"):
        yield stand_in
        if stand_in.running:
            stand_in.running.stop()


def pytest_sessionfinish():
    driver.stop()
