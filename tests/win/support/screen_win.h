// The screen as a person sees it: pixels read back from the desktop, never from the
// window's own surface or its held values.
#pragma once
#include <windows.h>

#include <string>

namespace tunelift::testing {

// True when the screen over the control's client area holds exactly what the control
// draws for its present state. Reads the screen and asks the control to draw into a
// bitmap of its own; sends nothing to the control's parent.
bool ScreenShowsControl(HWND control);

}  // namespace tunelift::testing
