// One entry of a run: its log lines, whether and how it is copied, its outcome.
#include <optional>

#include "engine/export_run_steps.h"
#include "engine/file_names.h"
#include "engine/full_path.h"
#include "engine/numbered_names.h"
#include "engine/unchanged_copy.h"

namespace tunelift::detail {

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
    // A numbered song already on the player under another number takes its new name.
    const std::optional<std::wstring> renamedFrom =
        copy_ ? renumbering_.Reach(static_cast<size_t>(entryPosition_ - 1), N) : std::nullopt;
    if (renamedFrom) entryText += kCrLf + Texts().MsgRenamedFrom + *renamedFrom;
    if (slotForm) AppendToSlot(entryText); else AppendToBox(entryText);

    // A name that is no plain file name (a path, a stream colon, a device) would be
    // written outside the destination folder: such an entry is never copied.
    const bool safeName = IsPlainFileName(N);
    const bool mayCopy = safeName && !(copy_ && NameTakenByAnotherSource(N, source));
    // A copy that was tried and failed (disk full, read-only or locked file, unreadable
    // source) is an error even when an older copy still lies under the name.
    bool copied = false, copyFailed = false;
    if (copy_ && mayCopy && !renamedFrom && CopyWanted(entry.Form, source, D)) {
        copied = Copy(source, D);
        copyFailed = !copied;
        // A numbered copy is found again by its time when the playlist is reordered.
        if (copied && (options_.onlyChanged || entryTotal_ > 0)) KeepSongTime(source, D);
    }
    if (copyFailed && copyDiffers_) {
        if (slotForm) AppendToSlot(kCrLf + Texts().MsgCopyDiffers); else AppendToBox(kCrLf + Texts().MsgCopyDiffers);
    }

    // A copy that succeeded holds its name: only a song left alone is looked up again.
    const bool ok = (mayCopy && !copyFailed && (copied || files_.FileExists(D))) || (!copy_ && files_.FileExists(source));
    // The first song to arrive under a name, copied or already there, holds it.
    if (ok && copy_) claims_.try_emplace(files_.NameKey(N), files_.NameKey(source));
    if (ok && copy_ && options_.writePlaylist) okNames_.push_back(N);
    if (copy_ && !ok && entryTotal_ > 0) unarrivedSongs_.insert(files_.NameKey(entry.DestName));
    if (ok) ++okCount_;
    ++entryCount_;
    const std::wstring outcome = kCrLf + std::to_wstring(okCount_) + L"/" +
                                 std::to_wstring(entryCount_) + (ok ? L" ok" : L" error") +
                                 kCrLf + L"---";
    if (slotForm) AppendToSlot(outcome); else AppendToBox(outcome);
    using run_event::Outcome;
    const Outcome how = !copy_ ? (ok ? Outcome::Found : Outcome::Missing)
                               : !ok ? Outcome::NotCopied : renamedFrom ? Outcome::Renamed
                               : copied ? Outcome::Copied : Outcome::Kept;
    host_.Tell(run_event::EntryEnded{logLine_, how, ok, Progress(), renamedFrom.value_or(L"")});
}

bool ExportRun::Copy(const std::wstring& source, const std::wstring& D) {
    if (options_.verify) return CopyAndVerify(source, D);
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

}  // namespace tunelift::detail
