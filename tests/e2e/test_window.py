"""The window as a user meets it: its defaults, its look and its keyboard."""
import os
import subprocess
import time

import pytest

import texts
from app import ID, NAME, POINTER, App, driver, record
from wine import BIN, BUILD, OUT, wine_command

WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_TABSTOP, WS_GROUP = 0x00020000, 0x00010000, 0x00010000, 0x00020000
WS_EX_APPWINDOW = 0x00040000

# The tests' own copy of the window's layout, written apart from the program's on purpose, so
# that a change to either is caught by the other. The window is a stack of rows, each beginning
# a gap below the lowest control of the row above (the first below the client's top edge).
ROWS = {"computer": 285, "time": 45, "days": 285, "command": 135, "schedule": 75, "credit": 60}
BOTTOM_MARGIN, CLIENT_WIDTH = 240, 6420
CAPTIONS_END = 2550  # where the captions end: they are fitted to their text leftwards from here
# Each control in tab order: name, class, row, then left, width, top within the row and height in
# twips (a caption's left and width come from its text).
CONTROLS = [
    ("Label1", "Static", "computer", None, None, 45, 210),
    ("Text1", "Edit", "computer", 2655, 1215, 0, 315),
    ("Label2", "Static", "time", None, None, 45, 210),
    ("Text2", "Edit", "time", 2655, 1215, 0, 315),
    ("Check1", "Button", "schedule", 4575, 1215, 0, 315),
    ("Label3", "Static", "days", None, None, 165, 210),
    ("Text3", "Edit", "days", 3855, 1935, 60, 315),
    ("Label4", "Static", "command", None, None, 45, 210),
    ("Text4", "Edit", "command", 2655, 3135, 0, 315),
    ("Command1", "Button", "schedule", 4575, 1215, 600, 375),
    ("Label5", "Static", "credit", 1305, 4455, 0, 720),
    ("Option1", "Button", "days", 2655, 1095, 0, 255),
    ("Option2", "Button", "days", 2655, 1095, 240, 255),
    ("Label6", "Static", "schedule", 1305, 2520, 180, 930),
]


def _flow():
    """Each control as (name, class, text, left, top, width, height) in twips, tops reckoned down
    the rows; and the client area's height."""
    tops, bottom = {}, 0
    for row, gap in ROWS.items():
        tops[row] = bottom + gap
        bottom = max([bottom] + [tops[row] + down + height for _, _, r, _, _, down, height in CONTROLS if r == row])
    layout = [(name, cls, texts.SHOWN.get(name), left, tops[row] + down, width, height)
              for name, cls, row, left, width, down, height in CONTROLS]
    return layout, bottom + BOTTOM_MARGIN


LAYOUT, CLIENT_HEIGHT = _flow()
CAPTIONS = {"Label1", "Label2", "Label3", "Label4"}
# Each access key (Alt+letter), the control it belongs to, and the entry it takes the focus to.
ACCESS_KEYS = {"c": ("Label1", "Text1"), "t": ("Label2", "Text2"), "d": ("Label3", "Text3"),
               "a": ("Label4", "Text4"), "i": ("Check1", None), "n": ("Option1", None), "j": ("Option2", None),
               "s": ("Command1", None)}


def px(twips, dpi=96):
    return (twips * dpi + 720) // 1440  # MulDiv rounds halves up


def overlap(a, b):
    """Whether two rectangles (left, top, width, height) share any area."""
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def check_layout(state, dpi):
    """The window laid out for `dpi`: every rectangle as the table above says (the captions
    fitted to their text, flush right at their common edge), every control inside the client
    area, the same overlaps as the table's, each text fitting its box, and the font."""
    assert state["client"] == [px(CLIENT_WIDTH, dpi), px(CLIENT_HEIGHT, dpi)]
    rects = {}
    for control, (name, cls, text, left, top, width, height) in zip(state["controls"], LAYOUT):
        x, y, w, h = rects[name] = control["rect"]
        assert (y, h) == (px(top, dpi), px(height, dpi)), name
        if name in CAPTIONS:
            assert (x + w, w) == (px(CAPTIONS_END, dpi), control["text_width"]), name
        else:
            assert (x, w) == (px(left, dpi), px(width, dpi)), name
        assert x >= 0 and y >= 0 and x + w <= state["client"][0] and y + h <= state["client"][1], name
        if name in ("Label5", "Label6"):
            assert control["wrapped_height"] <= h, name
        elif cls != "Edit":
            assert control["text_width"] <= w, name
    # The same overlaps as the table's (the option pair's, by 15 twips), and none for a caption.
    table = {name: (left, top, width, height) for name, _, _, left, top, width, height in LAYOUT}
    for a in rects:
        for b in rects:
            captioned = a in CAPTIONS or b in CAPTIONS
            assert a >= b or overlap(rects[a], rects[b]) == (not captioned and overlap(table[a], table[b])), (a, b)
    # The edit boxes draw with Tahoma 9 pt at this DPI: the last character starts where that font puts it.
    for name in ("Text2", "Text3", "Text4"):
        control = state["by_name"][name]
        assert control["last_char_x"] == control["text_width_but_last"], name


