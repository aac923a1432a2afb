// A real frmCrateway on the test thread, with scripted modal answers, and small
// helpers to drive it the way a user would.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/file_services.h"
#include "hooked_files.h"
#include "scratch_folder.h"
#include "ui/control_ids.h"
#include "ui/frm_crateway_win.h"
#include "ui/modal_win.h"

namespace tunelift::testing {

// Records what would have been shown instead of blocking.
class ScriptedModal : public ui::Modal {
public:
    struct Box {
        HWND owner;
        std::wstring text;
        std::wstring title;
        UINT flags;
    };
    // What the open dialog was asked, with the window that owned it.
    struct Open {
        HWND owner;
        ui::OpenRequest request;
    };
    // BROWSEINFOW as the folder picker received it (the title copied out).
    struct Browse {
        BROWSEINFOW info;
        std::wstring title;
    };
    int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags) override;
    void Beep() override { ++beeps; }
    // Answers from openAnswers / folderAnswers, front first; cancel when none is left.
    bool ShowOpen(HWND owner, ui::OpenRequest& request) override;
    PIDLIST_ABSOLUTE ShowBrowseForFolder(BROWSEINFOW& info) override;

    std::vector<Box> boxes;
    int beeps = 0;
    int reply = IDOK;  // what every message box answers

    // A name confirms the open dialog with that name; nullopt cancels it.
    std::deque<std::optional<std::wstring>> openAnswers;
    // A folder path confirms the picker on that folder; a "::{CLSID}" parsing name on that
    // shell item; "" cancels.
    std::deque<std::wstring> folderAnswers;
    std::vector<Open> opens;
    std::vector<Browse> browses;
    // Every modal thing in the order shown: "open", "folder", "box:<text>".
    std::vector<std::wstring> shown;
    // Show the system's own dialogs instead (message boxes stay scripted).
    bool realDialogs = false;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Closes the window and opens a new one over the same files and options file, as
    // quitting and starting the program again would.
    void Restart();

    // The real files with hooks (`hooked`) unless a test replaces them before SetUp.
    virtual std::unique_ptr<FileServices> MakeFiles();

    HWND Item(int id) const { return window->Item(id); }
    // What the controls themselves hold, never what the window keeps for itself.
    std::wstring Text(int id) const;
    std::wstring Panel(int panel) const;  // 1..3
    int BarPos() const;
    SCROLLINFO Scroll() const;
    // A click or a menu command as the user gives it; one that starts a run returns once
    // the run has ended and the window has shown its end.
    void Click(int id);
    void Menu(int id);
    // Handles the window's messages until its run has ended.
    void WaitForRun();
    void ChooseLanguage(const wchar_t* item);
    void KeyUpInLanguageBox(WPARAM key);
    // A key press as a person makes it: key down, the character if it has one, key up.
    void Press(int id, WPARAM key, wchar_t character = 0);
    void SetText(int id, const std::wstring& text);
    void Drop(int id, const std::vector<std::wstring>& paths);
    void Pump();

    // Hidden unless a test needs the screen: under Xvfb without a window manager, Wine
    // waits two seconds for every shown top-level window to be withdrawn when it goes.
    int showCommand = SW_HIDE;
    std::unique_ptr<FileServices> files;
    HookedFiles* hooked = nullptr;  // the hooks of the default files
    ScriptedModal modal;
    // Each test keeps its Options menu choices in a file of its own.
    ScratchFolder settings{L"tunelift-settings-"};
    const std::wstring optionsFile = settings / L"Tunelift.ini";
    std::unique_ptr<ui::frmCrateway> window;
    int exitCalls = 0;
};

}  // namespace tunelift::testing
