// A run on its own thread against the memory files, while this thread cancels, switches
// the language, answers a question and reads the log: the hand-off the window makes.
// Built once more under ThreadSanitizer, which fails it on any unsynchronised access.
#include "engine/background_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/support/memory_files.h"
#include "tests/support/scripted_host.h"

namespace tunelift::testing {
namespace {

const std::wstring kList = L"C:\\Lists\\mix.m3u", kDest = L"E:\\Player";

class HandOff : public ::testing::Test {
protected:
    void SetUp() override {
        files.AddFolder(kDest);
        std::wstring list;
        for (int n = 1; n <= kSongs; ++n) {
            const std::wstring song = L"C:\\Music\\" + std::to_wstring(n) + L".mp3";
            files.AddFile(song, std::wstring(64, L'x'));
            list += song + L"\r\n";
        }
        files.AddFile(kList, list);
        files.AddFile(kDest + L"\\stray.jpg");
        choices.playlist = kList;
        choices.destination = kDest;
    }

    // Shows what the run told, as the window does at each look; the run's end, once taken.
    std::optional<RunEnd> Look() {
        for (const RunEvent& e : run.TakeEvents()) screen.Tell(e);
        if (const auto question = run.Question()) {
            questions.push_back(*question);
            run.Answer(answer);
        }
        return run.TakeEnd();
    }
    RunEnd LookUntilTheEnd(const std::function<void()>& betweenLooks) {
        for (;;) {
            if (const auto end = Look()) return *end;
            betweenLooks();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

    static constexpr int kSongs = 300;
    MemoryFiles files;
    RunState state;
    std::atomic<int> wakes{0};
    BackgroundRun run{files, state, [this] { ++wakes; }};
    BackgroundRun::Choices choices;
    ScriptedHost screen;  // the window's display of the run, on this thread only
    std::vector<std::wstring> questions;
    bool answer = false;
};

TEST_F(HandOff, CancelAndLanguageSwitchesReachTheRunAndTheLogStaysInOrder) {
    // The 21st song's copy lasts until the cancel came, however the threads are scheduled.
    files.duringCopy = [this](const std::wstring& source) {
        if (!source.ends_with(L"\\21.mp3")) return;
        for (int ms = 0; ms < 20000 && !state.bCancel; ++ms) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    ASSERT_TRUE(run.Start(true, choices));
    EXPECT_FALSE(run.Start(true, choices)) << "a second run while one is under way";
    int looks = 0;
    const RunEnd end = LookUntilTheEnd([&] {
        choices.texts = ++looks % 2 ? &kRunGerman : &kRunEnglish;
        run.Update(choices);
        // Paging the log while the run writes it (until the cancel: a scroll refresh would
        // replace the cancel line the view gets).
        if (!state.bCancel) screen.MoveScrollTo(looks % 50);
        const auto started = EventsOf<run_event::EntryStarted>(screen.events);
        if (!started.empty() && started.back().source.ends_with(L"\\21.mp3")) run.Cancel();
    });
    EXPECT_EQ(end, RunEnd::Canceled);
    const auto ended = EventsOf<run_event::EntryEnded>(screen.events);
    EXPECT_EQ(ended.size(), 21u) << "the cancel stopped the run after the song being copied";
    for (size_t i = 0; i < ended.size(); ++i) EXPECT_EQ(ended[i].progress.entries, static_cast<int>(i + 1));
    EXPECT_TRUE(screen.logText.ends_with(L"Canceled!") || screen.logText.ends_with(L"abgebrochen!"));
    EXPECT_NE(screen.Log().Slot(1).find(L"1/1 ok"), std::wstring::npos);
    EXPECT_TRUE(files.Has(kDest + L"\\stray.jpg")) << "a cancelled run deletes nothing";
    EXPECT_FALSE(run.Running());
}

TEST_F(HandOff, TheRunWaitsForTheAnswerToItsQuestion) {
    choices.sync = true;
    choices.options.askBeforeSync = true;
    for (const bool yes : {false, true}) {
        answer = yes;
        questions.clear();
        ASSERT_TRUE(run.Start(true, choices));
        EXPECT_EQ(LookUntilTheEnd([] {}), RunEnd::Finished);
        ASSERT_EQ(questions.size(), 1u) << yes;
        EXPECT_NE(questions[0].find(L"stray.jpg"), std::wstring::npos);
        EXPECT_EQ(files.Has(kDest + L"\\stray.jpg"), !yes);
    }
    EXPECT_GT(wakes.load(), 0) << "the run woke its front end for the question and the end";
}

TEST_F(HandOff, ARunLeftWithAQuestionOpenIsAnsweredNoAndWaitedFor) {
    choices.sync = true;
    choices.options.askBeforeSync = true;
    {
        BackgroundRun abandoned{files, state, [] {}};
        ASSERT_TRUE(abandoned.Start(true, choices));
        while (!abandoned.Question()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }  // gone while the question is open: no answer ever comes from a front end
    EXPECT_TRUE(files.Has(kDest + L"\\stray.jpg"));
    EXPECT_FALSE(state.running);
}

}  // namespace
}  // namespace tunelift::testing