def test_defaults_layout_and_look(app):
    state = app.state(96)
    assert state["caption"] == texts.CAPTION
    style = state["style"]
    assert style & WS_CAPTION == WS_CAPTION and style & WS_SYSMENU
    assert not style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
    assert state["owner_visible"] == 0, "owned by a hidden window, so no taskbar button"
    assert not state["exstyle"] & WS_EX_APPWINDOW
    assert state["active"] == 1 and state["focus"] == ID["Text1"]

    controls = state["controls"]
    assert [c["id"] for c in controls] == [ID[name] for name, *_ in LAYOUT], "created in tab order"
    for control, (name, cls, text, *_) in zip(controls, LAYOUT):
        assert control["class"] == cls, name
        if text is not None:
            assert control["text"] == text, name
    check_layout(state, 96)

    by_name = state["by_name"]
    computer = by_name["Text1"]["text"]
    assert computer and computer == computer.upper() and " " not in computer and "\\" not in computer
    assert by_name["Label5"]["text"].startswith(texts.CREDIT_BEGINS)
    assert (by_name["Check1"]["checked"], by_name["Option1"]["checked"], by_name["Option2"]["checked"]) == (0, 1, 0)
    keys = {c["text"][c["text"].index("&") + 1].lower(): NAME[c["id"]] for c in controls if "&" in c["text"]}
    assert keys == {key: owner for key, (owner, _) in ACCESS_KEYS.items()}, "eight distinct access keys"
    assert all(c["text"].count("&") <= 1 for c in controls)
    # Tab stops: the fields, the check box, the button and the option pair; never a label.
    stops = {c["id"] for c in controls if c["style"] & WS_TABSTOP}
    assert stops >= {ID[n] for n in ("Text1", "Text2", "Check1", "Text3", "Text4", "Command1", "Option1")}
    assert not stops & {ID[n] for n in ("Label1", "Label2", "Label3", "Label4", "Label5", "Label6")}


@pytest.fixture
def at_150_percent():
    """The prefix set to 144 dots per inch for the test, and back to 96 afterwards."""
    key = "HKCU\\Control Panel\\Desktop"
    wine_command(["reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", "144", "/f"])
    try:
        yield App(BIN / "AddJob.exe", {})
    finally:
        wine_command(["reg", "delete", key, "/v", "LogPixels", "/f"], check=False)


def test_layout_at_the_dpi_it_starts_with(at_150_percent):
    app = at_150_percent
    try:
        check_layout(app.state(144), 144)
    finally:
        app.stop()


def test_dpi_round_trip_as_between_two_monitors(app):
    """96 -> 144 -> 96 dots per inch while the window runs, as when it is dragged to a monitor
    at 150 % and back: every rectangle, the client size and the font follow."""
    assert driver("hook", "dpi", 144, 96) == {"done": True, "answer": -18}, "the font made for 144 dpi"
    check_layout(app.state(144), 144)
    assert driver("hook", "dpi", 96, 144) == {"done": True, "answer": -12}
    check_layout(app.state(96), 96)
    assert app.schedule()["box"], "the window still works"


def test_tab_order_and_option_keys(app):
    forward = ["Text2", "Check1", "Text3", "Text4", "Command1", "Option1", "Text1"]
    assert [app.focus_after("Tab") for _ in forward] == forward
    assert [app.focus_after("shift+Tab") for _ in forward] == list(reversed(forward[:-1])) + ["Text1"]

    assert app.focus_after("shift+Tab") == "Option1"
    assert app.focus_after("Down") == "Option2"  # arrows move within the option pair and select
    by_name = app.state()["by_name"]
    assert (by_name["Option1"]["checked"], by_name["Option2"]["checked"]) == (0, 1)
    assert app.focus_after("Up") == "Option1"
    by_name = app.state()["by_name"]
    assert (by_name["Option1"]["checked"], by_name["Option2"]["checked"]) == (1, 0)

    app.press("Option2")
    app.press("Option1")
    app.press("Check1")
    by_name = app.state()["by_name"]
    assert (by_name["Option1"]["checked"], by_name["Option2"]["checked"], by_name["Check1"]["checked"]) == (1, 0, 1)


