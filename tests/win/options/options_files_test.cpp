// The options file as Windows' profile functions read and write it, and names in the
// ANSI code page for the written playlist.
#include "scratch_folder.h"
#include "ui/options_store_win.h"
#include "win/destination_files_win.h"

namespace tunelift::testing {
namespace {

TEST(OptionsFile, DamagedLockedOrMissingFilesGiveEveryOptionOff) {
    ScratchFolder dir;
    dir.MakeFolder(L"folder.ini");
    const struct { const char* proves; const wchar_t* name; std::string bytes; } rows[] = {
        {"missing", L"missing.ini", ""},
        {"binary garbage", L"garbage.ini", std::string("\x89PNG\r\n\x1a\n\0\0\xff\xfe\x01\x02", 14)},
        {"words, other numbers, keys outside the section", L"words.ini",
         "AllAudio=1\r\n[Options]\r\nNumberSongs=yes\r\nWritePlaylist=2\r\nOnlyChanged=01x\r\nAskBeforeSync=-1\r\n"},
        {"UTF-16 cut off mid-character", L"cut.ini", std::string("\xff\xfe[\0O\0p\0t\0i\0o\0n\0s\0]\0\r\0\n\0A", 27)},
        {"a folder", L"folder.ini", ""},
        {"held locked by another program", L"locked.ini", "[Options]\r\nAllAudio=1\r\n"},
    };
    for (const auto& row : rows) {
        if (!row.bytes.empty()) dir.WriteFile(row.name, row.bytes);
        HANDLE lock = CreateFileW((dir / L"locked.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(ui::OptionsStore(dir / row.name).Load(), RunOptions{}) << row.proves;
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    }
}

TEST(OptionsFile, WrittenAsUtf16WithAMarkAndTheOneBesideTheProgramWins) {
    ScratchFolder program, appData;
    const std::wstring file = ui::OptionsFileIn(program.path(), appData.path());
    EXPECT_EQ(file, appData / L"Tunelift\\Tunelift.ini");
    const RunOptions on = {.numberSongs = true, .checkFreeSpace = true};
    ASSERT_TRUE(ui::OptionsStore(file).Save(on));
    const std::wstring line = L"\xFEFF[Options]\r\nAllAudio=0\r\nNumberSongs=1\r\n";
    EXPECT_EQ(appData.Read(L"Tunelift\\Tunelift.ini").substr(0, line.size() * 2),
              std::string(reinterpret_cast<const char*>(line.data()), line.size() * 2));
    EXPECT_EQ(ui::OptionsStore(file).Load(), on);
    program.WriteFile(L"Tunelift.ini", "");
    EXPECT_EQ(ui::OptionsFileIn(program.path(), appData.path()), program / L"Tunelift.ini");
}

TEST(WrittenPlaylistNames, OnlyExactLettersOfTheCodePage) {
    EXPECT_EQ(win::EncodeAnsi(L"#EXTM3U\r\n01 - a.mp3"), std::optional<std::string>("#EXTM3U\r\n01 - a.mp3"));
    EXPECT_FALSE(win::EncodeAnsi(L"\xD83C\xDFB5.mp3").has_value()) << "no code page but UTF-8 has it";
    if (GetACP() == 1252) {
        EXPECT_EQ(win::EncodeAnsi(L"Gr\u00fcn.mp3"), std::optional<std::string>("Gr\xfcn.mp3"));
        EXPECT_FALSE(win::EncodeAnsi(L"\u0100.mp3").has_value()) << "a best-fit A would name another file";
    }
}

}  // namespace
}  // namespace tunelift::testing
