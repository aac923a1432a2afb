#include "engine/copy_bar.h"

#include <cmath>
#include <limits>

namespace tunelift::mdlCopyBar {

int Percent(uint64_t total, uint64_t transferred) {
    if (total == 0 || transferred >= total) return 100;
    // floor(transferred / total * 100) without the rounding of a double division:
    // 29 of 100 bytes must read 29, not 28.
    constexpr uint64_t kSafe = std::numeric_limits<uint64_t>::max() / 100;
    if (transferred <= kSafe) return static_cast<int>(transferred * 100 / total);
    // Only sizes beyond 184 PB get here, where no real file lies.
    const double ratio = static_cast<double>(transferred) / static_cast<double>(total) * 100.0;
    return static_cast<int>(std::floor(ratio));
}

}  // namespace tunelift::mdlCopyBar
