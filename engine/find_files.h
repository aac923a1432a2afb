// mdlFindFiles: folder listing into FileInfo records, and the sync state that lets a
// Save run delete what its playlist does not name.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
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

// Appends the files lying directly in sPath that match sFilter to Files, in the order
// the search returns them; subfolders are neither listed nor entered.
void FindFiles(FileServices& files, std::wstring sPath, const std::wstring& sFilter, std::vector<FileInfo>& Files);

// The marks of the listed files.
inline constexpr wchar_t kMarkKeep[] = L"keep";
inline constexpr wchar_t kMarkKill[] = L"kill";

// Recognises a leftover temporary file of an interrupted copy by its name.
using LeftoverTest = std::function<bool(const std::wstring& name)>;

// The sync bookkeeping of the current run.
class SyncState {
public:
    // A leftover temporary file is deleted even when its name matches a recorded one.
    // Without a test nothing counts as leftover.
    void SetLeftoverTest(LeftoverTest test) { leftover_ = std::move(test); }

    // Window start-up and run start: no recorded names.
    void ResetEntries();
    // Forgets the listing of an earlier run; called when a run starts, before listing.
    void BeginRun();
    // Listing step: the files directly inside `destination`.
    void List(FileServices& files, const std::wstring& destination);
    // Recording step: one accepted entry's destination name.
    void Record(const std::wstring& destName);
    // Marks every listed file keep or kill and deletes the kill ones from the listed
    // folder, telling the host of each. Does nothing without a listing of this run.
    // Returns KillCount.
    int SyncDestination(FileServices& files, RunHost& host);
    // The two halves of SyncDestination, so that the user can be asked in between.
    // Mark returns KillCount; DeleteMarked deletes what the last marking marked kill
    // and returns how many files it deleted.
    int Mark(FileServices& files);
    int DeleteMarked(FileServices& files, RunHost& host);
    // The names DeleteMarked would delete, in listing order.
    std::vector<std::wstring> MarkedForDeletion() const;

    bool HasListing() const { return listed_; }
    // The folder the listing was made in, ending in a backslash; deletions happen only there.
    const std::wstring& ListedFolder() const { return listedFolder_; }
    // The failed comparisons of the last marking (the bar's maximum during deletion).
    int KillCount() const { return killCount_; }
    const std::vector<std::wstring>& SyncFileNames() const { return syncFileNames_; }
    const std::vector<std::wstring>& SyncEntries() const { return syncEntries_; }
    int SyncEntryCount() const { return syncEntryCount_; }
    int SyncEntryCapacity() const { return syncEntryCapacity_; }
    // Column 0 the name, column 1 kMarkKeep or kMarkKill.
    const std::vector<std::array<std::wstring, 2>>& SyncMarks() const { return syncMarks_; }

private:
    bool listed_ = false;
    std::wstring listedFolder_;
    std::vector<std::wstring> syncFileNames_;
    std::vector<std::wstring> syncShortNames_;  // empty where the file has no other name
    std::vector<std::array<std::wstring, 2>> syncMarks_;
    std::vector<std::wstring> syncEntries_;
    int syncEntryCount_ = 0;
    int syncEntryCapacity_ = 1;
    int killCount_ = 0;
    LeftoverTest leftover_;
};

}  // namespace tunelift::mdlFindFiles
