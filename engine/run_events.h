// What a run tells its front ends as it goes. The run makes every text of its log
// itself (LogPiece); the events around them say what happens, so that each front end
// shows it its own way and none reads a text back.
#pragma once
#include <cstdint>
#include <string>
#include <variant>

#include "engine/playlist_rules.h"

namespace tunelift {

// How a run ended.
enum class RunEnd {
    Busy,                // another run is under way; nothing changed
    InputRefused,        // playlist or destination missing or prompt-only
    NoPlaylist,
    Finished,
    Canceled,
    PlaylistUnreadable,  // the playlist could no longer be read midway
};

// Where a run stands after a playlist line it has handled.
struct RunProgress {
    int line = 0;     // the line just handled, from 1
    int lines = 0;    // the lines the playlist had when the run began
    int entries = 0;  // entries handled so far
    int ok = 0;       // of them, those whose outcome was " ok"
    bool operator==(const RunProgress&) const = default;
};

namespace run_event {

// The run does not start: the playlist or the destination is missing. Nothing else
// happens, and the message says which.
struct Refused {
    std::wstring message;
};

// The run passed its input checks and begins (before Sync lists the destination).
struct Started {
    bool copy = true;  // a Save run; false for a Check run
};

// The log starts empty: the run is about to read the playlist.
struct LogCleared {};

// The playlist was recognised; its lines are walked from here.
struct PlaylistOpened {
    PlaylistKind kind = PlaylistKind::M3u;
    int lines = 0;
};

// Where a piece of the log goes: the slot of its playlist line, straight after the
// log's text, or in place of the whole log.
enum class LogPlace { Slot, Appended, Whole };

struct LogPiece {
    LogPlace place = LogPlace::Slot;
    int line = 0;  // the playlist line it belongs to (Slot)
    std::wstring text;
};

struct EntryStarted {
    int line = 0;
    std::wstring source;       // as the playlist writes it
    std::wstring destName;     // the copy's name in the destination
    std::wstring destination;  // the copy's full path
};

// The bytes of the current copy so far.
struct CopyProgress {
    uint64_t total = 0;
    uint64_t done = 0;
};

// A copy is read back from the disk and compared with its song: right after it was
// written, or once more after the last entry. CopyProgress reports follow.
struct Verifying {
    std::wstring destName;     // the copy's name in the destination
    std::wstring destination;  // its full path
};

enum class Outcome {
    Copied,     // copied now
    Kept,       // its copy was there already and stays
    Renamed,    // its copy was there under another number and took its new name
    NotCopied,  // missing source, failed copy, a name that is no file's or taken
    Found,      // a Check run found it
    Missing,    // a Check run did not
};

struct EntryEnded {
    int line = 0;
    Outcome outcome = Outcome::Copied;
    bool ok = true;
    RunProgress progress;  // counts with this entry
    std::wstring renamedFrom = {};  // Renamed: the name the copy had
};

// After every playlist line, entry or not.
struct LineHandled {
    RunProgress progress;
};

// Sync is about to delete files: `killCount` failed name comparisons.
struct DeletionsStarted {
    int killCount = 0;
};

// Told just before the file is deleted.
struct Deleting {
    std::wstring name;
    std::wstring path;
    size_t index = 0;  // the file's place in the listing, from 0
};

struct DeletionsEnded {};

struct Ended {
    RunEnd how = RunEnd::Finished;
    RunProgress progress;
    int deleted = 0;  // files Sync deleted
    // False for a run that ended at once because its destination was emptied while it
    // was listed: it leaves the bar and the panels as they are.
    bool finishStep = true;
};

}  // namespace run_event

using RunEvent = std::variant<run_event::Refused, run_event::Started, run_event::LogCleared, run_event::PlaylistOpened,
                              run_event::LogPiece, run_event::EntryStarted, run_event::CopyProgress, run_event::Verifying,
                              run_event::EntryEnded, run_event::LineHandled, run_event::DeletionsStarted,
                              run_event::Deleting, run_event::DeletionsEnded, run_event::Ended>;

}  // namespace tunelift
