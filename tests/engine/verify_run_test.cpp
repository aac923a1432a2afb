// Save runs with "Verify every copy": which copies are read back (and shown so), what a
// copy that reads back otherwise leaves, and what songs that changed after they were
// written do to the end of the run.
#include <gtest/gtest.h>

#include <functional>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

const std::wstring kA = kDest + L"\\a.mp3", kB = kDest + L"\\b.mp3";

TEST(VerifyRun, CopiesAreProvedAndSongsChangedOnTheStickFailTheRunAndStopSync) {
    const std::wstring allCopied = L"2/2 ok\r\n---\r\nAll files copied!",
                       changedEnd = L"2/2 ok\r\n---\r\nChanged on the stick: E:\\Player\\a.mp3\r\n"
                                    L"1 songs changed on the stick after they were written. The stick may be failing "
                                    L"or smaller than it claims.\r\nSync deleted nothing.\r\n"
                                    L"Finished: 1 of 2 songs could not be copied!";
    // `prepare` may have the copy of a.mp3 changed while the run copies b.mp3.
    const struct {
        const char* proves;
        bool verify, overwrite;
        std::function<void(MemoryFiles&)> prepare;
        std::wstring after;   // on the player after the run
        std::wstring logEnd;  // the log from the last entry's outcome on
        std::vector<std::wstring> readBacks;
    } rows[] = {
        {"with verify off nothing is read back", false, false, [](MemoryFiles&) {}, L"a.mp3=new a|b.mp3=new b",
         allCopied, {}},
        {"each copy is read back as it is made and once more at the end; a song left alone is never read", true,
         false, [](MemoryFiles& f) { f.AddFile(kA, L"old a"); }, L"a.mp3=old a|b.mp3=new b", allCopied, {kB, kB}},
        {"a copy that reads back otherwise is an error, says so, and the older copy under its name stays", true, true,
         [](MemoryFiles& f) { f.AddFile(kB, L"old b"), f.failingReads = {kB}; }, L"a.mp3=new a|b.mp3=old b",
         L"E:\\Player\\b.mp3\r\nThe copy differs from the song!\r\n1/2 error\r\n---\r\n"
         L"Finished: 1 of 2 songs could not be copied!",
         {kA, kB, kA}},
        {"a song overwritten by a later one is named, fails the run, and Sync deletes nothing", true, false,
         [](MemoryFiles& f) { f.duringCopy = [&f](auto& song) { if (song.ends_with(L"b.mp3")) f.AddFile(kA, L"new b"); }; },
         L"a.mp3=new b|b.mp3=new b|stray.jpg=x",
         changedEnd, {kA, kB, kA, kB}},
        {"a song gone from the stick by the end counts as changed", true, false,
         [](MemoryFiles& f) { f.duringCopy = [&f](auto& song) { if (song.ends_with(L"b.mp3")) f.RemoveFile(kA); }; },
         L"b.mp3=new b|stray.jpg=x", changedEnd,
         {kA, kB, kA, kB}},
    };
    for (const auto& row : rows) {
        MemoryFiles files;
        files.AddFile(L"C:\\Music\\a.mp3", L"new a");
        files.AddFile(L"C:\\Music\\b.mp3", L"new b");
        files.AddFile(kList, L"#EXTM3U\r\nC:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
        files.AddFile(kDest + L"\\stray.jpg", L"x");
        row.prepare(files);
        RunState state;
        ScriptedHost host;
        host.sync = 1;
        host.overwrite = row.overwrite;
        host.options.verify = row.verify;
        // While a copy is read back, the panels name it.
        std::vector<std::wstring> shown, readBacksShown;
        host.onEvent = [&shown](ScriptedHost& h, const RunEvent& e) {
            if (std::holds_alternative<run_event::Verifying>(e)) shown.push_back(h.panels[1]);
        };
        SaveInto(host, files, state);
        EXPECT_EQ(FolderText(files), row.after) << row.proves;
        EXPECT_TRUE(host.logText.ends_with(row.logEnd)) << row.proves << "\n" << host.logText;
        EXPECT_EQ(files.readBacks, row.readBacks) << row.proves;
        for (const std::wstring& path : row.readBacks) readBacksShown.push_back(L"Verifying: " + path);
        EXPECT_EQ(shown, readBacksShown) << row.proves;
    }
}

}  // namespace
}  // namespace tunelift::testing
