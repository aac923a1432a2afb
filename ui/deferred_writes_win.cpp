#include "ui/deferred_writes_win.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "engine/shown_text.h"

namespace tunelift::ui {
namespace {

// How much of `before`'s front is gone when `after` is `before` without its first
// characters and with more at its end: 0 when `after` only grew; npos for any other
// change.
size_t DroppedHead(const std::wstring& before, const std::wstring& after) {
    if (after.empty()) return std::wstring::npos;
    if (after.compare(0, before.size(), before) == 0) return 0;
    const std::wstring start = after.substr(0, 32);
    for (size_t at = before.find(start, 1); at != std::wstring::npos; at = before.find(start, at + 1)) {
        const size_t rest = before.size() - at;
        if (rest <= after.size() && after.compare(0, rest, before, at, rest) == 0) return at;
    }
    return std::wstring::npos;
}

// What a control is handed of `text`: overlong lines shortened, and a NUL (a playlist
// can hold one) shown as the symbol for it, where the control would end the text.
std::wstring ForControl(const std::wstring& text) {
    std::wstring shown = ShownText(text);
    std::replace(shown.begin(), shown.end(), L'\0', L'\u2400');
    return shown;
}

// The last `lines` lines of `text`.
std::wstring LastLines(const std::wstring& text, size_t lines) {
    size_t start = text.size();
    while (lines > 0 && start > 0) {
        start = text.find_last_of(L'\n', start - 1);
        if (start == std::wstring::npos) return text;
        --lines;
    }
    return text.substr(start == text.size() ? start : start + 1);
}

void ReplaceInEdit(HWND edit, size_t from, size_t to, const std::wstring& text) {
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

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

void DeferredWrites::Flush() { Write(true); }
void DeferredWrites::Show() { Write(false); }

void DeferredWrites::Write(bool wholeLog) {
    if (!controls_.logView) return;
    // A shown control paints at once when written, each write on its own; held back, it
    // paints once, when the window next paints.
    const auto quietly = [](HWND control, auto write) {
        SendMessageW(control, WM_SETREDRAW, FALSE, 0);
        write();
        SendMessageW(control, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control, nullptr, TRUE);
    };
    if (std::any_of(std::begin(panels_), std::end(panels_), [](const HeldPanel& p) { return p.dirty; })) {
        quietly(controls_.statusBar, [this] {
            for (int i = 0; i < 3; ++i) {
                if (!panels_[i].dirty) continue;
                panels_[i].dirty = false;
                SendMessageW(controls_.statusBar, SB_SETTEXTW, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(ForControl(panels_[i].text).c_str()));
            }
        });
    }
    if (scrollDirty_) {
        scrollDirty_ = false;
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_POS;
        info.nMin = scrollMin_;
        info.nMax = scrollMax_;
        info.nPos = scrollPos_;
        SetScrollInfo(controls_.scrollBar, SB_CTL, &info, FALSE);
        InvalidateRect(controls_.scrollBar, nullptr, TRUE);
    }
    if (barDirty_) {
        barDirty_ = false;
        SendMessageW(controls_.bar, PBM_SETPOS, static_cast<WPARAM>(barValue_), 0);
    }
    if (logTextDirty_ || (wholeLog && logViewTail_)) {
        logTextDirty_ = false;
        logViewTail_ = !wholeLog;
        quietly(controls_.logView, [&] {
            WriteLogView(wholeLog ? ForControl(logText_) : LastLines(ForControl(logText_), kShownLines));
            if (logViewChanged_) logViewChanged_();
        });
    }
}

// A run's log grows at its end and, from line 101 on, loses its oldest slot at its
// front. An edit control lays out all of a text it is handed whole, but only the lines
// around an edit.
void DeferredWrites::WriteLogView(std::wstring shown) {
    const size_t dropped = DroppedHead(shownLog_, shown);
    const bool viewHoldsIt = static_cast<size_t>(GetWindowTextLengthW(controls_.logView)) == shownLog_.size();
    if (dropped == std::wstring::npos || !viewHoldsIt) {
        SetWindowTextW(controls_.logView, shown.c_str());
    } else {
        if (dropped > 0) ReplaceInEdit(controls_.logView, 0, dropped, L"");
        const size_t kept = shownLog_.size() - dropped;
        if (shown.size() > kept) ReplaceInEdit(controls_.logView, kept, kept, shown.substr(kept));
        // An edit may refuse an insertion (past its limit): then it gets the text whole.
        if (static_cast<size_t>(GetWindowTextLengthW(controls_.logView)) != shown.size())
            SetWindowTextW(controls_.logView, shown.c_str());
    }
    shownLog_ = std::move(shown);
}

}  // namespace tunelift::ui
