"""Long runs, huge and awkward entries, and a platform that fails: the program answers every
time, keeps its entries and loses no job."""
import contextlib
import json
import os
import subprocess
import time
import uuid

import pytest

import texts
from app import ID, App, downloads, driver, no_growth, service_commands
from wine import BIN, BUILD, BUILTIN_NETAPI, OUT, STAND_IN_NETAPI, WINE, start_service, system_dlls, wine_command

CONFIRMED = texts.JOB_ADDED_BEGINS


def soak(app, count, tag, bad_every=0, check_entries=False, period=10):
    """COUNT Schedules in a row, each with the command "cmd /c rem TAG-<n>", every BAD_EVERY-th
    from the first on with the run time "abc" instead (and the old one back after it). Each
    box's text (a question is answered "Nein"), how many Schedules left the entries as they
    were (with CHECK_ENTRIES), and the program's handles and GDI objects after every PERIOD-th."""
    run_time = app.entries()["Text2"][0]
    answers, kept, counts = [], 0, []
    for i in range(count):
        app.set("Text4", f"cmd /c rem {tag}-{i}")
        bad = bad_every and i % bad_every == 0
        if bad:
            app.set("Text2", "abc")
        before = app.entries() if check_entries else None
        answers.append(app.schedule()["text"])
        kept += check_entries and app.entries() == before
        if bad:
            app.set("Text2", run_time)
        if (i + 1) % period == 0:
            counts.append(app.counts())
    return answers, kept, counts


def test_200_schedules_in_one_program(app):
    tag = uuid.uuid4().hex[:8]
    answers, _, counts = soak(app, 200, tag)
    assert len(answers) == 200
    assert all(answer.startswith(CONFIRMED) for answer in answers)
    listed = set(service_commands([f"cmd /c rem {tag}-199"]))
    missing = [i for i in range(200) if f"cmd /c rem {tag}-{i}" not in listed]
    assert missing == [], "every job must reach the service"
    assert min(min(c) for c in counts) > 0, "the counts must be real"
    assert no_growth(counts), f"handles and GDI objects grew with the Schedules: {counts}"


def test_a_mebibyte_in_each_field(app):
    # Text as a pasted document has it: words, digits, commas, umlauts. (Wine's edit control
    # takes minutes over a blank-free run of a mebibyte of digits; Windows' does not.)
    text = ("Am 13,17,28 um 17:00 M,T,SU läuft Calc.exe für Grüße " * 20000)[:1 << 20]
    defaults = app.entries()
    for name in ("Text1", "Text2", "Text3", "Text4"):
        driver("paste", ID[name], text)
        before = app.entries()
        assert before[name][0] == text, "a pasted text is taken whole"
        started = time.monotonic()
        app.schedule()
        assert time.monotonic() - started < 2, f"{name}: answered after {time.monotonic() - started:.1f} s"
        assert app.entries() == before, name
        app.set(name, defaults[name][0])
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


def test_awkward_commands_reach_the_service_exactly(app):
    tag = uuid.uuid4().hex[:8]
    for command in AWKWARD:
        app.set("Text4", command + tag)
        assert app.schedule()["text"].startswith(CONFIRMED), command
    listed = service_commands([command + tag for command in AWKWARD])
    for command in AWKWARD:
        assert command + tag in listed, command


def test_service_down_then_up_in_one_running_program(service_stopped):
    app = App(BIN / "AddJob.exe", {})
    try:
        answers, *_ = soak(app, 50, "down")
        assert len(answers) == 50
        down = texts.service_down(app.entries()["Text1"][0])
        for answer in answers:
            assert answer.startswith(texts.job_not_added(1753)) and answer.endswith(down)
        start_service()
        assert app.schedule()["text"].startswith(CONFIRMED)
    finally:
        app.stop()


@pytest.mark.parametrize("folder, code", [("without-add", 127), (None, 126)])
def test_platform_without_the_function(folder, code):
    """A system netapi32.dll that lacks NetScheduleJobAdd, and none at all (disabled, it can't
    be loaded)."""
    with system_dlls(folder, "netapi32.dll") if folder else contextlib.nullcontext():
        app = App(BIN / "AddJob.exe", STAND_IN_NETAPI if folder else {"WINEDLLOVERRIDES": "netapi32=;mscoree,mshtml="})
        try:
            for _ in range(2):
                box = app.schedule()
                assert box["text"].startswith(texts.job_not_added(code)), box["text"]
            assert app.process.poll() is None
        finally:
            app.stop()


