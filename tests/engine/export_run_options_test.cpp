// Save runs with the Options menu's behaviours switched on: each row a run, the files
// on the player after it, what the log says and what the user was asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

using Prepare = std::function<void(MemoryFiles&, ScriptedHost&, RunState&)>;
constexpr uint64_t kSong = 133'000'000'000'000'000, kSecond = 10'000'000;

// The song a.mp3 at its time, its copy on the player at another, Overwrite ticked.
Prepare CopyAt(int64_t seconds) {
    return [=](MemoryFiles& f, ScriptedHost& h, RunState&) {
        f.AddFile(L"C:\\Music\\a.mp3", L"new a").record.LastWriteTime = kSong;
        f.AddFile(kDest + L"\\a.mp3", L"old a").record.LastWriteTime = kSong + seconds * kSecond;
        h.overwrite = 1;
    };
}

struct Row {
    const char* proves;
    RunOptions options;
    std::wstring list, after, logHas;
    Prepare prepare = nullptr;
    std::wstring player = L"";  // "name=content|..." on the player before the run
    int sync = 0;
    bool answer = false;
    std::wstring asked = L"";  // the one question the run asks; "" for none
};

Prepare FreeBytes(uint64_t bytes) {
    return [=](MemoryFiles& f, ScriptedHost&, RunState&) { f.freeBytes = bytes; };
}

const std::wstring kAb = L"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n";
const RunOptions kWrite = {.writePlaylist = true}, kAsk = {.askBeforeSync = true}, kSpace = {.checkFreeSpace = true},
                 kChanged = {.onlyChanged = true};
const std::wstring kAskSync = L"Sync is about to delete these files from the destination folder (2):\r\n\r\n"
                              L"stray.jpg\r\nold.mp3\r\n\r\nDelete them?";

