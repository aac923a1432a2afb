// ReadBack on sticks that misbehave, as sticks_test.sh mounts them: one that damages
// what it returns of chosen files (beside the plain temporary folder), and a
// counterfeit one that writes past its real size onto what was written first.
#include "win/read_back_win.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "scratch_folder.h"
#include "sticks_fixture.h"
#include "win/handles_win.h"

namespace tunelift::testing {
namespace {

// Writes a song of bytes no other seed gives and returns the digest its source has.
SongDigest WriteSong(const std::wstring& path, size_t size, uint32_t seed) {
    const std::string bytes = SongBytes(size, seed);
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
    SongHash hash;
    hash.Add(bytes.data(), bytes.size());
    return hash.Digest();
}

TEST_F(Sticks, ReadBackGivesTheBytesTheFailingStickReturnsNotThoseWritten) {
    std::ofstream(std::filesystem::path(_wgetenv(L"TUNELIFT_STICK_CONTROL"))) << "flip *.flip\nfail *.fail\n";
    const std::wstring on = _wgetenv(L"TUNELIFT_FAILING_STICK") + std::wstring(L"\\");
    ScratchFolder plain;
    enum Outcome { Whole, Changed, Unreadable };
    const struct { const char* why; std::wstring path; Outcome outcome; bool keptOpen, refused; } rows[] = {
        {"a plain folder", plain / L"a.mp3", Whole, false, false},
        {"a song the stick returns whole", on + L"a.mp3", Whole, false, false},
        {"a part file still open for writing", on + L"part.mp3", Whole, true, false},
        {"a volume that refuses reads past its cache", on + L"refused.mp3", Whole, false, true},
        {"one byte changed in the middle", on + L"song.flip", Changed, false, false},
        {"a read error half-way, after bytes that came", on + L"song.fail", Unreadable, false, false},
    };
    const size_t size = 3 << 20 | 5;  // several chunks and a part of a sector
    for (const auto& row : rows) {
        const SongDigest written = WriteSong(row.path, size, static_cast<uint32_t>(&row - rows));
        // Shared as the part file will be: others may read it, nobody else may write it.
        const win::FileHandle writer(row.keptOpen ? CreateFileW(row.path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                                                                nullptr, OPEN_EXISTING, 0, nullptr)
                                                  : INVALID_HANDLE_VALUE);
        win::read_back_seam::RefuseDeviceReads(row.refused);
        std::pair<uint64_t, uint64_t> progress;
        const auto got = win::ReadBack(row.path, [&](uint64_t total, uint64_t done) { progress = {total, done}; });
        win::read_back_seam::RefuseDeviceReads(false);
        ASSERT_EQ(got.has_value(), row.outcome != Unreadable) << row.why;
        if (!got) continue;
        EXPECT_EQ(got->digest == written, row.outcome == Whole) << row.why;
        EXPECT_EQ(got->fromDevice, !row.refused) << row.why;
        EXPECT_EQ(progress, std::make_pair(uint64_t{size}, uint64_t{size})) << row.why;
    }
    EXPECT_FALSE(win::ReadBack(on + L"missing.mp3")) << "a file that is not there";
}

TEST_F(Sticks, ReadBackFindsTheEarlySongsThatLaterOnesOverwroteOnACounterfeitStick) {
    const std::wstring on = _wgetenv(L"TUNELIFT_COUNTERFEIT_STICK") + std::wstring(L"\\");
    // Six songs of a quarter of the real size each: the fifth and sixth land on the first two.
    const size_t size = (static_cast<size_t>(_wtoi(_wgetenv(L"TUNELIFT_COUNTERFEIT_REAL_MIB"))) << 20) / 4;
    const bool overwritten[] = {true, true, false, false, false, false};
    SongDigest written[6];
    for (uint32_t i = 0; i < 6; ++i) written[i] = WriteSong(on + std::to_wstring(i) + L".mp3", size, i);
    for (uint32_t i = 0; i < 6; ++i) {
        const auto got = win::ReadBack(on + std::to_wstring(i) + L".mp3");
        ASSERT_TRUE(got) << "song " << i;
        EXPECT_EQ(got->digest == written[i], !overwritten[i]) << "song " << i;
    }
}

}  // namespace
}  // namespace tunelift::testing
