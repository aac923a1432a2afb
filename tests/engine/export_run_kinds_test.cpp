// Save runs with "Read playlists of every kind" ticked: each row a run through the whole
// engine over the memory file system, the player's files after it and the whole log.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

struct Row {
    const char* proves;
    std::wstring at, list, after, log;
    RunOptions options = {.allKinds = true};
    int sync = 0;
    std::function<void(MemoryFiles&)> prepare = nullptr;
};

// A song's lines in the log: where it was looked up, where it went, its count.
std::wstring Song(const std::wstring& shown, const std::wstring& name, const std::wstring& count) {
    return L"\r\n" + shown + L"\r\ncopied to:\r\nE:\\Player\\" + name + L"\r\n" + count + L"\r\n---";
}
std::wstring NoFile(const std::wstring& written, const std::wstring& count) {
    return L"\r\n" + written + L"\r\n" + count + L" error\r\n---";
}

const std::wstring kA = Song(L"C:\\Music\\a.mp3", L"a.mp3", L"1/1 ok");
const std::wstring kDone = L"\r\nAll files copied!";
const std::wstring kStream = L"http://radio.example/live.mp3";
const std::wstring kXspf = L"<playlist xmlns=\"http://xspf.org/ns/0/\" xml:base=\"file:///D:/Albums/\"><trackList>"
                           L"<track><location>Blue%20Train/x.mp3</location></track><track><title>Lost</title></track>"
                           L"</trackList></playlist>";

TEST(EveryKindRun, EachKindCopiesItsSongsAndLogsWhereItLooked) {
    const Row rows[] = {
        {"file URLs in an m3u8, decoded as UTF-8", L"C:\\Lists\\car.m3u8",
         L"#EXTM3U\r\nfile:///C:/Music/Road%2066.mp3\r\nfile://localhost/C:/Music/Caf%C3%A9.mp3\r\n",
         L"Caf\u00e9.mp3=cafe|Road 66.mp3=road",
         Song(L"C:\\Music\\Road 66.mp3", L"Road 66.mp3", L"1/1 ok") +
             Song(L"C:\\Music\\Caf\u00e9.mp3", L"Caf\u00e9.mp3", L"2/2 ok") + kDone},
        {"a relative first line is a list, looked up beside it", kList, L"Music\\a.mp3\r\n", L"a.mp3=lists a",
         Song(L"C:\\Lists\\Music\\a.mp3", L"a.mp3", L"1/1 ok") + kDone},
        {"a stream is an error and never copied", kList, L"C:\\Music\\a.mp3\r\n" + kStream, L"a.mp3=new a",
         kA + NoFile(kStream, L"1/2") + L"\r\nFinished: 1 of 2 songs could not be copied!"},
        {"a percent-encoded line is taken decoded; Sync keeps what any entry names, as written too", kList,
         L"Album/Caf%C3%A9%20Noir.mp3\r\nC:\\Music\\cover.jpg\r\nC:\\Music\\track.flac\r\n" + kStream,
         L"Caf%C3%A9%20Noir.mp3=x|Caf\u00e9 Noir.mp3=noir|cover.jpg=x|live.mp3=x|track.flac=x",
         Song(L"C:\\Lists\\Album\\Caf\u00e9 Noir.mp3", L"Caf\u00e9 Noir.mp3", L"1/1 ok") + NoFile(kStream, L"1/2") +
             L"\r\nFinished: 1 of 2 songs could not be copied!",
         {.allKinds = true}, 1,
         [](MemoryFiles& f) {
             for (const wchar_t* name :
                  {L"Caf%C3%A9%20Noir.mp3", L"cover.jpg", L"live.mp3", L"stray.mp3", L"track.flac"})
                 f.AddFile(kDest + L"\\" + name, L"x");
         }},
        {"PLS in the order of N, numbered so", L"C:\\Lists\\radio.pls",
         L"[playlist]\r\nFile2=C:\\Music\\b.mp3\r\nFile1=C:\\Music\\a.mp3\r\nNumberOfEntries=7\r\n",
         L"01 - a.mp3=new a|02 - b.mp3=new b",
         Song(L"C:\\Music\\a.mp3", L"01 - a.mp3", L"1/1 ok") + Song(L"C:\\Music\\b.mp3", L"02 - b.mp3", L"2/2 ok") +
             kDone,
         {.numberSongs = true, .allKinds = true}},
        {"XSPF locations under xml:base; a track without one is an error", L"C:\\Lists\\evening.xspf", kXspf,
         L"x.mp3=blue",
         Song(L"D:\\Albums\\Blue Train\\x.mp3", L"x.mp3", L"1/1 ok") + NoFile(L"Lost", L"1/2") +
             L"\r\nFinished: 1 of 2 songs could not be copied!"},
        {"a playlist gone midway stops the run", kList, L"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n", L"a.mp3=new a",
         kA + L"\r\nThe playlist can no longer be read!", {.allKinds = true}, 0,
         [](MemoryFiles& f) { f.duringCopy = [&f](const std::wstring&) { f.folders[L"C:\\Lists"].clear(); }; }},
        {"unticked, a relative first line is no playlist", kList, L"Music\\a.mp3\r\n", L"", L"No playlist found!", {}},
    };
    for (const Row& row : rows) {
        MemoryFiles files;
        files.ignoreCase = true;
        for (auto [path, song] : {std::pair{L"C:\\Music\\a.mp3", L"new a"}, {L"C:\\Music\\b.mp3", L"new b"},
                                  {L"C:\\Music\\Road 66.mp3", L"road"}, {L"C:\\Music\\Caf\u00e9.mp3", L"cafe"},
                                  {L"C:\\Music\\cover.jpg", L"jpg"}, {L"C:\\Music\\track.flac", L"flac"},
                                  {L"C:\\Lists\\Music\\a.mp3", L"lists a"},
                                  {L"C:\\Lists\\Album\\Caf\u00e9 Noir.mp3", L"noir"},
                                  {L"D:\\Albums\\Blue Train\\x.mp3", L"blue"}})
            files.AddFile(path, song);
        files.AddFolder(kDest);
        files.AddFile(row.at, row.list);
        if (row.prepare) row.prepare(files);
        RunState state;
        ScriptedHost host;
        host.pathFrom = row.at;
        host.pathTo = kDest;
        host.sync = row.sync;
        host.options = row.options;
        SaveFiles(host, files, state, true);

        std::vector<std::wstring> names = files.Names(kDest);
        std::sort(names.begin(), names.end());
        std::wstring after;
        for (const auto& n : names) after += (after.empty() ? L"" : L"|") + n + L"=" + files.Content(kDest + L"\\" + n);
        EXPECT_EQ(after, row.after) << row.proves;
        EXPECT_EQ(host.logText, row.log) << row.proves;
        for (const auto& [source, dest] : files.copies) EXPECT_FALSE(source.starts_with(L"http")) << row.proves;
    }
}

}  // namespace
}  // namespace tunelift::testing
