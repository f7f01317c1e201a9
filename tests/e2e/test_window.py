"""The window as a user meets it: its defaults, its look and its keyboard."""
import os
import subprocess

import pytest

from conftest import BIN, ID, ROOT, App, driver, wine_command

WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_TABSTOP, WS_GROUP = 0x00020000, 0x00010000, 0x00010000, 0x00020000
WS_EX_APPWINDOW = 0x00040000

# Name, class, initial text, left, top, width, height in twips.
LAYOUT = [
    ("Label1", "Static", "Computer Name:", 1155, 330, 1395, 210),
    ("Text1", "Edit", None, 2655, 285, 1215, 315),
    ("Label2", "Static", "Time (hh:mm):", 1305, 690, 1245, 210),
    ("Text2", "Edit", "17:00", 2655, 645, 1215, 315),
    ("Check1", "Button", "interactive", 4575, 2265, 1215, 315),
    ("Label3", "Static", "Datum:", 1950, 1410, 600, 210),
    ("Text3", "Edit", "M,T,W,TH,F,S,SU", 3855, 1305, 1935, 315),
    ("Label4", "Static", "Anwendung:", 1485, 1920, 1065, 210),
    ("Text4", "Edit", "Calc.exe", 2655, 1875, 3135, 315),
    ("Command1", "Button", "Schedule", 4575, 2865, 1215, 375),
    ("Label5", "Static", None, 1305, 3435, 4455, 720),
    ("Option1", "Button", "nächsten ", 2655, 1245, 1095, 255),
    ("Option2", "Button", "jeden ", 2655, 1485, 1095, 255),
    ("Label6", "Static", "You can enter in the days that you want it to execute on: M,T,SU or the dates "
                         "i.e. 13,17,28 of each month.", 1305, 2445, 2520, 930),
]
CAPTIONS = {"Label1", "Label2", "Label3", "Label4"}


def px(twips, dpi=96):
    return (twips * dpi + 720) // 1440  # MulDiv rounds halves up


def test_defaults_layout_and_look(app):
    state = app.state()
    assert state["caption"] == "Tessaro - Job hinzufügen"
    assert state["client"] == [428, 293]
    style = state["style"]
    assert style & WS_CAPTION == WS_CAPTION and style & WS_SYSMENU
    assert not style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
    assert state["owner_visible"] == 0, "owned by a hidden window, so no taskbar button"
    assert not state["exstyle"] & WS_EX_APPWINDOW
    assert state["file_icons"] == [[16, 16, 4], [32, 32, 4]]
    assert state["active"] == 1 and state["focus"] == ID["Text1"]

    controls = state["controls"]
    assert [c["id"] for c in controls] == [100 + i for i in range(14)], "created in tab order"
    for control, (name, cls, text, left, top, width, height) in zip(controls, LAYOUT):
        assert control["class"] == cls, name
        if text is not None:
            assert control["text"] == text, name
        x, y, w, h = control["rect"]
        assert y == px(top) and h == px(height), name
        if name in CAPTIONS:
            # Fitted to the text, right edges on one line 105 twips left of the fields.
            assert x + w == px(2550), name
            assert w == driver("measure", text)["width"], name
        else:
            assert (x, w) == (px(left), px(width)), name

    by_name = state["by_name"]
    computer = by_name["Text1"]["text"]
    assert computer and computer == computer.upper() and " " not in computer and "\\" not in computer
    assert by_name["Label5"]["text"].startswith("Win32 API, NetScheduleJobAdd(). ")
    assert (by_name["Check1"]["checked"], by_name["Option1"]["checked"], by_name["Option2"]["checked"]) == (0, 1, 0)
    assert all("&" not in c["text"] for c in controls), "no access keys"
    # The edit boxes draw with Tahoma 9 pt: the last character starts where that font puts it.
    for name in ("Text2", "Text3", "Text4"):
        text = by_name[name]["text"]
        assert by_name[name]["last_char_x"] == driver("measure", text[:-1])["width"], name
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


def test_layout_scales_with_the_dpi(at_150_percent):
    app = at_150_percent
    try:
        state = app.state()
        assert state["client"] == [px(6420, 144), px(4395, 144)]
        for control, (name, _, _, left, top, width, height) in zip(state["controls"], LAYOUT):
            x, y, w, h = control["rect"]
            assert (y, h) == (px(top, 144), px(height, 144)), name
            if name in CAPTIONS:
                assert x + w == px(2550, 144) and w == driver("measure", control["text"])["width"], name
            else:
                assert (x, w) == (px(left, 144), px(width, 144)), name
        text = state["by_name"]["Text4"]["text"]
        assert state["by_name"]["Text4"]["last_char_x"] == driver("measure", text[:-1])["width"]
    finally:
        app.stop()


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

    assert [app.focus_after("Tab") for _ in range(4)][-1] == "Command1"
    app.keys("Return")
    assert driver("box")["text"].startswith("Der geplante Task ''Task1''")
    app.reactivate()
    app.keys("space")
    assert driver("box")["text"].startswith("Der geplante Task ''Task2''")
    assert len(fake.calls()) == 2


def test_closing_ends_the_program_at_once(app):
    app.set("Text4", "edited")
    assert app.close() == {"ended": True, "code": 0}


def pixels(image, left, top, width, height):
    """The colours of a part of an image, as "#RRGGBB" texts."""
    out = subprocess.run(["/usr/bin/convert", str(image), "-crop", f"{width}x{height}+{left}+{top}",
                          "-depth", "8", "txt:-"], check=True, capture_output=True, text=True).stdout
    return [line.split()[2][:7] for line in out.splitlines()[1:]]


def test_screenshot_shows_icon_and_red_help_text(app):
    """Writes build/screenshot.png, the picture in the README."""
    state = app.state()
    frame_left, frame_top, client_left, client_top = state["frame"]
    full = ROOT / "build" / "screen.png"
    subprocess.run(["import", "-display", os.environ["DISPLAY"], "-window", "root", str(full)],
                   check=True, timeout=30)
    width = 2 * (client_left - frame_left) + state["client"][0]
    height = (client_top - frame_top) + state["client"][1] + (client_left - frame_left)
    subprocess.run(["/usr/bin/convert", str(full), "-crop", f"{width}x{height}+{frame_left}+{frame_top}",
                    "+repage", str(ROOT / "build" / "screenshot.png")], check=True, timeout=30)

    # The caption's small icon: the clock's red rim.
    caption = pixels(full, frame_left, frame_top, 40, client_top - frame_top)
    assert "#FF0000" in caption
    # Label6 draws in red 192, green 64, blue 0; no other control does.
    x, y, w, h = state["by_name"]["Label6"]["rect"]
    assert "#C04000" in pixels(full, client_left + x, client_top + y, w, h)
    x, y, w, h = state["by_name"]["Label5"]["rect"]
    assert "#C04000" not in pixels(full, client_left + x, client_top + y, w, h)
