// The steps of one run, for the files that make it up: export_run.cpp walks the
// playlist, export_run_entry.cpp handles one entry, export_run_end.cpp the run's end.
#pragma once
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/export_run.h"
#include "engine/playlist_rules.h"
#include "engine/readers/read_entry.h"
#include "engine/renumber_run.h"
#include "engine/written_playlist.h"
#include "engine/written_songs.h"

namespace tunelift::detail {

inline const std::wstring kCrLf = L"\r\n";

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
    void KeepEarlierCopiesOfUnarrivedSongs();
    void HandleEntry(PlaylistKind kind, const PlaylistEntry& entry);
    bool NameTakenByAnotherSource(const std::wstring& name, const std::wstring& source);
    RunEnd PlaylistLost();
    RunEnd Finish(RunEnd end);
    // The options' steps.
    std::optional<RunEnd> Survey(PlaylistKind kind);
    std::optional<RunEnd> SurveyEntries(const std::vector<PlaylistEntry>& entries);
    std::wstring DestNameOf(const PlaylistEntry& entry, int position) const;
    bool CopyWanted(EntryForm form, const std::wstring& source, const std::wstring& D);
    bool Copy(const std::wstring& source, const std::wstring& D);
    void KeepSongTime(const std::wstring& source, const std::wstring& D);
    RunEnd EndOfPlaylist(PlaylistKind kind);
    // Playlists of every kind (export_run_kinds.cpp).
    RunEnd RunAnyKind();
    void EntryWithoutFile(const ReadEntry& entry);
    void SyncStep();
    void WritePlaylist(PlaylistKind kind, const WrittenPlaylist& written);
    void AppendEndLine(PlaylistKind kind, const std::wstring& text) {
        if (kind == PlaylistKind::M3u) AppendToSlot(kCrLf + text); else AppendToBox(kCrLf + text);
    }
    // Verifying (export_run_verify.cpp).
    bool CopyAndVerify(const std::wstring& source, const std::wstring& D);
    bool WrittenSongsHeld(PlaylistKind kind);
    // The line a run that reached the playlist's end closes with.
    std::wstring EndLine() const;

    RunHost& host_;
    FileServices& files_;
    RunState& state_;
    const bool copy_;
    Renumbering renumbering_{files_};  // numbered songs put in their new places by renames

    std::wstring startFolder_;   // current when the run started; relative paths mean it
    bool sync_ = false;          // Sync as it was ticked when the run started
    RunOptions options_;         // as they were when the run started
    int entryTotal_ = 0;         // entries counted before the first copy; 0: no numbering
    std::unordered_set<std::wstring> unarrivedSongs_;  // name keys of numbered songs that did not arrive
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
    bool copyDiffers_ = false;   // the last copy read back otherwise than its song
    WrittenSongs writtenSongs_;  // copied with verify on, for their read-back at the end
};

}  // namespace tunelift::detail