def test_a_netapi32_beside_the_program_is_never_loaded(fake, tmp_path):
    """A foreign netapi32.dll in the program's folder (a download folder, say): the job still
    goes to the system's netapi32, here the stand-in there, which confirms it."""
    app = fake.start(program=downloads(tmp_path, "AddJob.exe", "netapi32.dll"))
    assert app.schedule()["text"] == texts.job_added(1)
    assert len(fake.calls()) == 1


def test_the_loader_of_older_systems_takes_the_system_copy(fake, tmp_path):
    """The fallback for systems without the loader's search flags, taken on purpose: the full
    system path, and the foreign netapi32.dll beside the program is not loaded."""
    probe = downloads(tmp_path, "schedule_probe.exe", "netapi32.dll")
    said = wine_command([str(probe), "load-by-path"], env=STAND_IN_NETAPI)
    assert said.lower() == "path=c:\\windows\\system32\\netapi32.dll add=1 beside=0\n"


@pytest.mark.parametrize("veto, named", [
    (ID["Text3"], texts.the_control("Text3")),
    (ID["Label1"], texts.the_control("Label1")),
    ("window", texts.THE_WINDOW),
])
def test_a_window_that_cannot_be_built_says_so_and_ends(veto, named):
    """A hook of the test's vetoes the creation of one window; the program shows no half-built
    window, names what failed, and ends with a failure code."""
    assert driver("hook", "veto", 1)["answer"]
    try:
        with open(OUT / "app.log", "ab") as log:
            subprocess.Popen([WINE, str(BIN / "AddJob.exe")], stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                             env={**os.environ, **BUILTIN_NETAPI, "ADDJOB_VETO": str(veto)})
        box = driver("box", 15000, -2)
        assert (box["title"], box["text"]) == (texts.CAPTION, texts.not_built(named))
        assert driver("wait", 0)["window"] is False, "no half-built window"
        assert driver("box", 1000)["box"]
        assert driver("close", "wait") == {"ended": True, "code": 2}
    finally:
        driver("hook", "veto", 0)


# The ways a Schedule can fail, in turn: an entry that can't be read, then each service result
# the user gets a hint or a question (50, answered "Nein") for, then an exception raised in the
# call.
SERVICE_FAILURES = [5, 50, 53, 1722, 1753, 2184, "!0x6D9"]


def test_200_failures_in_a_row_then_a_job(fake):
    kinds = len(SERVICE_FAILURES) + 1
    calls = 200 - (200 + kinds - 1) // kinds
    app = fake.start(answers=[SERVICE_FAILURES[i % len(SERVICE_FAILURES)] for i in range(calls)] + [0])
    answers, kept, counts = soak(app, 200, "failing", kinds, check_entries=True, period=kinds)
    for i, answer in enumerate(answers):
        if i % kinds == 0:
            assert answer == texts.not_a_time("abc"), (i, answer)
            continue
        failure = SERVICE_FAILURES[(i - i // kinds - 1) % len(SERVICE_FAILURES)]
        code = 0x6D9 if failure == "!0x6D9" else failure
        if code == 50:  # the AT interface off: the question, answered "Nein"
            assert answer == texts.question(app.entries()["Text1"][0]), (i, answer)
        else:
            assert answer.startswith(texts.job_not_added(code)), (i, answer)
    assert kept == 200
    assert min(min(c) for c in counts) > 0, "the counts must be real"
    # Counted after each round of the eight kinds: Wine's caches step up at the first question's
    # box, now and then later once more, and stay; a leak grows with the rounds.
    assert no_growth(counts), f"handles and GDI objects grew with the failures: {counts}"
    (OUT / f"failure-soak-{BUILD}.json").write_text(json.dumps([counts[0], counts[-1]]) + "\n")
    assert len(fake.calls()) == calls
    assert app.schedule()["text"].startswith(CONFIRMED)
