// The songs a verifying run wrote, each with the digest it was written with, for the
// read-back after the last entry.
#pragma once
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/song_hash.h"

namespace tunelift {

struct WrittenSong {
    std::wstring destName;     // the copy's name in the destination
    std::wstring destination;  // its full path
    SongDigest digest;         // of the song's bytes, which the copy read back as
    int entries = 1;           // the playlist's entries that wrote it
};

class WrittenSongs {
public:
    // A copy written twice in one run (its song listed twice, Overwrite ticked) is read
    // back once, against its last digest, and fails every entry that wrote it.
    void Add(const std::wstring& nameKey, WrittenSong song) {
        const auto [at, added] = index_.try_emplace(nameKey, songs_.size());
        if (added) {
            songs_.push_back(std::move(song));
            return;
        }
        song.entries += songs_[at->second].entries;
        songs_[at->second] = std::move(song);
    }
    const std::vector<WrittenSong>& All() const { return songs_; }

private:
    std::vector<WrittenSong> songs_;
    std::unordered_map<std::wstring, size_t> index_;
};

}  // namespace tunelift
