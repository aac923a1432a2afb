// The rules behind the Options menu, each a pure function: numbered names, the
// changed-file rule, the written playlist's name and bytes, the questions' texts.
#include <gtest/gtest.h>

#include "engine/numbered_names.h"
#include "engine/run_questions.h"
#include "engine/unchanged_copy.h"
#include "engine/written_playlist.h"

namespace tunelift {
namespace {

TEST(NumberedName, PositionPaddedToTheDigitsOfTheCountAtLeastTwo) {
    const struct { const char* proves; int position, count; const wchar_t* name; const wchar_t* numbered; } rows[] = {
        {"one song still gets two digits", 1, 1, L"Intro.mp3", L"01 - Intro.mp3"},
        {"ninety-nine songs: two digits", 99, 99, L"x.mp3", L"99 - x.mp3"},
        {"a hundred songs: three digits from the first", 7, 100, L"x.mp3", L"007 - x.mp3"},
        {"a position past the count is never cut", 100, 99, L"x.mp3", L"100 - x.mp3"},
        {"the name stays as it is", 3, 12, L"a - b.FLAC", L"03 - a - b.FLAC"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(NumberedName(row.position, row.count, row.name), row.numbered) << row.proves;
}

TEST(UnchangedCopy, SameSizeAndATimeWithinTwoSecondsOrOneHourOff) {
    constexpr int64_t s = kTicksPerSecond, hour = 3600 * s;
    const struct { const char* proves; int64_t apart; uint64_t copySize; bool unchanged; } rows[] = {
        {"same size and time", 0, 100, true},
        {"FAT keeps times to 2 s", 2 * s, 100, true},
        {"the copy may also be later", -2 * s, 100, true},
        {"2 s and a tick is a change", 2 * s + 1, 100, false},
        {"an hour off: a daylight-saving shift", hour, 100, true},
        {"an hour the other way", -hour, 100, true},
        {"an hour off plus FAT's 2 s", hour + 2 * s, 100, true},
        {"an hour less FAT's 2 s", -(hour - 2 * s), 100, true},
        {"an hour and 3 s is a change", hour + 3 * s, 100, false},
        {"two hours is a change", 2 * hour, 100, false},
        {"another size is a change, whatever the time", 0, 101, false},
    };
    const uint64_t base = 133'000'000'000'000'000;  // some day in 2022
    for (const auto& row : rows) {
        const FileStamp song{100, base}, copy{row.copySize, static_cast<uint64_t>(static_cast<int64_t>(base) - row.apart)};
        EXPECT_EQ(IsUnchangedCopy(song, copy), row.unchanged) << row.proves;
    }
}

TEST(WrittenPlaylist, AnsiWhenEveryNameFitsElseUtf8WithAMark) {
    // A code page of the first 256 characters.
    const AnsiEncoder latin1 = [](const std::wstring& text) -> std::optional<std::string> {
        std::string bytes;
        for (const wchar_t c : text) {
            if (static_cast<uint32_t>(c) > 0xFF) return std::nullopt;
            bytes += static_cast<char>(c);
        }
        return bytes;
    };
    const struct { const char* proves; const wchar_t* playlist; std::vector<std::wstring> names; const wchar_t* file; std::string bytes; } rows[] = {
        {"header, names in order, CR LF after each", L"C:\\Lists\\mix.m3u", {L"b.mp3", L"01 - a.mp3"}, L"mix.m3u",
         "#EXTM3U\r\nb.mp3\r\n01 - a.mp3\r\n"},
        {"a name of the code page stays one byte", L"C:\\Lists\\mix.pls", {L"Gr\u00fcn.mp3"}, L"mix.m3u", "#EXTM3U\r\nGr\xFCn.mp3\r\n"},
        {"no song arrived: the header alone", L"mix", {}, L"mix.m3u", "#EXTM3U\r\n"},
        {"a name outside it makes the file UTF-8", L"C:/Lists/Best.of.txt", {L"\u03a9.mp3", L"\u00fc.mp3"}, L"Best.of.m3u8",
         "\xEF\xBB\xBF#EXTM3U\r\n\xCE\xA9.mp3\r\n\xC3\xBC.mp3\r\n"},
        {"a pair of surrogates is one character", L".mix", {L"\xD83C\xDFB5.mp3"}, L".mix.m3u8",
         "\xEF\xBB\xBF#EXTM3U\r\n\xF0\x9F\x8E\xB5.mp3\r\n"},
        {"a lone surrogate becomes U+FFFD", L"m.m3u", {L"\xD83C.mp3"}, L"m.m3u8", "\xEF\xBB\xBF#EXTM3U\r\n\xEF\xBF\xBD.mp3\r\n"},
    };
    for (const auto& row : rows) {
        const WrittenPlaylist written = EncodeWrittenPlaylist(row.playlist, row.names, latin1);
        EXPECT_EQ(written.FileName, row.file) << row.proves;
        EXPECT_EQ(written.Bytes, row.bytes) << row.proves;
    }
}

TEST(RunQuestions, CountTenNamesAndMegabytesThatNeverReadAsEnough) {
    const std::vector<std::wstring> twelve = {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10", L"11", L"12"};
    const struct { const char* proves; std::wstring asked, expected; } rows[] = {
        {"values in order, other percent signs kept", FillIn(L"%2 of %1, 100%", {L"a", L"b"}), L"b of a, 100%"},
        {"a placeholder without a value stays", FillIn(L"%3", {L"a"}), L"%3"},
        {"every name when ten or fewer", SyncQuestion(L"%1:%2", {L"a.jpg", L"b.txt"}), L"2:a.jpg\r\nb.txt"},
        {"the first ten and an ellipsis", SyncQuestion(L"%1:%2", twelve), L"12:1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n\u2026"},
        {"a byte over is a megabyte more needed", FreeSpaceQuestion(L"%1/%2", (5u << 20) + 1, (5u << 20) + 1), L"6/5"},
        {"whole megabytes stay", FreeSpaceQuestion(L"%1/%2", 3u << 20, (4u << 20) - 1), L"3/3"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.asked, row.expected) << row.proves;
}

}  // namespace
}  // namespace tunelift
