"""A click on "Schedule" through the real window: what reaches the service and what the user
is told."""
import uuid

import pytest

import texts
from app import POINTER, downloads, driver, record, service_commands
from texts import TITLE
from wine import TASKS, remove_tasks

TASK_XMLNS = "http://schemas.microsoft.com/windows/2004/02/mit/task"


def test_default_job_end_to_end(fake):
    app = fake.start(job_id=1)
    computer = app.state()["by_name"]["Text1"]["text"]
    box = app.schedule()
    assert box["title"] == TITLE
    assert box["text"] == texts.job_added(1)
    assert box["buttons"] == ["OK"]
    [(server, raw, command)] = fake.calls()
    assert server == computer
    assert raw[:-POINTER] == record(61_200_000, 0, 0x7F, 0x10)
    assert raw[-POINTER:] != bytes(POINTER), "Command points at the text"
    assert command == "Calc.exe"


def test_large_job_numbers_are_shown_unsigned(fake):
    app = fake.start(job_id=3_000_000_000)
    assert app.schedule()["text"] == texts.job_added(3_000_000_000)


# Entries (name -> text, or a button to press) and the record they make.
LANGUAGE = [
    ({"Text2": "7:05"}, record(25_500_000, 0, 0x7F, 0x10)),
    ({"Text2": "17:30:45", "Text3": "13,17,28"}, record(63_000_000, 134_287_360, 0, 0x10)),
    ({"Text2": "5:00 pm", "Text3": "m, t"}, record(61_200_000, 0, 3, 0x10)),
    ({"Text2": "23:59", "Text3": "31,31"}, record(86_340_000, 1 << 30, 0, 0x10)),
    ({"Text3": "SU,SU,M,"}, record(61_200_000, 0, 0x41, 0x10)),
    ({"Text3": ""}, record(61_200_000, 0, 0, 0x10)),
    ({"press": ["Check1", "Option2"]}, record(61_200_000, 0, 0x7F, 0x01)),
    ({"press": ["Option2"]}, record(61_200_000, 0, 0x7F, 0x11)),
    ({"press": ["Check1"], "Text4": ' "C:\\Program Files\\x.exe" /ä '}, record(61_200_000, 0, 0x7F, 0x00)),
]


def test_input_language_through_the_window(fake):
    app = fake.start()
    defaults = app.entries()
    for entries, expected in LANGUAGE:
        for name, text in entries.items():
            if name != "press":
                app.set(name, text)
        for button in entries.get("press", []):
            app.press(button)
        before = app.entries()
        assert app.schedule()["text"].startswith(texts.JOB_ADDED_BEGINS), entries
        _, raw, command = fake.calls()[-1]
        assert raw[:-POINTER] == expected, entries
        assert command == app.entries()["Text4"][0]
        assert app.entries() == before, "a Schedule leaves every entry as it was"
        # back to the defaults for the next row
        for name, (text, _) in defaults.items():
            if name.startswith("Text"):
                app.set(name, text)
        for button in entries.get("press", []):
            app.press("Option1" if button == "Option2" else button)
        assert app.entries() == defaults
    assert len(fake.calls()) == len(LANGUAGE)


@pytest.mark.parametrize("name, text, field, says", [
    ("Text2", "abc", "Text2", texts.not_a_time("abc")),
    ("Text2", "24:00", "Text2", texts.not_a_time("24:00")),
    ("Text3", "13,x", "Text3", texts.not_a_day_of_the_month("x")),
    ("Text3", "1,0", "Text3", texts.not_a_day_of_the_month("0")),
    ("Text3", "13,", "Text3", texts.DAY_MISSING),
    ("Text3", "MO,TU", "Text3", texts.not_a_weekday("MO")),
])
def test_bad_entries_are_named_and_nothing_is_submitted(fake, name, text, field, says):
    app = fake.start()
    app.set(name, text)
    before = app.entries()
    box = app.schedule()
    assert (box["title"], box["text"]) == (TITLE, says)
    assert fake.calls() == []
    assert app.entries() == before
    assert app.focus_becomes(field)


