// The program's message loop, which also gives the window its dialog keys.
#pragma once
#include <windows.h>

namespace tunelift::ui {

// The window whose dialog keys (Tab, Esc, Enter) the loop translates. `keys`, when
// given, sees every message for that window first and returns true for a key it handled.
void SetDialogWindow(HWND hwnd, bool (*keys)(void* context, const MSG& msg) = nullptr, void* context = nullptr);

// The program's message loop; returns the exit code of WM_QUIT.
int RunMessageLoop();

// Handles the messages that wait now, as the loop would, and returns.
void DispatchPending();

}  // namespace tunelift::ui
