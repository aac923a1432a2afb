// mdlCopyBar: the progress routine's portable half. The platform copy reports
// (total, transferred) after each chunk; this moves the bar and the progress panel.
#pragma once
#include <cstdint>
#include <string>

namespace tunelift::mdlCopyBar {

// The progress bar that a run binds, with the panel and message loop beside it.
class ProgressBar {
public:
    virtual ~ProgressBar() = default;
    virtual void SetValue(int value) = 0;
    virtual int Value() const = 0;
    virtual std::wstring ProgressLabel() const = 0;      // the current language's label
    virtual void SetProgressPanel(const std::wstring& text) = 0;
    virtual void YieldToWindow() = 0;
    // The last report of a copy handles what is pending at once, so that a Cancel
    // pressed during the copy stops the run at the very next line.
    virtual void YieldToWindowNow() { YieldToWindow(); }
};

// Empty until the first run binds the window's bar; never cleared afterwards.
extern ProgressBar* CopyBar;

// One progress report; returns 0 (continue) always.
uint32_t Report(uint64_t totalFileSize, uint64_t totalBytesTransferred);

}  // namespace tunelift::mdlCopyBar
