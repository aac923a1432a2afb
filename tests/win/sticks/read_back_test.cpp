// ReadBack on sticks that misbehave, as sticks_test.sh mounts them: one that damages
// what it returns of chosen files, and a counterfeit one that writes past its real size
// onto what was written first.
#include "win/read_back_win.h"

#include <filesystem>
#include <fstream>

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
    std::ofstream(std::filesystem::path(Env(L"TUNELIFT_STICK_CONTROL"))) << "flip *.flip\nfail *.fail\n";
    const std::wstring on = Env(L"TUNELIFT_FAILING_STICK") + L"\\";
    enum Outcome { Whole, Changed, Unreadable };
    struct Row { const char* why; const wchar_t* name; Outcome outcome; bool keptOpen = false, refused = false; };
    const Row rows[] = {
        {"a song the stick returns whole", L"a.mp3", Whole},
        {"a part file still open for writing", L"part.mp3", Whole, true},
        {"a volume that refuses reads past its cache", L"refused.mp3", Whole, false, true},
        {"one byte changed in the middle", L"song.flip", Changed},
        {"a read error half-way, after bytes that came", L"song.fail", Unreadable},
    };
    const size_t size = 3 << 20 | 5;  // several chunks and a part of a sector
    for (const auto& row : rows) {
        const std::wstring path = on + row.name;
        const SongDigest written = WriteSong(path, size, static_cast<uint32_t>(&row - rows));
        // Shared as the part file will be: others may read it, nobody else may write it.
        const win::FileHandle writer(row.keptOpen ? CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                                                                nullptr, OPEN_EXISTING, 0, nullptr)
                                                  : INVALID_HANDLE_VALUE);
        win::read_back_seam::RefuseDeviceReads(row.refused);
        std::pair<uint64_t, uint64_t> progress;
        const auto got = win::ReadBack(path, [&](uint64_t total, uint64_t done) { progress = {total, done}; });
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
    const std::wstring on = Env(L"TUNELIFT_COUNTERFEIT_STICK") + L"\\";
    // Six songs of a quarter of the real size each: the fifth and sixth land on the first two.
    const size_t size = (static_cast<size_t>(_wtoi(Env(L"TUNELIFT_COUNTERFEIT_REAL_MIB").c_str())) << 20) / 4;
    SongDigest written[6];
    for (uint32_t i = 0; i < 6; ++i) written[i] = WriteSong(on + std::to_wstring(i) + L".mp3", size, i);
    for (uint32_t i = 0; i < 6; ++i) {
        const auto got = win::ReadBack(on + std::to_wstring(i) + L".mp3");
        ASSERT_TRUE(got) << "song " << i;
        EXPECT_EQ(got->digest == written[i], i >= 2) << "song " << i << (i < 2 ? " was overwritten" : " was not");
    }
}

}  // namespace
}  // namespace tunelift::testing
