// The Options menu on the real window: between File and About, each item toggling,
// speaking both languages and outliving a restart.
#include "window_fixture.h"

namespace tunelift::testing {
namespace {

// The check mark as the menu itself holds it.
bool Checked(HWND window, int id) {
    const UINT state = GetMenuState(GetMenu(window), static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

class OptionsMenu : public WindowTest {};

TEST_F(OptionsMenu, EachItemTogglesSpeaksBothLanguagesAndOutlivesARestart) {
    wchar_t between[32] = {};
    GetMenuStringW(GetMenu(window->hwnd()), 1, between, 32, MF_BYPOSITION);
    EXPECT_STREQ(between, L"Options") << "between File and About";
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(window->hwnd()), 1)), static_cast<int>(std::size(kOptionRows)));
    const struct { int id; bool RunOptions::*member; const wchar_t* english; const wchar_t* german; } rows[] = {
        {ids::mnuOptions, nullptr, L"Options", L"Optionen"},
        {ids::mnuAllAudio, &RunOptions::allAudio, L"Copy all audio files, not only MP3", L"Alle Audiodateien kopieren, nicht nur MP3"},
        {ids::mnuNumberSongs, &RunOptions::numberSongs, L"Number songs in playlist order", L"Titel in Playlist-Reihenfolge nummerieren"},
        {ids::mnuWritePlaylist, &RunOptions::writePlaylist, L"Write the playlist into the destination", L"Playlist in den Zielordner schreiben"},
        {ids::mnuOnlyChanged, &RunOptions::onlyChanged, L"Overwrite only changed files", L"Nur ge\u00e4nderte Dateien \u00fcberschreiben"},
        {ids::mnuAskBeforeSync, &RunOptions::askBeforeSync, L"Ask before Sync deletes", L"Vor dem L\u00f6schen durch Sync fragen"},
        {ids::mnuCheckFreeSpace, &RunOptions::checkFreeSpace, L"Check free space before copying", L"Vor dem Kopieren freien Platz pr\u00fcfen"},
        {ids::mnuAllKinds, &RunOptions::allKinds, L"Read playlists of every kind", L"Playlisten jeder Art lesen"},
        {ids::mnuVerify, &RunOptions::verify, L"Verify every copy", L"Jede Kopie pr\u00fcfen"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.english);
        EXPECT_EQ(window->MenuText(row.id), row.english);
        if (!row.member) continue;
        EXPECT_FALSE(Checked(window->hwnd(), row.id));
        Menu(row.id);
        RunOptions expected;
        expected.*row.member = true;
        EXPECT_EQ(window->Options(), expected) << "a run takes the menu's check marks";
        ChooseLanguage(L"Deutsch");
        EXPECT_EQ(window->MenuText(row.id), row.german);
        EXPECT_EQ(window->MenuText(ids::mnuOptions), L"Optionen");
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

}  // namespace
}  // namespace tunelift::testing
