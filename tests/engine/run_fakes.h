// An in-memory file system for driving runs natively, beside the scripted window.
#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/file_services.h"
#include "tests/support/scripted_host.h"

namespace tunelift::testing {

// Files keyed by their full path; folders are listed explicitly.
class MemoryFiles : public FileServices {
public:
    std::map<std::wstring, std::wstring> files;
    std::set<std::wstring> folders;
    std::vector<std::pair<std::wstring, std::wstring>> copies;  // (source, dest) per FileCopy call
    std::vector<std::wstring> removed;
    std::function<void(const std::wstring& source)> duringCopy;  // runs between progress reports

    void AddFile(const std::wstring& path, const std::wstring& content = L"data");
    static std::wstring FolderOf(const std::wstring& path);

    std::wstring ReadLine(const std::wstring& file, int32_t lineToRead) override;
    std::wstring ReadAll(const std::wstring& file) override;
    bool FileExists(const std::wstring& file) override;
    bool FileCopy(const std::wstring& source, const std::wstring& dest) override;
    std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) override;
    bool RemoveFile(const std::wstring& path) override;

private:
    // Playlists change only through AddFile, which drops the index.
    std::wstring indexedFile_;
    size_t indexedSize_ = 0;
    std::vector<std::wstring> lines_;
};

}  // namespace tunelift::testing
