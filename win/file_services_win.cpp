#include "win/file_services_win.h"

#include <windows.h>

#include "win/destination_files_win.h"
#include "win/file_copy_win.h"
#include "win/folder_search_win.h"
#include "win/playlist_reader_win.h"
#include "win/read_back_win.h"

namespace tunelift::win {
namespace {

class FileServicesWin final : public FileServices {
public:
    PlaylistLine ReadPlaylistLine(const std::wstring& file, int32_t lineToRead) override {
        return reader_.ReadPlaylistLine(file, lineToRead);
    }
    std::wstring ReadAll(const std::wstring& file) override { return reader_.ReadAll(file); }
    std::optional<std::string> ReadPlaylistBytes(const std::wstring& file) override {
        return win::ReadPlaylistBytes(file);
    }
    ReaderServices PlaylistReaders() override { return PlaylistReaderServices(); }
    bool FileExists(const std::wstring& file) override {
        const bool exists = win::FileExists(file);
        lastMissing_ = exists ? std::wstring() : file;
        return exists;
    }
    // A run asks whether the destination exists right before it copies there; a "no"
    // spares the copy its own look at that name. The answer serves one copy only.
    bool FileCopy(const std::wstring& source, const std::wstring& dest, const ProgressReport& progress) override {
        return win::FileCopy(source, dest, HintFor(dest), progress);
    }
    VerifiedCopy FileCopyVerified(const std::wstring& source, const std::wstring& dest, const ProgressReport& copying,
                                  const ProgressReport& verifying) override {
        CopyCheck check;
        check.verifying = verifying;
        if (win::FileCopy(source, dest, HintFor(dest), copying, &check)) return {VerifiedCopy::Copied, check.digest};
        return {check.differs ? VerifiedCopy::Differs : VerifiedCopy::Failed, check.digest};
    }
    std::optional<SongDigest> ReadBackDigest(const std::wstring& file, const ProgressReport& progress) override {
        const std::optional<ReadBackResult> back = ReadBack(file, progress, ReadFrom::Device);
        if (!back) return std::nullopt;
        return back->digest;
    }
    std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) override {
        return win::StartSearch(pattern);
    }
    bool RemoveFile(const std::wstring& path) override { return DeleteFileLiteral(path); }
    bool RenameFile(const std::wstring& from, const std::wstring& to) override { return win::RenameFile(from, to); }
    std::wstring NameKey(const std::wstring& name) override { return win::NameKey(name); }
    std::optional<FileStamp> StampOf(const std::wstring& file) override { return win::StampOf(file); }
    std::optional<uint64_t> FreeBytes(const std::wstring& folder) override { return win::FreeBytes(folder); }
    bool SetLastWriteTime(const std::wstring& file, uint64_t time) override { return win::SetLastWriteTime(file, time); }
    bool WriteWholeFile(const std::wstring& path, std::string_view bytes) override { return win::WriteWholeFile(path, bytes); }
    std::optional<std::string> EncodeAnsi(const std::wstring& text) override { return win::EncodeAnsi(text); }
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
    DestinationHint HintFor(const std::wstring& dest) {
        const bool missing = !lastMissing_.empty() && dest == lastMissing_;
        lastMissing_.clear();
        return missing ? DestinationHint::Missing : DestinationHint::Unknown;
    }

    PlaylistReader reader_;
    std::wstring lastMissing_;
};

}  // namespace

std::unique_ptr<FileServices> CreateFileServices() { return std::make_unique<FileServicesWin>(); }

}  // namespace tunelift::win
