// SaveFiles: one Save or Check run over the playlist named in the window.
#pragma once
#include "engine/file_services.h"
#include "engine/find_files.h"
#include "engine/run_host.h"
#include "engine/run_log.h"

namespace tunelift {

// The state a run shares with the window that owns it.
struct RunState {
    bool bCancel = false;   // set by Cancel, read after each yield of the run
    bool running = false;   // a run is under way; a second one is refused
    RunLog runLog;
    mdlFindFiles::SyncState sync;
};

enum class RunEnd {
    Busy,           // another run is under way; nothing changed
    InputRefused,   // playlist or destination box empty or prompt-only
    NoPlaylist,
    Finished,
    Canceled,
    PlaylistUnreadable,  // the playlist could no longer be read midway
};

// copy: true for a Save run, false for a Check run.
RunEnd SaveFiles(RunHost& host, FileServices& files, RunState& state, bool copy);

}  // namespace tunelift
