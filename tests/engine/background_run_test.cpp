// A run on its own thread against the memory files, while this thread cancels, switches
// the language, answers a question and reads the log: the hand-off the window makes.
// Built once more under ThreadSanitizer, which fails it on any unsynchronised access.
#include "engine/background_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

class HandOff : public ::testing::Test {
protected:
    void SetUp() override {
        std::wstring list;
        for (int n = 1; n <= 300; ++n) {
            const std::wstring song = L"C:\\Music\\" + std::to_wstring(n) + L".mp3";
            files.AddFile(song, std::wstring(64, L'x'));
            list += song + L"\r\n";
        }
        files.AddFile(kList, list);
        files.AddFile(kDest + L"\\stray.jpg");
        choices = {.playlist = kList, .destination = kDest, .sync = true, .options = {.askBeforeSync = true}};
    }

    // Shows what the run told and answers its question, as the window does at each look,
    // until the run's end.
    RunEnd LookUntilTheEnd(const std::function<void()>& betweenLooks = [] {}) {
        for (;;) {
            for (const RunEvent& e : run.TakeEvents()) screen.Tell(e);
            if (const auto question = run.Question()) questions.push_back(*question), run.Answer(answer);
            if (const auto end = run.TakeEnd()) return *end;
            betweenLooks();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

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
        for (int ms = 0; source.ends_with(L"\\21.mp3") && ms < 20000 && !state.bCancel; ++ms)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    ASSERT_TRUE(run.Start(true, choices));
    EXPECT_FALSE(run.Start(true, choices)) << "a second run while one is under way";
    int looks = 0;
    EXPECT_EQ(LookUntilTheEnd([&] {
                  choices.texts = ++looks % 2 ? &kRunGerman : &kRunEnglish;
                  run.Update(choices);
                  // Paging the log while the run writes it (until the cancel: a scroll refresh
                  // would replace the cancel line the view gets).
                  if (!state.bCancel) screen.MoveScrollTo(looks % 50);
                  const auto started = EventsOf<run_event::EntryStarted>(screen.events);
                  if (!started.empty() && started.back().source.ends_with(L"\\21.mp3")) run.Cancel();
              }),
              RunEnd::Canceled);
    const auto ended = EventsOf<run_event::EntryEnded>(screen.events);
    EXPECT_EQ(ended.size(), 21u) << "the cancel stopped the run after the song being copied";
    for (size_t i = 0; i < ended.size(); ++i) EXPECT_EQ(ended[i].progress.entries, static_cast<int>(i + 1));
    EXPECT_TRUE(screen.logText.ends_with(L"Canceled!") || screen.logText.ends_with(L"abgebrochen!"));
    EXPECT_FALSE(run.Running());
}

TEST_F(HandOff, TheRunWaitsForTheAnswerToItsQuestion) {
    for (const bool yes : {false, true}) {
        answer = yes;
        questions.clear();
        ASSERT_TRUE(run.Start(true, choices));
        EXPECT_EQ(LookUntilTheEnd(), RunEnd::Finished);
        ASSERT_EQ(questions.size(), 1u) << yes;
        EXPECT_NE(questions[0].find(L"stray.jpg"), std::wstring::npos);
        EXPECT_EQ(files.Has(kDest + L"\\stray.jpg"), !yes);
    }
    EXPECT_GT(wakes.load(), 0) << "the run woke its front end for the question and the end";
}

TEST_F(HandOff, ARunLeftWithAQuestionOpenIsAnsweredNoAndWaitedFor) {
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
