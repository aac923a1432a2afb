// The choices a user can switch on beyond the plain run. All off gives the run as the
// window has always made it; a run reads them once, when it starts.
#pragma once
#include <iterator>

namespace tunelift {

struct RunOptions {
    bool allAudio = false;        // M3U lines of every common audio kind are entries, not only .mp3
    bool numberSongs = false;     // destination names "NN - name" in playlist order
    bool writePlaylist = false;   // a finished Save run writes the playlist beside the songs
    bool onlyChanged = false;     // with Overwrite: an unchanged copy (size, time) is left
    bool askBeforeSync = false;   // Sync asks before it deletes anything
    bool checkFreeSpace = false;  // a Save run compares what it will write with the free space
    bool allKinds = false;        // playlists of every kind the readers know, not only M3U and [playlist]
    bool verify = false;          // each copy is read back and compared, and once more at the end

    bool operator==(const RunOptions&) const = default;
};

// One option, one row: the window's menu, its settings file, the run and the command
// line all read this table, so an option is added here and in the run that uses it.
struct OptionRow {
    int menuId;                   // its item in the Options menu (IDs 2101 and up)
    bool RunOptions::*member;     // what the run reads
    const wchar_t* iniKey;        // its key in Tunelift.ini
    const wchar_t* english;       // the menu caption in each language
    const wchar_t* german;
    const wchar_t* cliSwitch;     // tunelift-cli's switch; nullptr where the command line has none
};

inline constexpr OptionRow kOptionRows[] = {
    {2101, &RunOptions::allAudio, L"AllAudio", L"Copy all audio files, not only MP3",
     L"Alle Audiodateien kopieren, nicht nur MP3", L"--all-audio"},
    {2102, &RunOptions::numberSongs, L"NumberSongs", L"Number songs in playlist order",
     L"Titel in Playlist-Reihenfolge nummerieren", L"--number"},
    {2103, &RunOptions::writePlaylist, L"WritePlaylist", L"Write the playlist into the destination",
     L"Playlist in den Zielordner schreiben", L"--write-playlist"},
    {2104, &RunOptions::onlyChanged, L"OnlyChanged", L"Overwrite only changed files",
     L"Nur ge\u00e4nderte Dateien \u00fcberschreiben", L"--only-changed"},
    // The command line's --sync is the answer itself: there is nobody to ask.
    {2105, &RunOptions::askBeforeSync, L"AskBeforeSync", L"Ask before Sync deletes",
     L"Vor dem L\u00f6schen durch Sync fragen", nullptr},
    {2106, &RunOptions::checkFreeSpace, L"CheckFreeSpace", L"Check free space before copying",
     L"Vor dem Kopieren freien Platz pr\u00fcfen", nullptr},
    // The command line always reads every kind: no window rule binds it.
    {2107, &RunOptions::allKinds, L"AllKinds", L"Read playlists of every kind", L"Playlisten jeder Art lesen", nullptr},
    {2108, &RunOptions::verify, L"Verify", L"Verify every copy", L"Jede Kopie pr\u00fcfen", L"--verify"},
};

// The menu item of an option; 0 for a member no row holds.
constexpr int MenuIdOf(bool RunOptions::*member) {
    for (const OptionRow& row : kOptionRows)
        if (row.member == member) return row.menuId;
    return 0;
}

// The row of a menu item; nullptr when the item is no option.
constexpr const OptionRow* OptionOfMenu(int menuId) {
    for (const OptionRow& row : kOptionRows)
        if (row.menuId == menuId) return &row;
    return nullptr;
}

}  // namespace tunelift
