// A run nobody touches shows itself. Watched from the window's side (a call after each
// show), without sending the window anything: a message would make it show what it
// holds and hide the fault.
#include "window_fixture.h"

#include <atomic>

#include "scratch_folder.h"
#include "screen_win.h"
#include "win/file_copy_win.h"

namespace tunelift::testing {
namespace {

class LiveWindow : public WindowTest {
protected:
    LiveWindow() { showCommand = SW_SHOWNOACTIVATE; }
    void SetUp() override {
        WindowTest::SetUp();
        // Each copy stops half-way until the screen has shown the bar there: a copy then
        // lasts as long as the window takes to show it, however fast the disk is.
        hooked->halfWay = [this](const std::wstring&) {
            WaitUntil([this] { return shownHalfWay.load(); });
            shownHalfWay = false;
        };
    }
    std::atomic<bool> shownHalfWay{false};
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
        std::wstring log, panel1, panel3;
        int bar;
        bool onScreen;
    };
    std::vector<Seen> seen;
    window->SetShowObserver([&] {
        const bool onScreen = ScreenShowsControl(Item(ids::txtPlaylist)) && ScreenShowsControl(Item(ids::pgbCopy)) &&
                              ScreenShowsControl(Item(ids::stbStatus));
        seen.push_back({Text(ids::txtPlaylist), Panel(1), Panel(3), BarPos(), onScreen});
        if (seen.back().bar > 0 && seen.back().bar < 100) shownHalfWay = true;
    });
    win::copy_seam::SetChunkBytes(64 * 1024);
    Click(ids::cmdSave);
    win::copy_seam::SetChunkBytes(0);
    window->SetShowObserver(nullptr);

    ASSERT_FALSE(seen.empty()) << "nothing reached the screen during the run";
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_TRUE(seen[i].onScreen) << "the screen does not show what the controls hold at show " << i;
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(::testing::Message() << "song " << n);
        const std::wstring outcome = std::to_wstring(n) + L"/" + std::to_wstring(n) + L" ok\r\n---";
        bool progress = false, ended = false;
        for (const Seen& s : seen) {
            ended = ended || s.log.find(outcome) != std::wstring::npos;
            if (s.panel1 != L"File: " + (dir / (std::to_wstring(n) + L".mp3"))) continue;
            progress = progress || (s.bar > 0 && s.bar < 100 && s.panel3 == L"Progress: " + std::to_wstring(s.bar) + L"%");
        }
        EXPECT_TRUE(progress) << "no show while the song was copied";
        EXPECT_TRUE(ended) << "the song's outcome was not shown";
    }
}

}  // namespace
}  // namespace tunelift::testing
