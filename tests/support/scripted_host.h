// A scripted front end for driving runs, copies and the sync without Win32: it shows
// what a run tells on a recorded window (the window's own display rules) and lets a
// test act on each event.
#pragma once
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "engine/export_run.h"
#include "engine/run_host.h"
#include "ui/language.h"
#include "ui/run_display.h"

namespace tunelift::testing {

class ScriptedHost : public RunHost, public ui::RunScreen {
public:
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
    std::vector<std::wstring> errors;     // every refusal's message
    RunOptions options;
    std::vector<std::wstring> questions;  // every question asked
    bool answer = false;                  // Yes or No to each
    std::vector<RunEvent> events;         // every event told, in order
    // Runs after each event is shown; not called again while it runs.
    std::function<void(ScriptedHost&, const RunEvent&)> onEvent;

    ui::RunDisplay display{*this};
    const RunLog& Log() const { return display.Log(); }

    // The window's scroll refresh, as a user moving the scroll bar triggers it.
    void MoveScrollTo(int value);
    // The language switch of the window: texts, prompts into both boxes, bare panel labels.
    void SwitchLanguage(const mdlLanguage::Texts& t);

    // RunHost.
    const RunTexts& Texts() const override { return *texts->Run; }
    std::wstring Playlist() const override { return pathFrom; }
    std::wstring Destination() const override { return pathTo; }
    bool Overwrite() const override { return overwrite == 1; }
    bool Sync() const override { return sync == 1; }
    RunOptions Options() const override { return options; }
    void Tell(const RunEvent& event) override;
    bool Ask(const std::wstring& question) override;

    // RunScreen.
    const std::wstring& LogText() const override { return logText; }
    void SetLogText(const std::wstring& text) override { logText = text; }
    void SetPanel(int panel, const std::wstring& text) override;
    int BarValue() const override { return barValue; }
    int BarMax() const override { return barMax; }
    void SetBarValue(int value) override;
    void SetBarMax(int max) override;
    bool SetScroll(int min, int max, int value) override;

private:
    bool inEvent_ = false;
};

// The events of one kind a host was told, in order.
template <class Event>
std::vector<Event> EventsOf(const std::vector<RunEvent>& events) {
    std::vector<Event> found;
    for (const RunEvent& e : events)
        if (const auto* hit = std::get_if<Event>(&e)) found.push_back(*hit);
    return found;
}

}  // namespace tunelift::testing
