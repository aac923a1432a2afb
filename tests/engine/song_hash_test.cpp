#include "engine/song_hash.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The expected values come from Debian's `xxhsum -H2` (xxhash 0.8.1, high half first) over
// the same bytes in files: a 64-bit hash, a seed, swapped halves or a lost piece differ.
TEST(SongHash, DigestIsXxh3Of128BitsOfAllPiecesInOrder) {
    std::string mib(1 << 20, '\0');
    for (size_t i = 0; i < mib.size(); ++i) mib[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    const struct { const char* why; std::string bytes; size_t piece; uint64_t high, low; } rows[] = {
        {"three bytes one at a time", "abc", 1, 0x06b05ab6733a6185, 0x78af5f94892f3950},
        {"1 MiB in odd pieces across the state's buffer", mib, 1021, 0x693782642cdfa231, 0x6f7c82505ffbc516},
    };
    for (const auto& row : rows) {
        tunelift::SongHash hash;
        for (size_t at = 0; at < row.bytes.size(); at += row.piece)
            hash.Add(row.bytes.data() + at, std::min(row.piece, row.bytes.size() - at));
        EXPECT_EQ(hash.Digest(), (tunelift::SongDigest{row.high, row.low})) << row.why;
    }
}

}  // namespace
