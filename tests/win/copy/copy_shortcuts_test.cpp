// The work a copy saves must not cost a safety: a "missing" answer shared with the copy.

#include "copy_fixture.h"
#include "win/file_copy_win.h"
#include "win/file_services_win.h"

using namespace copytest;

namespace {

// A run asks FileExists(D) and then copies; whatever lands on D in between is treated
// as if it had been there.
TEST_F(CopyTest, ANameFoundMissingThatIsTakenBeforeTheCopyIsStillChecked) {
    const std::string song = Bytes(300000, 21);
    WriteBytes(dir / L"src.mp3", song);
    const struct { const char* why; const char* appears; bool readOnly; bool copied; } rows[] = {
        {"stays missing", nullptr, false, true},
        {"another file appears", "other", false, true},
        {"a read-only file appears", "keep me", true, false},
        {"the source itself appears", "", false, true},  // "": a second name of the source
    };
    for (const auto& row : rows) {
        const fs::path d = dir / row.why / L"d.mp3";
        fs::create_directory(d.parent_path());
        auto files = tunelift::win::CreateFileServices();
        ASSERT_FALSE(files->FileExists(d)) << row.why;
        if (row.appears && *row.appears) WriteBytes(d, row.appears);
        if (row.appears && !*row.appears) CreateHardLinkW(d.c_str(), (dir / L"src.mp3").c_str(), nullptr);
        if (row.readOnly) SetFileAttributesW(d.c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(files->FileCopy(dir / L"src.mp3", d, {}), row.copied) << row.why;
        EXPECT_TRUE(ReadBytes(d) == (row.copied ? song : row.appears)) << row.why;
        EXPECT_EQ(Names(d.parent_path()), std::vector<std::wstring>{L"d.mp3"}) << row.why;
    }
}

}  // namespace
