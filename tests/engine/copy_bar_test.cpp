#include "engine/copy_bar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace mdlCopyBar = tunelift::mdlCopyBar;

namespace {

// A bar that records what the progress routine did to it, in order.
class FakeBar : public mdlCopyBar::ProgressBar {
public:
    explicit FakeBar(std::wstring label = L"Progress") : label_(std::move(label)) {}
    void SetValue(int value) override { value_ = value; calls.push_back(L"value " + std::to_wstring(value)); }
    int Value() const override { return value_; }
    std::wstring ProgressLabel() const override { return label_; }
    void SetProgressPanel(const std::wstring& text) override { panel = text; calls.push_back(L"panel " + text); }
    void YieldToWindow() override { ++yields; calls.push_back(L"yield"); }

    void SetLabel(std::wstring label) { label_ = std::move(label); }

    std::wstring panel = L"untouched";
    int yields = 0;
    std::vector<std::wstring> calls;

private:
    std::wstring label_;
    int value_ = -1;
};

// Binds a bar for one test and leaves CopyBar empty again afterwards.
class CopyBarTest : public ::testing::Test {
protected:
    void Bind(FakeBar& bar) { mdlCopyBar::CopyBar = &bar; }
    void TearDown() override { mdlCopyBar::CopyBar = nullptr; }
};

TEST_F(CopyBarTest, PercentIsTheFloorOfTheExactRatio) {
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
    };
    for (const auto& row : rows) {
        FakeBar bar;
        Bind(bar);
        EXPECT_EQ(mdlCopyBar::Report(row.total, row.done), 0u) << row.why;
        EXPECT_EQ(bar.Value(), row.percent) << row.why;
        EXPECT_EQ(bar.panel, L"Progress: " + std::to_wstring(row.percent) + L"%") << row.why;
    }
}

TEST_F(CopyBarTest, GermanLabelReadsFortschritt) {
    FakeBar bar(L"Fortschritt");
    Bind(bar);
    mdlCopyBar::Report(100, 37);
    EXPECT_EQ(bar.panel, L"Fortschritt: 37%");
}

TEST_F(CopyBarTest, LanguageSwitchShowsAtTheNextReport) {
    FakeBar bar;
    Bind(bar);
    mdlCopyBar::Report(200, 90);
    EXPECT_EQ(bar.panel, L"Progress: 45%");
    bar.SetLabel(L"Fortschritt");
    mdlCopyBar::Report(200, 91);
    EXPECT_EQ(bar.panel, L"Fortschritt: 45%");
}

TEST_F(CopyBarTest, ZeroLengthFileShowsCompleteWithoutFailing) {
    FakeBar bar;
    Bind(bar);
    EXPECT_EQ(mdlCopyBar::Report(0, 0), 0u);
    EXPECT_EQ(bar.Value(), 100);
    EXPECT_EQ(bar.panel, L"Progress: 100%");
}

TEST_F(CopyBarTest, SetsBarThenPanelThenYieldsOncePerReport) {
    FakeBar bar;
    Bind(bar);
    mdlCopyBar::Report(4, 1);
    const std::vector<std::wstring> expected = {L"value 25", L"panel Progress: 25%", L"yield"};
    EXPECT_EQ(bar.calls, expected);
}

TEST_F(CopyBarTest, EmptyCopyBarChangesNothingAndContinues) {
    FakeBar bar;  // never bound
    mdlCopyBar::CopyBar = nullptr;
    EXPECT_EQ(mdlCopyBar::Report(1000, 500), 0u);
    EXPECT_EQ(mdlCopyBar::Report(0, 0), 0u);
    EXPECT_TRUE(bar.calls.empty());
    EXPECT_EQ(bar.panel, L"untouched");
}

}  // namespace
