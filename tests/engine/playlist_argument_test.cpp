#include <gtest/gtest.h>

#include "engine/playlist_argument.h"

namespace tunelift {
namespace {

TEST(PlaylistArgument, TakesThePlaylistEndingsInAnyCaseAndNothingElse) {
    const struct {
        const wchar_t* path;
        bool taken;
    } rows[] = {
        {L"C:\\Lists\\mix.m3u", true},     {L"Mix.M3U8", true},          {L"C:\\radio.PLS", true},
        {L"list.txt", true},               {L"C:\\song.mp3", false},     {L"C:\\Lists\\m3u", false},
        {L"C:\\my.m3u\\folder", false},    {L"C:\\mix.m3u.bak", false},  {L"", false},
    };
    for (const auto& row : rows) EXPECT_EQ(IsPlaylistArgument(row.path), row.taken) << ::testing::PrintToString(row.path);
}

}  // namespace
}  // namespace tunelift
