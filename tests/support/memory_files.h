// A file system in memory, for driving the engine without a disk. Folders are keyed by
// their exact path without a trailing backslash ("E:" for a drive root), so a doubled or
// missing separator finds nothing; a folder's entries keep the order they were made in,
// and a search hands them out in that order.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/file_services.h"
#include "engine/playlist_text.h"

namespace tunelift::testing {

constexpr uint32_t kAttributeReadOnly = 0x1;

// One entry of a folder: a file with its content, or a subfolder.
struct MemoryEntry {
    FindRecord record;
    bool inUse = false;  // held open by another program: deleting it fails
    std::wstring content = {};
};

class MemoryFiles : public FileServices {
public:
    std::map<std::wstring, std::vector<MemoryEntry>> folders;
    // Names in paths and in folders match without regard to letter case, as on a
    // Windows file system; otherwise exactly.
    bool ignoreCase = false;
    // Every deletion is refused without looking the file up (a write-protected stick),
    // so that a folder of many thousand files can be marked and "deleted" over and over.
    bool writeProtected = false;
    // The current folder, as on Windows what a relative path is under; "" keeps such a
    // path a key of its own.
    std::wstring currentFolder;

    std::vector<std::wstring> searches;                          // every pattern searched
    std::vector<std::pair<std::wstring, std::wstring>> copies;   // (source, dest) per FileCopy call
    std::vector<std::wstring> written;                           // dest of every copy that succeeded
    std::vector<std::wstring> removed;                           // every path RemoveFile was given
    std::function<void(const std::wstring& source)> duringCopy;  // runs between progress reports
    std::function<void(const std::wstring& path)> onRemove;      // runs before each deletion
    std::function<void()> afterRename;                           // runs after each rename that succeeded
    std::optional<uint64_t> freeBytes;       // what FreeBytes answers; nothing: cannot tell
    bool failWholeWrites = false;            // WriteWholeFile fails, as on a full stick
    // Copies and renamed files get this time, not their own, as a stick's driver (FAT
    // through FUSE) stamps a file when it takes a name.
    std::optional<uint64_t> copyTime;
    std::vector<std::wstring> readBacks;     // every file read back, a copy under its song's name
    std::vector<std::wstring> failingReads;  // these read back with one character changed (a failing stick)

    // The folder of a path: everything before its last backslash ("" when it has none).
    static std::wstring FolderOf(const std::wstring& path);

    // A folder with "." and ".." (none for a drive root), listed in its parent when the
    // parent is there. A folder that is there already stays as it is.
    void AddFolder(const std::wstring& path, uint32_t attributes = kAttributeDirectory);
    // A file by its full path, its folder made when missing; an existing file of that
    // name gets the new content.
    MemoryEntry& AddFile(const std::wstring& path, const std::wstring& content = L"data");
    // One more entry named exactly `name`, even a name no path could reach; nothing is
    // looked up, so large folders fill quickly.
    MemoryEntry& AddEntry(const std::wstring& folder, const std::wstring& name, uint32_t attributes = 0,
                          bool inUse = false);

    bool Has(const std::wstring& path) const { return FindFile(path) != nullptr; }
    std::wstring Content(const std::wstring& path) const;
    // The names in a folder, "." and ".." left out, in folder order.
    std::vector<std::wstring> Names(const std::wstring& folder) const;

    // A missing file, or a folder, cannot be read.
    PlaylistLine ReadPlaylistLine(const std::wstring& file, int32_t lineToRead) override;
    std::wstring ReadAll(const std::wstring& file) override { return Content(file); }
    // Each character is a byte, as WriteWholeFile keeps them, so a test writes a UTF-8 or
    // UTF-16 playlist byte by byte; a content with characters above U+00FF is UTF-8.
    std::optional<std::string> ReadPlaylistBytes(const std::wstring& file) override;
    // XML through the tests' tiny parser.
    ReaderServices PlaylistReaders() override;
    bool FileExists(const std::wstring& file) override { return Has(file); }
    // Reports progress at the start, half way and the end, as a copy of three chunks would.
    bool FileCopy(const std::wstring& source, const std::wstring& dest, const ProgressReport& progress) override;
    // A copy that reads back otherwise never replaces what lies under its name.
    VerifiedCopy FileCopyVerified(const std::wstring& source, const std::wstring& dest, const ProgressReport& copying,
                                  const ProgressReport& verifying) override;
    std::optional<SongDigest> ReadBackDigest(const std::wstring& file, const ProgressReport& progress) override;
    std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) override;
    bool RemoveFile(const std::wstring& path) override;
    // Within one folder, never over another entry; refused on a write-protected stick
    // and for a file held open, as Windows refuses it.
    bool RenameFile(const std::wstring& from, const std::wstring& to) override;
    std::wstring CurrentFolder() override { return currentFolder; }
    std::optional<FileStamp> StampOf(const std::wstring& file) override;
    std::optional<uint64_t> FreeBytes(const std::wstring&) override { return freeBytes; }
    bool SetLastWriteTime(const std::wstring& file, uint64_t time) override;
    // Each byte lands as one character, so Content() shows the bytes as written.
    bool WriteWholeFile(const std::wstring& path, std::string_view bytes) override;
    // A code page of the first 256 characters: anything above has no form in it.
    std::optional<std::string> EncodeAnsi(const std::wstring& text) override;

private:
    bool SameName(const std::wstring& a, const std::wstring& b) const;
    const std::vector<MemoryEntry>* Folder(const std::wstring& path) const;
    std::vector<MemoryEntry>* Folder(const std::wstring& path);
    const MemoryEntry* FindFile(const std::wstring& path) const;
    bool FailsOnRead(const std::wstring& path) const;
    const MemoryEntry* FindEntry(const std::wstring& path) const;

    // The lines of the file read last, found once, so that long playlists stay linear.
    std::wstring indexedFile_;
    std::wstring indexedText_;
    LineIndex index_;
};

}  // namespace tunelift::testing
