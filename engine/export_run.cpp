#include "engine/export_run.h"

#include <algorithm>
#include <climits>
#include <limits>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/file_names.h"
#include "engine/full_path.h"
#include "engine/numbered_names.h"
#include "engine/playlist_rules.h"
#include "engine/run_questions.h"
#include "engine/unchanged_copy.h"
#include "engine/written_playlist.h"
#include "engine/playlist_text.h"

namespace tunelift {
namespace {

const std::wstring kCrLf = L"\r\n";

class ExportRun {
public:
    ExportRun(RunHost& host, FileServices& files, RunState& state, bool copy)
        : host_(host), files_(files), state_(state), copy_(copy) {}

    RunEnd Run();

private:
    const RunTexts& Texts() const { return host_.Texts(); }
    bool Canceled() const { return state_.bCancel.load(); }

    void AppendToSlot(const std::wstring& piece) {
        host_.Tell(run_event::LogPiece{run_event::LogPlace::Slot, logLine_, piece});
    }
    void AppendToBox(const std::wstring& piece) {
        host_.Tell(run_event::LogPiece{run_event::LogPlace::Appended, logLine_, piece});
    }
    RunProgress Progress() const { return {logLine_, lines_, entryCount_, okCount_}; }
    void LineDone() { host_.Tell(run_event::LineHandled{Progress()}); }

    void KeepPlaylistInDestination();
    void HandleEntry(PlaylistKind kind, const PlaylistEntry& entry);
    bool NameTakenByAnotherSource(const std::wstring& name, const std::wstring& source);
    RunEnd PlaylistLost();
    RunEnd Finish(RunEnd end);
    // The options' steps.
    std::optional<RunEnd> Survey(PlaylistKind kind);
    std::wstring DestNameOf(const PlaylistEntry& entry, int position) const;
    bool CopyWanted(EntryForm form, const std::wstring& source, const std::wstring& D);
    bool Copy(const std::wstring& source, const std::wstring& D);
    void KeepSongTime(const std::wstring& source, const std::wstring& D);
    RunEnd EndOfPlaylist(PlaylistKind kind);
    void SyncStep();
    void WritePlaylist(PlaylistKind kind, const WrittenPlaylist& written);
    void AppendEndLine(PlaylistKind kind, const std::wstring& text) {
        if (kind == PlaylistKind::M3u) AppendToSlot(kCrLf + text); else AppendToBox(kCrLf + text);
    }

    RunHost& host_;
    FileServices& files_;
    RunState& state_;
    const bool copy_;

