// ReadBack: the hash of a file as the disk holds it, for comparing a copy with its source.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/song_hash.h"

namespace tunelift::win {

// Read-back reads this much at a time: a multiple of every sector size, large enough
// for a stick's full read speed, small enough that a 10 MB/s stick still reports
// progress about every 50 ms.
constexpr DWORD kReadBackChunkBytes = 512 * 1024;

enum class ReadFrom {
    Device,  // past the system's cache, so a stick that lost the bytes cannot hide it
    Cache,   // an ordinary read, which the cache may answer
};

struct ReadBackResult {
    SongDigest digest;
    uint64_t bytes = 0;
    // False when the volume refused reads past the cache and an ordinary read was taken.
    bool fromDevice = false;
};

// (total, done) before the first byte and after every chunk, on the calling thread.
using ReadBackProgress = std::function<void(uint64_t total, uint64_t done)>;

// Hashes the file's bytes as read from `from`. A volume that refuses reads past its
// cache is read the ordinary way. The file may be open elsewhere, also for writing.
// Nothing when it cannot be opened or a read fails.
std::optional<ReadBackResult> ReadBack(const std::wstring& path, const ReadBackProgress& progress = {},
                                       ReadFrom from = ReadFrom::Device);

// Seam for tests; a real run never calls it.
namespace read_back_seam {
// Makes every open past the cache fail as on a volume that refuses it (Wine never does).
void RefuseDeviceReads(bool refuse);
}  // namespace read_back_seam

}  // namespace tunelift::win
