// What a front end without a log view learns of a run: the pieces of log text as the run
// adds them, and how far it has come after each playlist line.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

class WatchingHost : public ScriptedHost {
public:
    using ScriptedHost::ScriptedHost;
    void LogAppended(const std::wstring& piece) override { pieces += piece; }
    void LineHandled(const RunProgress& p) override { progress.push_back({p.line, p.lines, p.entries, p.ok}); }

    std::wstring pieces;
    std::vector<std::array<int, 4>> progress;  // line, lines, entries, ok
};

struct HookRow {
    const char* proves;
    std::wstring list;
    bool copy = true;
    std::function<void(MemoryFiles&, WatchingHost&, RunState&)> midway = nullptr;  // at the second yield
};

TEST(RunHooks, PiecesJoinedAreTheLogViewWhateverWayTheRunEnds) {
    const HookRow rows[] = {
        {"M3U Save run", L"#EXTM3U\r\nC:\\Music\\a.mp3\r\nC:\\Music\\gone.mp3\r\n"},
        {"M3U Check run", L"C:\\Music\\a.mp3\r\nC:\\Music\\gone.mp3\r\n", false},
        {"[playlist] Save run", L"[playlist]\r\nFile1=C:\\Music\\a.mp3\r\nFile2=b.mp3\r\n"},
        {"not a playlist", L"hello\r\n"},
        {"canceled", L"C:\\Music\\a.mp3\r\nC:\\Music\\a.mp3\r\nC:\\Music\\a.mp3\r\n", true,
         [](MemoryFiles&, WatchingHost&, RunState& s) { s.bCancel = true; }},
        {"playlist lost midway", L"C:\\Music\\a.mp3\r\nC:\\Music\\a.mp3\r\n", true,
         [](MemoryFiles& f, WatchingHost&, RunState&) { f.folders[L"C:\\Lists"].clear(); }},
    };
    for (const HookRow& row : rows) {
        MemoryFiles files;
        files.AddFolder(kDest);
        files.AddFile(L"C:\\Music\\a.mp3");
        files.AddFile(kList, row.list);
        RunState state;
        WatchingHost host{state};
        host.pathFrom = kList;
        host.pathTo = kDest;
        host.onYield = [&, yields = 0](ScriptedHost&) mutable {
            if (++yields == 2 && row.midway) row.midway(files, host, state);
        };
        SaveFiles(host, files, state, row.copy);
        mdlCopyBar::CopyBar = nullptr;
        EXPECT_FALSE(host.pieces.empty()) << row.proves;
        EXPECT_EQ(host.pieces, host.logText) << row.proves;
    }
}

TEST(RunHooks, ProgressAfterEveryLineCountsLinesEntriesAndOk) {
    const struct {
        const char* proves;
        std::wstring list;
        std::vector<std::array<int, 4>> progress;
    } rows[] = {
        {"M3U: comments and blank lines are lines too, a missing song is no ok",
         L"#EXTM3U\r\nC:\\Music\\a.mp3\r\n\r\nC:\\Music\\gone.mp3",
         {{1, 4, 0, 0}, {2, 4, 1, 1}, {3, 4, 1, 1}, {4, 4, 2, 1}}},
        {"[playlist]: the header is line 1", L"[playlist]\r\nFile1=C:\\Music\\gone.mp3\r\nNumberOfEntries=1\r\n",
         {{1, 3, 0, 0}, {2, 3, 1, 0}, {3, 3, 1, 0}}},
        {"not a playlist: no line is handled", L"hello\r\n", {}},
    };
    for (const auto& row : rows) {
        MemoryFiles files;
        files.AddFolder(kDest);
        files.AddFile(L"C:\\Music\\a.mp3");
        files.AddFile(kList, row.list);
        RunState state;
        WatchingHost host{state};
        host.pathFrom = kList;
        host.pathTo = kDest;
        SaveFiles(host, files, state, true);
        mdlCopyBar::CopyBar = nullptr;
        EXPECT_EQ(host.progress, row.progress) << row.proves;
    }
}

}  // namespace
}  // namespace tunelift::testing
