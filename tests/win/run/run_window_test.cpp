// Runs driven through the real window with real files: what a user sees in the log
// view, the status bar, the bar and the scroll bar.
#include "window_fixture.h"

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <thread>

#include "scratch_folder.h"

namespace tunelift::testing {
namespace {

class Watcher;

class WindowRun : public WindowTest {
protected:
    // The copy of big.mp3 waits half-way until the watcher has acted.
    void HoldBigCopyFor(const Watcher& watcher);
    void SetUp() override {
        WindowTest::SetUp();
        dir.MakeFolder(L"Music");
        dir.MakeFolder(L"Player");
        music = dir / L"Music";
        player = dir / L"Player";
    }

    void Playlist(const std::string& text) { dir.WriteFile(L"list.m3u", text); }
    std::string M(const std::wstring& name) const { return Utf8(music + L"\\" + name); }
    void Boxes(const std::wstring& from, const std::wstring& to) {
        SetText(ids::txtPathfrom, from);
        SetText(ids::txtPathto, to);
    }
    void BoxesForList() { Boxes(dir / L"list.m3u", player); }
    // The edit control's own text, as a screen reader or another process reads it.
    std::wstring ShownLog() const {
        const int n = GetWindowTextLengthW(Item(ids::txtPlaylist));
        std::wstring text(static_cast<size_t>(n) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(Item(ids::txtPlaylist), text.data(), n + 1)));
        return text;
    }
    void Check(bool on, int id) {
        SendMessageW(Item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    ScratchFolder dir;
    std::wstring music, player;
};

// Another thread that watches the window as a person would and acts once.
class Watcher {
public:
    Watcher(HWND window, HWND statusBar, std::wstring panel2, std::function<void()> act)
        : thread_([=, this] {
              while (!stop_) {
                  wchar_t buffer[512] = {};
                  DWORD_PTR result = 0;
                  // Answered by the window thread, which shows the run as it goes.
                  SendMessageTimeoutW(statusBar, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 200,
                                      &result);
                  if (panel2 == buffer) {
                      act();
                      fired_ = true;
                      return;
                  }
                  Sleep(1);
              }
              (void)window;
          }) {}
    ~Watcher() {
        stop_ = true;
        thread_.join();
    }
    bool fired() const { return fired_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

void WindowRun::HoldBigCopyFor(const Watcher& watcher) {
    hooked->halfWay = [&watcher](const std::wstring& source) {
        if (source.ends_with(L"\\big.mp3")) WaitUntil([&watcher] { return watcher.fired(); });
    };
}

TEST_F(WindowRun, RefusalsUseTheErrorBoxInBothLanguages) {
    struct Row { const wchar_t* lang; std::wstring from, to; const wchar_t* text; };
    const Row rows[] = {
        {L"English", L"Open playlist", L"x", L"Please select a playlist!"},
        {L"English", L"", L"x", L"Please select a playlist!"},
        {L"English", L"C:\\list.m3u", L"Destination", L"Please select a destination directory!"},
        {L"Deutsch", L"Playlist \u00f6ffnen", L"x", L"Bitte w\u00e4hlen Sie eine Playlist aus!"},
        {L"Deutsch", L"C:\\list.m3u", L"", L"Bitte w\u00e4hlen Sie einen Zielordner aus!"},
    };
    for (const Row& row : rows) {
        ChooseLanguage(row.lang);
        Boxes(row.from, row.to);
        modal.boxes.clear();
        Click(ids::cmdFind);
        ASSERT_EQ(modal.boxes.size(), 1u);
        EXPECT_EQ(modal.boxes[0].text, row.text);
        EXPECT_EQ(modal.boxes[0].title, L"Error");
        EXPECT_EQ(modal.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
        EXPECT_EQ(modal.boxes[0].owner, window->hwnd());
        EXPECT_EQ(SendMessageW(Item(ids::pgbCopy), PBM_GETPOS, 0, 0), 100) << "nothing else changes";
    }
}

TEST_F(WindowRun, OtherLanguagesPromptIsTakenAsAPath) {
    Boxes(L"Playlist \u00f6ffnen", player);
    Click(ids::cmdFind);
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(ShownLog(), L"No playlist found!");
    EXPECT_EQ(Panel(3), L"Progress: 0%");
}

TEST_F(WindowRun, SaveRunShowsTheLogToTheCharacter) {
    dir.WriteFile(L"Music\\a.mp3", "song a");
    Playlist("#EXTM3U\r\n" + M(L"a.mp3") + "\r\n");
    BoxesForList();
    Click(ids::cmdSave);
    const std::wstring expected = L"\r\n" + music + L"\\a.mp3\r\ncopied to:\r\n" + player +
                                  L"\\a.mp3\r\n1/1 ok\r\n---\r\nAll files copied!";
    EXPECT_EQ(ShownLog(), expected);
    EXPECT_EQ(dir.Read(L"Player\\a.mp3"), "song a");
    EXPECT_EQ(Panel(1), L"File: " + music + L"\\a.mp3");
    EXPECT_EQ(Panel(2), L"Filename: a.mp3");
    EXPECT_EQ(Panel(3), L"Progress: 0%");
    EXPECT_EQ(SendMessageW(Item(ids::pgbCopy), PBM_GETPOS, 0, 0), 0);
    for (int n = 0; n <= 3; ++n) EXPECT_EQ(window->GetRunLog().Slot(n), L"") << "Save empties the slots";
    // The caret sits at the end so the newest line is in view.
    DWORD start = 0, end = 0;
    SendMessageW(Item(ids::txtPlaylist), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, expected.size());
}

TEST_F(WindowRun, CheckRunShowsSourcesAndKeepsItsSlots) {
    dir.WriteFile(L"Music\\a.mp3", "song a");
    Playlist(M(L"a.mp3") + "\r\n" + M(L"gone.mp3") + "\r\n");
    BoxesForList();
    Click(ids::cmdFind);
    EXPECT_EQ(ShownLog(), L"\r\n" + music + L"\\a.mp3\r\n1/1 ok\r\n---\r\n" + music +
                              L"\\gone.mp3\r\n1/2 error\r\n---\r\nSearch finished!");
    EXPECT_FALSE(dir.Exists(L"Player\\a.mp3"));
    EXPECT_EQ(window->GetRunLog().Slot(1), L"\r\n" + music + L"\\a.mp3\r\n1/1 ok\r\n---");

    // A Save run afterwards appends to the same slots, then empties them all.
    std::wstring slotDuringSave;
    Click(ids::cmdSave);
    EXPECT_EQ(ShownLog().rfind(L"\r\n" + music + L"\\a.mp3\r\n1/1 ok\r\n---\r\n" + music + L"\\a.mp3\r\ncopied to:", 0),
              0u);
    EXPECT_EQ(window->GetRunLog().Slot(1), L"");
}

TEST_F(WindowRun, PlaylistFileSaveRunShowsTheFolderWithoutName) {
    dir.WriteFile(L"Music\\a.mp3", "song a");
    dir.WriteFile(L"list.pls", "[playlist]\r\nFile1=" + M(L"a.mp3") + "\r\nTitle1=A\r\nNumberOfEntries=1\r\nVersion=2\r\n");
    Boxes(dir / L"list.pls", player);
    Click(ids::cmdSave);
    EXPECT_EQ(ShownLog(), L"\r\n" + music + L"\\a.mp3\r\ncopied to:\r\n" + player +
                              L"\\\r\n1/1 ok\r\n---\r\nAll files copied!");
    EXPECT_EQ(dir.Read(L"Player\\a.mp3"), "song a");
}

TEST_F(WindowRun, OverwriteOptionDecidesForExistingFiles) {
    dir.WriteFile(L"Music\\a.mp3", "new");
    dir.WriteFile(L"Player\\a.mp3", "old");
    Playlist(M(L"a.mp3") + "\r\n");
    BoxesForList();
    Click(ids::cmdSave);
    EXPECT_EQ(dir.Read(L"Player\\a.mp3"), "old");
    EXPECT_NE(ShownLog().find(L"1/1 ok"), std::wstring::npos);
    Check(true, ids::chkExists);
    Click(ids::cmdSave);
    EXPECT_EQ(dir.Read(L"Player\\a.mp3"), "new");
}

TEST_F(WindowRun, MissingDestinationFolderLogsErrorsAndEnds) {
    dir.WriteFile(L"Music\\a.mp3", "song a");
    Playlist(M(L"a.mp3") + "\r\n");
    Boxes(dir / L"list.m3u", dir / L"NoSuchFolder");
    Click(ids::cmdSave);
    EXPECT_NE(ShownLog().find(L"0/1 error\r\n---\r\nFinished: 1 of 1 songs could not be copied!"), std::wstring::npos);
    EXPECT_FALSE(dir.Exists(L"NoSuchFolder"));
}

TEST_F(WindowRun, UnrecognisedPlaylistShowsOnlyTheMessage) {
    Playlist("just some text\r\n");
    BoxesForList();
    Click(ids::cmdSave);
    EXPECT_EQ(ShownLog(), L"No playlist found!");
    EXPECT_EQ(Panel(3), L"Progress: 0%");
    ChooseLanguage(L"Deutsch");
    Boxes(dir / L"list.m3u", player);
    Click(ids::cmdFind);
    EXPECT_EQ(ShownLog(), L"Kein Playlist gefunden");
    EXPECT_EQ(Panel(3), L"Fortschritt: 0%");
}

TEST_F(WindowRun, LongPlaylistMovesTheScrollBarAndPagesByFourSlots) {
    std::string text;
    for (int n = 1; n <= 150; ++n) text += M(std::to_wstring(n) + L".mp3") + "\r\n";
    Playlist(text);
    BoxesForList();
    Click(ids::cmdFind);
    int min = -1, max = -1;
    GetScrollRange(Item(ids::vsbListLog), SB_CTL, &min, &max);
    EXPECT_EQ(min, 1);
    EXPECT_EQ(max, 148);
    EXPECT_EQ(GetScrollPos(Item(ids::vsbListLog), SB_CTL), 148);
    EXPECT_EQ(ShownLog(), window->TheLogData(51, 151));

    // One click on the up arrow: slots 147 to 150.
    SendMessageW(window->hwnd(), WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(Item(ids::vsbListLog)));
    Pump();
    EXPECT_EQ(ShownLog(), window->TheLogData(147, 150));
    EXPECT_EQ(Scroll().nPos, 147);
}

TEST_F(WindowRun, ASaveEmptiesTheSlotsSoTheNextScrollShowsNothing) {
    dir.WriteFile(L"Music\\a.mp3", "a");
    Playlist(M(L"a.mp3") + "\r\n");
    BoxesForList();
    Click(ids::cmdSave);
    EXPECT_NE(ShownLog(), L"");
    SendMessageW(window->hwnd(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(Item(ids::vsbListLog)));
    Pump();
    EXPECT_EQ(ShownLog(), L"");
}

TEST_F(WindowRun, SyncedSaveClearsTheDestinationButNeverItsSubfolders) {
    dir.WriteFile(L"Music\\a.mp3", "a");
    dir.WriteFile(L"Player\\A.MP3", "older a");  // the same file in other letter case
    dir.WriteFile(L"Player\\cover.jpg", "jpg");
    dir.WriteFile(L"Player\\.b.mp3.tunelift-part", "left by a pulled stick");
    dir.MakeFolder(L"Player\\Sub");
    dir.WriteFile(L"Player\\Sub\\keep.mp3", "sub");
    Playlist(M(L"a.mp3") + "\r\n");
    BoxesForList();
    Check(true, ids::chkKill);

    Click(ids::cmdFind);
    EXPECT_TRUE(dir.Exists(L"Player\\cover.jpg")) << "a Check run never deletes";

    Click(ids::cmdSave);
    EXPECT_TRUE(dir.Exists(L"Player\\A.MP3"));
    EXPECT_EQ(dir.Read(L"Player\\A.MP3"), "older a") << "overwrite is off";
    EXPECT_FALSE(dir.Exists(L"Player\\cover.jpg"));
    EXPECT_FALSE(dir.Exists(L"Player\\.b.mp3.tunelift-part"));
    EXPECT_EQ(dir.Read(L"Player\\Sub\\keep.mp3"), "sub");
    EXPECT_TRUE(dir.Exists(L"list.m3u"));
    EXPECT_TRUE(dir.Exists(L"Music\\a.mp3"));
    EXPECT_EQ(Panel(1), L"Killing Files");
    EXPECT_EQ(Panel(2).rfind(L"Killing: ", 0), 0u);
    EXPECT_EQ(SendMessageW(Item(ids::pgbCopy), PBM_GETRANGE, FALSE, 0), 100);
    // The Save run appended to the Check run's slots.
    EXPECT_NE(ShownLog().find(L"1/1 ok\r\n---\r\nSearch finished!\r\nAll files copied!"), std::wstring::npos);
}

TEST_F(WindowRun, CancelDuringALargeCopyThatIsNotLast) {
    dir.WriteSizedFile(L"Music\\big.mp3", 64ull << 20);
    dir.WriteFile(L"Music\\a.mp3", "a");
    dir.WriteFile(L"Music\\c.mp3", "c");
    Playlist(M(L"a.mp3") + "\r\n" + M(L"big.mp3") + "\r\n" + M(L"c.mp3") + "\r\n");
    BoxesForList();
    HWND hwnd = window->hwnd();
    Watcher cancel(hwnd, Item(ids::stbStatus), L"Filename: big.mp3", [hwnd] {
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(ids::cmdCancel, BN_CLICKED), 0);
    });
    HoldBigCopyFor(cancel);
    Click(ids::cmdSave);
    ASSERT_TRUE(cancel.fired());
    EXPECT_EQ(dir.Read(L"Player\\big.mp3").size(), 64u << 20) << "the copy under way completes";
    EXPECT_FALSE(dir.Exists(L"Player\\c.mp3"));
    const std::wstring log = ShownLog();
    EXPECT_NE(log.find(L"2/2 ok\r\n---\r\nCanceled!"), std::wstring::npos) << std::string(log.begin(), log.end());
    EXPECT_EQ(log.find(L"All files copied!"), std::wstring::npos);
}

TEST_F(WindowRun, CancelDuringTheLastCopyKeepsTheEndLine) {
    dir.WriteFile(L"Music\\a.mp3", "a");
    dir.WriteSizedFile(L"Music\\big.mp3", 64ull << 20);
    Playlist(M(L"a.mp3") + "\r\n" + M(L"big.mp3") + "\r\n");
    BoxesForList();
    HWND hwnd = window->hwnd();
    Watcher cancel(hwnd, Item(ids::stbStatus), L"Filename: big.mp3", [hwnd] {
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(ids::cmdCancel, BN_CLICKED), 0);
    });
    HoldBigCopyFor(cancel);
    Click(ids::cmdSave);
    ASSERT_TRUE(cancel.fired());
    const std::wstring log = ShownLog();
    const std::wstring tail = L"2/2 ok\r\n---\r\nAll files copied!\r\nCanceled!";
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
}

TEST_F(WindowRun, CancelWhileIdleDoesNotCancelTheNextSave) {
    dir.WriteFile(L"Music\\a.mp3", "a");
    Playlist(M(L"a.mp3") + "\r\n");
    BoxesForList();
    Click(ids::cmdCancel);
    Click(ids::cmdSave);
    EXPECT_TRUE(dir.Exists(L"Player\\a.mp3"));
    EXPECT_EQ(ShownLog().find(L"Canceled!"), std::wstring::npos);
}

TEST_F(WindowRun, LanguageSwitchMidRunKeepsTheDestination) {
    dir.WriteSizedFile(L"Music\\big.mp3", 64ull << 20);
    dir.WriteFile(L"Music\\b.mp3", "b");
    Playlist(M(L"big.mp3") + "\r\n" + M(L"b.mp3") + "\r\n");
    BoxesForList();
    HWND hwnd = window->hwnd();
    HWND combo = Item(ids::cmbLang);
    Watcher switcher(hwnd, Item(ids::stbStatus), L"Filename: big.mp3", [hwnd, combo] {
        SendMessageW(combo, CB_SETCURSEL, 1, 0);
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(ids::cmbLang, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
    });
    HoldBigCopyFor(switcher);
    Click(ids::cmdSave);
    ASSERT_TRUE(switcher.fired());
    EXPECT_EQ(Text(ids::txtPathto), L"Ziel") << "the switch wrote the prompt into the box";
    EXPECT_TRUE(dir.Exists(L"Player\\b.mp3")) << "later copies still go to the destination of the start";
    // The switch lands during the big copy or right after it; either way b's line
    // names the destination of the start and the end line is German.
    const std::wstring log = ShownLog();
    EXPECT_NE(log.find(L"\r\n" + player + L"\\b.mp3\r\n2/2 ok"), std::wstring::npos);
    EXPECT_NE(log.find(L"Alle Dateien kopiert!"), std::wstring::npos);
}

TEST_F(WindowRun, ASecondRunDuringARunIsRefusedWithABeep) {
    // A second large copy keeps the run going until the posted clicks are handled.
    dir.WriteSizedFile(L"Music\\big.mp3", 32ull << 20);
    dir.WriteFile(L"Music\\b.mp3", "b");
    dir.WriteSizedFile(L"Music\\big2.mp3", 32ull << 20);
    Playlist(M(L"big.mp3") + "\r\n" + M(L"b.mp3") + "\r\n" + M(L"big2.mp3") + "\r\n");
    BoxesForList();
    HWND hwnd = window->hwnd();
    Watcher second(hwnd, Item(ids::stbStatus), L"Filename: big.mp3", [hwnd] {
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(ids::cmdFind, BN_CLICKED), 0);
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(ids::cmdSave, BN_CLICKED), 0);
    });
    HoldBigCopyFor(second);
    Click(ids::cmdSave);
    ASSERT_TRUE(second.fired());
    Pump();
    EXPECT_EQ(modal.beeps, 2);
    EXPECT_TRUE(dir.Exists(L"Player\\b.mp3"));
    EXPECT_NE(ShownLog().find(L"3/3 ok\r\n---\r\nAll files copied!"), std::wstring::npos);
    EXPECT_EQ(ShownLog().find(L"Search finished!"), std::wstring::npos);
}

// The window is the user's while a run goes on: each of these answers during a copy.
TEST_F(WindowRun, MenusAboutTheLanguageBoxAndTheScrollBarWorkDuringARun) {
    dir.WriteSizedFile(L"Music\\big.mp3", 8ull << 20);
    Playlist(M(L"big.mp3") + "\r\n");
    BoxesForList();
    HWND hwnd = window->hwnd();
    HWND about = Item(ids::pcbAbout), scroll = Item(ids::vsbListLog), combo = Item(ids::cmbLang);
    HMENU options = GetSubMenu(GetMenu(hwnd), 1);
    bool aboutShown = false, optionTicked = false, scrolled = false, german = false;
    Watcher user(hwnd, Item(ids::stbStatus), L"Filename: big.mp3", [&] {
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(ids::mnuAbout, 0), 0);
        aboutShown = GetWindowLongPtrW(about, GWL_STYLE) & WS_VISIBLE;
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(ids::mnuAllAudio, 0), 0);
        optionTicked = GetMenuState(options, ids::mnuAllAudio, MF_BYCOMMAND) & MF_CHECKED;
        SendMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(scroll));
        scrolled = GetScrollPos(scroll, SB_CTL) == 1;
        SendMessageW(combo, CB_SETCURSEL, 1, 0);
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(ids::cmbLang, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
        german = GetWindowTextLengthW(Item(ids::cmdSave)) > 0 && Text(ids::cmdSave) == L"Kopieren";
    });
    HoldBigCopyFor(user);
    Click(ids::cmdSave);
    ASSERT_TRUE(user.fired());
    EXPECT_TRUE(aboutShown);
    EXPECT_TRUE(optionTicked);
    EXPECT_TRUE(scrolled);
    EXPECT_TRUE(german);
    EXPECT_TRUE(dir.Exists(L"Player\\big.mp3")) << "the run went on to its end";
}

}  // namespace
}  // namespace tunelift::testing
