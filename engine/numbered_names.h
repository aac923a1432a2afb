// Destination names that carry the song's place in the playlist, so that players
// that sort by name play the songs in the playlist's order.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tunelift {

// "NN - name": `position` (from 1) zero-padded to the digits of `count`, at least two
// ("01 - Intro.mp3", "007 - x.mp3" of 120). A position past `count` (the playlist
// grew during the run) gets the digits it needs and is never cut.
std::wstring NumberedName(int position, int count, const std::wstring& name);

// A numbered name taken apart: its number and the song's own name after " - ".
struct NumberedParts {
    int Number = 0;
    std::wstring Name;
};

// The parts of a name such as "07 - Intro.mp3": ASCII digits of any width (leading zeros
// and 0 itself included), exactly " - ", and a name that is not empty. Nothing for any
// other name, and for a number past what a playlist position can be.
std::optional<NumberedParts> SplitNumberedName(std::wstring_view name);

}  // namespace tunelift