def test_service_refusal_is_reported_with_its_code(fake):
    """This computer, named as the window starts: its own administrator is wanted, no other account."""
    app = fake.start(answers=5)
    before = app.entries()
    box = app.schedule()
    assert box["text"].startswith(texts.job_not_added(5)) and box["text"].endswith("\n\n" + texts.ADMIN)
    assert app.entries() == before
    assert len(fake.calls()) == 1


def test_exception_in_the_call_is_reported_not_fatal(fake):
    app = fake.start(answers=["!0x6D9", "!0x6D9", 0])
    down = texts.service_down(app.entries()["Text1"][0])
    for _ in range(2):
        box = app.schedule()
        assert box["text"].startswith(texts.job_not_added(1753)) and box["text"].endswith(down)
    assert app.schedule()["text"] == texts.job_added(1), "the next Schedule succeeds"
    assert app.process.poll() is None
    assert len(fake.calls()) == 3


@pytest.mark.parametrize("code", [0xC0000005, 0xC0000374])  # access violation, heap corruption
def test_a_fault_inside_the_call_ends_the_program(fake, code):
    """Not a failed call but a broken process: it must not go on as if the service had said no."""
    app = fake.start(answers=f"!{code:#x}")
    app.press("Command1")
    # A message box would keep the program waiting for its OK: it ends only if none is shown.
    assert app.close("wait", 30000) == {"ended": True, "code": code}
    assert len(fake.calls()) == 1


def test_two_clicks_make_two_jobs(fake):
    app = fake.start(job_id=41)
    app.set("Text3", "13,17,28")
    assert app.schedule()["text"] == texts.job_added(41)
    app.set("Text3", "M")
    assert app.schedule()["text"] == texts.job_added(42)
    first, second = fake.calls()
    assert first[1][:-POINTER] == record(61_200_000, 134_287_360, 0, 0x10)
    assert second[1][:-POINTER] == record(61_200_000, 0, 1, 0x10), "each click starts from a cleared record"


def test_empty_computer_name_means_the_local_computer(fake):
    app = fake.start()
    app.set("Text1", "")
    app.schedule()
    assert fake.calls()[0][0] is None


def test_the_job_reaches_wines_scheduling_service(app):
    box = app.schedule()
    assert box["title"] == TITLE
    number = box["text"].removeprefix(texts.JOB_ADDED_BEGINS).removesuffix(texts.JOB_ADDED_ENDS)
    assert box["text"] == texts.job_added(number) and int(number) > 0
    # Wine's service numbers a job anew when it takes it into its list, so the job is found by
    # its command.
    command = f"notepad.exe \"C:\\Grüße\\ä b.txt\" {uuid.uuid4().hex[:8]}"
    app.set("Text4", command)
    assert app.schedule()["text"].startswith(texts.JOB_ADDED_BEGINS)
    assert command in service_commands([command])


# Where the AT interface is off (the stand-in answers 50), the job goes to Wine's real Task
# Scheduler if the user says so, its dates reckoned on the target's clock where it tells it (Wine
# keeps no dates of a task: the unit tests check them). Each row: the tasks there before, how the
# question is answered (its button, or Enter held on it), the task the confirmation names (None:
# no box), the tasks there afterwards, what comes before this computer's name in "Computer Name",
# and what the stand-in answers when the program reads that computer's clock.
TASK_SCHEDULER = {
    "Ja": ([], 0, "At1", ["At1"], "\\\\", ""),  # the name as typed, here with a UNC prefix, reaches Connect
    "Nein": ([], 1, None, [], "", ""),
    "At1 taken": (["At1"], 0, "At2", ["At1", "At2"], "", ""),
    "Enter held": ([], "keydown Return sleep 1.2 keyup Return", "At1", ["At1"], "", ""),
    "a day ahead": ([], 0, "At1", ["At1"], "", "86400,-60"),
    "its clock raising": ([], 0, "At1", ["At1"], "", "!0x6BA"),
}


@pytest.fixture
def task_scheduler():
    """Wine's Task Scheduler, left as the test found it."""
    yield TASKS
    remove_tasks()


