#include "tests/support/scripted_host.h"

#include "engine/run_log.h"

namespace tunelift::testing {

void ScriptedHost::Tell(const RunEvent& event) {
    events.push_back(event);
    if (const auto* refused = std::get_if<run_event::Refused>(&event)) errors.push_back(refused->message);
    display.Apply(event, *texts);
    if (onEvent && !inEvent_) {
        inEvent_ = true;
        onEvent(*this, event);
        inEvent_ = false;
    }
}

void ScriptedHost::SetPanel(int panel, const std::wstring& text) {
    panels[panel] = text;
    ++panelWrites;
}

void ScriptedHost::SetBarValue(int value) {
    barValues.push_back(value);
    if (value < 0 || value > barMax) refusedBarValues.push_back(value);
    else barValue = value;
}

void ScriptedHost::SetBarMax(int max) {
    barMaxes.push_back(max);
    barMax = max;
    if (barValue > max) barValue = max;
}

bool ScriptedHost::SetScroll(int min, int max, int value) {
    scrollMin = min;
    scrollMax = max;
    const bool changed = value != scrollValue;
    scrollValue = value;
    return changed;
}

void ScriptedHost::MoveScrollTo(int value) {
    if (SetScroll(scrollMin, scrollMax, value)) display.ScrollRefresh(value);
}

void ScriptedHost::SwitchLanguage(const mdlLanguage::Texts& t) {
    texts = &t;
    pathFrom = t.Run->CapPromptPlaylist;
    pathTo = t.Run->CapPromptDestination;
    panels[1] = std::wstring(t.CapPanelFile) + L": ";
    panels[2] = std::wstring(t.CapPanelFilename) + L": ";
    panels[3] = std::wstring(t.CapPanelProgress) + L": ";
}

bool ScriptedHost::Ask(const std::wstring& question) {
    questions.push_back(question);
    return answer;
}

}  // namespace tunelift::testing
