// A run on a thread of its own. The front end starts it and, from its own thread and
// whenever it likes, takes what the run told, answers the run's questions and hands
// over what the user changes meanwhile. Nothing the two threads share is touched
// outside the lock here, or the run state's atomics.
#pragma once
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/export_run.h"

namespace tunelift {

class BackgroundRun {
public:
    // What the user has chosen, as the front end sees it now.
    struct Choices {
        const RunTexts* texts = &kRunEnglish;  // a table that lives as long as the program
        std::wstring playlist;
        std::wstring destination;
        bool overwrite = false;
        bool sync = false;
        RunOptions options;
    };

    // Called on the run's thread when the front end should look soon: a refusal, a
    // question, the end of an entry that took long enough to be watched, the run's end.
    using Wake = std::function<void()>;

    // An entry that took this long is one a person watches: its end is shown at once,
    // not at the front end's next look.
    static constexpr int kWatchedEntryMs = 32;

    BackgroundRun(FileServices& files, RunState& state, Wake wake);
    // A run still under way is cancelled, its question answered No, and waited for.
    ~BackgroundRun();
    BackgroundRun(const BackgroundRun&) = delete;
    BackgroundRun& operator=(const BackgroundRun&) = delete;

    // Starts a Save (copy) or Check run; false while a run is under way.
    bool Start(bool copy, const Choices& choices);
    // From Start until TakeEnd has handed over the run's end.
    bool Running() const { return running_; }
    // What the user changed since the start: the run reads it at its next look.
    void Update(const Choices& choices);
    void Cancel() { state_.bCancel = true; }

    // Everything the run told since the last call, in order; the progress reports of a
    // copy that came one after another are handed over as the last of them.
    std::vector<RunEvent> TakeEvents();
    // The question the run waits on, if it does.
    std::optional<std::wstring> Question() const;
    void Answer(bool yes);
    // Once the run has ended and all it told has been taken: how it ended. The run's
    // thread is gone then.
    std::optional<RunEnd> TakeEnd();

private:
    class Host;
    void Work(bool copy);

    FileServices& files_;
    RunState& state_;
    Wake wake_;
    bool running_ = false;  // the front end's thread only
    std::thread thread_;

    mutable std::mutex mutex_;
    std::condition_variable answered_;
    Choices choices_;
    std::vector<RunEvent> events_;
    std::optional<std::wstring> question_;
    std::optional<bool> answer_;
    bool stopping_ = false;
    std::optional<RunEnd> end_;
};

}  // namespace tunelift
