// mdlCopyBar: what the copy's progress bar shows for a progress report.
#pragma once
#include <cstdint>

namespace tunelift::mdlCopyBar {

// The bar's value, 0..100, for `transferred` of `total` bytes: whole percents rounded
// down, and 100 for an empty file, which is complete the moment it starts.
int Percent(uint64_t total, uint64_t transferred);

}  // namespace tunelift::mdlCopyBar
