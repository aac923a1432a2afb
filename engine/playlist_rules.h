// What a playlist line means: the kind test on line 1 and the entry tests.
// Pure functions: a line in, a value out, no I/O.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tunelift {

enum class PlaylistKind { M3u, Pls };

// How an entry was written; the overwrite rule of a Save run depends on it.
enum class EntryForm {
    M3uPath,   // a line of an M3U/TXT list
    PlsDrive,  // FileN=C:\...  (overwrite rule applies)
    PlsName,   // FileN=a.mp3   (always copied)
};

struct PlaylistEntry {
    std::wstring SourcePath;  // handed to the copy exactly as written; may be relative
    std::wstring DestName;    // name of the copy inside the destination folder
    EntryForm Form = EntryForm::M3uPath;
};

// Line 1 decides the kind; no kind means the file is no playlist.
std::optional<PlaylistKind> PlaylistKindOf(std::wstring_view firstLine);

// An entry, or nothing when the line is no entry of a playlist of that kind. With
// allAudio, an M3U line of any common audio kind (see IsAudioFileLine) is an entry too.
std::optional<PlaylistEntry> PlaylistEntryOf(PlaylistKind kind, std::wstring_view line, bool allAudio = false);

// True when the line ends in ".mp3", ".m4a", ".aac", ".ogg", ".oga", ".opus", ".flac",
// ".wma", ".wav", ".aif" or ".aiff", in any letter case.
bool IsAudioFileLine(std::wstring_view line);

// True when a file of this name is a song: ".mp3" in any letter case as a playlist line
// is tested, or with allAudio every kind IsAudioFileLine takes.
bool IsSongName(std::wstring_view name, bool allAudio);

// The file an M3U line names, entry or not (a .flac or .m4a line is no entry, but its
// copy on the player is still the user's song): the part after its last "\" or "/".
// Nothing for a blank line, a comment ("#...") or a line that ends in a separator.
std::optional<std::wstring> NamedFileOf(std::wstring_view line);

}  // namespace tunelift
