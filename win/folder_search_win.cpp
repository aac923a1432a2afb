#include "win/folder_search_win.h"

#include <windows.h>

#include "win/handles_win.h"

namespace tunelift::win {

namespace {

uint64_t Join(const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

void ToRecord(const WIN32_FIND_DATAW& data, FindRecord& out) {
    out.Name.assign(data.cFileName, wcsnlen(data.cFileName, MAX_PATH));
    out.ShortName.assign(data.cAlternateFileName, wcsnlen(data.cAlternateFileName, 14));
    out.Attributes = data.dwFileAttributes;
    out.CreationTime = Join(data.ftCreationTime);
    out.LastAccessTime = Join(data.ftLastAccessTime);
    out.LastWriteTime = Join(data.ftLastWriteTime);
    out.Size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

class FolderSearch : public FileSearch {
public:
    FolderSearch(FindHandle handle, const WIN32_FIND_DATAW& first) : handle_(std::move(handle)), data_(first) {}
    bool Next(FindRecord& out) override {
        if (!pending_) {
            if (!FindNextFileW(handle_.get(), &data_)) return false;
        }
        pending_ = false;
        ToRecord(data_, out);
        return true;
    }

private:
    FindHandle handle_;
    WIN32_FIND_DATAW data_;
    bool pending_ = true;  // the entry FindFirstFileExW already returned
};

}  // namespace

std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) {
    WIN32_FIND_DATAW data{};
    // FindExInfoStandard: the basic level leaves the 8.3 name empty.
    FindHandle h(FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr,
                                  FIND_FIRST_EX_LARGE_FETCH));
    if (!h) return nullptr;
    return std::make_unique<FolderSearch>(std::move(h), data);
}

bool DeleteFileLiteral(const std::wstring& path) { return DeleteFileW(path.c_str()) != FALSE; }

std::wstring NameKey(const std::wstring& name) {
    if (name.empty()) return name;
    std::wstring key(name.size(), L'\0');
    // Simple upper-casing keeps the length, as the file system's own table does.
    const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.data(), static_cast<int>(name.size()),
                                key.data(), static_cast<int>(key.size()), nullptr, nullptr, 0);
    if (n == static_cast<int>(name.size())) return key;
    key = name;
    CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

}  // namespace tunelift::win
