#pragma once
// One press schedules one job. The rules by which the job window tells a press on "Schedule"
// from input that only looks like one: a held key's repeats, input made while a service call
// ran, and the second half of a double click or a double tap whose first half closed a
// Schedule's message box. The window applies them; the tests' hooks count by them.

#include <windows.h>

// Drops `message`, a key or click the window takes no notice of, whole. Wine's DefWindowProc (not
// the input queue, as on Windows) notes whether a key went down between Alt's press and its
// release; a key pressed with Alt that it never sees leaves the Alt looking as if pressed alone,
// and its release then opens the system menu, where the next keys may choose Close. So a key-down
// with Alt is shown to DefWindowProc all the same, as no key in particular (Alt+F4 closes nothing).
void Drop(const MSG& message);

// Whether a WM_COMMAND to the window (`id`, `code`) is a press on "Schedule": its click, or
// Enter (IDOK, which the dialog keys send wherever the focus is) while the focus is on it.
bool IsSchedulePress(int id, int code, HWND focus, HWND button);

// A key held down repeats its key-down about twenty times a second. Enter and the Alt+letter
// access keys press a button on key-down, so only the first of those may reach a button, or a
// held key would schedule a job, confirm it in the message box and schedule again. (Space
// presses a button on key-up, once however long it is held.)
bool IsRepeatedPress(const MSG& message);

// The same for the modal loops the window doesn't run itself, a message box's among them: a
// message filter (WH_MSGFILTER) for the window's thread that skips repeated presses.
HHOOK FilterRepeatedPresses();

// Keys and clicks that reached the window while a service call ran wait in its queue, and would
// otherwise be handled once it returns: a second Schedule, or the OK of the box that is about
// to show the first one's result, pressed before it could be read. They are dropped: the window
// takes no input while a Schedule runs.
void DropInputMadeDuringTheCall();

// The second half of a double click on a message box's OK that lies over "Schedule", or of a
// double-tapped Enter, reaches the button once the box is gone. Input that would press the
// button within the double-click time of a Schedule's last box closing is taken for that: a
// click on it, Enter, Space or its letter on it, or its access key anywhere. The time is the
// input's own, so a deliberate press a moment later counts, and a press that is not input
// (BM_CLICK, or a screen reader's default action) always does.
class ClosedBoxEcho {
public:
    void BoxClosed() { closed_ = true, closedAt_ = GetTickCount(); }
    bool IsEcho(const MSG& message, HWND button, wchar_t accessKey) const;

private:
    bool closed_ = false;
    DWORD closedAt_ = 0;
};
