// ReadBack on a counterfeit stick (counterfeit_stick_test.sh mounts it, names it in
// TUNELIFT_STICK and its real size in TUNELIFT_STICK_REAL_MIB): past its real size,
// what is written lands on what was written first.
#include "win/read_back_win.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "song_files.h"

namespace tunelift::testing {
namespace {

TEST(CounterfeitStick, ReadBackFindsTheEarlySongsThatLaterOnesOverwrote) {
    const wchar_t* stick = _wgetenv(L"TUNELIFT_STICK");
    const wchar_t* realMib = _wgetenv(L"TUNELIFT_STICK_REAL_MIB");
    ASSERT_TRUE(stick && realMib) << "run through tests/win/counterfeit_stick/counterfeit_stick_test.sh";
    const std::wstring folder = std::wstring(stick) + L"\\Car";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    // Six songs of a quarter of the real size each: the fifth and sixth land on the
    // first two, while the stick claims room for all of them.
    const size_t song = (static_cast<size_t>(_wtoi(realMib)) << 20) / 4;
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(folder.c_str(), &free, nullptr, nullptr));
    ASSERT_GE(free.QuadPart, 6 * song) << "the stick does not claim more than it has";
    const struct { const wchar_t* name; bool overwritten; } rows[] = {
        {L"1.mp3", true}, {L"2.mp3", true}, {L"3.mp3", false},
        {L"4.mp3", false}, {L"5.mp3", false}, {L"6.mp3", false},
    };
    SongDigest written[6];
    for (const auto& row : rows) {
        const std::string bytes = SongBytes(song, static_cast<uint32_t>(&row - rows));
        ASSERT_TRUE(WriteSong(folder + L"\\" + row.name, bytes)) << "the stick refused " << &row - rows;
        written[&row - rows] = DigestOf(bytes);
    }
    for (const auto& row : rows) {
        const auto got = win::ReadBack(folder + L"\\" + row.name);
        ASSERT_TRUE(got) << "song " << &row - rows + 1;
        EXPECT_EQ(got->digest == written[&row - rows], !row.overwritten) << "song " << &row - rows + 1;
        EXPECT_EQ(got->bytes, song) << "the stick keeps each song's size";
    }
}

}  // namespace
}  // namespace tunelift::testing
