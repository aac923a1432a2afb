// Save runs with "Verify every copy": which copies are read back, what a copy that reads
// back otherwise leaves, and what songs that changed after they were written do to the
// end of the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

const std::wstring kA = kDest + L"\\a.mp3", kB = kDest + L"\\b.mp3";

// When the run copies b.mp3, something happens to the copy of a.mp3 on the player.
std::function<void(MemoryFiles&)> WhileBIsCopied(std::function<void(MemoryFiles&)> act) {
    return [act](MemoryFiles& f) {
        f.duringCopy = [&f, act](const std::wstring& song) {
            if (song.ends_with(L"b.mp3")) act(f);
        };
    };
}

struct Row {
    const char* proves;
    bool verify;
    std::wstring player;  // "name=content|..." before the run
    bool overwrite;
    std::function<void(MemoryFiles&)> prepare;
    std::wstring after;   // on the player after it
    std::wstring logEnd;  // the log from the last entry's outcome on
    std::vector<std::wstring> readBacks;
};

TEST(VerifyRun, CopiesAreProvedAndSongsChangedOnTheStickFailTheRunAndStopSync) {
    const std::wstring changedEnd = L"2/2 ok\r\n---\r\nChanged on the stick: E:\\Player\\a.mp3\r\n"
                                    L"1 songs changed on the stick after they were written. The stick may be failing "
                                    L"or smaller than it claims.\r\nSync deleted nothing.\r\n"
                                    L"Finished: 1 of 2 songs could not be copied!";
    const Row rows[] = {
        {"with verify off nothing is read back", false, L"stray.jpg=x", false, nullptr, L"a.mp3=new a|b.mp3=new b",
         L"2/2 ok\r\n---\r\nAll files copied!", {}},
        {"each copy is read back as it is made and once more at the end; a song left alone is never read", true,
         L"a.mp3=old a|stray.jpg=x", false, nullptr, L"a.mp3=old a|b.mp3=new b", L"2/2 ok\r\n---\r\nAll files copied!",
         {kB, kB}},
        {"a copy that reads back otherwise is an error, says so, and the older copy under its name stays", true,
         L"b.mp3=old b|stray.jpg=x", true, [](MemoryFiles& f) { f.failingReads = {kB}; }, L"a.mp3=new a|b.mp3=old b",
         L"E:\\Player\\b.mp3\r\nThe copy differs from the song!\r\n1/2 error\r\n---\r\n"
         L"Finished: 1 of 2 songs could not be copied!",
         {kA, kB, kA}},
        {"a song overwritten by a later one is named, fails the run, and Sync deletes nothing", true, L"stray.jpg=x", false,
         WhileBIsCopied([](MemoryFiles& f) { f.AddFile(kA, L"new b"); }), L"a.mp3=new b|b.mp3=new b|stray.jpg=x",
         changedEnd, {kA, kB, kA, kB}},
        {"a song gone from the stick by the end counts as changed", true, L"stray.jpg=x", false,
         WhileBIsCopied([](MemoryFiles& f) { f.RemoveFile(kA); }), L"b.mp3=new b|stray.jpg=x", changedEnd,
         {kA, kB, kA, kB}},
    };
    for (const Row& row : rows) {
        MemoryFiles files;
        files.AddFile(L"C:\\Music\\a.mp3", L"new a");
        files.AddFile(L"C:\\Music\\b.mp3", L"new b");
        files.AddFile(kList, L"#EXTM3U\r\nC:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
        files.AddFolder(kDest);
        ScriptedHost host;
        for (size_t at = 0; at < row.player.size();) {
            const size_t bar = std::min(row.player.find(L'|', at), row.player.size()), is = row.player.find(L'=', at);
            files.AddFile(kDest + L"\\" + row.player.substr(at, is - at), row.player.substr(is + 1, bar - is - 1));
            at = bar + 1;
        }
        if (row.prepare) row.prepare(files);
        RunState state;
        host.pathFrom = kList;
        host.pathTo = kDest;
        host.sync = 1;
        host.overwrite = row.overwrite;
        host.options.verify = row.verify;
        SaveFiles(host, files, state, true);

        std::vector<std::wstring> names = files.Names(kDest);
        std::sort(names.begin(), names.end());
        std::wstring after;
        for (const auto& n : names) after += (after.empty() ? L"" : L"|") + n + L"=" + files.Content(kDest + L"\\" + n);
        EXPECT_EQ(after, row.after) << row.proves;
        EXPECT_TRUE(host.logText.ends_with(row.logEnd)) << row.proves << "\n" << host.logText;
        EXPECT_EQ(files.readBacks, row.readBacks) << row.proves;
    }
}

// While a copy is read back, the panels name it and the bar follows the read-back.
TEST(VerifyRun, ThePanelsAndTheBarShowTheCopyBeingReadBack) {
    const struct {
        const mdlLanguage::Texts* texts;
        std::wstring shown;
    } rows[] = {
        {&mdlLanguage::kEnglish, L"Verifying: E:\\Player\\a.mp3 | Filename: a.mp3 | Progress: 100% | "},
        {&mdlLanguage::kGerman, L"Pr\u00fcfe: E:\\Player\\a.mp3 | Dateiname: a.mp3 | Fortschritt: 100% | "},
    };
    for (const auto& row : rows) {
        MemoryFiles files;
        files.AddFile(L"C:\\Music\\a.mp3", L"new a");
        files.AddFile(kList, L"C:\\Music\\a.mp3\r\n");
        files.AddFolder(kDest);
        ScriptedHost host;
        host.texts = row.texts;
        host.pathFrom = kList;
        host.pathTo = kDest;
        host.options.verify = true;
        // After each read-back: what the panels and the bar show.
        std::wstring seen;
        bool verifying = false;
        host.onEvent = [&](ScriptedHost& h, const RunEvent& e) {
            if (std::holds_alternative<run_event::Verifying>(e)) verifying = true;
            if (!verifying || !std::holds_alternative<run_event::CopyProgress>(e) || h.barValue != 100) return;
            for (int panel : {1, 2, 3}) seen += h.panels[panel] + L" | ";
            verifying = false;
        };
        RunState state;
        SaveFiles(host, files, state, true);
        EXPECT_EQ(seen, row.shown + row.shown) << "after the copy and once more at the end";
    }
}

}  // namespace
}  // namespace tunelift::testing
