#include "win32/CallOffThread.h"

#include <commctrl.h>

#include "core/Texts.h"
#include "win32/OnePress.h"
#include "win32/Win32Handles.h"
#include "win32/WindowText.h"

namespace {

struct Work {
    void (*call)(void* context);
    void* context;
    HANDLE done;
};

DWORD WINAPI Run(void* work) {  // on the pool's thread
    const Work& it = *static_cast<const Work*>(work);
    it.call(it.context);
    SetEvent(it.done);  // its last touch of `work`, which the waiting thread owns
    return 0;
}

// The window answers WM_SETCURSOR for itself and its controls, which ask it first.
LRESULT CALLBACK ShowWaitCursor(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message != WM_SETCURSOR) return DefSubclassProc(window, message, wParam, lParam);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return TRUE;
}

// Windows asks the user before it ends a session while the window blocks it, and says why: the
// call's outcome is yet to be shown (Vista and later have this; looked up once).
void BlockShutdown(HWND window, bool block) {
    using CreateProc = BOOL(WINAPI*)(HWND, LPCWSTR);
    using DestroyProc = BOOL(WINAPI*)(HWND);
    static const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    static const auto create =
        reinterpret_cast<CreateProc>(reinterpret_cast<void*>(GetProcAddress(user32, "ShutdownBlockReasonCreate")));
    static const auto destroy =
        reinterpret_cast<DestroyProc>(reinterpret_cast<void*>(GetProcAddress(user32, "ShutdownBlockReasonDestroy")));
    if (create == nullptr || destroy == nullptr) return;
    if (block) {
        create(window, Wide(Texts::CallUnderWay));
    } else {
        destroy(window);
    }
}

bool PointerIsOver(HWND window) {
    POINT at{};
    const HWND under = GetCursorPos(&at) ? WindowFromPoint(at) : nullptr;
    return under != nullptr && (under == window || IsChild(window, under));
}

// What the window's thread does while it waits: answers the messages sent to it (PeekMessage
// does, whatever it looks for), drops input and paints.
void Answer() {
    DropInputMadeDuringTheCall();
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

void CallOffThread(HWND window, void (*call)(void* context), void* context) {
    const UniqueKernelObject done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    Work work{call, context, done.get()};
    if (!done || !QueueUserWorkItem(Run, &work, WT_EXECUTELONGFUNCTION)) {
        call(context);
        DropInputMadeDuringTheCall();
        return;
    }
    SetWindowSubclass(window, ShowWaitCursor, 0, 0);
    BlockShutdown(window, true);
    const HCURSOR before = PointerIsOver(window) ? SetCursor(LoadCursorW(nullptr, IDC_WAIT)) : nullptr;
    // Without MWMO_INPUTAVAILABLE, the wait ends for new messages only, not for those left queued.
    const HANDLE handles[] = {done.get()};
    do Answer();
    while (MsgWaitForMultipleObjects(1, handles, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0);
    BlockShutdown(window, false);
    RemoveWindowSubclass(window, ShowWaitCursor, 0);
    if (before != nullptr) SetCursor(before);
    DropInputMadeDuringTheCall();
}
