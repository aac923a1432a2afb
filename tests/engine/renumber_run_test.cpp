// Save runs with numbered songs over a player that holds them under the numbers of an
// earlier run: what is renamed instead of copied, what the log and Sync say, and what
// lies on the player afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

const RunOptions kNumbered = {.numberSongs = true};

struct Row {
    const char* proves;
    std::wstring earlier, list;  // song ids ("a" is C:\Music\a.mp3) of the earlier run and this one
    std::wstring after;          // the player afterwards, "name=content|..." by name
    std::wstring renamed;        // the names the renamed songs had, "|"-joined, in playlist order
    int copies;
    std::wstring logHas = L"";
    RunOptions options = kNumbered;
    int sync = 0;
    std::wstring asked = L"";               // the one question this run asks, "" for none
    std::wstring cancelDuring = L"";        // Cancel while this song is copied, then a second run
    std::wstring afterCancel = L"";         // the player after the cancelled run
    std::optional<uint64_t> free = {};      // bytes free on the player
    bool stampsCopies = false;              // the stick stamps a copy with the time it was made
};

std::wstring Ids(const std::wstring& ids) {
    std::wstring list;
    std::wstringstream in(ids);
    for (std::wstring id; in >> id;) list += L"C:\\Music\\" + id + L".mp3\r\n";
    return list;
}

TEST(RenumberRun, NumberedSongsTakeTheirNewPlacesByRenames) {
    const std::wstring askStray = L"Sync is about to delete these files from the destination folder (1):\r\n\r\n"
                                  L"stray.mp3\r\n\r\nDelete them?";
    const Row rows[] = {
        {"a song inserted at the top is the only copy; the others are renamed", L"a b c", L"x a b c",
         L"01 - x.mp3=x|02 - a.mp3=a|03 - b.mp3=b|04 - c.mp3=c", L"01 - a.mp3|02 - b.mp3|03 - c.mp3", 1,
         L"\r\nE:\\Player\\02 - a.mp3\r\nrenamed from: 01 - a.mp3\r\n2/2 ok\r\n---"},
        {"a swap goes through a name aside and copies nothing", L"a b", L"b a", L"01 - b.mp3=b|02 - a.mp3=a",
         L"02 - b.mp3|01 - a.mp3", 0},
        {"a song listed twice is renamed once and copied for its second place", L"a b", L"b a a",
         L"01 - b.mp3=b|02 - a.mp3=a|03 - a.mp3=a", L"02 - b.mp3|01 - a.mp3", 1},
        {"a run cancelled between places leaves every song whole; the next run finishes the job", L"a b c d",
         L"b a x d c", L"01 - b.mp3=b|02 - a.mp3=a|03 - x.mp3=x|04 - d.mp3=d|05 - c.mp3=c",
         L"02 - b.mp3|01 - a.mp3|03 - c.mp3", 1, L"", kNumbered, 0, L"", L"x",
         L"01 - b.mp3=b|02 - a.mp3=a|03 - c.mp3=c|03 - x.mp3=x|04 - d.mp3=d"},
        {"Sync asks about and deletes only what no entry names, never a renamed song's old name", L"a b",
         L"x a b", L"01 - x.mp3=x|02 - a.mp3=a|03 - b.mp3=b", L"01 - a.mp3|02 - b.mp3", 1, L"",
         {.numberSongs = true, .askBeforeSync = true}, 1, askStray},
        {"the written playlist names the songs by their new names", L"a b", L"x a b",
         L"01 - x.mp3=x|02 - a.mp3=a|03 - b.mp3=b|mix.m3u=#EXTM3U\r\n01 - x.mp3\r\n02 - a.mp3\r\n03 - b.mp3\r\n",
         L"01 - a.mp3|02 - b.mp3", 1, L"", {.numberSongs = true, .writePlaylist = true}},
        {"the free space counts no renamed song", L"a b", L"x a b", L"01 - x.mp3=x|02 - a.mp3=a|03 - b.mp3=b",
         L"01 - a.mp3|02 - b.mp3", 1, L"", {.numberSongs = true, .checkFreeSpace = true}, 0, L"", L"", L"", 1},
        {"numbered copies on a stick that stamps them get their songs' times back, so a reorder renames them",
         L"a b", L"x a b", L"01 - x.mp3=x|02 - a.mp3=a|03 - b.mp3=b", L"01 - a.mp3|02 - b.mp3", 1, L"", kNumbered, 0,
         L"", L"", L"", {}, true},
        {"numbering off renames nothing", L"a b", L"x a b",
         L"01 - a.mp3=a|02 - b.mp3=b|a.mp3=a|b.mp3=b|x.mp3=x", L"", 3, L"", {}},
    };
    for (const Row& row : rows) {
        MemoryFiles files;
        files.ignoreCase = true;
        for (const wchar_t* id : {L"a", L"b", L"c", L"d", L"x"}) files.AddFile(L"C:\\Music\\" + std::wstring(id) + L".mp3", id);
        files.AddFolder(kDest);
        files.AddFile(kDest + L"\\stray.mp3", L"stray");
        if (row.stampsCopies) files.copyTime = uint64_t{133'000'000'000'000'000};
        RunState state;
        ScriptedHost earlier;
        earlier.pathFrom = kList;
        earlier.pathTo = kDest;
        earlier.options = kNumbered;
        files.AddFile(kList, Ids(row.earlier));
        SaveFiles(earlier, files, state, true);

        files.AddFile(kList, Ids(row.list));
        files.written.clear();
        const auto player = [&] {
            std::vector<std::wstring> names = files.Names(kDest);
            if (!row.sync) std::erase(names, L"stray.mp3");
            std::sort(names.begin(), names.end());
            std::wstring all;
            for (const auto& n : names) all += (all.empty() ? L"" : L"|") + n + L"=" + files.Content(kDest + L"\\" + n);
            return all;
        };
        ScriptedHost host;
        host.pathFrom = kList;
        host.pathTo = kDest;
        host.options = row.options;
        host.sync = row.sync;
        host.answer = true;
        files.freeBytes = row.free;
        files.duringCopy = [&](const std::wstring& song) {
            if (!row.cancelDuring.empty() && song.ends_with(L"\\" + row.cancelDuring + L".mp3")) state.bCancel = true;
        };
        SaveFiles(host, files, state, true);
        if (!row.cancelDuring.empty()) {
            EXPECT_EQ(player(), row.afterCancel) << row.proves;
            files.duringCopy = nullptr;
            SaveFiles(host, files, state, true);
        }

        std::wstring renamed;
        for (const auto& ended : EventsOf<run_event::EntryEnded>(host.events))
            if (ended.outcome == run_event::Outcome::Renamed) renamed += (renamed.empty() ? L"" : L"|") + ended.renamedFrom;
        EXPECT_EQ(player(), row.after) << row.proves;
        EXPECT_EQ(renamed, row.renamed) << row.proves;
        EXPECT_EQ(files.written.size(), static_cast<size_t>(row.copies)) << row.proves;
        EXPECT_NE(host.logText.find(row.logHas), std::wstring::npos) << row.proves << "\n" << host.logText;
        EXPECT_EQ(host.questions, row.asked.empty() ? std::vector<std::wstring>{} : std::vector{row.asked}) << row.proves;
    }
}

}  // namespace
}  // namespace tunelift::testing
