// mdlFindFiles: folder listing into FileInfo records, and the sync state that lets a
// Save run delete what its playlist does not name.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/file_services.h"

namespace tunelift {
class RunHost;
}

namespace tunelift::mdlFindFiles {

struct FileInfo {
    std::wstring Path;       // folder the file was found in, ending in "\" (or empty)
    std::wstring ShortName;  // 8.3 name, or Name when there is none
    std::wstring Name;       // long name, without folder
    uint64_t CreationTime = 0;
    uint64_t LastAccessTime = 0;
    uint64_t LastWriteTime = 0;
    int32_t Size = 0;        // low 32 bits of the size
    uint32_t Attributes = 0;
};

void ToFileInfo(FileInfo& Info, const FindRecord& FindData, const std::wstring& sPattern);

// Appends the files of sPath matching sFilter to Files; with Recursive, descends
// depth first into every subfolder. Yields before each file and each search step.
void FindFiles(FileServices& files, const std::function<void()>& yield, std::wstring sPath,
               bool Recursive, std::wstring sFilter, std::vector<FileInfo>& Files);

// The sync bookkeeping of the current run.
class SyncState {
public:
    // Window start-up and run start: no recorded names.
    void ResetEntries();
    // Forgets the listing of an earlier run; called when a run starts, before listing.
    void BeginRun();
    // Listing step: the files directly inside `destination`.
    void List(FileServices& files, const std::function<void()>& yield,
              const std::wstring& destination);
    // Recording step: one accepted entry's destination name.
    void Record(const std::wstring& destName);
    // Marks every listed file keep or kill and deletes the kill ones from the listed
    // folder. Does nothing without a listing of this run. Returns KillCount.
    int SyncDestination(FileServices& files, RunHost& host);

    bool HasListing() const { return listed_; }
    const std::vector<std::wstring>& SyncFileNames() const { return syncFileNames_; }
    const std::vector<std::wstring>& SyncEntries() const { return syncEntries_; }
    int SyncEntryCount() const { return syncEntryCount_; }
    int SyncEntryCapacity() const { return syncEntryCapacity_; }
    // Column 0 the name, column 1 "keep" or "kill".
    const std::vector<std::array<std::wstring, 2>>& SyncMarks() const { return syncMarks_; }

private:
    bool listed_ = false;
    std::wstring listedFolder_;
    std::vector<std::wstring> syncFileNames_;
    std::vector<std::array<std::wstring, 2>> syncMarks_;
    std::vector<std::wstring> syncEntries_;
    int syncEntryCount_ = 0;
    int syncEntryCapacity_ = 1;
};

}  // namespace tunelift::mdlFindFiles
