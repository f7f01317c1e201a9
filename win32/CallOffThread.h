#pragma once
// A platform call that may take long, made off the window's thread. A computer that can't be
// reached takes 20 to 40 s to fail, and Windows takes a window whose thread answers nothing for
// 5 s for hung: it draws a ghost of it and, on a click, offers to end the program, which could
// leave a job added whose confirmation nobody saw. So the call runs on a thread of the system's
// thread pool (kept from call to call, rather than a thread made and ended for each), and the
// window's thread waits for it alone: it paints and answers the messages sent to it, but
// takes no input (keys and clicks made meanwhile are dropped: OnePress.h), leaves every other
// message posted to it for after the call, and shows the wait cursor over the window.

#include <windows.h>

#include <type_traits>

// Makes `call(context)` on a thread of the pool and returns when it has returned; where it can't
// be handed to one, makes it here. A fault the call doesn't handle ends the program, as it would
// here.
void CallOffThread(HWND window, void (*call)(void* context), void* context);

// The same for `call()`.
template <typename Call>
void CallOffThread(HWND window, Call&& call) {
    using Callable = std::remove_reference_t<Call>;
    CallOffThread(window, [](void* context) { (*static_cast<Callable*>(context))(); }, &call);
}