def test_enter_and_escape_do_nothing_but_enter_presses_the_focused_button(fake):
    app = fake.start()
    before = app.entries()
    assert app.focus_after("Tab") == "Text2"
    app.keys("Return", "Escape")
    assert driver("box", 1500)["box"] is False, "Enter in a text box must not schedule"
    assert app.process.poll() is None, "Esc must not close the window"
    assert fake.calls() == []
    assert app.entries() == before

    app.tab_to("Command1")
    app.keys("Return")
    assert driver("box")["text"] == texts.job_added(1)
    app.reactivate()
    time.sleep(0.6)  # within the double-click time of the box closing, a press is taken for the box's
    app.keys("space")
    assert driver("box")["text"] == texts.job_added(2)
    assert len(fake.calls()) == 2


def test_keyboard_only_round_trip(fake):
    """Every field reached by its access key, a value typed into each, the options and the
    check box by theirs, and Schedule by its own."""
    app = fake.start()
    for key, text in [("t", "7:05"), ("d", "13,17"), ("a", "notepad.exe"), ("c", "HOST")]:
        assert app.focus_after(f"alt+{key}") == ACCESS_KEYS[key][1]
        app.xdotool("type", "--delay", "20", text)  # replaces the selection
    app.keys("alt+j", "alt+i", "alt+s")
    assert driver("box")["text"] == texts.job_added(1)
    [(server, raw, command)] = fake.calls()
    assert (server, command) == ("HOST", "notepad.exe")
    assert raw[:-POINTER] == record(25_500_000, (1 << 12) | (1 << 16), 0, 0x01)
    app.reactivate()
    app.keys("alt+n")
    by_name = app.state()["by_name"]
    assert (by_name["Option1"]["checked"], by_name["Option2"]["checked"], by_name["Check1"]["checked"]) == (1, 0, 1)


def test_screen_readers_read_each_name_and_shortcut(app):
    """Each entry is named by its caption, each button by its own text, without the "&"."""
    read = {NAME[c["id"]]: c for c in driver("accessible")}
    if read["Text1"]["hr"] == 0x80004002:
        pytest.skip("Wine's 64-bit oleacc answers E_NOINTERFACE across processes; the win32 build is read")
    for key, (owner, entry) in ACCESS_KEYS.items():
        text = next(text for name, _, text, *_ in LAYOUT if name == owner).replace("&", "")
        for name in filter(None, (owner if owner.startswith(("Check", "Option", "Command")) else None, entry)):
            assert read[name]["name"] == text, name
            assert read[name]["shortcut"].lower() == f"alt+{key}", name


@pytest.mark.parametrize("how, code", [("close", 0), ("quit", 7)])
def test_closing_ends_the_program_at_once(app, how, code):
    """Closed by the user, or its loop ended by a WM_QUIT that another program posted."""
    app.set("Text4", "edited")
    assert app.close(how) == {"ended": True, "code": code}


# One press, one job. Each row: the stand-in's answer, what the user does with the focus on
# "Schedule" (xdotool commands, at {x} {y} the middle of the button; "box up": the confirmation
# is shown; "box over button": it is moved so that its OK lies over the button), and whether the
# first job's confirmation is still up afterwards.
ONE_PRESS = {
    # A held key repeats while held; the box it opens stays up until a new press. On a control
    # that takes no characters, a letter alone is an access key: "s" on the button.
    "held Return": ("0", ["keydown Return sleep 1.2 keyup Return"], True),
    "held space": ("0", ["keydown space sleep 1.2 keyup space"], True),
    "held alt+s": ("0", ["keydown alt+s sleep 1.2 keyup alt+s"], True),
    "held s": ("0", ["keydown s sleep 1.2 keyup s"], True),
    # Enter, then Enter three times and a click on the button while the call takes 4 s.
    "slow call": ("0@4000", ["mousemove {x} {y} key Return sleep 0.5 key --delay 100 Return Return Return click 1"],
                  True),
    # With the confirmation up, Enter twice within 100 ms: the first closes it.
    "double tap": ("0", ["key Return", "box up", "key --delay 80 Return Return"], False),
    # A double click on the confirmation's OK where it lies over the button.
    "double click": ("0", ["key Return", "box over button", "mousemove {x} {y} click --repeat 2 --delay 80 1"], False),
    # With the confirmation up, Enter and Alt+A, then Alt+S, which the box took, in the entry:
    # dropped whole, its Alt is no Alt pressed alone, whose release opens the system menu, where
    # Down and "c" choose Close.
    "double alt+s": ("0", ["key alt+s", "box up", "key --delay 80 Return alt+a alt+s", "key Down c"], False),
}


@pytest.mark.parametrize("case", ONE_PRESS)
def test_one_press_schedules_once(fake, case):
    answer, steps, still_up = ONE_PRESS[case]
    app = fake.start(answers=answer)
    app.tab_to("Command1")
    state = app.state()
    left, top, width, height = state["by_name"]["Command1"]["rect"]
    x, y = state["frame"][2] + left + width // 2, state["frame"][3] + top + height // 2
    for step in steps:
        if step.startswith("box"):
            assert driver("box", 10000, -2, *([x, y] if step == "box over button" else []))["box"]
        else:
            app.xdotool(*step.format(x=x, y=y).split())
    if still_up:
        assert driver("box", 6000)["text"] == texts.job_added(1)
    assert driver("box", 1000)["box"] is False
    assert len(fake.calls()) == 1


