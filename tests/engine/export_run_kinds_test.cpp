// Save runs with "Read playlists of every kind" ticked, through the whole engine: what a
// read entry does to the run. How each kind is read is proved by the readers' own tests.
#include <gtest/gtest.h>

#include <functional>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

// A song's lines in the log: where it was looked up, where it went, its count.
std::wstring Song(const std::wstring& shown, const std::wstring& name, const std::wstring& count) {
    return L"\r\n" + shown + L"\r\ncopied to:\r\nE:\\Player\\" + name + L"\r\n" + count + L"\r\n---";
}
std::wstring NoFile(const std::wstring& written, const std::wstring& count) {
    return L"\r\n" + written + L"\r\n" + count + L" error\r\n---";
}

TEST(EveryKindRun, EachKindCopiesItsSongsAndLogsWhereItLooked) {
    const std::wstring stream = L"http://radio.example/live.mp3", oneFailed = L"\r\nFinished: 1 of 2 songs could not be copied!";
    const struct {
        const char* proves;
        std::wstring at, list, after, log;
        RunOptions options = {.allKinds = true};
        int sync = 0;
        std::function<void(MemoryFiles&)> prepare = nullptr;
    } rows[] = {
        {"a relative first line is read decoded beside the list, a stream is an error never copied, and Sync keeps "
         "what any entry names, as written too",
         kList, L"Album/Caf%C3%A9%20Noir.mp3\r\nC:\\Music\\cover.jpg\r\nC:\\Music\\track.flac\r\n" + stream,
         L"Caf%C3%A9%20Noir.mp3=x|Caf\u00e9 Noir.mp3=noir|cover.jpg=x|live.mp3=x|track.flac=x",
         Song(L"C:\\Lists\\Album\\Caf\u00e9 Noir.mp3", L"Caf\u00e9 Noir.mp3", L"1/1 ok") + NoFile(stream, L"1/2") + oneFailed,
         {.allKinds = true}, 1,
         [](MemoryFiles& f) {
             for (const wchar_t* name : {L"Caf%C3%A9%20Noir.mp3", L"cover.jpg", L"live.mp3", L"stray.mp3", L"track.flac"})
                 f.AddFile(kDest + L"\\" + name, L"x");
         }},
        {"numbered in the order read (a PLS by N), not by the lines the songs stand on", L"C:\\Lists\\radio.pls",
         L"[playlist]\r\nFile2=C:\\Music\\b.mp3\r\nFile1=C:\\Music\\a.mp3\r\n", L"01 - a.mp3=new a|02 - b.mp3=new b",
         Song(L"C:\\Music\\a.mp3", L"01 - a.mp3", L"1/1 ok") + Song(L"C:\\Music\\b.mp3", L"02 - b.mp3", L"2/2 ok") +
             L"\r\nAll files copied!",
         {.numberSongs = true, .allKinds = true}},
        {"an XSPF track without a file is an error named by its title", L"C:\\Lists\\evening.xspf",
         L"<playlist xmlns=\"http://xspf.org/ns/0/\"><trackList><track><location>file:///C:/Music/a.mp3</location>"
         L"</track><track><title>Lost</title></track></trackList></playlist>",
         L"a.mp3=new a", Song(L"C:\\Music\\a.mp3", L"a.mp3", L"1/1 ok") + NoFile(L"Lost", L"1/2") + oneFailed},
        {"a playlist gone midway stops the run", kList, L"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n", L"a.mp3=new a",
         Song(L"C:\\Music\\a.mp3", L"a.mp3", L"1/1 ok") + L"\r\nThe playlist can no longer be read!", {.allKinds = true}, 0,
         [](MemoryFiles& f) { f.duringCopy = [&f](const std::wstring&) { f.folders[L"C:\\Lists"].clear(); }; }},
        {"unticked, a relative first line is no playlist", kList, L"Music\\a.mp3\r\n", L"", L"No playlist found!", {}},
    };
    for (const auto& row : rows) {
        MemoryFiles files;
        files.ignoreCase = true;
        for (auto [path, song] : {std::pair{L"C:\\Music\\a.mp3", L"new a"}, {L"C:\\Music\\b.mp3", L"new b"},
                                  {L"C:\\Music\\cover.jpg", L"jpg"}, {L"C:\\Music\\track.flac", L"flac"},
                                  {L"C:\\Lists\\Album\\Caf\u00e9 Noir.mp3", L"noir"}})
            files.AddFile(path, song);
        files.AddFolder(kDest);
        files.AddFile(row.at, row.list);
        if (row.prepare) row.prepare(files);
        RunState state;
        ScriptedHost host;
        host.sync = row.sync;
        host.options = row.options;
        SaveInto(host, files, state, row.at);
        EXPECT_EQ(FolderText(files), row.after) << row.proves;
        EXPECT_EQ(host.logText, row.log) << row.proves;
        for (const auto& [source, dest] : files.copies) EXPECT_FALSE(source.starts_with(L"http")) << row.proves;
    }
}

}  // namespace
}  // namespace tunelift::testing
