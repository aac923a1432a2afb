#include "win/file_services_win.h"

#include <windows.h>

#include "win/folder_search_win.h"
#include "win/playlist_reader_win.h"

namespace tunelift::win {
namespace {

class FileServicesWin final : public FileServices {
public:
    std::wstring ReadLine(const std::wstring& file, int32_t lineToRead) override {
        return reader_.ReadLine(file, lineToRead);
    }
    std::wstring ReadAll(const std::wstring& file) override { return reader_.ReadAll(file); }
    bool FileExists(const std::wstring& file) override {
        WIN32_FILE_ATTRIBUTE_DATA data;
        return !file.empty() && GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) &&
               !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool FileCopy(const std::wstring& source, const std::wstring& dest) override {
        return CopyFileW(source.c_str(), dest.c_str(), FALSE) != FALSE;
    }
    std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) override {
        return win::StartSearch(pattern);
    }
    bool RemoveFile(const std::wstring& path) override { return DeleteFileLiteral(path); }
    std::wstring NameKey(const std::wstring& name) override { return win::NameKey(name); }

private:
    PlaylistReader reader_;
};

}  // namespace

std::unique_ptr<FileServices> CreateFileServices() { return std::make_unique<FileServicesWin>(); }

}  // namespace tunelift::win
