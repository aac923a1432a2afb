// A scripted window for driving runs, copies and the sync without Win32: it records
// what the window would show and lets a test act at each yield.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/export_run.h"
#include "engine/run_host.h"
#include "ui/language.h"

namespace tunelift::testing {

class ScriptedHost : public RunHost {
public:
    // Without a run's state the log scroll bar moves but refreshes no text.
    ScriptedHost() = default;
    explicit ScriptedHost(RunState& state) : state_(&state) {}

    const mdlLanguage::Texts* texts = &mdlLanguage::kEnglish;
    std::wstring pathFrom, pathTo;
    int overwrite = 0, sync = 0;
    std::wstring logText;
    std::wstring panels[4];  // 1..3
    int panelWrites = 0;
    int barValue = 100, barMax = 100;  // as the last copy left the bar
    std::vector<int> barValues;        // every value the bar was given
    std::vector<int> barMaxes;         // every maximum it was given
    // Values outside 0..barMax: a real bar refuses them and keeps its value, and no
    // caller may send one.
    std::vector<int> refusedBarValues;
    int scrollMin = 0, scrollMax = 32767, scrollValue = 0;
    int yields = 0;
    std::vector<std::wstring> errors;
    RunOptions options;
    std::vector<std::wstring> questions;  // every question asked
    bool answer = false;                  // Yes or No to each
    std::function<void(ScriptedHost&)> onYield;  // not called again while it runs

    // The window's scroll refresh, as a user moving the scroll bar triggers it.
    void MoveScrollTo(int value);
    // The language switch of the window: texts, prompts into both boxes, bare panel labels.
    void SwitchLanguage(const mdlLanguage::Texts& t);

    std::wstring Text(RunText id) const override;
    std::wstring PathFrom() const override { return pathFrom; }
    std::wstring PathTo() const override { return pathTo; }
    int OverwriteValue() const override { return overwrite; }
    int SyncValue() const override { return sync; }
    std::wstring LogText() const override { return logText; }
    void SetLogText(const std::wstring& text) override { logText = text; }
    void SetPanel(int panel, const std::wstring& text) override;
    int BarValue() const override { return barValue; }
    int BarMax() const override { return barMax; }
    void SetBarValue(int value) override;
    void SetBarMax(int max) override;
    void SetLogScroll(int min, int max, int value) override;
    void YieldToWindow() override;
    void ShowError(const std::wstring& text) override { errors.push_back(text); }
    RunOptions Options() const override { return options; }
    bool Ask(const std::wstring& question) override;

private:
    RunState* state_ = nullptr;
    bool inYield_ = false;
};

}  // namespace tunelift::testing
