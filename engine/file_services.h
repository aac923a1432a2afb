// The file system as the engine sees it. The Windows build implements it over
// the W entry points; tests implement it in memory or over real folders.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/file_names.h"
#include "engine/readers/any_kind_reader.h"
#include "engine/song_hash.h"

namespace tunelift {

// One entry of a folder search, as the kernel reports it.
struct FindRecord {
    std::wstring Name;        // long name
    std::wstring ShortName;   // 8.3 alternate name; empty when the file system has none
    uint32_t Attributes = 0;
    uint64_t CreationTime = 0;
    uint64_t LastAccessTime = 0;
    uint64_t LastWriteTime = 0;
    uint64_t Size = 0;
};

constexpr uint32_t kAttributeDirectory = 0x10;

// A file's size and last-write time (100-ns units since 1601, UTC, as Windows keeps it).
struct FileStamp {
    uint64_t Size = 0;
    uint64_t LastWriteTime = 0;
};

// What reading one line of a playlist during a run gives. A blank line is a Line with
// no text; the playlist ends after its last line, and a final line end starts no line.
enum class LineStatus {
    Line,
    End,         // past the last line
    Unreadable,  // the file is missing, hidden, a folder, locked or cannot be read now
};

struct PlaylistLine {
    LineStatus Status = LineStatus::End;
    std::wstring Text;
};

// Told how far a copy has come: the file's size, and the bytes copied so far. It may be
// empty: nobody watches.
using ProgressReport = std::function<void(uint64_t total, uint64_t done)>;

// How a copy that proves itself ended (FileServices::FileCopyVerified).
struct VerifiedCopy {
    enum Outcome {
        Copied,   // the copy read back as the song's bytes and took its name
        Failed,   // as a plain copy fails
        Differs,  // the copy read back otherwise, or not at all: it never took the name
    };
    Outcome outcome = Failed;
    // The song's bytes as the copy read them; nothing when no byte was written (a file
    // copied onto itself).
    std::optional<SongDigest> digest;
};

// An open folder search; destroying it closes the search.
class FileSearch {
public:
    virtual ~FileSearch() = default;
    // The next entry, or false when the search has none left.
    virtual bool Next(FindRecord& out) = 0;
};

class FileServices {
public:
    virtual ~FileServices() = default;

    // Line `lineToRead` (from 1) of a playlist file, telling a blank line, the end of the
    // file and a file that cannot be read apart. Line 0 or less is End.
    virtual PlaylistLine ReadPlaylistLine(const std::wstring& file, int32_t lineToRead) = 0;

    // The whole decoded text of a playlist file, or "" when it is missing.
    virtual std::wstring ReadAll(const std::wstring& file) = 0;

    // The bytes of a playlist file, read whole, for the readers of every kind; nothing for
    // a file that cannot be read.
    virtual std::optional<std::string> ReadPlaylistBytes(const std::wstring& /*file*/) { return std::nullopt; }

    // What those readers take from the system: its ANSI code page and an XML parser.
    virtual ReaderServices PlaylistReaders() { return {}; }

    // True for an existing file of any size; false for "", a missing file or folder,
    // and a folder.
    virtual bool FileExists(const std::wstring& file) = 0;

    // Copies source over dest (replacing it), telling `progress` how far it has come.
    // Never leaves a partial file under dest's name.
    virtual bool FileCopy(const std::wstring& source, const std::wstring& dest, const ProgressReport& progress) = 0;

    // Copies as FileCopy does and proves the copy: the song's bytes are hashed as they are
    // read, and once flushed the copy is read back from the disk, past the system's
    // cache, telling `verifying` how far that has come. Only a copy that reads back as
    // the song takes dest's name; one that does not is removed, and an older file under
    // the name stays as it was. A file system that cannot read back proves nothing.
    virtual VerifiedCopy FileCopyVerified(const std::wstring& /*source*/, const std::wstring& /*dest*/,
                                          const ProgressReport& /*copying*/, const ProgressReport& /*verifying*/) {
        return {};
    }

    // The digest of a file as the disk holds it, read past the system's cache; nothing
    // when it cannot be read, or the file system cannot read that way.
    virtual std::optional<SongDigest> ReadBackDigest(const std::wstring& /*file*/, const ProgressReport& /*progress*/) {
        return std::nullopt;
    }

    // Starts a search over a pattern such as "E:\Player\*.*"; null when it cannot start.
    virtual std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) = 0;

    // Deletes one file by its literal path; false when it could not.
    virtual bool RemoveFile(const std::wstring& path) = 0;

    // Gives a file another name in the same folder, never replacing a file: false when
    // `to` names another file, or the rename fails. A name that differs from the file's
    // own only in letter case is the file's own: the new spelling takes its place.
    virtual bool RenameFile(const std::wstring& /*from*/, const std::wstring& /*to*/) { return false; }

    // The process's current folder as a full path, against which the system resolves
    // relative paths.
    virtual std::wstring CurrentFolder() = 0;

    // The size and last-write time of a file; nothing for a folder or a missing file,
    // and from a file system that cannot tell, so that a copy is never skipped on a guess.
    virtual std::optional<FileStamp> StampOf(const std::wstring& /*file*/) { return std::nullopt; }

    // Gives a file another last-write time; false when it could not.
    virtual bool SetLastWriteTime(const std::wstring& /*file*/, uint64_t /*time*/) { return false; }

    // The bytes the caller may still write to the volume that holds `folder`; nothing
    // when that cannot be told.
    virtual std::optional<uint64_t> FreeBytes(const std::wstring& /*folder*/) { return std::nullopt; }

    // Writes a small file whole: its bytes go beside it first and take its name only
    // once all of them are on the disk, replacing an older file. False when the file
    // could not be written; a failure leaves the older file as it was.
    virtual bool WriteWholeFile(const std::wstring& /*path*/, std::string_view /*bytes*/) { return false; }

    // `text` in the system's ANSI code page, or nothing when a character has no exact
    // form there (a best-fit letter would name another file).
    virtual std::optional<std::string> EncodeAnsi(const std::wstring& /*text*/) { return std::nullopt; }

    // The key under which the file system compares names: two names with equal keys
    // name the same file. Windows overrides this with its own upper-casing.
    virtual std::wstring NameKey(const std::wstring& name) { return FoldNameCase(name); }
};

}  // namespace tunelift
