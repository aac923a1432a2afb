#include "engine/song_hash.h"

#include <memory>
#include <new>

// The whole of xxHash compiled into this one file: no library to link, the same code
// in the native and the Windows build.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace tunelift {

struct SongHash::State {
    // XXH3's state wants 64-byte alignment, which its own allocator gives.
    struct Free {
        void operator()(XXH3_state_t* s) const { XXH3_freeState(s); }
    };
    std::unique_ptr<XXH3_state_t, Free> xxh{XXH3_createState()};
};

SongHash::SongHash() : state_(std::make_unique<State>()) {
    if (!state_->xxh) throw std::bad_alloc();
    XXH3_128bits_reset(state_->xxh.get());
}

SongHash::~SongHash() = default;

void SongHash::Add(const void* bytes, size_t size) {
    if (size == 0) return;
    XXH3_128bits_update(state_->xxh.get(), bytes, size);
}

SongDigest SongHash::Digest() const {
    const XXH128_hash_t h = XXH3_128bits_digest(state_->xxh.get());
    return {h.high64, h.low64};
}

}  // namespace tunelift
