// A FileServices over real folders, beside the scripted window and the scratch folder.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "scratch_folder.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/file_services.h"
#include "tests/support/record_list_search.h"
#include "tests/support/scripted_host.h"
#include "win/folder_search_win.h"

namespace synctest {

using namespace tunelift;

// The entries of a real search in name order, for tests that need one.
inline std::unique_ptr<FileSearch> SortedSearch(std::unique_ptr<FileSearch> search) {
    std::vector<FindRecord> records;
    FindRecord r;
    while (search->Next(r)) records.push_back(r);
    std::sort(records.begin(), records.end(), [](const FindRecord& a, const FindRecord& b) { return a.Name < b.Name; });
    return std::make_unique<tunelift::testing::RecordListSearch>(std::move(records));
}

class FolderServices : public FileServices {
public:
    bool sortSearches = false;
    std::vector<std::wstring> removed;
    std::function<void(const std::wstring&)> onRemove;

    PlaylistLine ReadPlaylistLine(const std::wstring&, int32_t) override { return {}; }
    std::wstring ReadAll(const std::wstring&) override {
        ADD_FAILURE() << "the sync reads no playlist";
        return L"";
    }
    std::wstring CurrentFolder() override { return L""; }
    bool FileExists(const std::wstring& file) override {
        const DWORD a = GetFileAttributesW(file.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool FileCopy(const std::wstring& source, const std::wstring& dest, const ProgressReport&) override {
        return CopyFileW(source.c_str(), dest.c_str(), FALSE) != FALSE;
    }
    std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) override {
        auto search = win::StartSearch(pattern);
        if (search && sortSearches) return SortedSearch(std::move(search));
        return search;
    }
    bool RemoveFile(const std::wstring& path) override {
        removed.push_back(path);
        if (onRemove) onRemove(path);
        return win::DeleteFileLiteral(path);
    }
    std::wstring NameKey(const std::wstring& name) override { return win::NameKey(name); }
};

using tunelift::testing::ScriptedHost;
using ScratchFolder = tunelift::testing::ScratchFolder;

}  // namespace synctest
