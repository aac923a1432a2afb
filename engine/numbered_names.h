// Destination names that carry the song's place in the playlist, so that players
// that sort by name play the songs in the playlist's order.
#pragma once
#include <string>

namespace tunelift {

// "NN - name": `position` (from 1) zero-padded to the digits of `count`, at least two
// ("01 - Intro.mp3", "007 - x.mp3" of 120). A position past `count` (the playlist
// grew during the run) gets the digits it needs and is never cut.
std::wstring NumberedName(int position, int count, const std::wstring& name);

}  // namespace tunelift
