// SongHash: the fingerprint of a song's bytes, taken as they stream past (while the
// copy reads the source, while the read-back reads the copy), so that a copy can be
// compared with its source without keeping either in memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tunelift {

// XXH3's 128-bit value: two songs that differ get different digests in all but
// about one case in 2^128, and the hash keeps up with any stick's reads.
struct SongDigest {
    uint64_t high = 0;
    uint64_t low = 0;
    friend bool operator==(const SongDigest&, const SongDigest&) = default;
};

class SongHash {
public:
    SongHash();
    ~SongHash();

    // Feeds the next bytes; pieces of any size give the digest of their concatenation.
    void Add(const void* bytes, size_t size);
    // The digest of everything added so far.
    SongDigest Digest() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tunelift
