// The screen as a person sees it, read back from the desktop.
#pragma once
#include <windows.h>

namespace tunelift::testing {

// True when the screen over the control's visible client area holds exactly what the
// control draws for its present state (into a bitmap of its own, WM_PRINTCLIENT).
bool ScreenShowsControl(HWND control);

}  // namespace tunelift::testing
