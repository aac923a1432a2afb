#include "engine/song_hash.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using tunelift::SongHash;

namespace {

// The byte pattern the Windows tests' ScratchFolder::WriteSizedFile writes.
std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>((i * 131 + 7) & 0xFF);
    return bytes;
}

// The expected values were computed apart from this code: the same bytes written to
// files and hashed with Debian's `xxhsum -H2` (xxhash 0.8.1). A wrong seed, a 64-bit
// hash, swapped halves, a lost or repeated piece, or a piece size the streaming state
// mishandles gives another value.
TEST(SongHash, DigestIsXxh3Of128BitsOfAllPiecesInOrder) {
    const struct { const char* why; std::vector<uint8_t> bytes; size_t piece; const char* xxhsum; } rows[] = {
        {"nothing added", {}, 1, "99aa06d3014798d86001c324468d497f"},
        {"one byte", {'a'}, 1, "a96faf705af16834e6c632b61e964e1f"},
        {"three bytes in one piece", {'a', 'b', 'c'}, 3, "06b05ab6733a618578af5f94892f3950"},
        {"three bytes one at a time", {'a', 'b', 'c'}, 1, "06b05ab6733a618578af5f94892f3950"},
        {"240 bytes, the longest short input, in one piece", Pattern(240), 240, "5293e17bf553903d3f2c53e72293711f"},
        {"241 bytes, the shortest long input, byte by byte", Pattern(241), 1, "b53840fe3fedf161956cae592c67279e"},
        {"1 MiB in the copy's 256 KiB chunks", Pattern(1 << 20), 256 * 1024, "693782642cdfa2316f7c82505ffbc516"},
        {"1 MiB in odd pieces across the state's buffer", Pattern(1 << 20), 1021, "693782642cdfa2316f7c82505ffbc516"},
        {"1 MiB and a tail shorter than a sector", Pattern((1 << 20) + 4099), 4096, "06136576339219b262ebbf0584d16526"},
    };
    for (const auto& row : rows) {
        SongHash hash;
        for (size_t at = 0; at < row.bytes.size(); at += row.piece)
            hash.Add(row.bytes.data() + at, std::min(row.piece, row.bytes.size() - at));
        EXPECT_EQ(hash.Digest().Hex(), row.xxhsum) << row.why;
        EXPECT_EQ(hash.Bytes(), row.bytes.size()) << row.why;
    }
}

}  // namespace
