#include "run_fakes.h"

#include "engine/copy_bar.h"
#include "tests/support/record_list_search.h"

namespace tunelift::testing {

void MemoryFiles::AddFile(const std::wstring& path, const std::wstring& content) {
    if (path == indexedFile_) indexedFile_.clear();
    files[path] = content;
    folders.insert(FolderOf(path));
}

std::wstring MemoryFiles::FolderOf(const std::wstring& path) {
    const size_t cut = path.find_last_of(L'\\');
    return cut == std::wstring::npos ? L"" : path.substr(0, cut);
}

std::wstring MemoryFiles::ReadAll(const std::wstring& file) {
    auto it = files.find(file);
    return it == files.end() ? L"" : it->second;
}

std::wstring MemoryFiles::ReadLine(const std::wstring& file, int32_t lineToRead) {
    auto it = files.find(file);
    if (it == files.end() || lineToRead <= 0) return L"";
    // Index the lines once per content, so that long playlists stay linear.
    if (indexedFile_ != file || indexedSize_ != it->second.size()) {
        indexedFile_ = file;
        indexedSize_ = it->second.size();
        lines_.clear();
        const std::wstring& all = it->second;
        size_t start = 0;
        while (start < all.size()) {
            size_t end = all.find_first_of(L"\r\n", start);
            if (end == std::wstring::npos) end = all.size();
            lines_.push_back(all.substr(start, end - start));
            start = end + ((all.compare(end, 2, L"\r\n") == 0) ? 2 : 1);
        }
    }
    return static_cast<size_t>(lineToRead) <= lines_.size() ? lines_[static_cast<size_t>(lineToRead) - 1] : L"";
}

bool MemoryFiles::FileExists(const std::wstring& file) { return files.count(file) != 0; }

bool MemoryFiles::FileCopy(const std::wstring& source, const std::wstring& dest) {
    copies.emplace_back(source, dest);
    auto it = files.find(source);
    if (it == files.end() || folders.count(FolderOf(dest)) == 0) return false;
    const uint64_t size = it->second.size();
    mdlCopyBar::Report(size, 0);
    if (duringCopy) duringCopy(source);
    mdlCopyBar::Report(size, size / 2);
    mdlCopyBar::Report(size, size);
    files[dest] = files[source];
    return true;
}

std::unique_ptr<FileSearch> MemoryFiles::StartSearch(const std::wstring& pattern) {
    const std::wstring folder = FolderOf(pattern);
    if (folders.count(folder) == 0) return nullptr;
    std::vector<FindRecord> records;
    for (const auto& [path, content] : files) {
        if (FolderOf(path) != folder) continue;
        FindRecord r;
        r.Name = path.substr(folder.size() + 1);
        r.Size = content.size();
        records.push_back(r);
    }
    for (const auto& f : folders) {
        if (FolderOf(f) != folder || f == folder) continue;
        FindRecord r;
        r.Name = f.substr(folder.size() + 1);
        r.Attributes = kAttributeDirectory;
        records.push_back(r);
    }
    return std::make_unique<RecordListSearch>(std::move(records));
}

bool MemoryFiles::RemoveFile(const std::wstring& path) {
    removed.push_back(path);
    return files.erase(path) != 0;
}

}  // namespace tunelift::testing
