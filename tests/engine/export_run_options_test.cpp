// Save runs with the Options menu's behaviours switched on: each row a run, the files
// on the player after it, what the log says and what the user was asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

// The files directly in a folder as "name=content|...", by name.
std::wstring Listing(const MemoryFiles& files, const std::wstring& folder) {
    std::vector<std::wstring> names = files.Names(folder);
    std::sort(names.begin(), names.end());
    std::wstring out;
    for (const auto& n : names) out += (out.empty() ? L"" : L"|") + n + L"=" + files.Content(folder + L"\\" + n);
    return out;
}

struct Row {
    const char* proves;
    RunOptions options;
    std::wstring list, after, logHas;
    std::wstring player = L"stray.jpg=x";  // on the player before the run
    int sync = 0;
    std::deque<bool> answers = {};
    std::wstring asked = L"";  // the one question the run must ask; "" for none
    std::function<void(MemoryFiles&, ScriptedHost&, RunState&)> prepare = nullptr;
};

const std::wstring kAb = L"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n";
const std::wstring kAskSync =
    L"Sync is about to delete these files from the destination folder (2):\r\n\r\nstray.jpg\r\nold.mp3\r\n\r\nDelete them?";

TEST(OptionsRun, EachOptionDoesWhatItsItemSays) {
    const Row rows[] = {
        {.proves = "numbered names keep two songs of one name apart; Sync keeps numbered names",
         .options = {.numberSongs = true}, .list = L"C:\\Music\\a.mp3\r\nC:\\Album\\a.mp3\r\nC:\\Music\\b.mp3\r\n",
         .after = L"01 - a.mp3=new a|02 - a.mp3=album a|03 - b.mp3=old", .logHas = L"E:\\Player\\02 - a.mp3\r\n2/2 ok",
         .player = L"a.mp3=x|03 - b.mp3=old|stray.jpg=x", .sync = 1},
        {.proves = "the written playlist names the songs that arrived, in order",
         .options = {.writePlaylist = true}, .list = L"C:\\Music\\b.mp3\r\nC:\\Music\\gone.mp3\r\nC:\\Music\\a.mp3\r\n",
         .after = L"a.mp3=new a|b.mp3=new b|mix.m3u=#EXTM3U\r\nb.mp3\r\na.mp3\r\n|stray.jpg=x",
         .logHas = L"---\r\nPlaylist written: mix.m3u\r\nAll files copied!"},
        {.proves = "a name outside the code page makes it UTF-8 with a mark", .options = {.writePlaylist = true},
         .list = L"C:\\Music\\\u03a9.mp3", .after = L"mix.m3u8=\u00ef\u00bb\u00bf#EXTM3U\r\n\u00ce\u00a9.mp3\r\n|\u03a9.mp3=omega",
         .logHas = L"Playlist written: mix.m3u8", .player = L""},
        {.proves = "Sync never deletes the written playlist", .options = {.numberSongs = true, .writePlaylist = true},
         .list = kAb, .after = L"01 - a.mp3=new a|02 - b.mp3=new b|mix.m3u=#EXTM3U\r\n01 - a.mp3\r\n02 - b.mp3\r\n",
         .logHas = L"Playlist written: mix.m3u", .player = L"mix.m3u=old list|stray.jpg=x", .sync = 1},
        {.proves = "a failed write says so and leaves the older list", .options = {.writePlaylist = true},
         .list = kAb, .after = L"a.mp3=new a|b.mp3=new b|mix.m3u=old list", .logHas = L"Playlist not written: mix.m3u",
         .player = L"mix.m3u=old list", .prepare = [](MemoryFiles& f, ScriptedHost&, RunState&) { f.failWholeWrites = true; }},
        {.proves = "never written over the playlist being run", .options = {.writePlaylist = true},
         .list = L"C:\\Music\\a.mp3", .after = L"a.mp3=new a|mix.m3u=C:\\Music\\a.mp3", .logHas = L"Playlist not written: mix.m3u",
         .player = L"", .prepare = [](MemoryFiles&, ScriptedHost& h, RunState&) { h.pathFrom = L"E:\\Player\\mix.m3u"; }},
        {.proves = "a cancelled run writes no playlist", .options = {.writePlaylist = true}, .list = kAb,
         .after = L"a.mp3=new a|b.mp3=new b", .logHas = L"All files copied!\r\nCanceled!", .player = L"",
         .prepare = [](MemoryFiles& f, ScriptedHost&, RunState& s) {
             f.duringCopy = [&s](const std::wstring& song) { s.bCancel = song.ends_with(L"b.mp3"); };
         }},
        {.proves = "No to Sync's question deletes nothing and the log says so", .options = {.askBeforeSync = true},
         .list = kAb, .after = L"a.mp3=new a|b.mp3=new b|old.mp3=x|stray.jpg=x",
         .logHas = L"---\r\nSync deleted nothing.\r\nAll files copied!", .player = L"stray.jpg=x|old.mp3=x", .sync = 1,
         .answers = {false}, .asked = kAskSync},
        {.proves = "Yes to Sync's question deletes", .options = {.askBeforeSync = true}, .list = kAb,
         .after = L"a.mp3=new a|b.mp3=new b", .logHas = L"2/2 ok\r\n---\r\nAll files copied!",
         .player = L"stray.jpg=x|old.mp3=x", .sync = 1, .answers = {true}, .asked = kAskSync},
        {.proves = "nothing to delete, nothing asked", .options = {.askBeforeSync = true}, .list = kAb,
         .after = L"a.mp3=new a|b.mp3=new b", .logHas = L"All files copied!", .player = L"a.mp3=new a", .sync = 1},
        {.proves = "the free space counts only the songs this run writes", .options = {.checkFreeSpace = true},
         .list = kAb + L"C:\\Album\\a.mp3\r\n", .after = L"a.mp3=old|b.mp3=new b", .logHas = L"All files copied!",
         .player = L"a.mp3=old", .prepare = [](MemoryFiles& f, ScriptedHost&, RunState&) { f.freeBytes = 5; }},
        {.proves = "short of space, No copies nothing and ends the run as Cancel does", .options = {.checkFreeSpace = true},
         .list = kAb, .after = L"a.mp3=old", .logHas = L"Canceled!", .player = L"a.mp3=old", .answers = {false},
         .asked = L"1 MB needed, 0 MB free. Copy anyway?",
         .prepare = [](MemoryFiles& f, ScriptedHost&, RunState&) { f.freeBytes = 4; }},
        {.proves = "short of space, Yes copies anyway", .options = {.checkFreeSpace = true}, .list = kAb,
         .after = L"a.mp3=new a|b.mp3=new b", .logHas = L"2/2 ok", .player = L"", .answers = {true},
         .asked = L"1 MB needed, 0 MB free. Copy anyway?",
         .prepare = [](MemoryFiles& f, ScriptedHost&, RunState&) { f.freeBytes = 9; }},
        {.proves = "all audio: a FLAC line is copied", .options = {.allAudio = true},
         .list = L"#EXTM3U\r\nC:\\Music\\c.flac\r\n", .after = L"c.flac=flac", .logHas = L"1/1 ok", .player = L""},
    };
    for (const Row& row : rows) {
        MemoryFiles files;
        files.ignoreCase = true;
        for (auto [path, song] : {std::pair{L"C:\\Music\\a.mp3", L"new a"}, {L"C:\\Music\\b.mp3", L"new b"},
                                  {L"C:\\Album\\a.mp3", L"album a"}, {L"C:\\Music\\\u03a9.mp3", L"omega"},
                                  {L"C:\\Music\\c.flac", L"flac"}})
            files.AddFile(path, song);
        files.AddFolder(kDest);
        for (size_t at = 0; at < row.player.size();) {
            const size_t bar = std::min(row.player.find(L'|', at), row.player.size()), is = row.player.find(L'=', at);
            files.AddFile(kDest + L"\\" + row.player.substr(at, is - at), row.player.substr(is + 1, bar - is - 1));
            at = bar + 1;
        }
        RunState state;
        ScriptedHost host{state};
        host.pathFrom = kList;
        host.pathTo = kDest;
        host.sync = row.sync;
        host.options = row.options;
        host.answers = row.answers;
        if (row.prepare) row.prepare(files, host, state);
        files.AddFile(host.pathFrom, row.list);
        SaveFiles(host, files, state, true);
        mdlCopyBar::CopyBar = nullptr;
        EXPECT_EQ(Listing(files, kDest), row.after) << row.proves;
        EXPECT_NE(host.logText.find(row.logHas), std::wstring::npos) << row.proves << "\n" << host.logText;
        EXPECT_EQ(host.questions.size(), row.asked.empty() ? 0u : 1u) << row.proves;
        if (!row.asked.empty() && !host.questions.empty()) {
            EXPECT_EQ(host.questions[0], row.asked) << row.proves;
        }
    }
}

