#include "win/file_services_win.h"

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
    std::wstring ReadAll(const std::wstring& file) override { return reader_.ReadAll(file); }
    bool FileExists(const std::wstring& file) override {
        const bool exists = win::FileExists(file);
        lastMissing_ = exists ? std::wstring() : file;
        return exists;
    }
    // A run asks whether the destination exists right before it copies there; a "no"
    // spares the copy its own look at that name. The answer serves one copy only.
    bool FileCopy(const std::wstring& source, const std::wstring& dest) override {
        const bool missing = !lastMissing_.empty() && dest == lastMissing_;
        lastMissing_.clear();
        return win::FileCopy(source, dest, missing ? DestinationHint::Missing : DestinationHint::Unknown);
    }
    std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) override {
        return win::StartSearch(pattern);
    }
    bool RemoveFile(const std::wstring& path) override { return DeleteFileLiteral(path); }
    std::wstring NameKey(const std::wstring& name) override { return win::NameKey(name); }

private:
    PlaylistReader reader_;
    std::wstring lastMissing_;
};

}  // namespace

std::unique_ptr<FileServices> CreateFileServices() { return std::make_unique<FileServicesWin>(); }

}  // namespace tunelift::win
