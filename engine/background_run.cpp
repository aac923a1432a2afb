#include "engine/background_run.h"

#include <chrono>
#include <utility>

namespace tunelift {

// The run's side: every read of the user's choices and every event goes through the lock.
class BackgroundRun::Host final : public RunHost {
public:
    explicit Host(BackgroundRun& owner) : owner_(owner) {}

    const RunTexts& Texts() const override { return *Choices().texts; }
    std::wstring Playlist() const override { return Choices().playlist; }
    std::wstring Destination() const override { return Choices().destination; }
    bool Overwrite() const override { return Choices().overwrite; }
    bool Sync() const override { return Choices().sync; }
    RunOptions Options() const override { return Choices().options; }

    void Tell(const RunEvent& event) override {
        bool wake = std::holds_alternative<run_event::Refused>(event);
        if (std::holds_alternative<run_event::EntryStarted>(event)) entryStart_ = Clock::now();
        if (std::holds_alternative<run_event::EntryEnded>(event))
            wake = Clock::now() - entryStart_ >= std::chrono::milliseconds(kWatchedEntryMs);
        {
            std::lock_guard lock(owner_.mutex_);
            auto& events = owner_.events_;
            // The front end shows where a copy stands, not every step it took to get there.
            if (std::holds_alternative<run_event::CopyProgress>(event) && !events.empty() &&
                std::holds_alternative<run_event::CopyProgress>(events.back()))
                events.back() = event;
            else
                events.push_back(event);
        }
        if (wake) owner_.wake_();
    }

    bool Ask(const std::wstring& question) override {
        std::unique_lock lock(owner_.mutex_);
        if (owner_.stopping_) return false;
        owner_.question_ = question;
        owner_.answer_.reset();
        lock.unlock();
        owner_.wake_();
        lock.lock();
        owner_.answered_.wait(lock, [this] { return owner_.answer_.has_value() || owner_.stopping_; });
        owner_.question_.reset();
        return owner_.answer_.value_or(false);
    }

private:
    using Clock = std::chrono::steady_clock;

    BackgroundRun::Choices Choices() const {
        std::lock_guard lock(owner_.mutex_);
        return owner_.choices_;
    }

    BackgroundRun& owner_;
    Clock::time_point entryStart_ = Clock::now();
};

BackgroundRun::BackgroundRun(FileServices& files, RunState& state, Wake wake)
    : files_(files), state_(state), wake_(std::move(wake)) {}

BackgroundRun::~BackgroundRun() {
    if (!thread_.joinable()) return;
    Cancel();
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    answered_.notify_all();
    thread_.join();
}

bool BackgroundRun::Start(bool copy, const Choices& choices) {
    if (running_) return false;
    if (thread_.joinable()) thread_.join();
    {
        std::lock_guard lock(mutex_);
        choices_ = choices;
        events_.clear();
        end_.reset();
    }
    running_ = true;
    thread_ = std::thread([this, copy] { Work(copy); });
    return true;
}

void BackgroundRun::Work(bool copy) {
    Host host(*this);
    const RunEnd end = SaveFiles(host, files_, state_, copy);
    {
        std::lock_guard lock(mutex_);
        end_ = end;
    }
    wake_();
}

void BackgroundRun::Update(const Choices& choices) {
    std::lock_guard lock(mutex_);
    choices_ = choices;
}

std::vector<RunEvent> BackgroundRun::TakeEvents() {
    std::lock_guard lock(mutex_);
    return std::exchange(events_, {});
}

std::optional<std::wstring> BackgroundRun::Question() const {
    std::lock_guard lock(mutex_);
    if (answer_) return std::nullopt;
    return question_;
}

void BackgroundRun::Answer(bool yes) {
    {
        std::lock_guard lock(mutex_);
        if (!question_) return;
        answer_ = yes;
    }
    answered_.notify_all();
}

std::optional<RunEnd> BackgroundRun::TakeEnd() {
    std::optional<RunEnd> end;
    {
        std::lock_guard lock(mutex_);
        if (!end_ || !events_.empty()) return std::nullopt;
        end = std::exchange(end_, std::nullopt);
    }
    thread_.join();
    running_ = false;
    return end;
}

}  // namespace tunelift
