// The one yield helper: long work calls YieldToWindow() to let the window handle what is
// pending, and the program's message loop dispatches through the same path.
#pragma once
#include <windows.h>

namespace tunelift::ui {

// How often a busy run looks at the queue: 100 times a second keeps the window
// responsive, and asking more often only costs time.
constexpr unsigned kLookIntervalMs = 10;

// Handles every pending window message, then returns. Costs a clock read when the
// queue was looked at less than a look interval ago, unless `now` is set.
void YieldToWindow(bool now = false);

// After painting outside the message loop: paints what else waits to be painted, lets
// the system hear from the window (so it is not taken for hung) and present what was
// painted. Handles no other message.
void PresentPainting();

// Runs before pending messages are dispatched: the window flushes deferred control
// texts here, so whatever a message handler or another process reads is current.
void SetBeforeDispatch(void (*hook)(void* context), void* context);

// The window whose dialog keys (Tab, Esc, Enter) the pump translates. `keys`, when
// given, sees every message for that window first and returns true for a key it handled.
void SetDialogWindow(HWND hwnd, bool (*keys)(void* context, const MSG& msg) = nullptr, void* context = nullptr);

// The program's message loop; returns the exit code of WM_QUIT.
int RunMessageLoop();

// True once WM_QUIT has been seen by YieldToWindow(); the outer loop then ends.
bool QuitRequested();

}  // namespace tunelift::ui
