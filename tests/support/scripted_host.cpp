#include "tests/support/scripted_host.h"

#include "engine/run_log.h"

namespace tunelift::testing {

std::wstring ScriptedHost::Text(RunText id) const { return mdlLanguage::TextFor(*texts, id); }

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

void ScriptedHost::SetLogScroll(int min, int max, int value) {
    scrollMin = min;
    scrollMax = max;
    MoveScrollTo(value);
}

void ScriptedHost::MoveScrollTo(int value) {
    const bool changed = value != scrollValue;
    scrollValue = value;
    if (!changed || state_ == nullptr) return;
    if (auto text = ScrollRefreshText(state_->runLog, scrollValue, [this] { YieldToWindow(); })) logText = *text;
}

void ScriptedHost::SwitchLanguage(const mdlLanguage::Texts& t) {
    texts = &t;
    pathFrom = t.CapPromptPlaylist;
    pathTo = t.CapPromptDestination;
    panels[1] = std::wstring(t.CapPanelFile) + L": ";
    panels[2] = std::wstring(t.CapPanelFilename) + L": ";
    panels[3] = std::wstring(t.CapPanelProgress) + L": ";
}

bool ScriptedHost::Ask(const std::wstring& question) {
    questions.push_back(question);
    return answer;
}

void ScriptedHost::YieldToWindow() {
    ++yields;
    if (onYield && !inYield_) {
        inYield_ = true;
        onYield(*this);
        inYield_ = false;
    }
}

}  // namespace tunelift::testing
