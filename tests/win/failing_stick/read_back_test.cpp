// ReadBack on a stick that damages what it returns (failing_stick_test.sh mounts it and
// names it and its control file in TUNELIFT_STICK and TUNELIFT_STICK_CONTROL), beside
// the plain temporary folder.
#include "win/read_back_win.h"

#include <cstdlib>
#include <optional>

#include "scratch_folder.h"
#include "song_files.h"

namespace tunelift::testing {
namespace {

namespace read_back_seam = win::read_back_seam;

TEST(FailingStick, ReadBackGivesTheBytesTheDiskReturnsNotThoseWritten) {
    const wchar_t* stick = _wgetenv(L"TUNELIFT_STICK");
    const wchar_t* control = _wgetenv(L"TUNELIFT_STICK_CONTROL");
    ASSERT_TRUE(stick && control) << "run through tests/win/failing_stick/failing_stick_test.sh";
    ASSERT_TRUE(WriteSong(control, "flip *.flip\nfail *.fail\n"));
    ScratchFolder plain;
    enum Outcome { Whole, Changed, Unreadable };
    const struct { const char* why; std::wstring folder; const wchar_t* name; size_t size; Outcome outcome;
                   bool keptOpen = false, refused = false; } rows[] = {
        {"a plain folder", plain.path(), L"a.mp3", 3 << 20 | 5, Whole},
        {"a song the stick returns whole", stick, L"a.mp3", 3 << 20 | 5, Whole},
        {"an empty song", stick, L"empty.mp3", 0, Whole},
        {"a part file still open for writing", stick, L"part.mp3", 700000, Whole, true},
        {"a volume that refuses reads past its cache", stick, L"refused.mp3", 700000, Whole, false, true},
        {"one byte changed in the middle", stick, L"song.flip", 3 << 20 | 5, Changed},
        {"a read error half-way after bytes that came", stick, L"song.fail", 3 << 20 | 5, Unreadable},
    };
    for (const auto& row : rows) {
        const std::wstring path = row.folder + L"\\" + row.name;
        const std::string bytes = SongBytes(row.size, static_cast<uint32_t>(&row - rows));
        ASSERT_TRUE(WriteSong(path, bytes)) << row.why;
        // Shared as the part file will be: others may read, nobody else may write.
        HANDLE writer = row.keptOpen ? CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                                   OPEN_EXISTING, 0, nullptr)
                                     : INVALID_HANDLE_VALUE;
        read_back_seam::RefuseDeviceReads(row.refused);
        std::pair<uint64_t, uint64_t> progress{~0ull, ~0ull};
        const auto got = win::ReadBack(path, [&](uint64_t total, uint64_t done) { progress = {total, done}; });
        read_back_seam::RefuseDeviceReads(false);
        if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
        ASSERT_EQ(got.has_value(), row.outcome != Unreadable) << row.why;
        if (!got) continue;
        EXPECT_EQ(got->digest == DigestOf(bytes), row.outcome == Whole) << row.why;
        EXPECT_EQ(got->fromDevice, !row.refused) << row.why;
        EXPECT_EQ(progress, std::make_pair(uint64_t{row.size}, uint64_t{row.size})) << row.why;
    }
    EXPECT_FALSE(win::ReadBack(std::wstring(stick) + L"\\missing.mp3")) << "a file that is not there";
}

}  // namespace
}  // namespace tunelift::testing
