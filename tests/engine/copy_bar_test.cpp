// What the bar and the progress panel show for a copy's progress reports.
#include "engine/copy_bar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/scripted_host.h"

namespace mdlLanguage = tunelift::mdlLanguage;
using tunelift::run_event::CopyProgress;
using tunelift::testing::ScriptedHost;

namespace {

// A window that also records, in order, what a progress report did to it.
class CallLog : public ScriptedHost {
public:
    void SetBarValue(int value) override {
        ScriptedHost::SetBarValue(value);
        calls.push_back(L"value " + std::to_wstring(value));
    }
    void SetPanel(int panel, const std::wstring& text) override {
        ScriptedHost::SetPanel(panel, text);
        calls.push_back(L"panel " + std::to_wstring(panel) + L" " + text);
    }
    std::vector<std::wstring> calls;
};

TEST(CopyBar, PercentIsTheFloorOfTheExactRatio) {
    constexpr uint64_t kGiB = 1ull << 30;
    const struct { const char* why; uint64_t total; uint64_t done; int percent; } rows[] = {
        {"first report of a copy", 1000, 0, 0},
        {"99.7 percent is not rounded up", 1000, 997, 99},
        {"final report", 1000, 1000, 100},
        {"29 of 100 is 29, not a double's 28.999", 100, 29, 29},
        {"57 of 100 is 57, not a double's 56.999", 100, 57, 57},
        {"one byte short of 100 stays 99", 5 * kGiB, 5 * kGiB - 1, 99},
        {"half of a file beyond 4 GB", 6 * kGiB, 3 * kGiB, 50},
        {"a source that grew during the copy shows no more than 100", 100, 250, 100},
        {"a 100 TB file one byte before its half", 100000000000000, 49999999999999, 49},
        {"an empty file is complete the moment it starts", 0, 0, 100},
    };
    for (const auto& row : rows) {
        ScriptedHost window;
        window.barValue = -1;  // no report yet: every row must set the bar itself
        window.Tell(CopyProgress{row.total, row.done});
        EXPECT_EQ(window.barValue, row.percent) << row.why;
        EXPECT_EQ(window.panels[3], L"Progress: " + std::to_wstring(row.percent) + L"%") << row.why;
    }
}

TEST(CopyBar, LanguageSwitchShowsAtTheNextReport) {
    ScriptedHost window;
    window.Tell(CopyProgress{200, 90});
    EXPECT_EQ(window.panels[3], L"Progress: 45%");
    window.texts = &mdlLanguage::kGerman;
    window.Tell(CopyProgress{200, 91});
    EXPECT_EQ(window.panels[3], L"Fortschritt: 45%");
}

TEST(CopyBar, SetsBarThenPanelOncePerReport) {
    CallLog window;
    window.Tell(CopyProgress{4, 1});
    const std::vector<std::wstring> expected = {L"value 25", L"panel 3 Progress: 25%"};
    EXPECT_EQ(window.calls, expected);
}

}  // namespace
