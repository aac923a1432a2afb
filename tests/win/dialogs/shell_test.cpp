// The window and the shell: a playlist named on the command line, and the taskbar button
// during a run.
#include <string>

#include "dialogs_fixture.h"

namespace tunelift::testing {
namespace {

struct RecordingTaskbar : ui::TaskbarButton {
    void ButtonCreated() override {}
    void SetProgress(int done, int total) override { calls += ' ' + std::to_string(done) + '/' + std::to_string(total); }
    void SetError() override { calls += " red"; }
    void Clear() override { calls += " clear"; }
    void Flash() override { calls += " flash"; }
    std::string calls;
};

class Shell : public DialogTest {};

TEST_F(Shell, APlaylistOnTheCommandLineIsTakenAsADropIsAlsoInItsOtherEndings) {
    dir.MakeFolder(L"Lists");
    const struct {
        std::wstring argument;
        std::wstring box, current;
    } rows[] = {
        {L"Lists\\Mix.M3U8", dir / L"Lists\\Mix.M3U8", dir / L"Lists"},
        {dir / L"Lists\\radio.pls", dir / L"Lists\\radio.pls", dir / L"Lists"},
        {dir / L"Lists\\song.mp3", L"Open playlist", dir.path()},
    };
    for (const auto& row : rows) {
        SetCurrentDirectoryW(dir.path().c_str());
        SetText(ids::txtPathfrom, L"Open playlist");
        window->TakeStartArgument(row.argument);
        EXPECT_EQ(Text(ids::txtPathfrom), row.box);
        EXPECT_EQ(CurrentFolder(), row.current);
    }
}

TEST_F(Shell, TheTaskbarButtonFollowsTheRunTurnsRedAndFlashesOnlyBehindOtherWindows) {
    RecordingTaskbar taskbar;
    window->UseTaskbarButton(taskbar);
    dir.MakeFolder(L"Player");
    dir.WriteFile(L"a.mp3", "song");
    dir.WriteFile(L"list.m3u", "#EXTM3U\r\n" + Utf8(dir / L"a.mp3") + "\r\n" + Utf8(dir / L"gone.mp3"));
    Click(ids::cmdSave);
    EXPECT_EQ(taskbar.calls, "") << "a refused run shows nothing";

    SetText(ids::txtPathfrom, dir / L"list.m3u");
    SetText(ids::txtPathto, dir / L"Player");
    Click(ids::cmdSave);
    EXPECT_EQ(taskbar.calls, " 1/3 2/3 3/3 red clear flash");

    ShowWindow(window->hwnd(), SW_SHOW);
    SetForegroundWindow(window->hwnd());
    if (GetForegroundWindow() != window->hwnd()) GTEST_SKIP() << "the window cannot come to the front here";
    taskbar.calls.clear();
    Click(ids::cmdFind);
    EXPECT_TRUE(taskbar.calls.ends_with("clear")) << "no flash in front of the user";
    ShowWindow(window->hwnd(), SW_HIDE);
}

}  // namespace
}  // namespace tunelift::testing