    std::wstring startFolder_;   // current when the run started; relative paths mean it
    bool sync_ = false;          // Sync as it was ticked when the run started
    RunOptions options_;         // as they were when the run started
    int entryTotal_ = 0;         // entries counted before the first copy; 0: no numbering
    int entryPosition_ = 0;      // entries reached so far
    std::vector<std::wstring> okNames_;  // destination names of the entries that arrived
    std::wstring playlist_;
    std::wstring destination_;
    // Destination name (by the file system's key) -> the source whose copy holds it.
    std::unordered_map<std::wstring, std::wstring> claims_;
    int logLine_ = 1;
    int lines_ = 0;   // of the playlist when the run began, for a progress display
    int okCount_ = 0;
    int entryCount_ = 0;
    int deleted_ = 0;  // files Sync deleted
};

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

// A playlist kept in the folder it is copied into is no stray file: Sync must not
// delete the list the user is running, named in it or not.
void ExportRun::KeepPlaylistInDestination() {
    const auto folderKey = [this](std::wstring path) {
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        while (!path.empty() && path.back() == L'\\') path.pop_back();
        return files_.NameKey(path);
    };
    const size_t cut = playlist_.find_last_of(L"\\/");
    if (cut == std::wstring::npos || !state_.sync.HasListing()) return;
    if (folderKey(playlist_.substr(0, cut)) == folderKey(state_.sync.ListedFolder()))
        state_.sync.Record(playlist_.substr(cut + 1));
}

void ExportRun::HandleEntry(PlaylistKind kind, const PlaylistEntry& entry) {
    const std::wstring& S = entry.SourcePath;
    const std::wstring N = DestNameOf(entry, ++entryPosition_);
    const bool slotForm = kind == PlaylistKind::M3u;
    // The log shows S as written; the file system gets it resolved where the run started.
    const std::wstring source = FullPathIn(startFolder_, S);
    const std::wstring D = destination_ + L"\\" + N;
    host_.Tell(run_event::EntryStarted{logLine_, S, N, D});

    if (copy_ && slotForm && sync_) state_.sync.Record(N);

    std::wstring entryText = kCrLf + S;
    if (copy_) {
        entryText += kCrLf + Texts().MsgCopiedTo + kCrLf + destination_ + L"\\";
        if (slotForm) entryText += N;
    }
    if (slotForm) AppendToSlot(entryText); else AppendToBox(entryText);

    // A name that is no plain file name (a path, a stream colon, a device) would be
    // written outside the destination folder: such an entry is never copied.
    const bool safeName = IsPlainFileName(N);
    const bool mayCopy = safeName && !(copy_ && NameTakenByAnotherSource(N, source));
    // A copy that was tried and failed (disk full, read-only or locked file, unreadable
    // source) is an error even when an older copy still lies under the name.
    bool copied = false, copyFailed = false;
    if (copy_ && mayCopy && CopyWanted(entry.Form, source, D)) {
        copied = Copy(source, D);
        copyFailed = !copied;
        if (copied && options_.onlyChanged) KeepSongTime(source, D);
    }

    const bool ok = (mayCopy && !copyFailed && files_.FileExists(D)) || (!copy_ && files_.FileExists(source));
    // The first song to arrive under a name, copied or already there, holds it.
    if (ok && copy_) claims_.try_emplace(files_.NameKey(N), files_.NameKey(source));
    if (ok && copy_ && options_.writePlaylist) okNames_.push_back(N);
    if (ok) ++okCount_;
    ++entryCount_;
    const std::wstring outcome = kCrLf + std::to_wstring(okCount_) + L"/" +
                                 std::to_wstring(entryCount_) + (ok ? L" ok" : L" error") +
                                 kCrLf + L"---";
    if (slotForm) AppendToSlot(outcome); else AppendToBox(outcome);
    using run_event::Outcome;
    const Outcome how = !copy_ ? (ok ? Outcome::Found : Outcome::Missing)
                               : !ok ? Outcome::NotCopied : copied ? Outcome::Copied : Outcome::Kept;
    host_.Tell(run_event::EntryEnded{logLine_, how, ok, Progress()});
}

bool ExportRun::Copy(const std::wstring& source, const std::wstring& D) {
    return files_.FileCopy(source, D, [this](uint64_t total, uint64_t done) {
        host_.Tell(run_event::CopyProgress{total, done});
    });
}

// Two songs of one name from different folders ("Track 01.mp3" of two albums): the second
// would replace the first, or be reported copied while the first lies there.
bool ExportRun::NameTakenByAnotherSource(const std::wstring& name, const std::wstring& source) {
    const auto claim = claims_.find(files_.NameKey(name));
    return claim != claims_.end() && claim->second != files_.NameKey(source);
}

// Whether the song goes onto D: an existing copy stays unless Overwrite is ticked (a
// "[playlist]" name-form entry is always copied), and with "only changed files" a copy
// that is still the song stays too.
bool ExportRun::CopyWanted(EntryForm form, const std::wstring& source, const std::wstring& D) {
    if (form != EntryForm::PlsName && files_.FileExists(D) && !host_.Overwrite()) return false;
    if (!options_.onlyChanged || !host_.Overwrite()) return true;
    const std::optional<FileStamp> copy = files_.StampOf(D);
    if (!copy) return true;
    const std::optional<FileStamp> song = files_.StampOf(source);
    return !(song && IsUnchangedCopy(*song, *copy));
}

// A copy keeps its song's time, but some stick drivers (FAT through FUSE) stamp a file
// with the time it takes its name: such a copy would never look unchanged, and every
// repeat run would write it again. It gets the song's time once more.
void ExportRun::KeepSongTime(const std::wstring& source, const std::wstring& D) {
    const std::optional<FileStamp> song = files_.StampOf(source), copy = files_.StampOf(D);
    if (song && copy && song->Size == copy->Size && !IsUnchangedCopy(*song, *copy))
        files_.SetLastWriteTime(D, song->LastWriteTime);
}

std::wstring ExportRun::DestNameOf(const PlaylistEntry& entry, int position) const {
    return entryTotal_ > 0 ? NumberedName(position, entryTotal_, entry.DestName) : entry.DestName;
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
    if (options_.numberSongs) entryTotal_ = static_cast<int>(std::min<size_t>(entries.size(), INT_MAX));
    if (!options_.checkFreeSpace) return std::nullopt;

    // What the run will write: each name once, by the first song that wants it, and not
    // the copies it leaves as they are.
    uint64_t needed = 0;
    std::unordered_set<std::wstring> names;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (Canceled()) return Finish(RunEnd::Canceled);
        const std::wstring N = DestNameOf(entries[i], static_cast<int>(i + 1));
        if (!IsPlainFileName(N) || !names.insert(files_.NameKey(N)).second) continue;
        const std::wstring source = FullPathIn(startFolder_, entries[i].SourcePath);
        const std::optional<FileStamp> song = files_.StampOf(source);
        if (song && CopyWanted(entries[i].Form, source, destination_ + L"\\" + N)) needed += song->Size;
    }
    const std::optional<uint64_t> free = files_.FreeBytes(destination_);
    if (!free || needed <= *free || host_.Ask(FreeSpaceQuestion(Texts().MsgAskFreeSpace, needed, *free)))
        return std::nullopt;
    // No ends the run as Cancel does: nothing copied, nothing deleted.
    state_.bCancel = true;
    return Finish(RunEnd::Canceled);
}

RunEnd ExportRun::EndOfPlaylist(PlaylistKind kind) {
    std::optional<WrittenPlaylist> written;
    if (copy_ && options_.writePlaylist)
        written = EncodeWrittenPlaylist(playlist_, okNames_, [this](const std::wstring& text) { return files_.EncodeAnsi(text); });
    if (copy_ && sync_ && kind == PlaylistKind::M3u) {
        KeepPlaylistInDestination();
        // The playlist this run writes is no stray file.
        if (written) state_.sync.Record(written->FileName);
        SyncStep();
    }
    // A cancelled run names only some of the songs: no playlist rather than half of one.
    if (written && !Canceled()) WritePlaylist(kind, *written);
    AppendEndLine(kind, copy_ ? Texts().MsgAllCopied : Texts().MsgSearchFinished);
    return Finish(RunEnd::Finished);
}

void ExportRun::SyncStep() {
    state_.sync.Mark(files_);
    if (options_.askBeforeSync) {
        const std::vector<std::wstring> doomed = state_.sync.MarkedForDeletion();
        if (!doomed.empty() && !host_.Ask(SyncQuestion(Texts().MsgAskSync, doomed))) {
            AppendToSlot(kCrLf + Texts().MsgSyncDeclined);
            return;
        }
    }
    deleted_ = state_.sync.DeleteMarked(files_, host_);
}

void ExportRun::WritePlaylist(PlaylistKind kind, const WrittenPlaylist& written) {
    const std::wstring path = destination_ + L"\\" + written.FileName;
    // Never over the playlist being run: it names songs that did not arrive.
    const bool overRunning = files_.NameKey(path) == files_.NameKey(playlist_);
    const bool ok = !overRunning && IsPlainFileName(written.FileName) && files_.WriteWholeFile(path, written.Bytes);
    AppendEndLine(kind, (ok ? Texts().MsgPlaylistWritten : Texts().MsgPlaylistNotWritten) + written.FileName);
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

}  // namespace

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
