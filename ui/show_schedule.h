// When the control writes a run holds back are put on the screen. A run may go for
// minutes without a single message reaching the window, so the run's own yields must
// show what it wrote: often enough that the log, the panels and the bar move with the
// run, seldom enough that a quick Check run does not spend its time painting.
#pragma once
#include <cstdint>

namespace tunelift::ui {

// Times are milliseconds of a clock that may move in steps of a 60 Hz frame (the
// system tick): it is read at every yield, where a finer clock would cost the run.
class ShowSchedule {
public:
    // Between two shows while the run writes: the screen is never more than this, one
    // tick and one yield behind (a copy yields about every 26 ms even on a slow stick).
    static constexpr uint64_t kIntervalMs = 50;
    // An entry that took this long, not counting the shows made during it, is one a
    // person watches (a copy): it ends on the screen. Two ticks, so that no quick entry
    // counts for having crossed one. Quicker entries are shown by the interval.
    static constexpr uint64_t kWatchedEntryMs = 32;

    // True when a yield at `now` should show what is held.
    bool Due(uint64_t now) const { return now >= due_; }

    // An entry's copy reached its end (the bar at 100). A watched copy shows it at once:
    // flushing and naming the file can take a while longer.
    void CopyDone(uint64_t now) {
        if (Watched(now)) due_ = now;
    }

    // An entry's outcome line is written.
    void EntryDone(uint64_t now) {
        if (Watched(now)) due_ = now;
        entryStart_ = now;
        showTime_ = 0;
    }

    // What was held went to the screen between `start` and `end`.
    void Shown(uint64_t start, uint64_t end) {
        showTime_ += end - start;
        due_ = end + kIntervalMs;
    }

private:
    bool Watched(uint64_t now) const { return now - entryStart_ >= showTime_ + kWatchedEntryMs; }

    uint64_t due_ = 0;
    uint64_t entryStart_ = 0;
    uint64_t showTime_ = 0;  // spent showing since entryStart_
};

}  // namespace tunelift::ui
