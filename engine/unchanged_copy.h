// When a copy on the player is the song it came from, so that a repeat run with
// Overwrite need not write it again.
#pragma once
#include "engine/file_services.h"

namespace tunelift {

inline constexpr uint64_t kTicksPerSecond = 10'000'000;  // FILETIME counts 100 ns

// True when `copy` has the size of `source` and a last-write time within 2 s of it
// (FAT keeps times to 2 s), or one hour off within those 2 s (a FAT stick keeps local
// time, so a daylight-saving change moves every time on it by an hour).
bool IsUnchangedCopy(const FileStamp& source, const FileStamp& copy);

}  // namespace tunelift
