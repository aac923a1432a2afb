// The Options menu on the real window: where it sits, each item toggling, speaking both
// languages and outliving a restart, a damaged options file, and the run's question as
// the window's own Yes/No box.
#include <string>

#include "ui/options_store_win.h"
#include "window_fixture.h"

namespace tunelift::testing {
namespace {

// The check mark as the menu itself holds it.
bool Checked(HWND window, int id) {
    const UINT state = GetMenuState(GetMenu(window), static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

class OptionsMenu : public WindowTest {};

TEST_F(OptionsMenu, SitsBetweenFileAndAboutWithSixItems) {
    HMENU bar = GetMenu(window->hwnd());
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfoW(bar, 1, TRUE, &info));
    EXPECT_EQ(info.wID, static_cast<UINT>(ids::mnuOptions));
    EXPECT_EQ(GetMenuItemCount(info.hSubMenu), 6);
    EXPECT_EQ(window->MenuText(ids::mnuOptions), L"Options");
    ChooseLanguage(L"Deutsch");
    EXPECT_EQ(window->MenuText(ids::mnuOptions), L"Optionen");
}

TEST_F(OptionsMenu, EachItemTogglesSpeaksBothLanguagesAndOutlivesARestart) {
    const struct { int id; bool RunOptions::*member; const wchar_t* english; const wchar_t* german; } rows[] = {
        {ids::mnuAllAudio, &RunOptions::allAudio, L"Copy all audio files, not only MP3",
         L"Alle Audiodateien kopieren, nicht nur MP3"},
        {ids::mnuNumberSongs, &RunOptions::numberSongs, L"Number songs in playlist order",
         L"Titel in Playlist-Reihenfolge nummerieren"},
        {ids::mnuWritePlaylist, &RunOptions::writePlaylist, L"Write the playlist into the destination",
         L"Playlist in den Zielordner schreiben"},
        {ids::mnuOnlyChanged, &RunOptions::onlyChanged, L"Overwrite only changed files",
         L"Nur ge\u00e4nderte Dateien \u00fcberschreiben"},
        {ids::mnuAskBeforeSync, &RunOptions::askBeforeSync, L"Ask before Sync deletes",
         L"Vor dem L\u00f6schen durch Sync fragen"},
        {ids::mnuCheckFreeSpace, &RunOptions::checkFreeSpace, L"Check free space before copying",
         L"Vor dem Kopieren freien Platz pr\u00fcfen"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.english);
        EXPECT_FALSE(Checked(window->hwnd(), row.id));
        EXPECT_EQ(window->MenuText(row.id), row.english);
        Menu(row.id);
        EXPECT_TRUE(Checked(window->hwnd(), row.id));
        RunOptions expected;
        expected.*row.member = true;
        EXPECT_EQ(window->Options(), expected) << "a run takes the menu's check marks";
        ChooseLanguage(L"Deutsch");
        EXPECT_EQ(window->MenuText(row.id), row.german);
        EXPECT_TRUE(Checked(window->hwnd(), row.id)) << "a caption change keeps the mark";
        SendMessageW(Item(ids::chkExists), BM_SETCHECK, BST_CHECKED, 0);

        Restart();
        EXPECT_TRUE(Checked(window->hwnd(), row.id));
        EXPECT_EQ(window->MenuText(row.id), row.english) << "every start begins in English";
        EXPECT_EQ(SendMessageW(Item(ids::chkExists), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "nothing else is kept";
        Menu(row.id);
        Restart();
        EXPECT_FALSE(Checked(window->hwnd(), row.id));
    }
}

TEST_F(OptionsMenu, AGarbledFileStartsWithEveryItemOffAndNoMessage) {
    settings.WriteFile(L"Tunelift.ini", std::string("\x89PNG\r\n\x1a\n\0\0\xff\xfe[Options]\0AllAudio=1", 30));
    Restart();
    for (const ui::OptionItem& item : ui::kOptionItems) EXPECT_FALSE(Checked(window->hwnd(), item.menuId));
    EXPECT_TRUE(modal.boxes.empty());
    Menu(ids::mnuNumberSongs);
    Restart();
    EXPECT_TRUE(Checked(window->hwnd(), ids::mnuNumberSongs)) << "the damaged file takes the choice all the same";
}

TEST_F(OptionsMenu, SyncAsksInAYesNoBoxAndNoKeepsEveryFile) {
    ScratchFolder dir;
    dir.MakeFolder(L"Player");
    dir.WriteFile(L"Player\\stray.jpg", "x");
    dir.WriteFile(L"a.mp3", "song");
    dir.WriteFile(L"list.m3u", Utf8(dir / L"a.mp3") + "\r\n");
    SendMessageW(Item(ids::chkKill), BM_SETCHECK, BST_CHECKED, 0);
    Menu(ids::mnuAskBeforeSync);
    for (const int reply : {IDNO, IDYES}) {
        SetText(ids::txtPathfrom, dir / L"list.m3u");
        SetText(ids::txtPathto, dir / L"Player");
        modal.boxes.clear();
        modal.replies = {reply};
        Click(ids::cmdSave);
        Pump();
        ASSERT_EQ(modal.boxes.size(), 1u);
        EXPECT_EQ(modal.boxes[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
        EXPECT_EQ(modal.boxes[0].owner, window->hwnd());
        EXPECT_NE(modal.boxes[0].text.find(L"(1):\r\n\r\nstray.jpg\r\n"), std::wstring::npos) << modal.boxes[0].text;
        wchar_t log[4096] = {};
        GetWindowTextW(Item(ids::txtPlaylist), log, 4096);
        EXPECT_EQ(std::wstring(log).find(L"Sync deleted nothing.") != std::wstring::npos, reply == IDNO) << log;
        EXPECT_EQ(dir.Exists(L"Player\\stray.jpg"), reply == IDNO);
    }
}

}  // namespace
}  // namespace tunelift::testing
