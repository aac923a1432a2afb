// The window's taskbar button during a run: how far the run is, red once an entry failed,
// and a flash when a run ends behind other windows. The shell draws it through
// ITaskbarList3; tests put a recorder in its place.
#pragma once
#include <windows.h>

#include <memory>

namespace tunelift::ui {

class TaskbarButton {
public:
    virtual ~TaskbarButton() = default;
    // The shell made the window's button (its "TaskbarButtonCreated" message).
    virtual void ButtonCreated() = 0;
    virtual void SetProgress(int done, int total) = 0;
    virtual void SetError() = 0;
    virtual void Clear() = 0;
    virtual void Flash() = 0;
};

// The shell's button. Without a taskbar that speaks ITaskbarList3 (older systems, Wine)
// it shows nothing and says nothing.
std::unique_ptr<TaskbarButton> CreateShellTaskbarButton(HWND window);

// The message the shell sends when it has made a window's button.
UINT TaskbarButtonCreatedMessage();

}  // namespace tunelift::ui
