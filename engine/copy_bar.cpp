#include "engine/copy_bar.h"

#include <cmath>
#include <limits>
#include <string>

#include "engine/run_host.h"

namespace tunelift::mdlCopyBar {

RunHost* CopyBar = nullptr;

namespace {

// floor(transferred / total * 100) without the rounding of a double division:
// 29 of 100 bytes must read 29, not 28.
int FloorPercent(uint64_t total, uint64_t transferred) {
    if (transferred >= total) return 100;
    constexpr uint64_t kSafe = std::numeric_limits<uint64_t>::max() / 100;
    if (transferred <= kSafe) return static_cast<int>(transferred * 100 / total);
    // Only sizes beyond 184 PB get here, where no real file lies.
    const double ratio = static_cast<double>(transferred) / static_cast<double>(total) * 100.0;
    return static_cast<int>(std::floor(ratio));
}

}  // namespace

uint32_t Report(uint64_t totalFileSize, uint64_t totalBytesTransferred) {
    if (CopyBar == nullptr) return 0;
    // An empty file is complete the moment it starts.
    const int percent = totalFileSize == 0 ? 100 : FloorPercent(totalFileSize, totalBytesTransferred);
    CopyBar->SetBarValue(percent);
    CopyBar->SetPanel(3, CopyBar->Text(RunText::PanelProgress) + L": " +
                             std::to_wstring(CopyBar->BarValue()) + L"%");
    if (percent >= 100) CopyBar->YieldToWindowNow();
    else CopyBar->YieldToWindow();
    return 0;
}

}  // namespace tunelift::mdlCopyBar
