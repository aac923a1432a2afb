#include "engine/unchanged_copy.h"

namespace tunelift {

bool IsUnchangedCopy(const FileStamp& source, const FileStamp& copy) {
    constexpr uint64_t kTolerance = 2 * kTicksPerSecond;
    constexpr uint64_t kHour = 3600 * kTicksPerSecond;
    if (source.Size != copy.Size) return false;
    const uint64_t apart = source.LastWriteTime > copy.LastWriteTime ? source.LastWriteTime - copy.LastWriteTime
                                                                     : copy.LastWriteTime - source.LastWriteTime;
    const uint64_t offHour = apart > kHour ? apart - kHour : kHour - apart;
    return apart <= kTolerance || offHour <= kTolerance;
}

}  // namespace tunelift
