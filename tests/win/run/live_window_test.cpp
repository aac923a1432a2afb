// A run that nobody touches shows itself: the log, the panels and the bar reach the
// controls and the screen from the run's own yields. The test watches from inside the
// run (a call after each show) and never sends or posts a message to the window,
// which would make it show what it holds and hide the fault.
#include "window_fixture.h"

#include <commctrl.h>


#include "scratch_folder.h"
#include "screen_win.h"
#include "win/file_copy_win.h"

namespace tunelift::testing {
namespace {

// What the controls and the screen held at one show.
struct Seen {
    uint64_t at;
    std::wstring log;
    std::wstring panel1;
    std::wstring panel3;
    int bar;
    bool screenShowsLog, screenShowsBar, screenShowsPanels;
};

// Every read of the run's clock is one millisecond: the schedule then runs on the
// run's own yields, whatever else the machine is doing.
uint64_t g_virtualMs = 0;
uint64_t VirtualClock() { return ++g_virtualMs; }

class LiveWindow : public WindowTest {
protected:
    LiveWindow() { showCommand = SW_SHOWNOACTIVATE; }
    std::wstring Log() const {
        const int n = GetWindowTextLengthW(Item(ids::txtPlaylist));
        std::wstring text(static_cast<size_t>(n) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(Item(ids::txtPlaylist), text.data(), n + 1)));
        return text;
    }
    std::wstring Panel(int panel) const {
        wchar_t text[1024] = {};
        SendMessageW(Item(ids::stbStatus), SB_GETTEXTW, static_cast<WPARAM>(panel - 1), reinterpret_cast<LPARAM>(text));
        return text;
    }
    ScratchFolder dir;
};

TEST_F(LiveWindow, ARunNobodyTouchesShowsEveryEntryAndTheCopyAsItGoes) {
    dir.MakeFolder(L"Music");
    dir.MakeFolder(L"Player");
    std::string list;
    constexpr int kSongs = 4;
    for (int n = 1; n <= kSongs; ++n) {
        dir.WriteSizedFile(L"Music\\" + std::to_wstring(n) + L".mp3", 2u << 20);
        list += Utf8(dir / (L"Music\\" + std::to_wstring(n) + L".mp3")) + "\r\n";
    }
    dir.WriteFile(L"list.m3u", list);
    SetWindowTextW(Item(ids::txtPathfrom), (dir / L"list.m3u").c_str());
    SetWindowTextW(Item(ids::txtPathto), (dir / L"Player").c_str());

    // Above and apart from the windows other suites show at the same time on the screen.
    RECT frame;
    GetWindowRect(window->hwnd(), &frame);
    SetWindowPos(window->hwnd(), HWND_TOPMOST, GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left),
                 GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    Pump();

    std::vector<Seen> seen;
    g_virtualMs = 0;
    window->SetClock(VirtualClock);
    window->SetShowObserver([&] {
        seen.push_back({g_virtualMs, Log(), Panel(1), Panel(3),
                        static_cast<int>(SendMessageW(Item(ids::pgbCopy), PBM_GETPOS, 0, 0)),
                        ScreenShowsControl(Item(ids::txtPlaylist)), ScreenShowsControl(Item(ids::pgbCopy)),
                        ScreenShowsControl(Item(ids::stbStatus))});
    });
    win::copy_seam::SetChunkBytes(8 * 1024);  // 256 progress reports per song
    Click(ids::cmdSave);
    win::copy_seam::SetChunkBytes(0);
    window->SetShowObserver(nullptr);

    ASSERT_FALSE(seen.empty()) << "nothing reached the screen during the run";
    uint64_t before = 0;
    for (const Seen& s : seen) {
        SCOPED_TRACE(::testing::Message() << "show at " << s.at << " ms, bar " << s.bar);
        EXPECT_LE(s.at - before, 100u) << "the screen fell behind the run";
        before = s.at;
        EXPECT_TRUE(s.screenShowsLog && s.screenShowsBar && s.screenShowsPanels)
            << "the screen does not show what the controls hold";
    }
    for (int n = 1; n <= kSongs; ++n) {
        SCOPED_TRACE(::testing::Message() << "song " << n);
        const std::wstring file = L"File: " + (dir / (L"Music\\" + std::to_wstring(n) + L".mp3"));
        const std::wstring outcome = std::to_wstring(n) + L"/" + std::to_wstring(n) + L" ok\r\n---";
        bool progress = false, ended = false;
        for (const Seen& s : seen) {
            if (s.panel1 != file) continue;
            progress = progress || (s.bar > 0 && s.bar < 100 && s.panel3 == L"Progress: " + std::to_wstring(s.bar) + L"%");
            ended = ended || (s.log.size() >= outcome.size() && s.log.substr(s.log.size() - outcome.size()) == outcome);
        }
        EXPECT_TRUE(progress) << "no show while the song was copied";
        EXPECT_TRUE(ended) << "the song's outcome was not shown when it ended";
    }
}

}  // namespace
}  // namespace tunelift::testing
