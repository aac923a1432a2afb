// What the options and the run ask of Windows' files: the options file (damaged,
// locked, written as UTF-16, beside the program), a file written whole, a file's size
// and time, a volume's free space, and names in the ANSI code page.
#include <string>

#include "scratch_folder.h"
#include "ui/options_store_win.h"
#include "win/destination_files_win.h"

namespace tunelift::testing {
namespace {

TEST(OptionsFile, DamagedOrUnreadableFilesGiveEveryOptionOff) {
    ScratchFolder dir;
    const struct { const char* proves; std::string bytes; } rows[] = {
        {"missing file", ""},
        {"binary garbage", std::string("\x89PNG\r\n\x1a\n\0\0\xff\xfe\x01\x02", 14)},
        {"words instead of numbers", "[Options]\r\nAllAudio=yes\r\nNumberSongs=on\r\n"},
        {"other numbers", "[Options]\r\nAllAudio=2\r\nWritePlaylist=-1\r\nOnlyChanged=01x\r\n"},
        {"keys outside their section", "AllAudio=1\r\n[Other]\r\nNumberSongs=1\r\n"},
        {"UTF-16 cut off mid-character", std::string("\xff\xfe[\0O\0p\0t\0i\0o\0n\0s\0]\0\r\0\n\0A", 27)},
        {"a folder of that name", "folder"},
        {"a file another program holds locked", "locked"},
    };
    for (const auto& row : rows) {
        const std::wstring name = L"Tunelift" + std::to_wstring(&row - rows) + L".ini";
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (row.bytes == "folder") {
            dir.MakeFolder(name);
        } else if (row.bytes == "locked") {
            dir.WriteFile(name, "[Options]\r\nAllAudio=1\r\n");
            lock = CreateFileW((dir / name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        } else if (!row.bytes.empty()) {
            dir.WriteFile(name, row.bytes);
        }
        EXPECT_EQ(ui::OptionsStore(dir / name).Load(), RunOptions{}) << row.proves;
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    }
}

TEST(OptionsFile, WrittenAsUtf16WithAMarkInAFolderOfItsOwn) {
    ScratchFolder dir;
    const std::wstring file = dir / L"Tunelift\\Tunelift.ini";
    RunOptions on;
    on.numberSongs = on.checkFreeSpace = true;
    ASSERT_TRUE(ui::OptionsStore(file).Save(on));
    const std::string bytes = dir.Read(L"Tunelift\\Tunelift.ini");
    EXPECT_EQ(bytes.substr(0, 2), "\xff\xfe");
    const std::wstring key = L"NumberSongs=1";
    EXPECT_NE(bytes.find(std::string(reinterpret_cast<const char*>(key.data()), key.size() * 2)), std::string::npos);
    EXPECT_EQ(ui::OptionsStore(file).Load(), on);
}

TEST(OptionsFile, TheFileBesideTheProgramWins) {
    ScratchFolder program, appData;
    EXPECT_EQ(ui::OptionsFileIn(program.path(), appData.path()), appData / L"Tunelift\\Tunelift.ini");
    program.WriteFile(L"Tunelift.ini", "");
    EXPECT_EQ(ui::OptionsFileIn(program.path(), appData.path()), program / L"Tunelift.ini");
}

TEST(WholeFile, ReplacesAnOlderFileOnlyWhenAllOfItIsWritten) {
    ScratchFolder dir;
    dir.WriteFile(L"mix.m3u", "old list");
    EXPECT_TRUE(win::WriteWholeFile(dir / L"mix.m3u", "#EXTM3U\r\n"));
    EXPECT_EQ(dir.Read(L"mix.m3u"), "#EXTM3U\r\n");
    dir.MakeFile(L"kept.m3u", FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(win::WriteWholeFile(dir / L"kept.m3u", "new")) << "a read-only file is the user's";
    EXPECT_EQ(dir.Read(L"kept.m3u"), "data");
    EXPECT_FALSE(win::WriteWholeFile(dir / L"gone\\x.m3u", "new"));
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir / L"*").c_str(), &found);
    int files = 0;
    do files += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY); while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(files, 2) << "no part file is left behind";
}

TEST(DestinationFacts, StampFreeSpaceAndTheCodePage) {
    ScratchFolder dir;
    dir.WriteFile(L"a.mp3", "12345");
    const FILETIME time{0x12345678, 0x01D90000};
    HANDLE h = CreateFileW((dir / L"a.mp3").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &time);
    CloseHandle(h);
    const auto stamp = win::StampOf(dir / L"a.mp3");
    ASSERT_TRUE(stamp.has_value());
    EXPECT_EQ(stamp->Size, 5u);
    EXPECT_EQ(stamp->LastWriteTime, 0x01D9000012345678u);
    EXPECT_FALSE(win::StampOf(dir.path()).has_value()) << "a folder";
    EXPECT_FALSE(win::StampOf(dir / L"b.mp3").has_value()) << "missing";
    EXPECT_FALSE(win::StampOf(dir / L"*.mp3").has_value()) << "a pattern";
    EXPECT_GT(win::FreeBytes(dir.path()).value_or(0), 0u);
    EXPECT_FALSE(win::FreeBytes(dir / L"gone").has_value());

    EXPECT_EQ(win::EncodeAnsi(L"#EXTM3U\r\n01 - a.mp3"), std::optional<std::string>("#EXTM3U\r\n01 - a.mp3"));
    EXPECT_FALSE(win::EncodeAnsi(L"\xD83C\xDFB5.mp3").has_value()) << "no code page but UTF-8 has it";
    if (GetACP() == 1252) {
        EXPECT_EQ(win::EncodeAnsi(L"Gr\u00fcn.mp3"), std::optional<std::string>("Gr\xfcn.mp3"));
        EXPECT_FALSE(win::EncodeAnsi(L"\u0100.mp3").has_value()) << "a best-fit A would name another file";
    }
}

}  // namespace
}  // namespace tunelift::testing
