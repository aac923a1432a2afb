#include "ui/deferred_writes_win.h"

#include <commctrl.h>

#include <algorithm>

#include "engine/shown_text.h"

namespace tunelift::ui {

void DeferredWrites::Bind(const Controls& controls, std::function<void()> logViewChanged) {
    controls_ = controls;
    logViewChanged_ = std::move(logViewChanged);
    SendMessageW(controls_.bar, PBM_SETRANGE32, 0, barMax_);
    ::SetScrollRange(controls_.scrollBar, SB_CTL, scrollMin_, scrollMax_, FALSE);
    ::SetScrollPos(controls_.scrollBar, SB_CTL, scrollPos_, TRUE);
}

void DeferredWrites::Unbind() { controls_ = Controls{}; }

void DeferredWrites::SetLogText(const std::wstring& text) {
    if (text == logText_) return;
    logText_ = text;
    logTextDirty_ = true;
}

void DeferredWrites::SetPanel(int panel, const std::wstring& text) {
    HeldPanel& held = panels_[panel - 1];
    if (held.text == text) return;
    held.text = text;
    held.dirty = true;
}

void DeferredWrites::SetBarValue(int value) {
    if (value == barValue_) return;
    barValue_ = value;
    barDirty_ = true;
}

void DeferredWrites::SetBarMax(int max) {
    Flush();
    barMax_ = max;
    barValue_ = std::min(barValue_, max);
    SendMessageW(controls_.bar, PBM_SETRANGE32, 0, max);
}

void DeferredWrites::SetScrollRange(int min, int max) {
    scrollMin_ = min;
    scrollMax_ = max;
    scrollDirty_ = true;
}

bool DeferredWrites::SetScrollPos(int value) {
    value = std::clamp(value, scrollMin_, scrollMax_);
    const bool changed = value != scrollPos_;
    scrollPos_ = value;
    scrollDirty_ = true;
    return changed;
}

bool DeferredWrites::IsDirty() const {
    return logTextDirty_ || barDirty_ || scrollDirty_ ||
           std::any_of(std::begin(panels_), std::end(panels_), [](const HeldPanel& p) { return p.dirty; });
}

void DeferredWrites::Flush() {
    if (!controls_.logView || !IsDirty()) return;
    for (int i = 0; i < 3; ++i) {
        if (!panels_[i].dirty) continue;
        panels_[i].dirty = false;
        SendMessageW(controls_.statusBar, SB_SETTEXTW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(ShownText(panels_[i].text).c_str()));
    }
    if (scrollDirty_) {
        scrollDirty_ = false;
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_POS;
        info.nMin = scrollMin_;
        info.nMax = scrollMax_;
        info.nPos = scrollPos_;
        SetScrollInfo(controls_.scrollBar, SB_CTL, &info, TRUE);
    }
    if (barDirty_) {
        barDirty_ = false;
        SendMessageW(controls_.bar, PBM_SETPOS, static_cast<WPARAM>(barValue_), 0);
    }
    if (logTextDirty_) {
        logTextDirty_ = false;
        SetWindowTextW(controls_.logView, ShownText(logText_).c_str());
        if (logViewChanged_) logViewChanged_();
    }
}

}  // namespace tunelift::ui
