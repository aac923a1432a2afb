#include "engine/find_files.h"
// Interim: the listing and marking arrive with the sync module.
namespace tunelift::mdlFindFiles {
void SyncState::ResetEntries() { syncEntryCount_ = 0; syncEntryCapacity_ = 1; }
void SyncState::BeginRun() { listed_ = false; }
void SyncState::List(FileServices&, const std::function<void()>&, const std::wstring&) {}
void SyncState::Record(const std::wstring&) {}
int SyncState::SyncDestination(FileServices&, RunHost&) { return 0; }
}  // namespace tunelift::mdlFindFiles
