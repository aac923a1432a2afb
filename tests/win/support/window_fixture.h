// A real frmCrateway on the test thread, with scripted modal answers, and small
// helpers to drive it the way a user would.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/file_services.h"
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
    int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags) override;
    void Beep() override { ++beeps; }

    std::vector<Box> boxes;
    int beeps = 0;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Uses real files unless a test replaces them before SetUp.
    virtual std::unique_ptr<FileServices> MakeFiles();

    HWND Item(int id) const { return window->Item(id); }
    std::wstring Text(int id) const { return window->ControlText(id); }
    void Click(int id);
    void Menu(int id);
    void ChooseLanguage(const wchar_t* item);
    void KeyUpInLanguageBox(WPARAM key);
    // A key press as a person makes it: key down, the character if it has one, key up.
    void Press(int id, WPARAM key, wchar_t character = 0);
    void SetText(int id, const std::wstring& text);
    void Drop(int id, const std::vector<std::wstring>& paths);
    void Pump();

    std::unique_ptr<FileServices> files;
    ScriptedModal modal;
    std::unique_ptr<ui::frmCrateway> window;
    int exitCalls = 0;
};

}  // namespace tunelift::testing
