// Save runs through the real window onto a real FAT32 file system (fat_test.sh mounts
// an image and names its folder in TUNELIFT_STICK): numbered names, the written
// playlist, and a repeat run that copies nothing although FAT keeps times only to 2 s.
#include <cstdlib>

#include "win/file_copy_win.h"
#include "window_fixture.h"

namespace tunelift::testing {
namespace {

class FatStick : public WindowTest {};

uint64_t LastWrite(const std::wstring& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

TEST_F(FatStick, NumberedSongsAndTheirPlaylistAndARepeatRunThatCopiesNothing) {
    const wchar_t* stickVariable = _wgetenv(L"TUNELIFT_STICK");
    ASSERT_NE(stickVariable, nullptr) << "run through tests/win/fat/fat_test.sh, which mounts the FAT32 image";
    const std::wstring stick = stickVariable;
    ASSERT_TRUE(CreateDirectoryW((stick + L"\\Player").c_str(), nullptr)) << "the stick is not writable";

    // Two albums' "Track 01.mp3"; every song written at an odd second and 0.7 s, which
    // FAT cannot keep.
    ScratchFolder music;
    const wchar_t* songs[] = {L"Intro.mp3", L"Album1\\Track 01.mp3", L"Album2\\Track 01.mp3"};
    music.MakeFolder(L"Album1");
    music.MakeFolder(L"Album2");
    std::string list = "#EXTM3U\r\n";
    for (const wchar_t* song : songs) {
        music.WriteSizedFile(song, 300000);
        const uint64_t odd = 133'000'000'010'000'000 + 7'000'000;
        const FILETIME time{static_cast<DWORD>(odd), static_cast<DWORD>(odd >> 32)};
        HANDLE h = CreateFileW((music / song).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(h, nullptr, nullptr, &time);
        CloseHandle(h);
        list += Utf8(music / song) + "\r\n";
    }
    music.WriteFile(L"Road trip.m3u", list);

    int copies = 0;
    win::copy_seam::SetObserver([&copies](win::copy_seam::Step step, HANDLE) { copies += step == win::copy_seam::Step::Rename; });
    Menu(ids::mnuNumberSongs);
    Menu(ids::mnuWritePlaylist);
    Menu(ids::mnuOnlyChanged);
    SetText(ids::txtPathfrom, music / L"Road trip.m3u");
    SetText(ids::txtPathto, stick + L"\\Player");
    Click(ids::cmdSave);
    Pump();
    EXPECT_EQ(copies, 3);
    const wchar_t* numbered[] = {L"01 - Intro.mp3", L"02 - Track 01.mp3", L"03 - Track 01.mp3"};
    for (int i = 0; i < 3; ++i) {
        const std::wstring copy = stick + L"\\Player\\" + numbered[i];
        const int64_t apart = static_cast<int64_t>(LastWrite(music / songs[i]) - LastWrite(copy));
        EXPECT_TRUE(apart > 0 && apart <= 20'000'000) << "FAT keeps times to 2 s; apart " << apart;
    }
    HANDLE h = CreateFileW((stick + L"\\Player\\Road trip.m3u").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    char bytes[256] = {};
    DWORD got = 0;
    ReadFile(h, bytes, sizeof(bytes) - 1, &got, nullptr);
    CloseHandle(h);
    EXPECT_STREQ(bytes, "#EXTM3U\r\n01 - Intro.mp3\r\n02 - Track 01.mp3\r\n03 - Track 01.mp3\r\n");

    // Again, with Overwrite ticked: only changed files are overwritten.
    SendMessageW(Item(ids::chkExists), BM_SETCHECK, BST_CHECKED, 0);
    SetText(ids::txtPathfrom, music / L"Road trip.m3u");
    SetText(ids::txtPathto, stick + L"\\Player");
    copies = 0;
    Click(ids::cmdSave);
    Pump();
    win::copy_seam::SetObserver(nullptr);
    EXPECT_EQ(copies, 0);
    wchar_t log[4096] = {};
    GetWindowTextW(Item(ids::txtPlaylist), log, 4096);
    EXPECT_NE(std::wstring(log).find(L"3/3 ok\r\n---\r\nPlaylist written: Road trip.m3u\r\nAll files copied!"),
              std::wstring::npos) << log;
}

}  // namespace
}  // namespace tunelift::testing
