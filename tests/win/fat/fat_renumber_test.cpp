// A numbered stick on a real FAT32 file system (fat_test.sh mounts it) after one song was
// inserted at the top of the playlist: the copies kept their songs' times, FAT renames
// every other song to its new number, whole, and only the new song is copied.
#include <cstdlib>

#include "tests/win/faults/tree_snapshot.h"
#include "win/file_copy_win.h"
#include "win/handles_win.h"
#include "window_fixture.h"

namespace tunelift::testing {
namespace {

using FatStickRenumbered = WindowTest;

TEST_F(FatStickRenumbered, ASongInsertedAtTheTopIsTheOnlyCopyEveryOtherSongIsRenamedWhole) {
    const wchar_t* stick = _wgetenv(L"TUNELIFT_STICK");
    ASSERT_NE(stick, nullptr) << "run through tests/win/fat/fat_test.sh, which mounts the FAT32 image";
    const std::wstring player = std::wstring(stick) + L"\\Renumbered";
    ASSERT_TRUE(CreateDirectoryW(player.c_str(), nullptr)) << "the stick is not writable";
    ScratchFolder music;
    const std::wstring songs[] = {L"Intro.mp3", L"Song A.mp3", L"Song B.mp3", L"Song C.mp3"};
    // Songs of one size, told apart by their bytes only, and written long ago: FAT through
    // FUSE stamps a copy with the time it was made.
    const FILETIME old{static_cast<DWORD>(133'000'000'000'000'000), static_cast<DWORD>(133'000'000'000'000'000 >> 32)};
    TreeSnapshot numbered;
    for (int i = 0; i < 4; ++i) {
        const std::string bytes(200000, static_cast<char>('a' + i));
        music.WriteFile(songs[i], bytes);
        const win::FileHandle song(
            CreateFileW((music / songs[i]).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        SetFileTime(song.get(), nullptr, nullptr, &old);
        numbered[L"0" + std::to_wstring(i + 1) + L" - " + songs[i]] = bytes;
    }
    int copies = 0;
    win::copy_seam::SetObserver([&copies](win::copy_seam::Step step, HANDLE) { copies += step == win::copy_seam::Step::Rename; });
    Menu(ids::mnuNumberSongs);
    for (const int first : {1, 0}) {
        std::string list = "#EXTM3U\r\n";
        for (int i = first; i < 4; ++i) list += Utf8(music / songs[i]) + "\r\n";
        music.WriteFile(L"Car.m3u", list);
        SetText(ids::txtPathfrom, music / L"Car.m3u");
        SetText(ids::txtPathto, player);
        copies = 0;
        Click(ids::cmdSave);
        Pump();
    }
    win::copy_seam::SetObserver(nullptr);
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(SnapshotDiff(numbered, Snapshot(player)), "") << "each song whole under its new number, nothing else";
}

}  // namespace
}  // namespace tunelift::testing
