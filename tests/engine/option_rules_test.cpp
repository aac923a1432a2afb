// The rules behind the Options menu, each a pure function: which lines are songs,
// numbered names, the copy that is still the song, the written playlist's bytes and
// the questions' texts.
#include <gtest/gtest.h>

#include "engine/numbered_names.h"
#include "engine/playlist_rules.h"
#include "engine/run_questions.h"
#include "engine/unchanged_copy.h"
#include "engine/written_playlist.h"
#include "tests/support/memory_files.h"

namespace tunelift {
namespace {

TEST(OptionRules, AllAudioTakesEveryCommonAudioEndingInAnyCase) {
    for (const wchar_t* song : {L"C:\\a.mp3", L"a.M4A", L"a.aac", L"a.ogg", L"a.oga", L"C:/x/a.opus", L"A.FLAC",
                                L"a.Wma", L"a.wav", L"a.aif", L"a.AIFF", L".opus"})
        EXPECT_TRUE(PlaylistEntryOf(PlaylistKind::M3u, song, true)) << std::wstring(song);
    for (const wchar_t* other : {L"C:\\cover.jpg", L"mix.m3u", L"a.flac ", L"aflac"})
        EXPECT_FALSE(PlaylistEntryOf(PlaylistKind::M3u, other, true)) << std::wstring(other);
    EXPECT_FALSE(PlaylistEntryOf(PlaylistKind::M3u, L"a.flac")) << "switched off, only .mp3 counts";
}

TEST(OptionRules, NumbersPadToTheDigitsOfTheCountAtLeastTwo) {
    EXPECT_EQ(NumberedName(1, 1, L"Intro.mp3"), L"01 - Intro.mp3");
    EXPECT_EQ(NumberedName(7, 100, L"a - b.FLAC"), L"007 - a - b.FLAC");
    EXPECT_EQ(NumberedName(100, 99, L"x.mp3"), L"100 - x.mp3") << "a playlist grown midway is never cut";
}

TEST(OptionRules, NumberedNameSplitsOnlyDigitsThenSpaceDashSpaceThenAName) {
    const struct { const wchar_t *name, *parts; } rows[] = {  // parts "number|name", "" for none
        {L"07 - Intro.mp3", L"7|Intro.mp3"}, {L"0 - x.mp3", L"0|x.mp3"}, {L"0007 - x", L"7|x"}, {L"01 - a - b", L"1|a - b"},
        {L"01 - 99 Luftballons.mp3", L"1|99 Luftballons.mp3"}, {L"99 Luftballons.mp3", L""}, {L"07 -Intro", L""},
        {L"07- Intro", L""}, {L"07  - Intro", L""}, {L"07 - ", L""}, {L" - x", L""}, {L"x07 - a", L""},
        {L"\uff10\uff17 - a", L""}, {L"99999999999 - a", L""}, {L"", L""}};
    for (const auto& row : rows) {
        const std::optional<NumberedParts> parts = SplitNumberedName(row.name);
        EXPECT_EQ(parts ? std::to_wstring(parts->Number) + L"|" + parts->Name : L"", row.parts) << std::wstring(row.name);
    }
}

TEST(OptionRules, UnchangedCopyHasTheSizeAndATimeWithinTwoSecondsOrAnHourOff) {
    constexpr int64_t s = kTicksPerSecond, hour = 3600 * s, song = 133'000'000'000'000'000;
    const struct { const char* proves; int64_t apart; uint64_t size; bool unchanged; } rows[] = {
        {"same time", 0, 9, true},         {"FAT's 2 s", 2 * s, 9, true},          {"2 s later", -2 * s, 9, true},
        {"2 s and a tick", 2 * s + 1, 9, false}, {"daylight saving", hour, 9, true}, {"and FAT's 2 s", -hour - 2 * s, 9, true},
        {"an hour and 3 s", hour + 3 * s, 9, false}, {"two hours", 2 * hour, 9, false}, {"another size", 0, 8, false}};
    for (const auto& r : rows)
        EXPECT_EQ(IsUnchangedCopy({9, song}, {r.size, static_cast<uint64_t>(song - r.apart)}), r.unchanged) << r.proves;
}

TEST(OptionRules, WrittenPlaylistIsAnsiWhenEveryNameFitsElseUtf8WithAMark) {
    testing::MemoryFiles latin1;  // its code page: the first 256 characters
    const AnsiEncoder ansi = [&](const std::wstring& text) { return latin1.EncodeAnsi(text); };
    const WrittenPlaylist fits = EncodeWrittenPlaylist(L"C:\\Lists\\mix.pls", {L"b.mp3", L"Gr\u00fcn.mp3"}, ansi);
    EXPECT_EQ(fits.FileName, L"mix.m3u");
    EXPECT_EQ(fits.Bytes, "#EXTM3U\r\nb.mp3\r\nGr\xfcn.mp3\r\n");
    // A pair of surrogates is one character; a lone one becomes U+FFFD.
    const WrittenPlaylist utf8 = EncodeWrittenPlaylist(L"C:/Best.of.m3u", {L"\u03a9\xD83C\xDFB5.mp3", L"\xD83C"}, ansi);
    EXPECT_EQ(utf8.FileName, L"Best.of.m3u8");
    EXPECT_EQ(utf8.Bytes, "\xEF\xBB\xBF#EXTM3U\r\n\xCE\xA9\xF0\x9F\x8E\xB5.mp3\r\n\xEF\xBF\xBD\r\n");
}

TEST(OptionRules, QuestionsNameTenFilesAndNeverShowAShortfallAsEnough) {
    std::vector<std::wstring> names;
    for (int i = 1; i <= 11; ++i) names.push_back(std::to_wstring(i));
    EXPECT_EQ(SyncQuestion(L"%1:%2", names), L"11:1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n\u2026");
    EXPECT_EQ(FreeSpaceQuestion(L"%1 > %2", (5u << 20) + 1, (6u << 20) - 1), L"6 > 5");
}

}  // namespace
}  // namespace tunelift
