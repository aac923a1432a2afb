// The end of a run that reached the playlist's end: Sync, the playlist beside the
// songs, the end line.
#include "engine/export_run_steps.h"
#include "engine/file_names.h"
#include "engine/numbered_names.h"
#include "engine/run_questions.h"

namespace tunelift::detail {

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

// A numbered song that did not arrive (its source missing, unreadable) may still lie on the
// player under an earlier number, maybe its only copy there: Sync keeps every such copy.
void ExportRun::KeepEarlierCopiesOfUnarrivedSongs() {
    if (unarrivedSongs_.empty()) return;
    for (const std::wstring& name : state_.sync.SyncFileNames())
        if (const std::optional<NumberedParts> parts = SplitNumberedName(name);
            parts && unarrivedSongs_.contains(files_.NameKey(parts->Name)))
            state_.sync.Record(name);
}

RunEnd ExportRun::EndOfPlaylist(PlaylistKind kind) {
    std::optional<WrittenPlaylist> written;
    if (copy_ && options_.writePlaylist)
        written = EncodeWrittenPlaylist(playlist_, okNames_, [this](const std::wstring& text) { return files_.EncodeAnsi(text); });
    // Songs that changed on the stick after they were written: Sync deletes nothing.
    const bool songsHeld = WrittenSongsHeld(kind);
    if (copy_ && sync_ && kind == PlaylistKind::M3u && songsHeld) {
        KeepPlaylistInDestination();
        // The playlist this run writes is no stray file.
        if (written) state_.sync.Record(written->FileName);
        // Sync listed the renamed songs under their old names, which are gone now.
        for (const std::wstring& name : renumbering_.Vacated()) state_.sync.Record(name);
        KeepEarlierCopiesOfUnarrivedSongs();
        SyncStep();
    }
    // A cancelled run names only some of the songs: no playlist rather than half of one.
    if (written && !Canceled()) WritePlaylist(kind, *written);
    AppendEndLine(kind, EndLine());
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

// A Save run in which songs failed does not claim that every file was copied.
std::wstring ExportRun::EndLine() const {
    if (!copy_) return Texts().MsgSearchFinished;
    const int failed = entryCount_ - okCount_;
    if (failed == 0) return Texts().MsgAllCopied;
    return FillIn(Texts().MsgNotAllCopied, {std::to_wstring(failed), std::to_wstring(entryCount_)});
}

}  // namespace tunelift::detail
