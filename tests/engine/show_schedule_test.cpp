// When a run's held control writes go to the screen, on a clock that moves in ticks.
#include "ui/show_schedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace tunelift::testing {
namespace {

using ui::ShowSchedule;

// A yield ('y') or an entry's end ('e') at a time of the run's own work; a show, when
// due, takes `showMs` and delays everything after it.
struct Step {
    char what;
    uint64_t at;
};

std::vector<uint64_t> ShowsAt(const std::vector<Step>& steps, uint64_t showMs) {
    ShowSchedule schedule;
    std::vector<uint64_t> shows;
    uint64_t delay = 0;
    for (const Step& step : steps) {
        const uint64_t now = step.at + delay;
        if (step.what == 'e') schedule.EntryDone(now);
        if (schedule.Due(now)) {
            schedule.Shown(now, now + showMs);
            shows.push_back(now);
            delay += showMs;
        }
    }
    return shows;
}

TEST(ShowSchedule, ShowsOftenEnoughForAPersonAndSeldomEnoughForAQuickRun) {
    // Quick entries, one every 2 ms, each yielding once.
    std::vector<Step> quick;
    for (uint64_t t = 1; t <= 200; t += 2) quick.insert(quick.end(), {{'y', t}, {'e', t + 1}});
    // Copies of 100 ms, yielding every 16 ms.
    std::vector<Step> copies;
    for (uint64_t start = 0; start < 300; start += 100) {
        for (uint64_t t = start; t < start + 100; t += 16) copies.push_back({'y', t});
        copies.push_back({'e', start + 99});
    }
    const struct {
        const char* what;
        std::vector<Step> steps;
        uint64_t showMs;
        std::vector<uint64_t> shows;
    } rows[] = {
        {"the first yield shows, then one every interval", {{'y', 0}, {'y', 30}, {'y', 49}, {'y', 50}, {'y', 99}, {'y', 100}},
         0, {0, 50, 100}},
        {"a late yield shows at once", {{'y', 0}, {'y', 130}, {'y', 170}}, 0, {0, 130}},
        {"quick entries do not pull shows forward", quick, 0, {1, 51, 101, 151}},
        {"every copy ends on the screen", copies, 0, {0, 64, 99, 164, 199, 264, 299}},
        {"slow shows do not make quick entries watched ones", quick, 40, {1, 91, 181, 271}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ShowsAt(row.steps, row.showMs), row.shows);
    }
}

}  // namespace
}  // namespace tunelift::testing
