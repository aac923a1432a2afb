// tunelift-cli from its words to its output, its exit code and the player's files, over
// the memory file system.
#include <gtest/gtest.h>

#include "console/cli_run.h"
#include "console/cli_texts.h"
#include "tunelift_version.h"
#include "tests/support/memory_files.h"

namespace tunelift::testing {
namespace {

struct ScriptedSystem : cli::CliSystem {
    explicit ScriptedSystem(MemoryFiles& f) : files(f) {}
    void Write(const std::wstring& text) override { out += text; }
    void WriteError(const std::wstring& text) override { err += text; }
    bool FolderExists(const std::wstring& path) override { return files.folders.contains(path); }
    void EnterFolder(const std::wstring& folder) override { files.currentFolder = folder; }
    void ListenForInterrupt(const std::wstring&) override {}
    bool Interrupted() override { return interrupted; }

    MemoryFiles& files;
    std::wstring out, err;
    bool interrupted = false;
};

// What happens while the run goes.
enum class Midway { Nothing, CtrlCAtStart, CtrlCDuringFirstCopy, PlaylistGoneDuringFirstCopy };

const std::wstring kList = L"C:\\Lists\\mix.m3u", kPlayer = L"C:\\Work\\Player";

struct Row {
    const char* proves;
    std::vector<std::wstring> words;
    std::wstring list, out;
    int code;
    std::wstring player;  // the player's files afterwards, name=content
    std::wstring err = L"";  // how standard error starts
    Midway midway = Midway::Nothing;
    std::wstring alsoOnPlayer = L"";  // one more file on the player before the run, name=content
    std::wstring listAt = kList;      // where `list` is written
};

const std::wstring kAb = L"#EXTM3U\r\nMusic\\a.mp3\r\nC:\\Music\\b.mp3\r\n";
const std::wstring kLogA = L"C:\\Lists\\Music\\a.mp3\ncopied to:\nC:\\Work\\Player\\a.mp3\n1/1 ok\n---\n";
const std::wstring kUsage = cli::UsageText(false);

TEST(CliRun, EveryRunEndsWithItsOutputAndCode) {
    const Row rows[] = {
        {"relative entries mean the playlist's folder, relative words the folder they were typed in",
         {L"copy", L"..\\Lists\\mix.m3u", L"Player"}, kAb,
         kLogA + L"C:\\Music\\b.mp3\ncopied to:\nC:\\Work\\Player\\b.mp3\n2/2 ok\n---\nAll files copied!\n"
                 L"entries: 2, ok: 2, errors: 0, deleted: 0\n",
         0, L"old.mp3=old|a.mp3=song a|b.mp3=song b"},
        {"a failing entry is code 1", {L"copy", kList, kPlayer}, L"#EXTM3U\r\nC:\\Music\\gone.mp3\r\n",
         L"C:\\Music\\gone.mp3\ncopied to:\nC:\\Work\\Player\\gone.mp3\n0/1 error\n---\nFinished: 1 of 1 songs could not be copied!\n"
         L"entries: 1, ok: 0, errors: 1, deleted: 0\n",
         1, L"old.mp3=old"},
        {"check writes nothing, into a folder that is not there either", {L"check", kList, L"D:\\Stick"}, kAb,
         L"C:\\Lists\\Music\\a.mp3\n1/1 ok\n---\nC:\\Music\\b.mp3\n2/2 ok\n---\nSearch finished!\n"
         L"entries: 2, ok: 2, errors: 0, deleted: 0\n",
         0, L"old.mp3=old"},
        {"German texts", {L"copy", kList, kPlayer, L"--lang", L"de"}, L"[playlist]\r\nFile1=C:\\Music\\b.mp3\r\n",
         L"C:\\Music\\b.mp3\nwird kopiert nach:\nC:\\Work\\Player\\b.mp3\n1/1 ok\n---\nAlle Dateien kopiert!\n"
         L"Eintr\u00e4ge: 1, ok: 1, Fehler: 0, gel\u00f6scht: 0\n",
         0, L"old.mp3=old|b.mp3=song b"},
        {"Sync counts what it deleted", {L"copy", kList, kPlayer, L"--sync"}, kAb,
         kLogA + L"C:\\Music\\b.mp3\ncopied to:\nC:\\Work\\Player\\b.mp3\n2/2 ok\n---\nAll files copied!\n"
                 L"entries: 2, ok: 2, errors: 0, deleted: 1\n",
         0, L"a.mp3=song a|b.mp3=song b"},
        {"a dry run tells what a copy would do, and does nothing", {L"copy", kList, kPlayer, L"--sync", L"--dry-run"},
         kAb + L"C:\\Music\\gone.mp3\r\nMusic\\a.mp3\r\n",
         L"would copy: C:\\Lists\\Music\\a.mp3 -> C:\\Work\\Player\\a.mp3\n"
         L"would copy: C:\\Music\\b.mp3 -> C:\\Work\\Player\\b.mp3\nwould fail: C:\\Music\\gone.mp3\n"
         L"would leave: C:\\Work\\Player\\a.mp3\nwould delete: C:\\Work\\Player\\old.mp3\n"
         L"entries: 4, ok: 3, errors: 1, deleted: 1\n",
         1, L"old.mp3=old"},
        {"Ctrl+C stops after the song being copied", {L"copy", kList, kPlayer}, kAb,
         kLogA + L"Canceled!\nentries: 1, ok: 1, errors: 0, deleted: 0\n", 3, L"old.mp3=old|a.mp3=song a", L"",
         Midway::CtrlCDuringFirstCopy},
        {"Ctrl+C while Sync lists the destination is not forgotten", {L"copy", kList, kPlayer, L"--sync"}, kAb,
         L"Canceled!\nentries: 0, ok: 0, errors: 0, deleted: 0\n", 3, L"old.mp3=old", L"", Midway::CtrlCAtStart},
        {"not a playlist is refused", {L"copy", kList, kPlayer}, L"<html></html>", L"No playlist found!\n", 2,
         L"old.mp3=old", kUsage},
        {"a missing playlist is refused", {L"copy", L"C:\\Lists\\none.m3u", kPlayer}, kAb, L"", 2, L"old.mp3=old",
         L"Playlist not found: C:\\Lists\\none.m3u\n\n" + kUsage},
        {"a missing destination folder is refused", {L"copy", kList, L"Stick"}, kAb, L"", 2, L"old.mp3=old",
         L"Destination folder not found: C:\\Work\\Stick\n\n" + kUsage},
        {"help", {L"--help"}, kAb, kUsage, 0, L"old.mp3=old"},
        {"--version names the program and its version", {L"--version"}, kAb, L"tunelift-cli " TUNELIFT_VERSION_W L"\n", 0,
         L"old.mp3=old"},
        {"numbered songs and their playlist arrive", {L"copy", kList, kPlayer, L"--number", L"--write-playlist"}, kAb,
         L"C:\\Lists\\Music\\a.mp3\ncopied to:\nC:\\Work\\Player\\01 - a.mp3\n1/1 ok\n---\nC:\\Music\\b.mp3\ncopied to:\n"
         L"C:\\Work\\Player\\02 - b.mp3\n2/2 ok\n---\nPlaylist written: mix.m3u\nAll files copied!\n"
         L"entries: 2, ok: 2, errors: 0, deleted: 0\n",
         0, L"old.mp3=old|01 - a.mp3=song a|02 - b.mp3=song b|mix.m3u=#EXTM3U\r\n01 - a.mp3\r\n02 - b.mp3\r\n"},
        {"only changed songs are replaced", {L"copy", kList, kPlayer, L"--overwrite", L"--only-changed"}, kAb,
         kLogA + L"C:\\Music\\b.mp3\ncopied to:\nC:\\Work\\Player\\b.mp3\n2/2 ok\n---\nAll files copied!\n"
                 L"entries: 2, ok: 2, errors: 0, deleted: 0\n",
         0, L"old.mp3=old|a.mp3=song A|b.mp3=song b", L"", Midway::Nothing, L"a.mp3=song A"},
        {"a dry run writes no playlist and leaves an unchanged song", {L"copy", kList, kPlayer, L"--write-playlist",
         L"--overwrite", L"--only-changed", L"--dry-run"}, kAb,
         L"would leave: C:\\Work\\Player\\a.mp3\nwould copy: C:\\Music\\b.mp3 -> C:\\Work\\Player\\b.mp3\n"
         L"would write: C:\\Work\\Player\\mix.m3u\nentries: 2, ok: 2, errors: 0, deleted: 0\n",
         0, L"old.mp3=old|a.mp3=song A", L"", Midway::Nothing, L"a.mp3=song A"},
        {"a dry run leaves a song listed twice as the real run does, once copied", {L"copy", kList, kPlayer,
         L"--overwrite", L"--only-changed", L"--dry-run"}, L"#EXTM3U\r\nC:\\Music\\b.mp3\r\nC:\\Music\\b.mp3\r\n",
         L"would copy: C:\\Music\\b.mp3 -> C:\\Work\\Player\\b.mp3\nwould leave: C:\\Work\\Player\\b.mp3\n"
         L"entries: 2, ok: 2, errors: 0, deleted: 0\n",
         0, L"old.mp3=old"},
        {"a dry run with Sync spares the playlist the real run writes anew", {L"copy", kList, kPlayer, L"--sync",
         L"--write-playlist", L"--dry-run"}, kAb,
         L"would copy: C:\\Lists\\Music\\a.mp3 -> C:\\Work\\Player\\a.mp3\nwould copy: C:\\Music\\b.mp3 -> C:\\Work\\Player\\b.mp3\n"
         L"would delete: C:\\Work\\Player\\old.mp3\nwould write: C:\\Work\\Player\\mix.m3u\n"
         L"entries: 2, ok: 2, errors: 0, deleted: 1\n",
         0, L"old.mp3=old|mix.m3u=old list", L"", Midway::Nothing, L"mix.m3u=old list"},
        {"a dry run tells which numbered song it would rename, and renames nothing",
         {L"copy", kList, kPlayer, L"--number", L"--dry-run"}, kAb,
         L"would copy: C:\\Lists\\Music\\a.mp3 -> C:\\Work\\Player\\01 - a.mp3\n"
         L"would rename: C:\\Work\\Player\\01 - b.mp3 -> C:\\Work\\Player\\02 - b.mp3\n"
         L"entries: 2, ok: 2, errors: 0, deleted: 0\n",
         0, L"old.mp3=old|01 - b.mp3=song b", L"", Midway::Nothing, L"01 - b.mp3=song b"},
        {"Ctrl+C after a failed entry is code 3, not 1", {L"copy", kList, kPlayer},
         L"#EXTM3U\r\nC:\\Music\\gone.mp3\r\nMusic\\a.mp3\r\nC:\\Music\\b.mp3\r\n",
         L"C:\\Music\\gone.mp3\ncopied to:\nC:\\Work\\Player\\gone.mp3\n0/1 error\n---\n"
         L"C:\\Lists\\Music\\a.mp3\ncopied to:\nC:\\Work\\Player\\a.mp3\n1/2 ok\n---\nCanceled!\n"
         L"entries: 2, ok: 1, errors: 1, deleted: 0\n",
         3, L"old.mp3=old|a.mp3=song a", L"", Midway::CtrlCDuringFirstCopy},
        {"a playlist unreadable after an ok entry is code 1", {L"copy", kList, kPlayer}, kAb,
         kLogA + L"The playlist can no longer be read!\nentries: 1, ok: 1, errors: 0, deleted: 0\n", 1,
         L"old.mp3=old|a.mp3=song a", L"", Midway::PlaylistGoneDuringFirstCopy},
        {"an XSPF is read without a switch", {L"copy", L"C:\\Lists\\evening.xspf", kPlayer},
         L"<playlist xmlns=\"http://xspf.org/ns/0/\"><trackList><track><location>Music/a.mp3</location></track>"
         L"</trackList></playlist>",
         kLogA + L"All files copied!\nentries: 1, ok: 1, errors: 0, deleted: 0\n", 0, L"old.mp3=old|a.mp3=song a", L"",
         Midway::Nothing, L"", L"C:\\Lists\\evening.xspf"},
    };
    for (const Row& row : rows) {
        MemoryFiles files;
        files.ignoreCase = true;
        files.currentFolder = L"C:\\Work";
        files.AddFile(L"C:\\Lists\\Music\\a.mp3", L"song a");
        files.AddFile(L"C:\\Music\\b.mp3", L"song b");
        files.AddFile(kPlayer + L"\\old.mp3", L"old");
        files.AddFile(row.listAt, row.list);
        if (const size_t is = row.alsoOnPlayer.find(L'='); is != std::wstring::npos)
            files.AddFile(kPlayer + L"\\" + row.alsoOnPlayer.substr(0, is), row.alsoOnPlayer.substr(is + 1));
        ScriptedSystem system(files);
        system.interrupted = row.midway == Midway::CtrlCAtStart;
        if (row.midway == Midway::CtrlCDuringFirstCopy)
            files.duringCopy = [&](const std::wstring&) { system.interrupted = true; };
        if (row.midway == Midway::PlaylistGoneDuringFirstCopy)
            files.duringCopy = [&](const std::wstring&) { files.RemoveFile(kList); };

        EXPECT_EQ(cli::RunCli(row.words, files, system), row.code) << row.proves;
        EXPECT_EQ(system.out, row.out) << row.proves;
        EXPECT_EQ(system.err, row.err) << row.proves;
        std::wstring player;  // in the order the files were made
        for (const auto& n : files.Names(kPlayer)) player += (player.empty() ? L"" : L"|") + n + L"=" + files.Content(kPlayer + L"\\" + n);
        EXPECT_EQ(player, row.player) << row.proves;
    }
}

}  // namespace
}  // namespace tunelift::testing
