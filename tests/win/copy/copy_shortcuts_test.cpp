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

// Volume and index of a file: equal for two names of the same file.
std::pair<DWORD, uint64_t> Identity(const fs::path& path) {
    HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return {info.dwVolumeSerialNumber, (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// A run asks FileExists(D) and then copies; whatever lands on D in between is treated
// as if it had been there.
TEST_F(CopyTest, ANameFoundMissingThatIsTakenBeforeTheCopyIsStillChecked) {
    const std::string song = Bytes(300000, 21);
    WriteBytes(dir / L"src.mp3", song);
    const struct { const char* why; void (*meanwhile)(const fs::path& d, const fs::path& src); bool copied; const char* left; } rows[] = {
        {"stays missing", [](const fs::path&, const fs::path&) {}, true, nullptr},
        {"another file appears", [](const fs::path& d, const fs::path&) { WriteBytes(d, "other"); }, true, nullptr},
        {"a read-only file appears",
         [](const fs::path& d, const fs::path&) {
             WriteBytes(d, "keep me");
             SetFileAttributesW(d.c_str(), FILE_ATTRIBUTE_READONLY);
         }, false, "keep me"},
        {"the source itself appears",
         [](const fs::path& d, const fs::path& src) { CreateHardLinkW(d.c_str(), src.c_str(), nullptr); }, true, nullptr},
    };
    for (const auto& row : rows) {
        const fs::path out = dir / row.why;
        fs::create_directory(out);
        auto files = tunelift::win::CreateFileServices();
        ASSERT_FALSE(files->FileExists(out / L"d.mp3")) << row.why;
        row.meanwhile(out / L"d.mp3", dir / L"src.mp3");
        EXPECT_EQ(files->FileCopy(dir / L"src.mp3", out / L"d.mp3"), row.copied) << row.why;
        EXPECT_TRUE(ReadBytes(out / L"d.mp3") == (row.left ? row.left : song)) << row.why;
        EXPECT_EQ(Names(out), std::vector<std::wstring>{L"d.mp3"}) << row.why;
        EXPECT_EQ(Identity(out / L"d.mp3") == Identity(dir / L"src.mp3"), row.meanwhile == rows[3].meanwhile) << row.why;
    }
    EXPECT_TRUE(ReadBytes(dir / L"src.mp3") == song);
}

// The shared answer serves the copy only: every question is asked again.
TEST_F(CopyTest, ExistenceIsAskedAnewEveryTime) {
    auto files = tunelift::win::CreateFileServices();
    EXPECT_FALSE(files->FileExists(dir / L"song.mp3"));
    WriteBytes(dir / L"song.mp3", "x");
    EXPECT_TRUE(files->FileExists(dir / L"song.mp3"));
    ASSERT_TRUE(DeleteFileW((dir / L"song.mp3").c_str()));
    EXPECT_FALSE(files->FileExists(dir / L"song.mp3"));
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
        for (int copy = 1; copy <= 3; ++copy) {
            flushes.clear();
            ASSERT_TRUE(tunelift::win::FileCopy(dir / L"song.flac", dir / L"copy.flac")) << row.bytesPerSecond;
            EXPECT_EQ(std::accumulate(flushes.begin(), flushes.end(), uint64_t{0}), kSize) << row.bytesPerSecond;
        }
        EXPECT_LE(*std::max_element(flushes.begin(), flushes.end()), row.largestFlush) << row.bytesPerSecond;
        EXPECT_EQ(flushes.size(), row.flushes) << row.bytesPerSecond;
    }
}

}  // namespace
