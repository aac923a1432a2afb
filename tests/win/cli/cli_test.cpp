// tunelift-cli.exe as a shell starts it: what it prints, the code it ends with, and what
// it leaves on disk.
#include <gtest/gtest.h>

#include <functional>

#include "cli_process.h"
#include "scratch_folder.h"
#include "tests/win/faults/tree_snapshot.h"

namespace tunelift::testing {
namespace {

class CliProcess : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* folder : {L"Lists", L"Lists\\Songs", L"Music", L"Player", L"logs"}) dir.MakeFolder(folder);
        dir.WriteFile(L"Lists\\Songs\\K\u00fcche.mp3", "kitchen song");
        dir.WriteFile(L"Music\\b.mp3", "song b");
        at = Utf8(dir.path());
    }

    // tunelift-cli with `args`, started in the scratch folder.
    Finished RunCli(const std::wstring& args) {
        return RunToEnd(Quoted(ProgramBeside(L"tunelift-cli.exe")) + L" " + args, dir.path(), dir / L"logs");
    }
    void Playlist(const std::string& text) { dir.WriteFile(L"Lists\\mix.m3u", text); }
    std::string Usage() const { return "Usage: tunelift-cli copy|check PLAYLIST DESTINATION [switches]\r\n"; }

    ScratchFolder dir{L"tunelift-cli-"};
    std::string at;  // the scratch folder, UTF-8
};

TEST_F(CliProcess, PrintsTheLogInUtf8AndEndsWithTheRunsCode) {
    const std::string kitchen = Utf8(L"K\u00fcche.mp3");
    const struct {
        const char* proves;
        std::string list;
        std::wstring args;
        std::function<std::string(const std::string& at)> out;
        DWORD code;
        std::vector<std::wstring> copied;
    } rows[] = {
        {"relative entries mean the playlist's folder, relative arguments the folder it was started in",
         "#EXTM3U\r\nSongs\\" + kitchen + "\r\n" + at + "\\Music\\b.mp3\r\n", L"copy Lists\\mix.m3u Player",
         [&](const std::string& at) {
             return "Songs\\" + kitchen + "\r\ncopied to:\r\n" + at + "\\Player\\" + kitchen + "\r\n1/1 ok\r\n---\r\n" +
                    at + "\\Music\\b.mp3\r\ncopied to:\r\n" + at + "\\Player\\b.mp3\r\n2/2 ok\r\n---\r\n" +
                    "All files copied!\r\nentries: 2, ok: 2, errors: 0, deleted: 0\r\n";
         },
         0, {L"K\u00fcche.mp3", L"b.mp3"}},
        {"a failing entry is code 1, in German", "#EXTM3U\r\nSongs\\gone.mp3\r\n",
         L"copy Lists\\mix.m3u Player --lang de",
         [&](const std::string& at) {
             return "Songs\\gone.mp3\r\nwird kopiert nach:\r\n" + at + "\\Player\\gone.mp3\r\n0/1 error\r\n---\r\n" +
                    "Alle Dateien kopiert!\r\n" + Utf8(L"Eintr\u00e4ge: 1, ok: 0, Fehler: 1, gel\u00f6scht: 0") + "\r\n";
         },
         1, {}},
        {"not a playlist is refused", "hello\r\n", L"copy Lists\\mix.m3u Player",
         [](const std::string&) { return std::string("No playlist found!\r\n"); }, 2, {}},
        {"a missing playlist is refused", "", L"copy Lists\\none.m3u Player",
         [](const std::string&) { return std::string(); }, 2, {}},
        {"a missing destination folder is refused", "#EXTM3U\r\n", L"copy Lists\\mix.m3u Stick",
         [](const std::string&) { return std::string(); }, 2, {}},
        {"bad words are refused", "", L"copy", [](const std::string&) { return std::string(); }, 2, {}},
    };
    for (const auto& row : rows) {
        Playlist(row.list);
        const Finished run = RunCli(row.args);
        ASSERT_TRUE(run.ended) << row.proves;
        EXPECT_EQ(run.code, row.code) << row.proves;
        EXPECT_EQ(run.out, row.out(at)) << row.proves;
        if (row.code == 2) EXPECT_NE(run.err.find(Usage()), std::string::npos) << row.proves << ": " << run.err;
        else EXPECT_EQ(run.err, "") << row.proves;
        for (const auto& name : row.copied)
            EXPECT_EQ(dir.Read(L"Player\\" + name), name == L"b.mp3" ? "song b" : "kitchen song") << row.proves;
        RemoveTree(dir / L"Player");
        dir.MakeFolder(L"Player");
    }
}

