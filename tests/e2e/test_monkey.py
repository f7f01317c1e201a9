"""A monkey at the real window: seeded, bounded random keys, clicks and pasted text through the
X server, against a stand-in service that answers with a rotating mix of success, refusals and
raised RPC failures. After every burst the program must still run and answer, a Schedule must
leave the entries as they were, the service must have been called no more often than Schedule
was pressed, and from the tenth burst on no kernel handle may be gained, and no more GDI objects
than the system's own caches settle to.

ADDJOB_MONKEY_SEED replays a run (each run prints its seed); ADDJOB_MONKEY_EVENTS sets its
length (2,000 events by default)."""
import json
import os
import random
import string
import subprocess
import time

from app import ID, driver
from wine import BUILD, OUT

SEED = int(os.environ.get("ADDJOB_MONKEY_SEED") or time.time_ns() % 1_000_000)
EVENTS = int(os.environ.get("ADDJOB_MONKEY_EVENTS") or 2000)
BURST = 50
GDI_SETTLING = 9  # three steps of the DC cache

ANSWERS = [0, 5, "!0x6D9", 0, 1722, 53, 0, "!0x6BA", 50, 1753, 2184]
KEYS = ["Tab", "shift+Tab", "Up", "Down", "Left", "Right", "space", "Return", "Escape", "BackSpace",
        *string.ascii_lowercase, *string.digits, "comma", "colon"]
FIELDS = ["Text1", "Text2", "Text3", "Text4"]
# What pasted text is drawn from: the scripts and character classes a user's clipboard brings,
# invisible and reordering ones among them.
ALPHABET = ("aZ09,:. äöüß ÀÉ ΑΩ жЯ שלום مرحبا 中文字 かな 한국 😀𝄞 \u00a0\u2003\u3000\t\r\n"
            "\u200b\u200e\u202e\u2066\u2069\ufeff\u00ad\u0301\ud800")


def burst(rng, client, button):
    """One burst of xdotool commands."""
    commands = []
    for _ in range(BURST):
        kind = rng.random()
        if kind < 0.56:
            key = rng.choice(KEYS)
            commands += ["key", "--delay", "3", key]
        elif kind < 0.57:
            # Held past the X server's auto-repeat delay (660 ms), so that the key repeats.
            key = rng.choice(["Return", "space", "Tab", "Down", "x", "alt+s"])
            commands += ["keydown", key, "sleep", f"{rng.uniform(0.7, 0.8):.2f}", "keyup", key]
        elif kind < 0.67:
            commands += ["key", "--delay", "3", f"alt+{rng.choice(string.ascii_lowercase)}"]
        else:
            left, top, right, bottom = button if rng.random() < 0.3 else client
            x, y = rng.randrange(left, right), rng.randrange(top, bottom)
            clicks = rng.choice([1, 1, 1, 2])
            # xdotool waits its --delay after every click: only a double click needs one.
            commands += ["mousemove", str(x), str(y), "click", "--repeat", str(clicks),
                         "--delay", "30" if clicks == 2 else "1", "1"]
    return commands


def test_monkey(fake, tmp_path):
    print(f"monkey seed {SEED} ({EVENTS} events): ADDJOB_MONKEY_SEED={SEED} replays it")
    rng = random.Random(SEED)
    app = fake.start(answers=ANSWERS * 200)
    # Each burst starts from the window's own entries, but for one field with pasted text:
    # random typing alone would soon leave no entry that converts, and the handles and GDI
    # objects are counted with the same entries every time (the fonts a text in another script
    # draws with come and go with it).
    defaults, paste = [], tmp_path / "paste.txt"
    for name, (text, _) in app.entries().items():
        if name in FIELDS:
            (tmp_path / name).write_text(text, encoding="utf-8")
            defaults += [ID[name], tmp_path / name]
    assert driver("count-presses")["counting"]
    checkpoint = driver("checkpoint")
    counts = []
    for n in range(EVENTS // BURST):
        commands = burst(rng, checkpoint["client"], checkpoint["button"])
        subprocess.run(["xdotool", *commands], check=True, timeout=120)
        text = "".join(rng.choice(ALPHABET) for _ in range(rng.randrange(0, 60)))
        paste.write_text(text, encoding="utf-8", errors="surrogatepass")
        checkpoint = driver("checkpoint", *defaults, "then", ID[rng.choice(FIELDS)], paste)
        # What reached the button, and the checkpoints' own clicks on it.
        presses = checkpoint["presses"] + n + 2
        where = f"seed {SEED}, burst {n + 1}"
        assert app.process.poll() is None, f"{where}: the program ended"
        assert checkpoint["responsive"], f"{where}: the window did not answer within 2 s"
        assert checkpoint["box"], f"{where}: no message box after Schedule"
        assert checkpoint["entries_kept"], f"{where}: a Schedule changed the entries"
        calls = len(fake.calls())
        assert calls <= presses, f"{where}: {calls} service calls for {presses} presses"
        counts.append(checkpoint["counts"])
    tenth = counts[min(9, len(counts) - 1)]
    figures = {"seed": SEED, "events": EVENTS, "presses": presses, "calls": len(fake.calls()),
               "handles_gdi_10th": tenth, "handles_gdi_last": counts[-1]}
    (OUT / f"monkey-{BUILD}.json").write_text(json.dumps(figures) + "\n")
    assert min(tenth) > 0, "the counts must be real"
    (handles_10th, gdi_10th), (handles_last, gdi_last) = tenth, counts[-1]
    assert handles_last == handles_10th, f"seed {SEED}: kernel handles gained: {counts}"
    # Wine's own caches settle late in a random run: measured, its DC cache adds a DC with its
    # region and bitmap whenever more DCs are in use at once than ever before (once or twice a
    # run), and one font object comes and goes. A leak of one object per Schedule would add 40
    # here (each checkpoint schedules).
    assert gdi_last - gdi_10th <= GDI_SETTLING, f"seed {SEED}: GDI objects gained: {counts}"
