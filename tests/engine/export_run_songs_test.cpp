// Every song a playlist names ends up copied, kept or reported: each row is a Save run
// that once lost a song without a word.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "engine/full_path.h"
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
    std::wstring list, after, tail;
    std::wstring player = L"stray.jpg=x";  // on the player before the run
    int overwrite = 0;
    std::function<void(MemoryFiles&, ScriptedHost&)> midway = nullptr;  // during the first copy
    std::wstring from = kList, to = kDest, folder = kDest;
};

const std::wstring kAb = L"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n";
const std::wstring kDone = L"\r\n---\r\nAll files copied!";
const std::wstring kOneOfTwoFailed = L"\r\n---\r\nFinished: 1 of 2 songs could not be copied!";
const std::pair<const wchar_t*, const wchar_t*> kSongs[] = {
    {L"C:\\Music\\a.mp3", L"new a"},         {L"C:\\Music\\b.mp3", L"new b"},
    {L"C:\\Music\\c.mp3", L"new c"},         {L"C:\\Album\\a.mp3", L"album a"},
    {L"C:\\Lists\\Music\\a.mp3", L"lists a"}, {L"C:\\Lists\\Music\\b.mp3", L"lists b"}};
const auto kListGone = [](MemoryFiles& f, ScriptedHost&) { f.folders[L"C:\\Lists"].clear(); };

TEST(SongsRun, EverySongIsCopiedKeptOrReported) {
    const Row rows[] = {
        {.proves = "blank line is no end", .list = L"C:\\Music\\a.mp3\r\n\r\nC:\\Music\\b.mp3\r\n",
         .after = L"a.mp3=new a|b.mp3=new b", .tail = L"2/2 ok" + kDone},
        {.proves = "blank line in a [playlist] file", .list = L"[playlist]\r\n\r\nFile1=C:\\Music\\a.mp3",
         .after = L"a.mp3=new a|stray.jpg=x", .tail = L"1/1 ok" + kDone},
        {.proves = "playlist gone midway stops the run, Sync deletes nothing", .list = kAb,
         .after = L"a.mp3=new a|b.mp3=old b|stray.jpg=x",
         .tail = L"1/1 ok\r\n---\r\nThe playlist can no longer be read!", .player = L"b.mp3=old b|stray.jpg=x",
         .midway = kListGone},
        {.proves = "second song of a name is an error, never a replacement",
         .list = L"C:\\Music\\a.mp3\r\nC:\\Album\\A.MP3\r\n", .after = L"a.mp3=new a", .tail = L"1/2 error" + kOneOfTwoFailed,
         .overwrite = 1},
        {.proves = "a kept copy holds its name too", .list = L"C:\\Album\\a.mp3\r\nC:\\Music\\a.mp3\r\n",
         .after = L"a.mp3=old a", .tail = L"1/2 error" + kOneOfTwoFailed, .player = L"a.mp3=old a"},
        {.proves = "the same song twice is fine", .list = L"C:\\Music\\a.mp3\r\nC:/Music/./a.mp3\r\n",
         .after = L"a.mp3=new a", .tail = L"2/2 ok" + kDone, .overwrite = 1},
        {.proves = "Sync keeps what lines that are no entries name",
         .list = L"#EXTM3U\r\n#EXTINF:1,x.flac\r\nC:\\Music\\c.flac\r\nD:/Rips/d.m4a\r\n",
         .after = L"c.flac=x|d.m4a=x", .tail = L"\r\nAll files copied!",
         .player = L"c.flac=x|d.m4a=x|x.flac=x|stray.jpg=x"},
        {.proves = "Sync unticked midway still keeps the songs and syncs", .list = kAb + L"C:\\Music\\c.mp3\r\n",
         .after = L"a.mp3=new a|b.mp3=old b|c.mp3=new c", .tail = L"3/3 ok" + kDone,
         .player = L"b.mp3=old b|stray.jpg=x",
         .midway = [](MemoryFiles&, ScriptedHost& h) { h.sync = 0; }},
        {.proves = "relative paths mean the folder current at the start",
         .list = L"#EXTM3U\r\nMusic\\a.mp3\r\nMusic\\b.mp3\r\n",
         .after = L"a.mp3=lists a|b.mp3=lists b", .tail = L"2/2 ok" + kDone,
         .midway = [](MemoryFiles& f, ScriptedHost&) { f.currentFolder = L"C:\\Music"; },
         .from = L"mix.m3u", .to = L"Player", .folder = L"C:\\Lists\\Player"},
        {.proves = "the running playlist is kept, its folder typed in other letters", .list = L"C:\\Music\\a.mp3",
         .after = L"a.mp3=new a|mix.m3u=C:\\Music\\a.mp3", .tail = L"1/1 ok" + kDone,
         .from = L"E:\\Player\\mix.m3u", .to = L"e:\\pLAYER"},
    };
    for (const Row& row : rows) {
        MemoryFiles files;
        files.ignoreCase = true;
        files.currentFolder = L"C:\\Lists";
        for (const auto& [path, song] : kSongs) files.AddFile(path, song);
        files.AddFolder(row.folder);
        for (size_t at = 0; at < row.player.size();) {
            const size_t bar = std::min(row.player.find(L'|', at), row.player.size()), is = row.player.find(L'=', at);
            files.AddFile(row.folder + L"\\" + row.player.substr(at, is - at), row.player.substr(is + 1, bar - is - 1));
            at = bar + 1;
        }
        files.AddFile(FullPathIn(files.currentFolder, row.from), row.list);
        RunState state;
        ScriptedHost host;
        host.pathFrom = row.from;
        host.pathTo = row.to;
        host.overwrite = row.overwrite;
        host.sync = 1;
        files.duringCopy = [&, first = true](const std::wstring&) mutable {
            if (first && row.midway) row.midway(files, host);
            first = false;
        };
        SaveFiles(host, files, state, true);
        EXPECT_EQ(Listing(files, row.folder), row.after) << row.proves;
        EXPECT_TRUE(host.logText.ends_with(row.tail)) << row.proves;
    }
}

}  // namespace
}  // namespace tunelift::testing
