// Verify every copy: a copy is read back from the disk before it takes its song's name,
// and every song the run wrote is read back once more after the last entry, before Sync
// deletes anything. Songs left alone are never read.
#include <string>

#include "engine/export_run_steps.h"
#include "engine/run_questions.h"

namespace tunelift::detail {

bool ExportRun::CopyAndVerify(const std::wstring& source, const std::wstring& D) {
    const std::wstring N = D.substr(destination_.size() + 1);
    bool toldVerifying = false;
    const VerifiedCopy copy = files_.FileCopyVerified(
        source, D, [this](uint64_t total, uint64_t done) { host_.Tell(run_event::CopyProgress{total, done}); },
        [&](uint64_t total, uint64_t done) {
            if (!toldVerifying) host_.Tell(run_event::Verifying{N, D});
            toldVerifying = true;
            host_.Tell(run_event::CopyProgress{total, done});
        });
    copyDiffers_ = copy.outcome == VerifiedCopy::Differs;
    if (copy.outcome != VerifiedCopy::Copied) return false;
    if (copy.digest) writtenSongs_.Add(files_.NameKey(D), {N, D, *copy.digest});
    return true;
}

// A counterfeit stick writes past its real size onto what it holds already, so a song
// that read back whole right after its copy can be gone by the end: each is read once
// more. False when one changed, or the check was cancelled before it read them all.
bool ExportRun::WrittenSongsHeld(PlaylistKind kind) {
    if (!copy_ || !options_.verify) return true;
    int changed = 0;
    for (const WrittenSong& song : writtenSongs_.All()) {
        if (Canceled()) return false;
        host_.Tell(run_event::Verifying{song.destName, song.destination});
        const std::optional<SongDigest> now = files_.ReadBackDigest(
            song.destination, [this](uint64_t total, uint64_t done) { host_.Tell(run_event::CopyProgress{total, done}); });
        if (now == song.digest) continue;
        AppendEndLine(kind, Texts().MsgSongChanged + song.destination);
        ++changed;
        // Its entries arrived only for a while: the end line counts them as failed.
        okCount_ -= song.entries;
    }
    if (changed == 0) return true;
    AppendEndLine(kind, FillIn(Texts().MsgSongsChanged, {std::to_wstring(changed)}));
    if (sync_ && kind == PlaylistKind::M3u) AppendEndLine(kind, Texts().MsgSyncDeclined);
    return false;
}

}  // namespace tunelift::detail
