#include "win/file_services_win.h"

#include <windows.h>

#include "win/file_copy_win.h"
#include "win/folder_search_win.h"
#include "win/playlist_reader_win.h"

namespace tunelift::win {
namespace {

class FileServicesWin final : public FileServices {
public:
    std::wstring ReadLine(const std::wstring& file, int32_t lineToRead) override {
        return reader_.ReadLine(file, lineToRead);
    }
    PlaylistLine ReadPlaylistLine(const std::wstring& file, int32_t lineToRead) override {
        return reader_.ReadPlaylistLine(file, lineToRead);
    }
    std::wstring ReadAll(const std::wstring& file) override { return reader_.ReadAll(file); }
    bool FileExists(const std::wstring& file) override { return win::FileExists(file); }
    bool FileCopy(const std::wstring& source, const std::wstring& dest) override { return win::FileCopy(source, dest); }
    std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) override {
        return win::StartSearch(pattern);
    }
    bool RemoveFile(const std::wstring& path) override { return DeleteFileLiteral(path); }
    std::wstring NameKey(const std::wstring& name) override { return win::NameKey(name); }
    std::wstring CurrentFolder() override {
        std::wstring folder(MAX_PATH, L'\0');
        DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
        if (length >= folder.size()) {
            folder.resize(length);
            length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
        }
        folder.resize(length < folder.size() ? length : 0);
        return folder;
    }

private:
    PlaylistReader reader_;
};

}  // namespace

std::unique_ptr<FileServices> CreateFileServices() { return std::make_unique<FileServicesWin>(); }

}  // namespace tunelift::win
