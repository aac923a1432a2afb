// The work a copy saves must not cost a safety: a "missing" answer shared with the copy,
// and flushes in parts instead of one at the end.
#include <algorithm>
#include <numeric>

#include "copy_fixture.h"
#include "win/file_copy_win.h"
#include "win/file_services_win.h"

using namespace copytest;
namespace copy_seam = tunelift::win::copy_seam;

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
        EXPECT_EQ(files->FileCopy(dir / L"src.mp3", d), row.copied) << row.why;
        EXPECT_TRUE(ReadBytes(d) == (row.copied ? song : row.appears)) << row.why;
        EXPECT_EQ(Names(d.parent_path()), std::vector<std::wstring>{L"d.mp3"}) << row.why;
    }
}

// At 10 MB/s the window must get its turn at least every 100 ms: once the copies into a
// folder have timed the disk, a chunk's write plus the flush after it fit in that.
// A fast disk keeps one flush per file.
TEST_F(CopyTest, FlushesComeInPartsASlowStickWritesBetweenTwoTurnsOfTheWindow) {
    constexpr size_t kSize = 10u * 1024 * 1024;
    WriteBytes(dir / L"song.flac", Bytes(kSize, 23));
    const struct { double bytesPerSecond; uint64_t largestFlush; size_t flushes; } rows[] = {
        {10e6, static_cast<uint64_t>(10e6 * 0.1) - tunelift::win::kCopyChunkBytes, kSize / (512 * 1024)},
        {1e9, kSize, 1},
    };
    for (const auto& row : rows) {
        copy_seam::PretendFlushSpeed(row.bytesPerSecond);
        std::vector<uint64_t> flushes;
        copy_seam::OnFlush([&flushes](uint64_t bytes) { flushes.push_back(bytes); });
        for (int copy = 1; copy <= 3; ++copy) {  // the third copy shows the settled pace
            flushes.clear();
            ASSERT_TRUE(tunelift::win::FileCopy(dir / L"song.flac", dir / L"copy.flac")) << row.bytesPerSecond;
            EXPECT_EQ(std::accumulate(flushes.begin(), flushes.end(), uint64_t{0}), kSize) << row.bytesPerSecond;
        }
        EXPECT_LE(*std::max_element(flushes.begin(), flushes.end()), row.largestFlush) << row.bytesPerSecond;
        EXPECT_EQ(flushes.size(), row.flushes) << row.bytesPerSecond;
    }
}

}  // namespace
