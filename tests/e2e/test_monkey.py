"""A monkey at the real window: seeded, bounded random keys, clicks and pasted text through the
X server, against a stand-in service that answers with a rotating mix of success, refusals and
raised RPC failures. After every burst, once the program has taken every event of it, the
program must still run and answer, a Schedule must leave the entries as they were, each
activation of Schedule must have opened exactly one message box, and every box but those about
an entry must have cost exactly one service call. The activations and boxes are counted inside
the program (test_hooks.dll); input the program drops on purpose (a held key's repeats, input
made during a call, the second half of a double click or double tap on a closing box) never
activates the button.

Then the same checkpoint twenty times over, with the same entries, the same Schedules and the
same boxes: kernel handles and GDI objects must not grow there. Wine's caches step up once in a
random run, whenever a text in a new script is drawn or more device contexts are in use at once
than before, and stay; a leak grows with the Schedules.

ADDJOB_MONKEY_SEED replays a run (each run prints its seed); ADDJOB_MONKEY_EVENTS sets its
length (2,000 events by default). A failure says whether the program still runs (or its exit
code), whether its window and a box are there, the burst's last events and the last things the
program noted it handled."""
import json
import os
import random
import string
import subprocess
import time

from app import ID, driver, no_growth
from wine import BUILD, OUT

SEED = int(os.environ.get("ADDJOB_MONKEY_SEED") or time.time_ns() % 1_000_000)
EVENTS = int(os.environ.get("ADDJOB_MONKEY_EVENTS") or 2000)
BURST = 50
STEADY = 20

# 50 is left out: it asks a question, and its answer "Ja" would register a task for real. The
# steady checkpoints go round it twice.
ANSWERS = [0, 5, "!0x6D9", 0, 1722, 53, 0, "!0x6BA", 1753, 2184]
KEYS = ["Tab", "shift+Tab", "Up", "Down", "Left", "Right", "space", "Return", "Escape", "BackSpace",
        *string.ascii_lowercase, *string.digits, "comma", "colon"]
FIELDS = ["Text1", "Text2", "Text3", "Text4"]
# Where pasted text goes: mostly into the computer's name and the command, which take any text,
# and mostly after what is there, so that most Schedules reach the service.
PASTE_INTO = ["Text1", "Text4"] * 4 + ["Text2", "Text3"]
# What pasted text is drawn from: the scripts and character classes a user's clipboard brings,
# invisible and reordering ones among them.
ALPHABET = ("aZ09,:. äöüß ÀÉ ΑΩ жЯ שלום مرحبا 中文字 かな 한국 😀𝄞 \u00a0\u2003\u3000\t\r\n"
            "\u200b\u200e\u202e\u2066\u2069\ufeff\u00ad\u0301\ud800")


def burst(rng, client, button):
    """One burst: its events, each as xdotool commands."""
    events = []
    for _ in range(BURST):
        kind = rng.random()
        if kind < 0.56:
            key = rng.choice(KEYS)
            events.append(["key", "--delay", "3", key])
        elif kind < 0.57:
            # Held past the X server's auto-repeat delay (660 ms), so that the key repeats.
            key = rng.choice(["Return", "space", "Tab", "Down", "x", "alt+s"])
            events.append(["keydown", key, "sleep", f"{rng.uniform(0.7, 0.8):.2f}", "keyup", key])
        elif kind < 0.67:
            events.append(["key", "--delay", "3", f"alt+{rng.choice(string.ascii_lowercase)}"])
        else:
            left, top, right, bottom = button if rng.random() < 0.3 else client
            x, y = rng.randrange(left, right), rng.randrange(top, bottom)
            clicks = rng.choice([1, 1, 1, 2])
            # xdotool waits its --delay after every click: only a double click needs one.
            events.append(["mousemove", str(x), str(y), "click", "--repeat", str(clicks),
                           "--delay", "30" if clicks == 2 else "1", "1"])
    return events


