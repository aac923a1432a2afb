// SaveFiles: one Save or Check run over the playlist the user named.
#pragma once
#include <atomic>
#include <optional>
#include <string>

#include "engine/file_services.h"
#include "engine/find_files.h"
#include "engine/run_host.h"

namespace tunelift {

// What lives on between runs and what a front end shares with a run under way.
struct RunState {
    // Set by Cancel (from any thread), cleared when a run starts, read once per line.
    std::atomic<bool> bCancel{false};
    // A run is under way; a second one is refused.
    std::atomic<bool> running{false};
    // Only the run touches it while one is under way.
    mdlFindFiles::SyncState sync;
};

// Why a run with these paths is refused, or nothing: an empty path, or a box still
// showing its prompt in the language in force.
std::optional<std::wstring> InputRefusal(const std::wstring& playlist, const std::wstring& destination,
                                         const RunTexts& texts);

// copy: true for a Save run, false for a Check run. Returns when the run has ended.
RunEnd SaveFiles(RunHost& host, FileServices& files, RunState& state, bool copy);

}  // namespace tunelift
