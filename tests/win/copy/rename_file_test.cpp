// A song renamed in place on the disk: Wine keeps the old spelling of a name that differs
// in letter case only while reporting the rename done (and refuses it on FAT).
#include "copy_fixture.h"
#include "win/file_services_win.h"
#include "win/handles_win.h"

using namespace copytest;

namespace {

TEST_F(CopyTest, RenameNeverReplacesAFileAndTakesANewSpellingOfItsOwnName) {
    const std::vector<std::wstring> before = {L"01 - a.mp3", L"03 - b.mp3", L"05 - d.mp3"};
    // `renamed` is the folder after the rename; none where it is refused and nothing changes.
    struct Row { const char* proves; const wchar_t *from, *to; std::vector<std::wstring> renamed; bool open = false; };
    const Row rows[] = {
        {"a free name", L"01 - a.mp3", L"02 - a.mp3", {L"02 - a.mp3", L"03 - b.mp3", L"05 - d.mp3"}},
        {"a new spelling of its own name", L"01 - a.mp3", L"01 - A.MP3", {L"01 - A.MP3", L"03 - b.mp3", L"05 - d.mp3"}},
        {"never over a file, even one spelled otherwise", L"01 - a.mp3", L"03 - B.MP3", {}},
        {"no folder", L"05 - d.mp3", L"06 - d.mp3", {}},
        {"never into another folder", L"01 - a.mp3", L"05 - d.mp3\\01 - a.mp3", {}},
        {"never a file a player holds open", L"01 - a.mp3", L"02 - a.mp3", {}, true},
    };
    const auto files = tunelift::win::CreateFileServices();
    for (const auto& row : rows) {
        const fs::path here = dir / row.proves;
        fs::create_directories(here / L"05 - d.mp3");
        WriteBytes(here / L"01 - a.mp3", "a"), WriteBytes(here / L"03 - b.mp3", "b");
        const tunelift::win::FileHandle open(row.open ? CreateFileW((here / row.from).c_str(), GENERIC_READ,
                                                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                                                      : INVALID_HANDLE_VALUE);
        EXPECT_EQ(files->RenameFile(here / row.from, here / row.to), !row.renamed.empty()) << row.proves;
        EXPECT_EQ(Names(here), row.renamed.empty() ? before : row.renamed) << row.proves;
    }
}

}  // namespace
