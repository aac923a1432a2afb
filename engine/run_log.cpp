#include "engine/run_log.h"

#include <cstdint>
#include <limits>

namespace tunelift {

void RunLog::Clear() {
    // Ascending, slot by slot; shrink nothing so the next run appends without reallocating.
    for (auto& slot : slots_) slot.clear();
}

std::wstring RunLog::TheLogData(int lineOut, int line) const {
    if (lineOut >= line) return Slot(line);
    size_t size = 0;
    for (int n = lineOut; n <= line; ++n) size += Slot(n).size();
    std::wstring joined;
    joined.reserve(size);
    for (int n = lineOut; n <= line; ++n) joined += slots_[static_cast<size_t>(n)];
    return joined;
}

std::optional<std::wstring> ScrollRefreshText(const RunLog& log, int position) {
    // The scroll bar's position is 16-bit: position + 3 past 32767 does not fit and the
    // refresh is dropped, as is any position that names no slot.
    if (position + 3 > std::numeric_limits<int16_t>::max()) return std::nullopt;
    if (!RunLog::IsSlot(position) || !RunLog::IsSlot(position + 3)) return std::nullopt;
    return log.TheLogData(position, position + 3);
}

}  // namespace tunelift