constexpr uint64_t kSongTime = 133'000'000'000'000'000, kSecond = 10'000'000;

// With Overwrite ticked, a copy that is still the song stays; every other is replaced.
TEST(OptionsRun, OnlyChangedFilesAreOverwritten) {
    const struct { const char* proves; int overwrite; bool onlyChanged; uint64_t copyTime; const wchar_t* copy; bool replaced; } rows[] = {
        {"FAT kept the time to 2 s: the copy stays", 1, true, kSongTime - 2 * kSecond, L"new a", false},
        {"a daylight-saving hour off: the copy stays", 1, true, kSongTime + 3600 * kSecond, L"new a", false},
        {"another time: replaced", 1, true, kSongTime - 60 * kSecond, L"new a", true},
        {"another size: replaced", 1, true, kSongTime, L"old", true},
        {"the option off: Overwrite replaces as always", 1, false, kSongTime, L"new a", true},
        {"Overwrite off: the copy stays as always", 0, true, 0, L"old", false},
    };
    for (const auto& row : rows) {
        MemoryFiles files;
        files.AddFile(L"C:\\Music\\a.mp3", L"new a").record.LastWriteTime = kSongTime;
        files.AddFile(kDest + L"\\a.mp3", row.copy).record.LastWriteTime = row.copyTime;
        files.AddFile(kList, L"C:\\Music\\a.mp3\r\n");
        RunState state;
        ScriptedHost host{state};
        host.pathFrom = kList;
        host.pathTo = kDest;
        host.overwrite = row.overwrite;
        host.options.onlyChanged = row.onlyChanged;
        SaveFiles(host, files, state, true);
        mdlCopyBar::CopyBar = nullptr;
        EXPECT_EQ(files.written.size(), row.replaced ? 1u : 0u) << row.proves;
        EXPECT_NE(host.logText.find(L"1/1 ok"), std::wstring::npos) << row.proves;
    }
}

// A stick whose driver stamps each copy with the time it was written: the copy gets its
// song's time back, so that the repeat run leaves it.
TEST(OptionsRun, ARepeatRunLeavesACopyTheStickStampedAnew) {
    MemoryFiles files;
    files.AddFile(L"C:\\Music\\a.mp3", L"new a").record.LastWriteTime = kSongTime;
    files.AddFolder(kDest);
    files.AddFile(kList, L"C:\\Music\\a.mp3\r\n");
    files.copyTime = kSongTime + 3 * 3600 * kSecond;
    for (int run = 0; run < 2; ++run) {
        RunState state;
        ScriptedHost host{state};
        host.pathFrom = kList;
        host.pathTo = kDest;
        host.overwrite = 1;
        host.options.onlyChanged = true;
        SaveFiles(host, files, state, true);
        mdlCopyBar::CopyBar = nullptr;
    }
    EXPECT_EQ(files.written.size(), 1u);
}

}  // namespace
}  // namespace tunelift::testing
