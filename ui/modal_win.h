// Everything modal the window shows goes through this seam, so that tests can answer
// it instead of a person and no test ever blocks on a dialog.
#pragma once
#include <windows.h>

#include <string>

namespace tunelift::ui {

class Modal {
public:
    virtual ~Modal() = default;
    // Message box with the title "Error", the critical-stop icon and OK.
    void ErrorBox(HWND owner, const std::wstring& text);
    virtual int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags);
    // A refused command: a beep and nothing else.
    virtual void Beep();
};

// The real dialogs, as a person sees them.
Modal& SystemModal();

}  // namespace tunelift::ui