def what_is_left(app, events):
    """What a failed burst left, for its report: the program, its window and box, the burst's
    last events, and the last things the program noted it handled."""
    code = app.process.poll()
    said = ["the program runs" if code is None else f"the program has ended, exit code {code}"]
    if code is None:
        said.append("its window is " + ("there" if driver("wait", 0)["window"] else "gone"))
        box = driver("box", 0, -2)
        said.append(f"a box is up: {box['text'][:80]!r}" if box["box"] else "no box is up")
    return "; ".join(said) + "\nthe burst's last events:\n  " + \
        "\n  ".join(" ".join(event) for event in events[-12:]) + "\nwhat the program noted last:\n  " + \
        "\n  ".join(app.last_events(12))


def checkpoint(app, defaults, paste):
    """Between two bursts: waits until the program has taken every event of the burst, closes the
    boxes left open and checks that the window answers within 2 s; gives each field its own
    entry back and pastes the next burst's text; then schedules once and checks that this leaves
    the entries as they were."""
    app.settle()
    for _ in range(5):
        if not driver("box", 150)["box"]:
            break
    else:
        raise AssertionError("a box that doesn't close")
    assert driver("counts")["responsive"], "the window did not answer within 2 s"
    for name, text in defaults.items():
        driver("paste", ID[name], text)
    driver("paste", *paste)
    before = app.entries()
    app.schedule()
    assert app.entries() == before, "a Schedule changed the entries"
    assert driver("activate")["active"]


def steady(app, defaults):
    """The same checkpoint over and over: a Schedule of the window's own entries, which the
    service answers, and one of an entry that can't be read; the handles and GDI objects after
    each."""
    counts = []
    for _ in range(STEADY):
        app.schedule()
        app.set("Text3", "x")
        app.schedule()
        app.set("Text3", defaults["Text3"])
        counts.append(app.counts())
    return counts


def test_monkey(fake):
    print(f"monkey seed {SEED} ({EVENTS} events): ADDJOB_MONKEY_SEED={SEED} replays it")
    rng = random.Random(SEED)
    app = fake.start(answers=ANSWERS * 200)
    # Each checkpoint starts from the window's own entries, but for one field with pasted text:
    # random typing alone would soon leave no entry that converts.
    defaults = {name: text for name, (text, _) in app.entries().items() if name in FIELDS}
    state = app.state()
    origin = state["frame"][2:]
    client = origin + [origin[0] + state["client"][0], origin[1] + state["client"][1]]
    x, y, w, h = state["by_name"]["Command1"]["rect"]
    button = [origin[0] + x, origin[1] + y, origin[0] + x + w, origin[1] + y + h]
    assert driver("hook", "count") == {"done": True, "answer": 1}
    counted, calls = driver("counts"), 0
    for n in range(EVENTS // BURST):
        events = burst(rng, client, button)
        subprocess.run(["xdotool", *(command for event in events for command in event)], check=True, timeout=120)
        text = "".join(rng.choice(ALPHABET) for _ in range(rng.randrange(0, 60)))
        paste = (ID[rng.choice(PASTE_INTO)], text, int(rng.random() < 0.8))
        try:
            checkpoint(app, defaults, paste)
            assert app.process.poll() is None, "the program ended"
            before, counted = counted, driver("counts")
            presses, boxes, warnings = (counted[key] - before[key] for key in ("presses", "boxes", "warnings"))
            before_calls, calls = calls, len(fake.calls())
            assert presses == boxes, f"{presses} activations of Schedule opened {boxes} message boxes"
            assert calls - before_calls == boxes - warnings, \
                f"{calls - before_calls} service calls for {boxes} boxes, {warnings} of them about an entry"
        except AssertionError as failure:
            raise AssertionError(f"seed {SEED}, burst {n + 1}: {failure}\n{what_is_left(app, events)}") from None
    for name, text in defaults.items():
        driver("paste", ID[name], text)
    counts = steady(app, defaults)
    figures = {"seed": SEED, "events": EVENTS, "presses": counted["presses"], "boxes": counted["boxes"],
               "calls": calls, "steady_handles_gdi": [counts[0], counts[-1]]}
    (OUT / f"monkey-{BUILD}.json").write_text(json.dumps(figures) + "\n")
    assert 3 * calls >= counted["presses"], f"seed {SEED}: {calls} of {counted['presses']} Schedules reached the service"
    assert min(min(c) for c in counts) > 0, "the counts must be real"
    assert no_growth(counts), f"seed {SEED}: handles and GDI objects grew with the same checkpoint: {counts}"
