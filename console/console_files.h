// The file services of a command-line run: the real ones, or in a dry run the real ones
// answering every read while making no copy, rename, deletion or write at all: a song
// "copied" then exists, and a file "deleted" is gone, for the rest of that run only.
#pragma once
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/file_services.h"

namespace tunelift::cli {

class ConsoleFiles final : public FileServices {
public:
    ConsoleFiles(FileServices& real, bool dryRun) : real_(real), dryRun_(dryRun) {}

    PlaylistLine ReadPlaylistLine(const std::wstring& file, int32_t line) override {
        return real_.ReadPlaylistLine(file, line);
    }
    std::wstring ReadAll(const std::wstring& file) override { return real_.ReadAll(file); }
    std::optional<std::string> ReadPlaylistBytes(const std::wstring& file) override {
        return real_.ReadPlaylistBytes(file);
    }
    ReaderServices PlaylistReaders() override { return real_.PlaylistReaders(); }
    bool FileExists(const std::wstring& file) override;
    bool FileCopy(const std::wstring& source, const std::wstring& dest, const ProgressReport& progress) override;
    // A dry run copies nothing, so it proves nothing: its copies have no digest to read back against.
    VerifiedCopy FileCopyVerified(const std::wstring& source, const std::wstring& dest, const ProgressReport& copying,
                                  const ProgressReport& verifying) override {
        if (!dryRun_) return real_.FileCopyVerified(source, dest, copying, verifying);
        return {FileCopy(source, dest, copying) ? VerifiedCopy::Copied : VerifiedCopy::Failed, std::nullopt};
    }
    std::optional<SongDigest> ReadBackDigest(const std::wstring& file, const ProgressReport& progress) override {
        return real_.ReadBackDigest(file, progress);
    }
    // A dry run's listing is taken before any copy, as every run's is: the real folder is it.
    std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) override {
        return real_.StartSearch(pattern);
    }
    bool RemoveFile(const std::wstring& path) override;
    bool RenameFile(const std::wstring& from, const std::wstring& to) override;
    std::wstring CurrentFolder() override { return real_.CurrentFolder(); }
    std::wstring NameKey(const std::wstring& name) override { return real_.NameKey(name); }
    // A copy a dry run would make has no stamp yet: only the real ones can be left.
    std::optional<FileStamp> StampOf(const std::wstring& file) override;
    bool SetLastWriteTime(const std::wstring& file, uint64_t time) override {
        return dryRun_ || real_.SetLastWriteTime(file, time);
    }
    std::optional<uint64_t> FreeBytes(const std::wstring& folder) override { return real_.FreeBytes(folder); }
    bool WriteWholeFile(const std::wstring& path, std::string_view bytes) override;
    std::optional<std::string> EncodeAnsi(const std::wstring& text) override { return real_.EncodeAnsi(text); }

    // Dry run only: the files a real run would have written whole, in order.
    const std::vector<std::wstring>& Written() const { return written_; }

private:
    FileServices& real_;
    const bool dryRun_;
    // Dry run only, by name key: files it would have made, and files it would have deleted.
    std::map<std::wstring, std::optional<FileStamp>> made_;
    std::set<std::wstring> gone_;
    std::vector<std::wstring> written_;
};

}  // namespace tunelift::cli
