// A run nobody touches shows itself. Watched from inside the run (a call after each
// show), without sending the window anything: a message would make it show what it
// holds and hide the fault.
#include "window_fixture.h"

#include "scratch_folder.h"
#include "screen_win.h"
#include "win/file_copy_win.h"

namespace tunelift::testing {
namespace {

// Every read of the clock is a millisecond: the schedule runs on the run's own yields,
// whatever else the machine does.
uint64_t g_virtualMs = 0;
uint64_t VirtualClock() { return ++g_virtualMs; }

class LiveWindow : public WindowTest {
protected:
    LiveWindow() { showCommand = SW_SHOWNOACTIVATE; }
};

TEST_F(LiveWindow, ARunNobodyTouchesShowsEveryEntryAndTheCopyAsItGoes) {
    ScratchFolder dir;
    dir.MakeFolder(L"Player");
    std::string list;
    for (int n = 1; n <= 4; ++n) {
        dir.WriteSizedFile(std::to_wstring(n) + L".mp3", 2u << 20);
        list += Utf8(dir / (std::to_wstring(n) + L".mp3")) + "\r\n";
    }
    dir.WriteFile(L"list.m3u", list);
    SetText(ids::txtPathfrom, dir / L"list.m3u");
    SetText(ids::txtPathto, dir / L"Player");
    // Above and apart from the windows other suites show on the same screen.
    RECT frame;
    GetWindowRect(window->hwnd(), &frame);
    SetWindowPos(window->hwnd(), HWND_TOPMOST, GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left),
                 GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    Pump();

    struct Seen {
        uint64_t at;
        std::wstring log, panel1, panel3;
        int bar;
        bool onScreen;
    };
    std::vector<Seen> seen;
    g_virtualMs = 0;
    window->SetClock(VirtualClock);
    window->SetShowObserver([&] {
        const bool onScreen = ScreenShowsControl(Item(ids::txtPlaylist)) && ScreenShowsControl(Item(ids::pgbCopy)) &&
                              ScreenShowsControl(Item(ids::stbStatus));
        seen.push_back({g_virtualMs, Text(ids::txtPlaylist), Panel(1), Panel(3), BarPos(), onScreen});
    });
    win::copy_seam::SetChunkBytes(8 * 1024);  // 256 progress reports per song
    Click(ids::cmdSave);
    win::copy_seam::SetChunkBytes(0);
    window->SetShowObserver(nullptr);

    ASSERT_FALSE(seen.empty()) << "nothing reached the screen during the run";
    uint64_t before = 0;
    for (const Seen& s : seen) {
        EXPECT_LE(s.at - before, 100u) << "the screen fell behind the run at " << s.at << " ms";
        before = s.at;
        EXPECT_TRUE(s.onScreen) << "the screen does not show what the controls hold at " << s.at << " ms";
    }
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(::testing::Message() << "song " << n);
        const std::wstring outcome = std::to_wstring(n) + L"/" + std::to_wstring(n) + L" ok\r\n---";
        bool progress = false, ended = false;
        for (const Seen& s : seen) {
            if (s.panel1 != L"File: " + (dir / (std::to_wstring(n) + L".mp3"))) continue;
            progress = progress || (s.bar > 0 && s.bar < 100 && s.panel3 == L"Progress: " + std::to_wstring(s.bar) + L"%");
            ended = ended || s.log.ends_with(outcome);
        }
        EXPECT_TRUE(progress) << "no show while the song was copied";
        EXPECT_TRUE(ended) << "the song's outcome was not shown when it ended";
    }
}

}  // namespace
}  // namespace tunelift::testing
