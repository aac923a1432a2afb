#include "engine/copy_bar.h"

#include <cmath>

namespace tunelift::mdlCopyBar {

ProgressBar* CopyBar = nullptr;

uint32_t Report(uint64_t totalFileSize, uint64_t totalBytesTransferred) {
    if (CopyBar == nullptr) return 0;
    int percent = 100;  // an empty file is complete the moment it starts
    if (totalFileSize > 0) {
        const double ratio = static_cast<double>(totalBytesTransferred) /
                             static_cast<double>(totalFileSize) * 100.0;
        percent = static_cast<int>(std::floor(ratio));
        if (percent < 0) percent = 0;
        if (percent > 100) percent = 100;
    }
    CopyBar->SetValue(percent);
    CopyBar->SetProgressPanel(CopyBar->ProgressLabel() + L": " +
                              std::to_wstring(CopyBar->Value()) + L"%");
    CopyBar->YieldToWindow();
    return 0;
}

}  // namespace tunelift::mdlCopyBar
