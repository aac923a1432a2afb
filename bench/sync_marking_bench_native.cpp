// Marks a destination of 20,000 files against 20,000 recorded names, once with the
// sync's lookup and once with the plain comparison loop (each listed name against
// the recorded names in order until the first equal one), side by side in one run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/file_names.h"
#include "engine/find_files.h"
#include "tests/support/memory_files.h"
#include "tests/support/reference_marking.h"
#include "tests/support/scripted_host.h"

using namespace tunelift;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main() {
    constexpr int kFiles = 20000, kRecorded = 20000, kUnnamed = 1000;
    const std::wstring folder = L"E:\\Player";
    testing::MemoryFiles files;
    // Deletions are refused without a look-up: every round marks and deletes the same
    // 1,000 files, and the time is the sync's, not the fake's.
    files.writeProtected = true;
    std::vector<std::wstring> names, recorded;
    for (int i = 0; i < kFiles; ++i) {
        names.push_back(L"Artist - Track " + std::to_wstring(i) + L".mp3");
        files.AddEntry(folder, names.back());
    }
    // The playlist names the files in the opposite order (the worst case for the loop),
    // every third in other letter case, and 1,000 names the folder does not hold.
    for (int i = kFiles - kUnnamed - 1; i >= 0; --i) {
        std::wstring n = names[static_cast<size_t>(i)];
        if (i % 3 == 0) n = FoldNameCase(n);
        recorded.push_back(n);
    }
    for (int i = 0; static_cast<int>(recorded.size()) < kRecorded; ++i)
        recorded.push_back(L"Not There " + std::to_wstring(i) + L".mp3");

    double bestSync = 1e9, bestLoop = 1e9;
    int syncKill = 0;
    int64_t loopKill = 0;
    size_t deleted = 0;
    for (int round = 0; round < 3; ++round) {
        mdlFindFiles::SyncState sync;
        testing::ScriptedHost host;
        files.removed.clear();
        sync.BeginRun();
        sync.List(files, folder);
        sync.ResetEntries();
        for (const auto& n : recorded) sync.Record(n);
        const auto t0 = Clock::now();
        syncKill = sync.SyncDestination(files, host);
        bestSync = std::min(bestSync, Seconds(Clock::now() - t0));
        deleted = files.removed.size();

        // The plain loop gets its keys folded beforehand, so only its comparisons count.
        std::vector<std::wstring> listedKeys, recordedKeys;
        for (const auto& n : names) listedKeys.push_back(FoldNameCase(n));
        for (const auto& n : recorded) recordedKeys.push_back(FoldNameCase(n));
        const auto t1 = Clock::now();
        loopKill = testing::MarkByComparison(listedKeys, recordedKeys).killCount;
        bestLoop = std::min(bestLoop, Seconds(Clock::now() - t1));
    }
    std::printf("files %d, recorded names %d, deleted %zu\n", kFiles, kRecorded, deleted);
    std::printf("KillCount: lookup %d, comparison loop %lld (%s)\n", syncKill, static_cast<long long>(loopKill),
                syncKill == loopKill ? "equal" : "DIFFERENT");
    std::printf("SyncDestination (marking by lookup + deletion): %.4f s (best of 3)\n", bestSync);
    std::printf("comparison loop (marking only):                  %.4f s (best of 3)\n", bestLoop);
    std::printf("ratio loop / lookup: %.0fx\n", bestLoop / bestSync);
    return syncKill == loopKill ? 0 : 1;
}
