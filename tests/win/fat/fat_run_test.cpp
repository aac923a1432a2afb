// Save runs through the real window onto a real FAT32 file system (fat_test.sh mounts
// an image and names its folder in TUNELIFT_STICK): numbered names, the written
// playlist, Sync's question, and a repeat run that copies nothing although FAT keeps
// times only to 2 s.
#include <cstdlib>

#include "win/file_copy_win.h"
#include "window_fixture.h"

namespace tunelift::testing {
namespace {

class FatStick : public WindowTest {};

TEST_F(FatStick, NumberedSongsTheirPlaylistAndARepeatRunThatCopiesNothing) {
    const wchar_t* stick = _wgetenv(L"TUNELIFT_STICK");
    ASSERT_NE(stick, nullptr) << "run through tests/win/fat/fat_test.sh, which mounts the FAT32 image";
    const std::wstring player = std::wstring(stick) + L"\\Player";
    ASSERT_TRUE(CreateDirectoryW(player.c_str(), nullptr)) << "the stick is not writable";
    CloseHandle(CreateFileW((player + L"\\old.mp3").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    // Two albums' "Track 01.mp3", written at an odd second and 0.7 s, which FAT cannot keep.
    ScratchFolder music;
    music.MakeFolder(L"Album1");
    music.MakeFolder(L"Album2");
    std::string list = "#EXTM3U\r\n";
    const FILETIME odd{static_cast<DWORD>(133'000'000'017'000'000), static_cast<DWORD>(133'000'000'017'000'000 >> 32)};
    for (const wchar_t* song : {L"Intro.mp3", L"Album1\\Track 01.mp3", L"Album2\\Track 01.mp3"}) {
        music.WriteSizedFile(song, 300000);
        HANDLE h = CreateFileW((music / song).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(h, nullptr, nullptr, &odd);
        CloseHandle(h);
        list += Utf8(music / song) + "\r\n";
    }
    music.WriteFile(L"Road trip.m3u", list);
    int copies = 0;
    win::copy_seam::SetObserver([&copies](win::copy_seam::Step step, HANDLE) { copies += step == win::copy_seam::Step::Rename; });
    for (int id : {ids::mnuNumberSongs, ids::mnuWritePlaylist, ids::mnuOnlyChanged, ids::mnuAskBeforeSync}) Menu(id);
    SendMessageW(Item(ids::chkKill), BM_SETCHECK, BST_CHECKED, 0);
    modal.reply = IDYES;
    for (const int run : {1, 2}) {
        SetText(ids::txtPathfrom, music / L"Road trip.m3u");
        SetText(ids::txtPathto, player);
        // The repeat run with Overwrite ticked: only changed files would be written.
        SendMessageW(Item(ids::chkExists), BM_SETCHECK, run == 2 ? BST_CHECKED : BST_UNCHECKED, 0);
        Click(ids::cmdSave);
        Pump();
        EXPECT_EQ(copies, 3) << "run " << run;
        wchar_t log[4096] = {};
        GetWindowTextW(Item(ids::txtPlaylist), log, 4096);
        EXPECT_NE(std::wstring(log).find(L"3/3 ok\r\n---\r\nPlaylist written: Road trip.m3u"), std::wstring::npos) << log;
    }
    win::copy_seam::SetObserver(nullptr);
    // One question, in the first run: the second finds nothing but the songs and their list.
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_NE(modal.boxes[0].text.find(L"(1):\r\n\r\nold.mp3\r\n"), std::wstring::npos) << modal.boxes[0].text;
    EXPECT_EQ(GetFileAttributesW((player + L"\\old.mp3").c_str()), INVALID_FILE_ATTRIBUTES);
    HANDLE written = CreateFileW((player + L"\\Road trip.m3u").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char bytes[128] = {};
    DWORD got = 0;
    ReadFile(written, bytes, sizeof(bytes) - 1, &got, nullptr);
    CloseHandle(written);
    EXPECT_STREQ(bytes, "#EXTM3U\r\n01 - Intro.mp3\r\n02 - Track 01.mp3\r\n03 - Track 01.mp3\r\n");
    WIN32_FILE_ATTRIBUTE_DATA copy{};
    GetFileAttributesExW((player + L"\\03 - Track 01.mp3").c_str(), GetFileExInfoStandard, &copy);
    const int64_t apart = (int64_t{odd.dwHighDateTime} << 32 | odd.dwLowDateTime) -
                          (int64_t{copy.ftLastWriteTime.dwHighDateTime} << 32 | copy.ftLastWriteTime.dwLowDateTime);
    EXPECT_TRUE(apart > 0 && apart <= 20'000'000) << "FAT keeps times to 2 s; the copy is " << apart << " off";
}

}  // namespace
}  // namespace tunelift::testing
