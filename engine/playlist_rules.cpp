#include "engine/playlist_rules.h"
// Interim: the rules arrive with the playlist module.
namespace tunelift {
std::optional<PlaylistKind> PlaylistKindOf(std::wstring_view) { return std::nullopt; }
std::optional<PlaylistEntry> PlaylistEntryOf(PlaylistKind, std::wstring_view) { return std::nullopt; }
}  // namespace tunelift