TEST_F(CliProcess, RefusalsNameTheirReasonBeforeTheUsage) {
    Playlist("#EXTM3U\r\n");
    const struct {
        std::wstring args;
        std::string why;
    } rows[] = {
        {L"copy Lists\\none.m3u Player", "Playlist not found: " + at + "\\Lists\\none.m3u\r\n\r\n"},
        {L"copy Lists\\mix.m3u Stick", "Destination folder not found: " + at + "\\Stick\r\n\r\n"},
        {L"copy Lists\\mix.m3u Player --fast", "Unknown switch: --fast\r\n\r\n"},
    };
    for (const auto& row : rows) {
        const Finished run = RunCli(row.args);
        EXPECT_EQ(run.code, 2u);
        EXPECT_EQ(run.err.substr(0, row.why.size() + Usage().size()), row.why + Usage());
    }
}

TEST_F(CliProcess, HelpGoesToStandardOutputWithCode0) {
    const Finished run = RunCli(L"--help --lang de");
    EXPECT_EQ(run.code, 0u);
    EXPECT_TRUE(run.out.starts_with("Aufruf: tunelift-cli copy|check PLAYLIST ZIEL")) << run.out;
    EXPECT_NE(run.out.find(Utf8(L"R\u00fcckgabewerte: 0")), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST_F(CliProcess, DryRunChangesNothingAtAll) {
    Playlist("#EXTM3U\r\nSongs\\" + Utf8(L"K\u00fcche.mp3") + "\r\n" + at + "\\Music\\b.mp3\r\n");
    dir.WriteFile(L"Player\\b.mp3", "older b");
    dir.WriteFile(L"Player\\stray.mp3", "not in the list");
    const TreeSnapshot before = Snapshot(dir.path(), {L"logs"});
    const Finished run = RunCli(L"copy Lists\\mix.m3u Player --sync --overwrite --dry-run");
    EXPECT_EQ(SnapshotDiff(before, Snapshot(dir.path(), {L"logs"})), "");
    EXPECT_EQ(run.code, 0u);
    EXPECT_EQ(run.out, Utf8(L"would copy: Songs\\K\u00fcche.mp3 -> ") + at + Utf8(L"\\Player\\K\u00fcche.mp3\r\n") +
                           "would copy: " + at + "\\Music\\b.mp3 -> " + at + "\\Player\\b.mp3\r\n" +
                           "would delete: " + at + "\\Player\\stray.mp3\r\n" +
                           "entries: 2, ok: 2, errors: 0, deleted: 1\r\n");
}

TEST_F(CliProcess, CmdWaitsForItAndErrorlevelHoldsItsCode) {
    Playlist("#EXTM3U\r\n" + at + "\\Music\\b.mp3\r\n");
    const struct {
        std::wstring args;
        std::string level;
    } rows[] = {{L"check Lists\\mix.m3u Player", "0"}, {L"check Lists\\mix.m3u", "2"}, {L"copy Lists\\none.m3u Player", "2"}};
    for (const auto& row : rows) {
        dir.WriteFile(L"logs\\run.cmd", "@echo off\r\n" + Utf8(Quoted(ProgramBeside(L"tunelift-cli.exe"))) + " " +
                                            Utf8(row.args) + "\r\n>logs\\level.txt echo %ERRORLEVEL%\r\n");
        const Finished run = RunToEnd(L"cmd.exe /s /c \"" + Quoted(dir / L"logs\\run.cmd") + L"\"", dir.path(),
                                      dir / L"logs");
        ASSERT_TRUE(run.ended);
        EXPECT_EQ(dir.Read(L"logs\\level.txt"), row.level + "\r\n") << Utf8(row.args);
    }
}

}  // namespace
}  // namespace tunelift::testing
