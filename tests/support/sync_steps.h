// The sync's three steps as a Save run with Sync ticked takes them, and what the window
// showed at each deletion: shared by the sync tests over memory and over real folders.
#pragma once
#include <string>
#include <vector>

#include "engine/find_files.h"
#include "tests/support/scripted_host.h"

namespace tunelift::testing {

struct DeleteSnapshot {
    std::wstring path;
    int barValue;
    std::wstring panel1, panel2;
};

inline DeleteSnapshot SnapshotAt(const ScriptedHost& host, const std::wstring& path) {
    return {path, host.barValue, host.panels[1], host.panels[2]};
}

// Lists the destination, records the names in order, then marks and deletes; returns
// KillCount.
inline int RunSyncSteps(mdlFindFiles::SyncState& sync, FileServices& files, ScriptedHost& host,
                        const std::wstring& destination, const std::vector<std::wstring>& recorded) {
    sync.BeginRun();
    sync.List(files, destination);
    sync.ResetEntries();
    for (const auto& name : recorded) sync.Record(name);
    return sync.SyncDestination(files, host);
}

}  // namespace tunelift::testing
