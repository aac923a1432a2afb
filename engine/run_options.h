// The choices a user can switch on beyond the plain run. All off gives the run as the
// window has always made it; a run reads them once, when it starts.
#pragma once

namespace tunelift {

struct RunOptions {
    bool allAudio = false;        // M3U lines of every common audio kind are entries, not only .mp3
    bool numberSongs = false;     // destination names "NN - name" in playlist order
    bool writePlaylist = false;   // a finished Save run writes the playlist beside the songs
    bool onlyChanged = false;     // with Overwrite: an unchanged copy (size, time) is left
    bool askBeforeSync = false;   // Sync asks before it deletes anything
    bool checkFreeSpace = false;  // a Save run compares what it will write with the free space

    bool operator==(const RunOptions&) const = default;
};

}  // namespace tunelift
