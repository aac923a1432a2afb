// A song renamed in place on the disk: Wine keeps the old spelling of a name that differs
// in letter case only while reporting the rename done (and refuses it on FAT).
#include "copy_fixture.h"
#include "win/file_services_win.h"

using namespace copytest;

namespace {

TEST_F(CopyTest, RenameNeverReplacesAFileAndTakesANewSpellingOfItsOwnName) {
    const std::wstring before = L"01 - a.mp3=a|03 - b.mp3=b|05 - d.mp3=|sub=";
    struct Row { const char* proves; const wchar_t *from, *to; bool renamed; std::wstring after; bool open = false; };
    const Row rows[] = {
        {"a free name", L"01 - a.mp3", L"02 - a.mp3", true, L"02 - a.mp3=a|03 - b.mp3=b|05 - d.mp3=|sub="},
        {"a new spelling of its own name", L"01 - a.mp3", L"01 - A.MP3", true,
         L"01 - A.MP3=a|03 - b.mp3=b|05 - d.mp3=|sub="},
        {"never over a file", L"01 - a.mp3", L"03 - b.mp3", false, before},
        {"never over a file spelled otherwise", L"01 - a.mp3", L"03 - B.MP3", false, before},
        {"never over a folder", L"01 - a.mp3", L"05 - d.mp3", false, before},
        {"no missing file", L"02 - x.mp3", L"04 - x.mp3", false, before},
        {"no folder", L"05 - d.mp3", L"06 - d.mp3", false, before},
        {"never into another folder", L"01 - a.mp3", L"sub\\01 - a.mp3", false, before},
        {"never a file a player holds open", L"01 - a.mp3", L"02 - a.mp3", false, before, true},
    };
    const auto files = tunelift::win::CreateFileServices();
    for (const auto& row : rows) {
        const fs::path here = dir / row.proves;
        fs::create_directories(here / L"05 - d.mp3"), fs::create_directory(here / L"sub");
        WriteBytes(here / L"01 - a.mp3", "a"), WriteBytes(here / L"03 - b.mp3", "b");
        HANDLE open = row.open ? CreateFileW((here / row.from).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, 0, nullptr)
                               : nullptr;
        EXPECT_EQ(files->RenameFile(here / row.from, here / row.to), row.renamed) << row.proves;
        if (open) CloseHandle(open);
        std::wstring after;
        for (const auto& name : Names(here))
            after += (after.empty() ? L"" : L"|") + name + L"=" + fs::path(ReadBytes(here / name)).wstring();
        EXPECT_EQ(after, row.after) << row.proves;
    }
}

}  // namespace