TEST(OptionsRun, EachOptionDoesWhatItsItemSays) {
    const Row rows[] = {
        {"numbered names, both Track 01s; Sync keeps them and the written list of the songs that arrived",
         {.numberSongs = true, .writePlaylist = true},
         L"C:\\Music\\b.mp3\r\nC:\\Music\\gone.mp3\r\nC:\\Album\\a.mp3\r\nC:\\Music\\a.mp3\r\n",
         L"01 - b.mp3=new b|03 - a.mp3=old|04 - a.mp3=new a|mix.m3u=#EXTM3U\r\n01 - b.mp3\r\n03 - a.mp3\r\n04 - a.mp3\r\n",
         L"---\r\nPlaylist written: mix.m3u\r\nFinished: 1 of 4 songs could not be copied!", nullptr,
         L"a.mp3=x|mix.m3u=old|03 - a.mp3=old", 1},
        {"a failed write says so", kWrite, kAb, L"a.mp3=new a|b.mp3=new b|mix.m3u=old", L"Playlist not written: mix.m3u",
         [](MemoryFiles& f, ScriptedHost&, RunState&) { f.failWholeWrites = true; }, L"mix.m3u=old"},
        {"never over the playlist being run", kWrite, L"C:\\Music\\a.mp3", L"a.mp3=new a|mix.m3u=C:\\Music\\a.mp3",
         L"Playlist not written", [](MemoryFiles&, ScriptedHost& h, RunState&) { h.pathFrom = kDest + L"\\mix.m3u"; }},
        {"a cancelled run writes none", kWrite, kAb, L"a.mp3=new a|b.mp3=new b", L"All files copied!\r\nCanceled!",
         [](MemoryFiles& f, ScriptedHost&, RunState& s) {
             f.duringCopy = [&s](const std::wstring& song) { s.bCancel = song.ends_with(L"b.mp3"); };
         }},
        {"No to Sync deletes nothing and says so", kAsk, kAb, L"a.mp3=new a|b.mp3=new b|old.mp3=x|stray.jpg=x",
         L"---\r\nSync deleted nothing.\r\nAll files copied!", nullptr, L"stray.jpg=x|old.mp3=x", 1, false, kAskSync},
        {"Yes to Sync deletes", kAsk, kAb, L"a.mp3=new a|b.mp3=new b", L"2/2 ok\r\n---\r\nAll files copied!", nullptr,
         L"stray.jpg=x|old.mp3=x", 1, true, kAskSync},
        {"the free space counts only what this run writes", kSpace, kAb + L"C:\\Album\\a.mp3\r\n",
         L"a.mp3=old|b.mp3=new b", L"Finished: 1 of 3 songs could not be copied!", FreeBytes(5), L"a.mp3=old"},
        {"short of space, No ends the run as Cancel does", kSpace, kAb, L"a.mp3=old", L"\r\nCanceled!", FreeBytes(4),
         L"a.mp3=old", 0, false, L"1 MB needed, 0 MB free. Copy anyway?"},
        {"all audio: a FLAC line is copied", {.allAudio = true}, L"#EXTM3U\r\nC:\\Music\\c.flac", L"c.flac=flac", L"1/1 ok"},
        {"only changed: FAT's 2 s leave the copy", kChanged, kAb, L"a.mp3=old a|b.mp3=new b", L"2/2", CopyAt(-2)},
        {"only changed: a minute off replaces it", kChanged, kAb, L"a.mp3=new a|b.mp3=new b", L"2/2", CopyAt(60)},
    };
    for (const Row& row : rows) {
        MemoryFiles files;
        files.ignoreCase = true;
        for (auto [path, song] : {std::pair{L"C:\\Music\\a.mp3", L"new a"}, {L"C:\\Music\\b.mp3", L"new b"},
                                  {L"C:\\Album\\a.mp3", L"old"}, {L"C:\\Music\\c.flac", L"flac"}})
            files.AddFile(path, song);
        files.AddFolder(kDest);
        for (size_t at = 0; at < row.player.size();) {
            const size_t bar = std::min(row.player.find(L'|', at), row.player.size()), is = row.player.find(L'=', at);
            files.AddFile(kDest + L"\\" + row.player.substr(at, is - at), row.player.substr(is + 1, bar - is - 1));
            at = bar + 1;
        }
        RunState state;
        ScriptedHost host;
        host.pathFrom = kList;
        host.pathTo = kDest;
        host.sync = row.sync;
        host.options = row.options;
        host.answer = row.answer;
        if (row.prepare) row.prepare(files, host, state);
        files.AddFile(host.pathFrom, row.list);
        SaveFiles(host, files, state, true);
        std::vector<std::wstring> names = files.Names(kDest);
        std::sort(names.begin(), names.end());
        std::wstring after;
        for (const auto& n : names) after += (after.empty() ? L"" : L"|") + n + L"=" + files.Content(kDest + L"\\" + n);
        EXPECT_EQ(after, row.after) << row.proves;
        EXPECT_NE(host.logText.find(row.logHas), std::wstring::npos) << row.proves << "\n" << host.logText;
        EXPECT_EQ(host.questions, row.asked.empty() ? std::vector<std::wstring>{} : std::vector{row.asked}) << row.proves;
    }
}

// A stick whose driver stamps a copy with the time it was made: the copy gets its song's
// time back, so that the repeat run leaves it.
using StampingStick = RunFixture<>;
TEST_F(StampingStick, ACopyGetsItsSongsTimeBack) {
    files.AddFile(L"C:\\Music\\a.mp3", L"new a").record.LastWriteTime = kSong;
    files.AddFile(kList, L"C:\\Music\\a.mp3");
    files.copyTime = kSong + 3600 * 24 * kSecond;
    host.options.onlyChanged = true;
    Save();
    EXPECT_EQ(files.StampOf(kDest + L"\\a.mp3")->LastWriteTime, kSong);
}

}  // namespace
}  // namespace tunelift::testing