# Each call that may take long, taking 4 s here: what the stand-ins answer (the AT service, the
# target's clock, the Task Scheduler's Connect), the call that is slow, and whether its route ends
# in the Task Scheduler. Meanwhile the window answers at once, is not taken for hung, and shows the
# wait cursor, and messages posted to it wait for the call's end; the confirmation follows, and the
# messages are handled, in order.
SLOW_CALLS = {
    "NetScheduleJobAdd": ({"answers": "0@4000"}, "add", False),
    "NetRemoteTOD": ({"answers": 50, "clock": "0,0@4000", "connect": "0"}, "clock", True),
    "ITaskService::Connect": ({"answers": 50, "connect": "0@4000"}, "connect", True),
}


@pytest.mark.parametrize("case", SLOW_CALLS)
def test_the_window_answers_while_a_call_takes_long(fake, case):
    answers, call, task = SLOW_CALLS[case]
    app = fake.start(**answers)
    assert driver("hook", "count")["done"]
    state = app.state()
    app.xdotool("mousemove", str(state["frame"][2] + 20), str(state["frame"][3] + 20))  # the marker's hook too
    app.press("Command1")
    if task:
        assert driver("box", 10000, 0)["box"], "the question, answered Ja"
    deadline = time.monotonic() + 10
    while call not in (kind for kind, *_ in fake._logged()):
        assert time.monotonic() < deadline, f"{call} was never called"
        time.sleep(0.05)
    assert driver("post", 3)["posted"]
    assert driver("responds") == {"answers": True, "hung": False, "wait_cursor": True}
    assert driver("counts")["probes"] == 0, "a posted message was taken during the call"
    computer = state["by_name"]["Text1"]["text"]
    assert driver("box", 10000)["text"] == (texts.task_added("At1", computer) if task else texts.job_added(1))
    assert driver("responds")["wait_cursor"] is False
    assert driver("counts")["probes"] == 3, "the posted messages, each handled once and in order"


def pixels(image, left, top, width, height):
    """The colours of a part of an image, as "#RRGGBB" texts."""
    out = subprocess.run(["/usr/bin/convert", str(image), "-crop", f"{width}x{height}+{left}+{top}",
                          "-depth", "8", "txt:-"], check=True, capture_output=True, text=True).stdout
    return [line.split()[2][:7] for line in out.splitlines()[1:]]


def test_screenshot_shows_icon_and_red_help_text(app):
    """Writes build/screenshot-<build>.png, the picture in the README."""
    state = app.state()
    frame_left, frame_top, client_left, client_top = state["frame"]
    full = OUT / f"screen-{BUILD}.png"
    subprocess.run(["import", "-display", os.environ["DISPLAY"], "-window", "root", str(full)],
                   check=True, timeout=30)
    width = 2 * (client_left - frame_left) + state["client"][0]
    height = (client_top - frame_top) + state["client"][1] + (client_left - frame_left)
    subprocess.run(["/usr/bin/convert", str(full), "-crop", f"{width}x{height}+{frame_left}+{frame_top}",
                    "+repage", str(OUT / f"screenshot-{BUILD}.png")], check=True, timeout=30)

    # The caption's small icon: the clock's red rim.
    caption = pixels(full, frame_left, frame_top, 40, client_top - frame_top)
    assert "#FF0000" in caption
    # Label6 draws in red 192, green 64, blue 0; no other control does.
    x, y, w, h = state["by_name"]["Label6"]["rect"]
    assert "#C04000" in pixels(full, client_left + x, client_top + y, w, h)
    x, y, w, h = state["by_name"]["Label5"]["rect"]
    assert "#C04000" not in pixels(full, client_left + x, client_top + y, w, h)


def test_high_contrast_draws_the_help_text_in_the_system_colour(app, tmp_path):
    """Switched on while the program runs, as the user does in the system's settings."""
    state = app.state()
    _, _, client_left, client_top = state["frame"]
    x, y, w, h = state["by_name"]["Label6"]["rect"]
    shot = tmp_path / "screen.png"

    def label6():
        subprocess.run(["import", "-display", os.environ["DISPLAY"], "-window", "root", str(shot)],
                       check=True, timeout=30)
        return pixels(shot, client_left + x, client_top + y, w, h)

    assert "#C04000" in label6()
    assert driver("hook", "high-contrast") == {"done": True, "answer": 1}
    time.sleep(0.3)
    shown = label6()
    assert "#C04000" not in shown and "#000000" in shown, "the system's text colour, not red-brown"
