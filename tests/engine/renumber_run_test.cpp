// Save runs with numbered songs over a player that holds them under the numbers of an
// earlier run: what the run renames instead of copying, what the log, Sync, the free
// space and the written playlist make of it. Which file goes where is the plan's own test.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

const RunOptions kNumbered = {.numberSongs = true};

TEST(RenumberRun, NumberedSongsTakeTheirNewPlacesByRenames) {
    const std::wstring xab = L"01 - x.mp3=x|02 - a.mp3=a|03 - b.mp3=b", ab = L"01 - a.mp3|02 - b.mp3";
    const struct {
        const char* proves;
        std::wstring earlier, list;  // song ids ("a" is C:\Music\a.mp3) of the earlier run and this one
        std::wstring after;          // the player after the last run
        std::wstring renamed;        // the names the renamed songs had, in the runs' order
        int copies;
        std::wstring logHas = L"";
        RunOptions options = kNumbered;
        int sync = 0;                            // Sync asks first, and is answered Yes
        std::function<void(MemoryFiles&)> stick = nullptr;
        std::wstring cancelDuring = L"";         // Cancel while this song is copied
        std::wstring then = L"", between = L"";  // a further run's list, and the player before it
        int overwrite = 0;
        size_t questions = 0;                                // questions this run asks (the free space)
        std::function<void(MemoryFiles&)> meanwhile = nullptr;  // between the earlier run and this one
    } rows[] = {
        {"a song inserted at the top is the only copy; the others are renamed, and the log says from what", L"a b c",
         L"x a b c", L"01 - x.mp3=x|02 - a.mp3=a|03 - b.mp3=b|04 - c.mp3=c", L"01 - a.mp3|02 - b.mp3|03 - c.mp3", 1,
         L"\r\nE:\\Player\\02 - a.mp3\r\nrenamed from: 01 - a.mp3\r\n2/2 ok\r\n---"},
        {"a run cancelled between places leaves every song whole; the next run finishes the job", L"a b c d",
         L"b a x d c", L"01 - b.mp3=b|02 - a.mp3=a|03 - x.mp3=x|04 - d.mp3=d|05 - c.mp3=c",
         L"02 - b.mp3|01 - a.mp3|03 - c.mp3", 1, L"", kNumbered, 0, nullptr, L"x", L"b a x d c",
         L"01 - b.mp3=b|02 - a.mp3=a|03 - c.mp3=c|03 - x.mp3=x|04 - d.mp3=d"},
        {"Sync neither deletes nor asks about a renamed song's old name, the free space counts no renamed song, "
         "and the written playlist names the new names",
         L"a b", L"x a b", xab + L"|mix.m3u=#EXTM3U\r\n01 - x.mp3\r\n02 - a.mp3\r\n03 - b.mp3\r\n", ab, 1, L"",
         {.numberSongs = true, .writePlaylist = true, .askBeforeSync = true, .checkFreeSpace = true}, 1,
         [](MemoryFiles& f) { f.freeBytes = 1; }},
        {"copies and renamed songs on a stick that stamps them keep their songs' times, so each reorder renames",
         L"a b", L"x a b", L"01 - a.mp3=a|01 - x.mp3=x|02 - b.mp3=b", ab + L"|02 - a.mp3|03 - b.mp3", 1, L"",
         kNumbered, 0, [](MemoryFiles& f) { f.copyTime = 864'000'000'000; }, L"", L"a b", xab},
        {"numbering off renames nothing", L"a b", L"x a b", L"01 - a.mp3=a|02 - b.mp3=b|a.mp3=a|b.mp3=b|x.mp3=x",
         L"", 3, L"", {}},
        {"plain Overwrite writes every song anew, renaming none", L"a b", L"x a b",
         L"01 - a.mp3=a|01 - x.mp3=x|02 - a.mp3=a|02 - b.mp3=b|03 - b.mp3=b", L"", 3, L"", kNumbered, 0, nullptr, L"",
         L"", L"", 1},
        {"Overwrite of only changed songs still renames", L"a b", L"x a b", xab, ab, 1, L"",
         {.numberSongs = true, .onlyChanged = true}, 0, nullptr, L"", L"", L"", 1},
        {"the free space counts the copy onto a name a rename takes away", L"A\\t", L"C\\t A\\t",
         L"01 - t.mp3=song C|02 - t.mp3=A\\t", L"01 - t.mp3", 1, L"", {.numberSongs = true, .checkFreeSpace = true}, 0,
         [](MemoryFiles& f) { f.freeBytes = 1; }, L"", L"", L"", 0, 1},
        {"Sync keeps the earlier copy of a song whose source is gone", L"a b", L"x a b",
         L"01 - a.mp3=a|01 - x.mp3=x|03 - b.mp3=b", L"02 - b.mp3", 1, L"", kNumbered, 1, nullptr, L"", L"", L"", 0, 0,
         [](MemoryFiles& f) { f.RemoveFile(L"C:\\Music\\a.mp3"); }},
    };
    for (const auto& row : rows) {
        MemoryFiles files;
        files.ignoreCase = true;
        for (const wchar_t* id : {L"a", L"b", L"c", L"d", L"x", L"A\\t"}) files.AddFile(L"C:\\Music\\" + std::wstring(id) + L".mp3", id);
        files.AddFile(L"C:\\Music\\C\\t.mp3", L"song C");  // another album's song of that name
        files.AddFolder(kDest);
        if (row.stick) row.stick(files);
        RunState state;
        const auto save = [&](ScriptedHost& host, const std::wstring& ids, const RunOptions& options, int overwrite) {
            std::wstring list;
            std::wstringstream in(ids);
            for (std::wstring id; in >> id;) list += L"C:\\Music\\" + id + L".mp3\r\n";
            files.AddFile(kList, list);
            host.options = options;
            host.overwrite = overwrite;
            host.sync = row.sync;
            host.answer = true;
            SaveInto(host, files, state);
        };
        ScriptedHost earlier, host;
        save(earlier, row.earlier, kNumbered, 0);
        if (row.meanwhile) row.meanwhile(files);
        files.written.clear();
        files.duringCopy = [&](const std::wstring& song) {
            if (!row.cancelDuring.empty() && song.ends_with(L"\\" + row.cancelDuring + L".mp3")) state.bCancel = true;
        };
        save(host, row.list, row.options, row.overwrite);
        if (!row.then.empty()) {
            EXPECT_EQ(FolderText(files), row.between) << row.proves;
            files.duringCopy = nullptr;
            save(host, row.then, row.options, row.overwrite);
        }
        std::wstring renamed;
        for (const auto& ended : EventsOf<run_event::EntryEnded>(host.events))
            if (ended.outcome == run_event::Outcome::Renamed) renamed += (renamed.empty() ? L"" : L"|") + ended.renamedFrom;
        EXPECT_EQ(FolderText(files), row.after) << row.proves;
        EXPECT_EQ(renamed, row.renamed) << row.proves;
        EXPECT_EQ(files.written.size(), static_cast<size_t>(row.copies)) << row.proves;
        EXPECT_NE(host.logText.find(row.logHas), std::wstring::npos) << row.proves << "\n" << host.logText;
        EXPECT_EQ(host.questions.size(), row.questions) << row.proves;
    }
}

}  // namespace
}  // namespace tunelift::testing