@pytest.mark.parametrize("case", TASK_SCHEDULER)
def test_where_the_at_interface_is_off_the_task_scheduler_gets_the_job(fake, task_scheduler, tmp_path, case):
    before, answer, named, after, prefix, clock = TASK_SCHEDULER[case]
    for name in before:
        (task_scheduler / name).write_text(f'<Task xmlns="{TASK_XMLNS}"><Actions><Exec><Command>x</Command>'
                                           "</Exec></Actions></Task>")
    # A taskschd.dll beside the program, that isn't one: COM finds the Task Scheduler through
    # the system's registration of its class, never here.
    app = fake.start(answers=50, program=downloads(tmp_path, "AddJob.exe", "taskschd.dll"), clock=clock)
    computer = prefix + app.state()["by_name"]["Text1"]["text"]
    app.set("Text1", computer)
    app.tab_to("Command1")
    app.press("Command1")
    question = driver("box", 10000, -2 if isinstance(answer, str) else answer)
    assert (question["title"], question["text"], question["buttons"]) == (TITLE, texts.question(computer),
                                                                           ["&Yes", "&No"])
    if isinstance(answer, str):
        app.xdotool(*answer.split())
    if named:
        assert driver("box", 10000)["text"] == texts.task_added(named, computer)
    assert driver("box", 1000)["box"] is False
    assert sorted(task.name for task in task_scheduler.glob("*")) == after
    assert len(fake.calls()) == 1
    assert fake.clocks_read() == ([computer] if named else []), "the clock of the computer named, once Ja is said"


# A remote Windows' Task Scheduler, stood in for: Wine's connects to this computer alone, takes its
# name however it is written, and answers at once. Each row: the computer's name as typed, what
# Connect and then the registration answer, the name Connect is handed (None: this computer), and
# the hint after the failure (None: the task is added; ASKED: an account is asked for, and the
# user cancels), or for a failure without one, the whole message's end: the platform's own text
# (Wine's for E_INVALIDARG).
ASKED = "asked for an account"
REMOTE = {
    "a UNC name": ("\\\\SRV-7", "0", "0", "SRV-7", None),
    "this computer refused": ("", "0x80070005", "0", None, texts.ADMIN),
    "refused": ("SRV-7", "0x80070005", "0", "SRV-7", ASKED),
    "no path": ("SRV-7", "0x80070035", "0", "SRV-7", texts.firewall("SRV-7")),
    "no RPC server": (" \\\\SRV-7 ", "0x800706BA", "0", "SRV-7", texts.firewall(" \\\\SRV-7 ")),
    "registration refused": ("SRV-7", "0", "0x80070005", "SRV-7", ASKED),
    "registration without its service": ("SRV-7", "0", "0x80041315", "SRV-7", texts.service_down("SRV-7")),
    "registration refused unexplained": ("SRV-7", "0", "0x80070057", "SRV-7", ": Invalid parameter."),
}


@pytest.mark.parametrize("case", REMOTE)
def test_a_remote_task_scheduler_gets_the_name_it_takes_and_each_failure_its_cause(fake, case):
    """Three Schedules, each after a failure too: the window is usable again, and each gives back
    every reference on the Task Scheduler's objects and the clock's buffer that it was handed."""
    typed, connect, register, handed, hint = REMOTE[case]
    app = fake.start(answers=50, connect=connect, register=register, clock="0,0")
    app.set("Text1", typed)
    held = []
    for _ in range(3):
        app.press("Command1")
        assert driver("box", 10000, 0)["box"], "the question, answered Ja"
        if hint == ASKED:
            assert driver("box", 10000, -2)["title"] == texts.account_caption("SRV-7")
            app.keys("Escape")
            assert driver("box", 1000)["box"] is False, "cancelled: nothing more is said"
            held.append(fake.held())
            continue
        said = driver("box", 10000)["text"]
        if hint is None:
            assert said == texts.task_added("At1", typed)
        else:
            head = texts.task_not_added(int(register if connect == "0" else connect, 16))
            assert said == head + hint if hint.startswith(": ") else \
                said.startswith(head) and said.endswith("\n\n" + hint), said
        held.append(fake.held())
    assert held == [{"netapi32": 0, "taskschd": 0}] * 3, "what a Schedule was handed, it gives back"
    assert fake.connects() == [handed] * 3
