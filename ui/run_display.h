// How a run looks on the window: the log slots and the log view's text, the three status
// panels, the bar and the log scroll bar, as the run's events set them. Portable: the
// window hands it its held-back control writes, tests a record of them.
#pragma once
#include <optional>
#include <string>

#include "engine/playlist_rules.h"
#include "engine/run_events.h"
#include "engine/run_log.h"
#include "ui/language.h"

namespace tunelift::ui {

// The controls a run writes.
class RunScreen {
public:
    virtual ~RunScreen() = default;
    virtual const std::wstring& LogText() const = 0;      // txtPlaylist
    virtual void SetLogText(const std::wstring& text) = 0;
    virtual void SetPanel(int panel, const std::wstring& text) = 0;  // panels 1..3
    // pgbCopy. SetBarValue is only given values within 0..BarMax().
    virtual int BarValue() const = 0;
    virtual int BarMax() const = 0;
    virtual void SetBarValue(int value) = 0;
    virtual void SetBarMax(int max) = 0;  // keeps the value when it still fits
    // vsbListLog: range and position; true when the position changed.
    virtual bool SetScroll(int min, int max, int value) = 0;
};

// The panel texts while Sync deletes; the same in both languages.
inline constexpr wchar_t kPanelKillingFiles[] = L"Killing Files";
inline constexpr wchar_t kPanelKilling[] = L"Killing: ";  // followed by the file's name

class RunDisplay {
public:
    explicit RunDisplay(RunScreen& screen) : screen_(screen) {}

    // One event, shown with the panel labels of `texts` (the language in force now).
    void Apply(const RunEvent& event, const mdlLanguage::Texts& texts);

    // The scroll refresh: the view shows the four slots from `position` on.
    void ScrollRefresh(int position);

    RunLog& Log() { return log_; }
    const RunLog& Log() const { return log_; }

private:
    void AppendToSlot(int line, const std::wstring& piece);
    void ShowProgress(uint64_t total, uint64_t done, const mdlLanguage::Texts& texts);
    void FollowLine(int handled);

    RunScreen& screen_;
    RunLog log_;
    std::optional<PlaylistKind> kind_;  // of the run being shown, once its playlist was read
};

}  // namespace tunelift::ui
