// A file named on the program's command line (dropped on its icon, "Open with",
// "Send to"). Pure, no I/O.
#pragma once
#include <string>
#include <string_view>

namespace tunelift {

// True for a name ending in .m3u, .m3u8, .txt or .pls in any letter case. The user chose
// the file himself, so this also takes the UTF-8 and [playlist] endings that a drop onto
// the playlist box turns away. With allKinds, also .xspf, .wpl and .zpl: every kind the
// readers of every kind know.
bool IsPlaylistArgument(std::wstring_view path, bool allKinds = false);

// Those endings as an open dialog's pattern: "*.m3u;*.m3u8;...".
std::wstring AllKindsPattern();

}  // namespace tunelift
