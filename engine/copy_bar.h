// mdlCopyBar: the progress routine's portable half. The platform copy reports
// (total, transferred) after each chunk; this moves the bar and the progress panel.
#pragma once
#include <cstdint>

namespace tunelift {
class RunHost;
}

namespace tunelift::mdlCopyBar {

// The progress bar that the copy progress routine drives: the window of the run, whose
// bar, progress panel and message loop it uses. Each run sets it; empty until the first
// run, never cleared afterwards.
extern RunHost* CopyBar;

// One progress report; returns 0 (continue) always.
uint32_t Report(uint64_t totalFileSize, uint64_t totalBytesTransferred);

}  // namespace tunelift::mdlCopyBar
