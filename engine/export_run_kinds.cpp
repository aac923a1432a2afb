// A run over a playlist of any kind: read whole once at the start, its entries walked in
// playlist order, each in a log slot of its own. Songs go through the same copy decision
// as every other run's entries; the log shows each as the path it was looked up at.
#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "engine/export_run_steps.h"
#include "engine/readers/any_kind_reader.h"

namespace tunelift::detail {
namespace {

// The song's file is the first of its paths that exists, else the first: a missing song
// is reported where the playlist points first.
PlaylistEntry SongEntryOf(const ReadEntry& entry, FileServices& files) {
    size_t at = 0;
    if (entry.Paths.size() > 1)
        while (at < entry.Paths.size() && !files.FileExists(entry.Paths[at])) ++at;
    if (at == entry.Paths.size()) at = 0;
    return {entry.Paths[at], entry.Names[at], EntryForm::M3uPath};
}

}  // namespace

RunEnd ExportRun::RunAnyKind() {
    const std::optional<std::string> bytes = files_.ReadPlaylistBytes(playlist_);
    std::optional<ReadPlaylist> read;
    if (bytes) read = ReadPlaylistOfAnyKind(*bytes, playlist_, files_.PlaylistReaders(), options_.allAudio);
    if (!read) {
        host_.Tell(run_event::LogPiece{run_event::LogPlace::Whole, logLine_, Texts().MsgNoPlaylist});
        return Finish(RunEnd::NoPlaylist);
    }
    const std::vector<ReadEntry>& entries = read->Entries;
    if (copy_ && (options_.numberSongs || options_.checkFreeSpace)) {
        std::vector<PlaylistEntry> songs;
        for (const ReadEntry& entry : entries)
            if (entry.Role == EntryRole::Song) songs.push_back(SongEntryOf(entry, files_));
        if (const std::optional<RunEnd> end = SurveyEntries(songs)) return *end;
    }
    lines_ = static_cast<int>(std::min<size_t>(entries.size(), INT_MAX));
    // Every kind is shown as an M3U list is: a slot per entry, the end line after them.
    host_.Tell(run_event::PlaylistOpened{PlaylistKind::M3u, lines_});
    for (const ReadEntry& entry : entries) {
        // The entries were read at the start; a playlist deleted or locked since still
        // stops the run, as it stops one read line by line.
        if (files_.ReadPlaylistLine(playlist_, 1).Status == LineStatus::Unreadable) return PlaylistLost();
        if (Canceled()) return Finish(RunEnd::Canceled);
        // Sync keeps every name an entry gives: a cover's, a stream's, a song's other
        // spelling. Numbered songs are kept by their numbered names alone, as in every run.
        if (copy_ && sync_ && (entry.Role != EntryRole::Song || entryTotal_ == 0))
            for (const std::wstring& name : entry.Names) state_.sync.Record(name);
        if (entry.Role == EntryRole::Song) HandleEntry(PlaylistKind::M3u, SongEntryOf(entry, files_));
        else if (entry.Role != EntryRole::OtherFile) EntryWithoutFile(entry);
        LineDone();
        if (logLine_ < INT_MAX) ++logLine_;
    }
    return EndOfPlaylist(PlaylistKind::M3u);
}

// A stream or an entry that names no file is an entry the user expects on the player:
// it is logged as written and counted as an error, and nothing is copied for it.
void ExportRun::EntryWithoutFile(const ReadEntry& entry) {
    host_.Tell(run_event::EntryStarted{logLine_, entry.Written, L"", L""});
    ++entryCount_;
    AppendToSlot(kCrLf + entry.Written + kCrLf + std::to_wstring(okCount_) + L"/" + std::to_wstring(entryCount_) +
                 L" error" + kCrLf + L"---");
    using run_event::Outcome;
    host_.Tell(run_event::EntryEnded{logLine_, copy_ ? Outcome::NotCopied : Outcome::Missing, false, Progress()});
}

}  // namespace tunelift::detail
