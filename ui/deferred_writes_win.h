// The control writes a run makes several times per playlist line: the log view's text,
// the three status panels, the bar's value and the log scroll bar. They are held here
// and handed to their controls in one go when the window shows the run, so a control
// is written once with the last value instead of once per change.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/run_display.h"

namespace tunelift::ui {

class DeferredWrites final : public RunScreen {
public:
    // The controls the writes go to.
    struct Controls {
        HWND logView = nullptr;    // txtPlaylist
        HWND statusBar = nullptr;  // stbStatus, three panels
        HWND bar = nullptr;        // pgbCopy
        HWND scrollBar = nullptr;  // vsbListLog
    };

    // Binds the controls and gives the bar and the scroll bar the range and position
    // held here. `logViewChanged` runs after each write of the log view's text.
    void Bind(const Controls& controls, std::function<void()> logViewChanged);
    // The controls are going away: writes are held from now on and never flushed.
    void Unbind();

    void SetLogText(const std::wstring& text) override;
    const std::wstring& LogText() const override { return logText_; }

    void SetPanel(int panel, const std::wstring& text) override;  // panels 1..3
    const std::wstring& Panel(int panel) const { return panels_[panel - 1].text; }

    void SetBarValue(int value) override;
    int BarValue() const override { return barValue_; }
    // Written at once, after everything held, so that a value set before reaches the
    // control under the range it was set for; a value over the new end is cut to it.
    void SetBarMax(int max) override;
    int BarMax() const override { return barMax_; }

    // Range and position of the scroll bar; the position is kept within the range.
    void SetScrollRange(int min, int max);
    // True when the position changed.
    bool SetScrollPos(int value);
    bool SetScroll(int min, int max, int value) override {
        SetScrollRange(min, max);
        return SetScrollPos(value);
    }
    int ScrollMin() const { return scrollMin_; }
    int ScrollMax() const { return scrollMax_; }
    int ScrollPos() const { return scrollPos_; }

    // True while a write is held that its control does not show yet.
    bool IsDirty() const;
    // Hands every held write to its control, the whole log text included: what a
    // message handler or another program reads from the controls is current.
    void Flush();
    // Hands every held write to its control for the screen, the log view only the last
    // lines of the log text, which are all it can show: laying out a hundred slots costs
    // an edit control tens of milliseconds under Wine, too much to spend several times
    // a second during a run. The next Flush() hands over the rest.
    void Show();

    // Lines of the log text Show() hands over: the view shows about 15 at any DPI (a
    // wrapped path only fills it sooner), and each line laid out costs a show time.
    static constexpr size_t kShownLines = 24;

private:
    void Write(bool wholeLog);
    // Hands `text` to the log view, editing only where it changed.
    void WriteLogView(std::wstring text);

    struct HeldPanel {
        std::wstring text;
        bool dirty = false;
    };

    Controls controls_;
    std::function<void()> logViewChanged_;
    std::wstring logText_;
    bool logTextDirty_ = false;
    // What the log view holds: the log text as last handed over, long lines shortened.
    std::wstring shownLog_;
    // The view holds only the last lines of the log text (Show()).
    bool logViewTail_ = false;
    HeldPanel panels_[3];
    int barValue_ = 0;
    int barMax_ = 100;
    bool barDirty_ = false;
    int scrollMin_ = 0, scrollMax_ = 32767, scrollPos_ = 0;
    bool scrollDirty_ = false;
};

}  // namespace tunelift::ui
