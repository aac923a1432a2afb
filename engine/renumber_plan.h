// Which numbered songs already on the player can take their new place by a rename
// instead of a copy, when the playlist's order changed: one song inserted at the top
// of a long list shifts every number, and a rename costs nothing next to a copy.
// Pure: the caller lists the folder and reads the songs' stamps, and performs the
// steps (renumber_files.h).
//
// The rules:
// - A file is a place's song when its name after the number ("07 - x.mp3": "x.mp3",
//   any width of digits, 0 included) equals the song's name under the file system's
//   name key, and its size and time pass IsUnchangedCopy against the song.
// - A place whose name already holds its song keeps it: that file never moves, and keeps
//   its spelling where it differs from the place's name in letter case only. So does
//   a place whose song is missing, when its name holds a file of the song's name: it
//   may be its copy, and the run treats it as today.
// - Every other place, in playlist order, takes the earliest-written file of its song
//   not taken yet; each file is taken once, so a song listed twice is renamed for one
//   place and copied for the other. The choice is greedy: with several songs of one
//   name and spare copies of one of them, another choice may save a copy more.
// - A place whose name holds a file that no place reached later may take (another
//   song, an older copy, a folder) takes no file: the run leaves or overwrites that file
//   as today, and a later place of the same song may use the copy instead. A rename onto
//   a name whose file ends up staying is dropped, and so is every rename waiting on it
//   in a chain; their files stay where they lie. The plan never renames over a file.
// - A name that holds a file taken elsewhere is freed first, by moving that file on
//   (chains); a ring of such files (a swap) goes through a temporary name.
// - A temporary name is "0 - name", else "00 - name", ...: a numbered name with number
//   0, which no place ever wants, so that a file left there by a killed run is found
//   again by the next run like any numbered copy. It is never a name that exists or that
//   a place wants. The rings of one song name share it, each freeing it before the next
//   (more zeros per ring would make names too long for a path on a long list); if a
//   rename fails and leaves a file there, the next ring's first rename fails and moves
//   nothing.
// - Each rename moves one file to a name that is free at that moment, so a run killed
//   between any two leaves every song whole under some name. All renames of one chain
//   or ring are steps of one place: the earliest place whose name the chain or ring
//   frees or fills. A run that performs the places' steps as it reaches them and stops
//   between places (Cancel) thus finds every name it reached holding what that place
//   expects, and never a ring half turned.
// Cost: n log n in the places and files.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/file_services.h"

namespace tunelift {

// One file lying directly in the destination folder.
struct ListedFile {
    std::wstring Name;
    std::optional<FileStamp> Stamp;  // nothing for a folder or a file that cannot be told
};

// One place of the playlist, in order: the numbered name it wants, the song's own name
// after the number, and the song's stamp (nothing when the song is missing).
struct WantedPlace {
    std::wstring Name;
    std::wstring SongName;
    std::optional<FileStamp> Source;
};

struct RenameStep {
    std::wstring From, To;         // names in the destination folder
    std::optional<size_t> Places;  // the place this step puts its song in; nothing for a temporary name
};

// What the plan says of one place.
struct PlannedPlace {
    // The listed name of the file this place takes by a rename; nothing: the place goes
    // as today (copied, left or failed by the run's own rules).
    std::optional<std::wstring> RenamedFrom;
    // Renames to perform, in order, before this place is handled; possibly for later
    // places too. Each needs the one before it.
    std::vector<RenameStep> Steps;
};

using NameKeyOf = std::function<std::wstring(const std::wstring& name)>;

// One PlannedPlace per wanted place, in the same order.
std::vector<PlannedPlace> PlanRenumbering(const std::vector<ListedFile>& listing,
                                          const std::vector<WantedPlace>& places, const NameKeyOf& nameKey);

}  // namespace tunelift
