// tunelift-cli from its words to its output and exit code, over the memory file system.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "console/cli_run.h"
#include "console/cli_system.h"
#include "console/cli_texts.h"
#include "engine/copy_bar.h"
#include "tests/support/memory_files.h"

namespace tunelift::testing {
namespace {

class ScriptedSystem : public cli::CliSystem {
public:
    explicit ScriptedSystem(MemoryFiles& files) : files_(files) {}
    void Write(const std::wstring& text) override { out += text; }
    void WriteError(const std::wstring& text) override { err += text; }
    bool FolderExists(const std::wstring& path) override { return files_.folders.contains(path); }
    void EnterFolder(const std::wstring& folder) override { files_.currentFolder = folder; }
    void ListenForInterrupt(const std::wstring& message) override { listening = message; }
    bool Interrupted() override { return interrupted; }

    std::wstring out, err, listening;
    bool interrupted = false;

private:
    MemoryFiles& files_;
};

const std::wstring kList = L"C:\\Lists\\mix.m3u";
const std::wstring kPlayer = L"C:\\Work\\Player";

class CliRun : public ::testing::Test {
protected:
    void SetUp() override {
        files.ignoreCase = true;
        files.currentFolder = L"C:\\Work";
        files.AddFolder(kPlayer);
        files.AddFile(L"C:\\Lists\\Music\\a.mp3", L"song a");
        files.AddFile(L"C:\\Music\\b.mp3", L"song b");
        files.AddFile(kList, L"#EXTM3U\r\nMusic\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
    }
    void TearDown() override { mdlCopyBar::CopyBar = nullptr; }

    int Run(const std::vector<std::wstring>& args) { return cli::RunCli(args, files, system); }
    std::wstring Player() const {
        std::vector<std::wstring> names = files.Names(kPlayer);
        std::sort(names.begin(), names.end());
        std::wstring out;
        for (const auto& n : names) out += (out.empty() ? L"" : L"|") + n + L"=" + files.Content(kPlayer + L"\\" + n);
        return out;
    }

    MemoryFiles files;
    ScriptedSystem system{files};
};

const std::wstring kUsageStart = L"Usage: tunelift-cli copy|check PLAYLIST DESTINATION";

TEST_F(CliRun, PrintsTheWindowsLogAndASummaryAndEndsWithItsCode) {
    const struct {
        const char* proves;
        std::vector<std::wstring> args;
        std::wstring list;  // replaces the playlist when not empty
        std::wstring out;
        int code;
        std::wstring player;
    } rows[] = {
        {"relative entries mean the playlist's folder, a relative destination where it was typed",
         {L"copy", L"..\\Lists\\mix.m3u", L"Player"}, L"",
         L"Music\\a.mp3\ncopied to:\nC:\\Work\\Player\\a.mp3\n1/1 ok\n---\n"
         L"C:\\Music\\b.mp3\ncopied to:\nC:\\Work\\Player\\b.mp3\n2/2 ok\n---\nAll files copied!\n"
         L"entries: 2, ok: 2, errors: 0, deleted: 0\n",
         0, L"a.mp3=song a|b.mp3=song b"},
        {"a failing entry is code 1", {L"copy", kList, kPlayer}, L"C:\\Music\\gone.mp3\r\nC:\\Music\\b.mp3\r\n",
         L"C:\\Music\\gone.mp3\ncopied to:\nC:\\Work\\Player\\gone.mp3\n0/1 error\n---\n"
         L"C:\\Music\\b.mp3\ncopied to:\nC:\\Work\\Player\\b.mp3\n1/2 ok\n---\nAll files copied!\n"
         L"entries: 2, ok: 1, errors: 1, deleted: 0\n",
         1, L"b.mp3=song b"},
        {"check writes nothing, also into a folder that is not there", {L"check", kList, L"D:\\Stick"}, L"",
         L"Music\\a.mp3\n1/1 ok\n---\nC:\\Music\\b.mp3\n2/2 ok\n---\nSearch finished!\n"
         L"entries: 2, ok: 2, errors: 0, deleted: 0\n",
         0, L""},
        {"German texts", {L"copy", kList, kPlayer, L"--lang", L"de"}, L"[playlist]\r\nFile1=C:\\Music\\b.mp3\r\n",
         L"C:\\Music\\b.mp3\nwird kopiert nach:\nC:\\Work\\Player\\\n1/1 ok\n---\nAlle Dateien kopiert!\n"
         L"Eintr\u00e4ge: 1, ok: 1, Fehler: 0, gel\u00f6scht: 0\n",
         0, L"b.mp3=song b"},
        {"not a playlist is refused", {L"copy", kList, kPlayer}, L"hello\r\n", L"No playlist found!\n", 2, L""},
        {"help", {L"--help"}, L"", cli::kCliEnglish.Usage, 0, L""},
    };
    for (const auto& row : rows) {
        SetUp();
        system.out.clear();
        files.folders.erase(kPlayer);
        files.AddFolder(kPlayer);
        if (!row.list.empty()) files.AddFile(kList, row.list);
        EXPECT_EQ(Run(row.args), row.code) << row.proves;
        EXPECT_EQ(system.out, row.out) << row.proves;
        EXPECT_EQ(Player(), row.player) << row.proves;
        EXPECT_EQ(system.err.starts_with(kUsageStart), row.code == 2) << row.proves;
        system.err.clear();
    }
}

TEST_F(CliRun, ARefusedRunSaysWhyAndHowAndTouchesNothing) {
    const struct {
        std::vector<std::wstring> args;
        std::wstring why;
    } rows[] = {
        {{}, L"Say copy or check.\n\n"},
        {{L"copy", L"C:\\Lists\\none.m3u", kPlayer}, L"Playlist not found: C:\\Lists\\none.m3u\n\n"},
        {{L"copy", L"C:\\Lists", kPlayer}, L"Playlist not found: C:\\Lists\n\n"},
        {{L"copy", kList, L"Stick"}, L"Destination folder not found: C:\\Work\\Stick\n\n"},
        {{L"copy", kList, kPlayer, L"--fast"}, L"Unknown switch: --fast\n\n"},
    };
    for (const auto& row : rows) {
        system.err.clear();
        EXPECT_EQ(Run(row.args), cli::kRefused);
        EXPECT_EQ(system.err, row.why + cli::kCliEnglish.Usage);
        EXPECT_EQ(system.out, L"");
        EXPECT_EQ(files.currentFolder, L"C:\\Work") << "the current folder stays";
    }
    EXPECT_TRUE(files.copies.empty());
}

TEST_F(CliRun, DryRunTellsWhatACopyWouldDoAndDoesNothing) {
    files.AddFile(kList, L"#EXTM3U\r\nMusic\\a.mp3\r\nC:\\Music\\b.mp3\r\nC:\\Music\\gone.mp3\r\nMusic\\a.mp3\r\n");
    files.AddFile(kPlayer + L"\\b.mp3", L"older b");
    files.AddFile(kPlayer + L"\\stray.mp3", L"stray");
    EXPECT_EQ(Run({L"copy", kList, kPlayer, L"--sync", L"--dry-run"}), cli::kEntryFailed);
    EXPECT_EQ(system.out,
              L"would copy: Music\\a.mp3 -> C:\\Work\\Player\\a.mp3\n"
              L"would leave: C:\\Work\\Player\\b.mp3\n"
              L"would fail: C:\\Music\\gone.mp3\n"
              L"would leave: C:\\Work\\Player\\a.mp3\n"  // the copy it would have made is there
              L"would delete: C:\\Work\\Player\\stray.mp3\n"
              L"entries: 4, ok: 3, errors: 1, deleted: 1\n");
    EXPECT_EQ(Player(), L"b.mp3=older b|stray.mp3=stray");
    EXPECT_TRUE(files.copies.empty());
    EXPECT_TRUE(files.removed.empty());
}

TEST_F(CliRun, SyncCountsWhatItDeleted) {
    files.AddFile(kPlayer + L"\\stray.mp3", L"stray");
    files.AddFile(kPlayer + L"\\stray.jpg", L"stray");
    EXPECT_EQ(Run({L"copy", kList, kPlayer, L"--sync"}), cli::kAllOk);
    EXPECT_TRUE(system.out.ends_with(L"All files copied!\nentries: 2, ok: 2, errors: 0, deleted: 2\n")) << system.out;
    EXPECT_EQ(Player(), L"a.mp3=song a|b.mp3=song b");
}

TEST_F(CliRun, CtrlCStopsAfterTheSongBeingCopiedWithCode3) {
    files.AddFile(kList, L"#EXTM3U\r\nMusic\\a.mp3\r\nC:\\Music\\b.mp3\r\nC:\\Music\\b.mp3\r\n");
    files.duringCopy = [this](const std::wstring&) { system.interrupted = true; };
    EXPECT_EQ(Run({L"copy", kList, kPlayer}), cli::kInterrupted);
    EXPECT_EQ(system.listening, L"Interrupted: stopping after the song being copied.");
    EXPECT_EQ(system.out, L"Music\\a.mp3\ncopied to:\nC:\\Work\\Player\\a.mp3\n1/1 ok\n---\nCanceled!\n"
                          L"entries: 1, ok: 1, errors: 0, deleted: 0\n");
    EXPECT_EQ(Player(), L"a.mp3=song a");
}

TEST_F(CliRun, CtrlCWhileSyncListsTheDestinationStillStopsTheRun) {
    // The run forgets a Cancel pressed while it lists; Ctrl+C stays pressed.
    files.AddFile(kPlayer + L"\\stray.mp3", L"stray");
    system.interrupted = true;
    EXPECT_EQ(Run({L"copy", kList, kPlayer, L"--sync", L"--dry-run"}), cli::kInterrupted);
    EXPECT_EQ(system.out, L"Canceled!\nentries: 0, ok: 0, errors: 0, deleted: 0\n");
    EXPECT_EQ(Player(), L"stray.mp3=stray");
}

}  // namespace
}  // namespace tunelift::testing
