#include "engine/export_run.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <unordered_set>

#include "engine/export_run_steps.h"
#include "engine/file_names.h"
#include "engine/full_path.h"
#include "engine/playlist_text.h"
#include "engine/run_questions.h"

namespace tunelift {
namespace detail {

RunEnd ExportRun::Run() {
    // An empty or prompt-only path refuses the run before anything is shown.
    if (const auto refusal = InputRefusal(host_.Playlist(), host_.Destination(), Texts())) {
        host_.Tell(run_event::Refused{*refusal});
        return RunEnd::InputRefused;
    }
    const std::wstring to = host_.Destination();
    okCount_ = entryCount_ = 0;
    // A playlist chosen or dropped during the run makes another folder current: relative
    // paths keep meaning the folder of the run's start.
    startFolder_ = files_.CurrentFolder();
    // Sync is chosen once, like the destination: ticked or unticked midway, it would leave
    // the entries handled meanwhile unrecorded and delete their copies.
    sync_ = host_.Sync();
    // So are the options: switched midway, they would number or check half a playlist.
    options_ = host_.Options();
    host_.Tell(run_event::Started{copy_});

    // The listing is taken before any copy, so a file this run copies is never a
    // deletion candidate; a listing of an earlier run is never used.
    state_.sync.BeginRun();
    if (sync_) state_.sync.List(files_, FullFolderIn(startFolder_, to));

    // A Cancel pressed while the destination was listed is forgotten.
    state_.bCancel = false;
    host_.Tell(run_event::LogCleared{});
    playlist_ = FullPathIn(startFolder_, host_.Playlist());
    // The destination is read once: a box edited or a language switched during the run
    // must not send later copies, or the deletion, to another folder.
    const std::wstring typedTo = host_.Destination();
    if (typedTo != to) state_.sync.BeginRun();
    destination_ = FullFolderIn(startFolder_, typedTo);
    claims_.clear();
    logLine_ = 1;
    state_.sync.ResetEntries();
    if (copy_ && typedTo.empty()) {
        host_.Tell(run_event::Ended{RunEnd::Finished, Progress(), 0, false});
        return RunEnd::Finished;
    }

    if (options_.allKinds) return RunAnyKind();
    // The first line alone decides what kind of playlist this is.
    const PlaylistLine first = files_.ReadPlaylistLine(playlist_, 1);
    const auto kind = first.Status == LineStatus::Line ? PlaylistKindOf(first.Text) : std::nullopt;
    if (!kind) {
        host_.Tell(run_event::LogPiece{run_event::LogPlace::Whole, logLine_, Texts().MsgNoPlaylist});
        return Finish(RunEnd::NoPlaylist);
    }
    if (copy_ && (options_.numberSongs || options_.checkFreeSpace))
        if (const std::optional<RunEnd> end = Survey(*kind)) return *end;
    lines_ = static_cast<int>(std::min<size_t>(LineIndex(files_.ReadAll(playlist_)).Count(), INT_MAX));
    host_.Tell(run_event::PlaylistOpened{*kind, lines_});
    // A blank line is no entry and no end: lists edited by hand have them between songs.
    if (*kind == PlaylistKind::M3u) {
        for (;; ++logLine_) {
            const PlaylistLine line = files_.ReadPlaylistLine(playlist_, logLine_);
            if (line.Status == LineStatus::End) break;
            if (line.Status == LineStatus::Unreadable) return PlaylistLost();
            if (Canceled()) return Finish(RunEnd::Canceled);
            if (auto entry = PlaylistEntryOf(PlaylistKind::M3u, line.Text, options_.allAudio)) {
                HandleEntry(*kind, *entry);
            } else if (copy_ && sync_) {
                // A song in a format the run does not copy is still the user's song.
                if (auto named = NamedFileOf(line.Text)) state_.sync.Record(*named);
            }
            LineDone();
        }
        return EndOfPlaylist(*kind);
    }

    // "[playlist]": the header line is read again and is no entry; the log goes straight
    // into the view.
    for (logLine_ = 1;; ++logLine_) {
        const PlaylistLine line = files_.ReadPlaylistLine(playlist_, logLine_);
        if (line.Status == LineStatus::Unreadable) return PlaylistLost();
        if (line.Status == LineStatus::End) return EndOfPlaylist(*kind);
        if (Canceled()) return Finish(RunEnd::Canceled);
        if (auto entry = PlaylistEntryOf(PlaylistKind::Pls, line.Text)) HandleEntry(*kind, *entry);
        LineDone();
    }
}

// A playlist gone, locked or moved away midway has not ended: the songs it still names
// are neither reported copied nor deleted by Sync.
RunEnd ExportRun::PlaylistLost() {
    AppendToBox(kCrLf + Texts().MsgPlaylistUnreadable);
    return Finish(RunEnd::PlaylistUnreadable);
}

// Numbering needs the number of entries, the free-space check what the run will write;
// both must be known before the first copy, so the entries are gathered in one pass
// first. The count stands for the whole run: a playlist edited meanwhile keeps the
// width counted here, and an entry past it gets the digits it needs.
std::optional<RunEnd> ExportRun::Survey(PlaylistKind kind) {
    std::vector<PlaylistEntry> entries;
    for (int n = 1;; ++n) {
        const PlaylistLine line = files_.ReadPlaylistLine(playlist_, n);
        if (line.Status == LineStatus::End) break;
        if (line.Status == LineStatus::Unreadable) return PlaylistLost();
        if (auto entry = PlaylistEntryOf(kind, line.Text, options_.allAudio)) entries.push_back(std::move(*entry));
    }
    return SurveyEntries(entries);
}

std::optional<RunEnd> ExportRun::SurveyEntries(const std::vector<PlaylistEntry>& entries) {
    if (options_.numberSongs) {
        entryTotal_ = static_cast<int>(std::min<size_t>(entries.size(), INT_MAX));
        // A rename stands in for a copy the run would leave alone; plain Overwrite writes
        // every song anew, so it renames nothing.
        if (!host_.Overwrite() || options_.onlyChanged) renumbering_.Plan(destination_, startFolder_, entries, entryTotal_);
    }
    if (!options_.checkFreeSpace) return std::nullopt;

    // What the run will write: each name once, by the first song that wants it, and not
    // the copies it leaves as they are, nor the songs renamed into place.
    uint64_t needed = 0;
    std::unordered_set<std::wstring> names;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (Canceled()) return Finish(RunEnd::Canceled);
        const std::wstring N = DestNameOf(entries[i], static_cast<int>(i + 1));
        if (!IsPlainFileName(N) || !names.insert(files_.NameKey(N)).second || renumbering_.Renames(i)) continue;
        const std::wstring source = FullPathIn(startFolder_, entries[i].SourcePath);
        const std::optional<FileStamp> song = files_.StampOf(source);
        // A file a rename takes away leaves its name to be copied.
        if (song && (renumbering_.MovesAway(files_.NameKey(N)) || CopyWanted(entries[i].Form, source, destination_ + L"\\" + N)))
            needed += song->Size;
    }
    const std::optional<uint64_t> free = files_.FreeBytes(destination_);
    if (!free || needed <= *free || host_.Ask(FreeSpaceQuestion(Texts().MsgAskFreeSpace, needed, *free)))
        return std::nullopt;
    // No ends the run as Cancel does: nothing copied, nothing deleted.
    state_.bCancel = true;
    return Finish(RunEnd::Canceled);
}

RunEnd ExportRun::Finish(RunEnd end) {
    if (Canceled()) {
        AppendToBox(kCrLf + Texts().MsgCanceled);
        end = RunEnd::Canceled;
    }
    host_.Tell(run_event::Ended{end, Progress(), deleted_});
    return end;
}

// A run started while another is under way would interleave with it: refused.
struct RunningFlag {
    explicit RunningFlag(std::atomic<bool>& flag) : flag_(flag), taken_(!flag.exchange(true)) {}
    ~RunningFlag() {
        if (taken_) flag_ = false;
    }
    std::atomic<bool>& flag_;
    const bool taken_;
};

}  // namespace detail

using detail::ExportRun;
using detail::RunningFlag;

std::optional<std::wstring> InputRefusal(const std::wstring& playlist, const std::wstring& destination,
                                         const RunTexts& texts) {
    if (playlist.empty() || playlist == texts.CapPromptPlaylist) return texts.MsgSelectPlaylist;
    if (destination.empty() || destination == texts.CapPromptDestination) return texts.MsgSelectDestination;
    return std::nullopt;
}

RunEnd SaveFiles(RunHost& host, FileServices& files, RunState& state, bool copy) {
    RunningFlag running(state.running);
    if (!running.taken_) return RunEnd::Busy;
    return ExportRun(host, files, state, copy).Run();
}

}  // namespace tunelift
