#include "engine/find_files.h"

#include <climits>

#include "engine/file_names.h"
#include "engine/run_host.h"

namespace tunelift::mdlFindFiles {

namespace {

const std::wstring kAllFiles = L"*.*";

std::wstring UpToNul(const std::wstring& s) {
    const size_t nul = s.find(L'\0');
    return nul == std::wstring::npos ? s : s.substr(0, nul);
}

}  // namespace

void ToFileInfo(FileInfo& Info, const FindRecord& FindData, const std::wstring& sPattern) {
    Info.Attributes = FindData.Attributes;
    Info.Size = static_cast<int32_t>(static_cast<uint32_t>(FindData.Size & 0xFFFFFFFFu));
    Info.Name = UpToNul(FindData.Name);
    Info.ShortName = UpToNul(FindData.ShortName);
    if (Info.ShortName.empty()) Info.ShortName = Info.Name;
    Info.CreationTime = FindData.CreationTime;
    Info.LastWriteTime = FindData.LastWriteTime;
    Info.LastAccessTime = FindData.LastAccessTime;
    const size_t slash = sPattern.rfind(L'\\');
    Info.Path = slash == std::wstring::npos ? std::wstring() : sPattern.substr(0, slash + 1);
}

void FindFiles(FileServices& files, std::wstring sPath, const std::wstring& sFilter, std::vector<FileInfo>& Files) {
    if (!sPath.empty() && sPath.back() == L'\\') sPath.pop_back();
    const std::wstring pattern = sPath + L"\\" + sFilter;
    const std::unique_ptr<FileSearch> search = files.StartSearch(pattern);
    if (!search) return;
    FindRecord record;
    while (search->Next(record)) {
        if (record.Attributes & kAttributeDirectory) continue;
        FileInfo info;
        ToFileInfo(info, record, pattern);
        Files.push_back(std::move(info));
    }
}

void SyncState::ResetEntries() {
    syncEntryCount_ = 0;
    syncEntryCapacity_ = 1;
}

void SyncState::BeginRun() {
    listed_ = false;
    listedFolder_.clear();
    syncFileNames_.clear();
    syncShortNames_.clear();
    syncMarks_.clear();
    syncEntries_.clear();
    killCount_ = 0;
}

void SyncState::List(FileServices& files, const std::wstring& destination) {
    BeginRun();
    // One separator joins folder and name, however many the destination was typed with,
    // so "E:\" lists and deletes the same files as "E:".
    std::wstring folder = destination;
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    std::vector<FileInfo> found;
    // A blank destination would list the current folder or a drive root: list nothing.
    if (destination.find_first_not_of(L' ') != std::wstring::npos)
        FindFiles(files, folder, kAllFiles, found);

    listedFolder_ = folder + L"\\";
    syncFileNames_.reserve(found.size());
    syncShortNames_.reserve(found.size());
    for (FileInfo& info : found) {
        syncShortNames_.push_back(info.ShortName == info.Name ? std::wstring() : std::move(info.ShortName));
        syncFileNames_.push_back(std::move(info.Name));
    }
    syncMarks_.assign(syncFileNames_.size(), {});
    syncEntries_.assign(3, std::wstring());
    listed_ = true;
}

void SyncState::Record(const std::wstring& destName) {
    if (syncEntryCount_ > syncEntryCapacity_) {
        syncEntryCapacity_ = 2 * syncEntryCount_;
        syncEntries_.resize(static_cast<size_t>(syncEntryCapacity_) + 1);
    }
    // Without a listing of this run there are no slots yet.
    if (syncEntries_.size() <= static_cast<size_t>(syncEntryCount_))
        syncEntries_.resize(static_cast<size_t>(syncEntryCount_) + 1);
    syncEntries_[static_cast<size_t>(syncEntryCount_)] = destName;
    ++syncEntryCount_;
}

int SyncState::SyncDestination(FileServices& files, RunHost& host) {
    Mark(files);
    DeleteMarked(files, host);
    return killCount_;
}

int SyncState::Mark(FileServices& files) {
    killCount_ = 0;
    if (!listed_) return 0;

    // Each listed name is looked up once instead of being compared with every recorded
    // name; the index of the first equal name is the number of comparisons that would
    // have failed before it.
    const size_t entryCount = static_cast<size_t>(syncEntryCount_);
    std::unordered_map<std::wstring, size_t> firstIndex;
    firstIndex.reserve(entryCount);
    for (size_t i = 0; i < entryCount; ++i) firstIndex.try_emplace(files.NameKey(syncEntries_[i]), i);

    int64_t failed = 0;
    for (size_t x = 0; x < syncFileNames_.size(); ++x) {
        const std::wstring& name = syncFileNames_[x];
        bool keep = false;
        if (!(leftover_ && leftover_(name))) {
            auto match = firstIndex.find(files.NameKey(name));
            // A playlist may name the file by its 8.3 name: the copy step then found it
            // there and left it, so it must stay.
            if (!syncShortNames_[x].empty()) {
                const auto shortMatch = firstIndex.find(files.NameKey(syncShortNames_[x]));
                if (shortMatch != firstIndex.end() && (match == firstIndex.end() || shortMatch->second < match->second))
                    match = shortMatch;
            }
            if (match != firstIndex.end()) {
                keep = true;
                failed += static_cast<int64_t>(match->second);
            }
        }
        if (!keep) failed += static_cast<int64_t>(entryCount) + 1;
        syncMarks_[x] = {name, keep ? kMarkKeep : kMarkKill};
    }
    killCount_ = failed > INT_MAX ? INT_MAX : static_cast<int>(failed);
    return killCount_;
}

// Only ever a file directly inside the listed folder.
std::vector<std::wstring> SyncState::MarkedForDeletion() const {
    std::vector<std::wstring> names;
    for (size_t x = 0; x < syncFileNames_.size() && x < syncMarks_.size(); ++x)
        if (syncMarks_[x][1] == kMarkKill && IsPlainFileName(syncFileNames_[x])) names.push_back(syncFileNames_[x]);
    return names;
}

int SyncState::DeleteMarked(FileServices& files, RunHost& host) {
    if (!listed_ || killCount_ == 0) return 0;
    host.Tell(run_event::DeletionsStarted{killCount_});
    int deleted = 0;
    for (size_t x = 0; x < syncFileNames_.size(); ++x) {
        const std::wstring& name = syncFileNames_[x];
        if (syncMarks_[x][1] != kMarkKill || !IsPlainFileName(name)) continue;
        // A file that cannot be deleted (read-only, in use, gone) stays; the next follows.
        const std::wstring path = listedFolder_ + name;
        host.Tell(run_event::Deleting{name, path, x});
        if (files.RemoveFile(path)) ++deleted;
    }
    host.Tell(run_event::DeletionsEnded{});
    return deleted;
}

}  // namespace tunelift::mdlFindFiles
