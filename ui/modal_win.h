// Everything modal the window shows goes through this seam, so that tests can answer
// it instead of a person and no test ever blocks on a dialog.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace tunelift::ui {

// What the open-file dialog is asked for, and what it answers.
struct OpenRequest {
    // The file-type choices as "Text|pattern|Text|pattern", first choice preselected.
    std::wstring filter;
    // In: the name the dialog starts with. Out: the confirmed name (unchanged on cancel).
    std::wstring fileName;
    // In: the file type shown first (1 = the first choice). Out: the type the user had
    // chosen when confirming (unchanged on cancel).
    int filterIndex = 1;
};

class Modal {
public:
    virtual ~Modal() = default;
    // Message box with the title "Error", the critical-stop icon and OK.
    void ErrorBox(HWND owner, const std::wstring& text);
    virtual int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags);
    // A refused command: a beep and nothing else.
    virtual void Beep();
    // The system's open-file dialog. The file need not exist, and the dialog leaves the
    // process's current folder alone. True when the user confirmed a name; false on
    // cancel and on any failure of the dialog.
    virtual bool ShowOpen(HWND owner, OpenRequest& request);
    // The shell's folder picker, shown as `info` describes it. The item list of the
    // confirmed folder (the caller frees it with CoTaskMemFree), or nullptr on cancel.
    virtual PIDLIST_ABSOLUTE ShowBrowseForFolder(BROWSEINFOW& info);
};

// The common dialog's filter form of "Text|pattern|...": NUL-separated, double NUL at the end.
std::wstring CommonDialogFilter(const std::wstring& pipes);

// The real dialogs, as a person sees them.
Modal& SystemModal();

}  // namespace tunelift::ui
