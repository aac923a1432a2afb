// What a playlist of any kind yields: its entries in playlist order, each with the
// places the run may find its file and the names Sync must keep for it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tunelift {

enum class PlaylistFormat {
    M3u,         // M3U, M3U8 and plain text lists
    Pls,         // "[playlist]" with FileN= lines
    Xspf,        // XML in the XSPF namespace
    Wpl,         // WPL and ZPL: the same SMIL body
    ITunesText,  // the tab-separated UTF-16 export
};

enum class EntryRole {
    Song,       // a file that passes the song rule: the run copies or checks it
    OtherFile,  // a file that is no song under the rule (a cover, a .flac without all audio)
    Stream,     // a web address or another network source: never a file to copy
    NoPath,     // names no file at all (a track without location, an empty column)
};

struct ReadEntry {
    // Where the entry stands: its line for M3U, PLS and the iTunes text, its place in
    // the list (from 1) for XSPF and WPL.
    int64_t Place = 0;
    // As the playlist writes it, for the log.
    std::wstring Written;
    EntryRole Role = EntryRole::NoPath;
    // Full paths to try in this order; the first that exists is the file. Empty for a
    // stream and an entry that names no file.
    std::vector<std::wstring> Paths;
    // Names[i] is the name Paths[i] has in its folder, as written (a "..", a device
    // name or a trailing dot stays, so that the run can refuse it); a stream's last
    // segment. Sync keeps every one of them.
    std::vector<std::wstring> Names;
};

// More entries than this make no playlist: a file that size is no list a stick can
// hold, and reading on would only fill the memory. Each kind stops one past it.
inline constexpr size_t kMostEntries = 1'000'000;

struct ReadPlaylist {
    PlaylistFormat Format = PlaylistFormat::M3u;
    std::vector<ReadEntry> Entries;
};

// What every kind's rules need to know besides the playlist's content.
struct EntryContext {
    std::wstring Folder;    // the playlist's folder, full; relative entries mean it
    bool AllAudio = false;  // every common audio kind is a song, not only .mp3
};

}  // namespace tunelift
