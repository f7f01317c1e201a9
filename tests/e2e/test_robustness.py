"""Long runs, huge and awkward entries, and a platform that fails: the program answers every
time, keeps its entries and loses no job."""
import uuid

import pytest

from conftest import BIN, ID, App, driver, start_service

CONFIRMED = "Der geplante Task ''Task"


def service_commands():
    jobs = driver("jobs")
    assert jobs["status"] == 0
    return [command for _, command in jobs["jobs"]]


def test_200_schedules_in_one_program(app):
    tag = uuid.uuid4().hex[:8]
    soak = driver("soak", 200, tag, timeout=300)
    assert len(soak["answers"]) == 200
    assert all(answer.startswith(CONFIRMED) for answer in soak["answers"])
    listed = set(service_commands())
    missing = [i for i in range(200) if f"cmd /c rem {tag}-{i}" not in listed]
    assert missing == [], "every job must reach the service"
    handles_first, gdi_first = soak["first"]
    assert handles_first > 0 and gdi_first > 0, "the counts must be real"
    assert soak["last"] == soak["first"], "no handle or GDI object may leak per Schedule"


def test_a_mebibyte_in_each_field(app, tmp_path):
    # Text as a pasted document has it: words, digits, commas, umlauts. (Wine's edit control
    # takes minutes over a blank-free run of a mebibyte of digits; Windows' does not.)
    text = ("Am 13,17,28 um 17:00 M,T,SU läuft Calc.exe für Grüße " * 20000)[:1 << 20]
    defaults = app.entries()
    for name in ("Text1", "Text2", "Text3", "Text4"):
        path = tmp_path / f"{name}.txt"
        path.write_text(text, encoding="utf-8")
        driver("paste", ID[name], path)
        before = app.entries()
        assert before[name][0] == text, "a pasted text is taken whole"
        box = driver("schedule", 10000)
        assert box["box"], name
        assert box["ms"] < 2000, f"{name}: answered after {box['ms']} ms"
        assert app.entries() == before, name
        driver("set", ID[name], defaults[name][0])
    assert app.process.poll() is None


AWKWARD = [
    'cmd /c "echo ""quoted"" & echo done"',
    "C:\\Programme\\Grüße\\Übung.exe /äöüß",
    "notepad.exe 😀 𝄞",
    "a\tb\tc",
    "Calc.exe ",
    " leading blank",
    "'single' `back` %PATH% ^caret",
]


def test_awkward_commands_reach_the_service_exactly(app, tmp_path):
    tag = uuid.uuid4().hex[:8]
    for i, command in enumerate(AWKWARD):
        path = tmp_path / f"command{i}.txt"
        path.write_text(command + tag, encoding="utf-8")
        driver("set-file", ID["Text4"], path)
        assert app.schedule()["text"].startswith(CONFIRMED), command
    listed = service_commands()
    for command in AWKWARD:
        assert command + tag in listed, command


def test_service_down_then_up_in_one_running_program(service_stopped):
    app = App(BIN / "AddJob.exe", {})
    try:
        soak = driver("soak", 50, "down", timeout=300)
        assert len(soak["answers"]) == 50
        for answer in soak["answers"]:
            assert "Fehler 1753 (0x6D9)" in answer and "(Schedule) läuft auf diesem Computer nicht" in answer
        start_service()
        assert app.schedule()["text"].startswith(CONFIRMED)
    finally:
        app.stop()


@pytest.mark.parametrize("folder, code", [("without-add", "Fehler 127 (0x7F)"), (None, "Fehler 126 (0x7E)")])
def test_platform_without_the_function(tmp_path, folder, code):
    """A netapi32.dll that lacks NetScheduleJobAdd, and none at all."""
    (tmp_path / "AddJob.exe").write_bytes((BIN / "AddJob.exe").read_bytes())
    if folder:
        (tmp_path / "netapi32.dll").write_bytes((BIN / folder / "netapi32.dll").read_bytes())
        overrides = "netapi32=n;mscoree,mshtml="
    else:
        overrides = "netapi32=;mscoree,mshtml="  # disabled: it can't be loaded
    app = App(tmp_path / "AddJob.exe", {"WINEDLLOVERRIDES": overrides})
    try:
        for _ in range(2):
            box = app.schedule()
            assert box["text"].startswith("Der Task konnte nicht hinzugefügt werden."), box["text"]
            assert code in box["text"]
        assert app.process.poll() is None
    finally:
        app.stop()
