#include "win/file_copy_win.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "win/copy_progress_win.h"
#include "win/handles_win.h"
#include "win/read_back_win.h"

namespace tunelift::win {
namespace {

constexpr std::wstring_view kPartSuffix = L".tunelift-part";
constexpr size_t kMaxComponent = 255;

int g_failNthWrite = 0;
DWORD g_chunkBytes = kCopyChunkBytes;
bool g_flush = true;
copy_seam::Observer g_observer;

void Observe(copy_seam::Step step, HANDLE part) {
    if (g_observer) g_observer(step, part);
}

FileHandle Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    return FileHandle(CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr));
}

// c_str() would cut a name at an embedded NUL and so name another file.
bool Usable(const std::wstring& path) {
    return !path.empty() && path.find(L'\0') == std::wstring::npos;
}

bool LongPathForm(std::wstring_view path) { return path.starts_with(L"\\\\?\\"); }

size_t NameStart(std::wstring_view path) {
    const size_t cut = path.find_last_of(L"\\/:");
    return cut == std::wstring_view::npos ? 0 : cut + 1;
}

std::wstring CopyPartPath(const std::wstring& dest) {
    const size_t nameAt = NameStart(dest);
    const std::wstring folder = dest.substr(0, nameAt);
    std::wstring path = folder + CopyPartName(std::wstring_view(dest).substr(nameAt));
    if (path.size() >= MAX_PATH && !LongPathForm(path)) path = folder + std::wstring(kPartSuffix);
    return path;
}

std::wstring FinalPath(HANDLE h) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(h, path.data(), static_cast<DWORD>(path.size()), 0);
    if (n >= path.size()) {
        path.resize(n);
        n = GetFinalPathNameByHandleW(h, path.data(), static_cast<DWORD>(path.size()), 0);
    }
    path.resize(n < path.size() ? n : 0);
    return path;
}

// What the copy must know about an existing destination before it replaces it.
enum class Destination { Free, SameFile, Refused };

Destination CheckDestination(HANDLE source, const std::wstring& dest) {
    FileHandle other = Open(dest, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (!other) return Destination::Free;
    // Asked only here: under Wine the volume serial costs a trip to the mount manager.
    BY_HANDLE_FILE_INFORMATION info, sourceInfo;
    if (!GetFileInformationByHandle(other.get(), &info)) return Destination::Free;
    if (!GetFileInformationByHandle(source, &sourceInfo)) return Destination::Refused;
    // Copying a file onto itself would replace it with a copy of itself, for nothing.
    if (info.dwVolumeSerialNumber == sourceInfo.dwVolumeSerialNumber) {
        if (info.nFileIndexHigh != 0 || info.nFileIndexLow != 0) {
            if (info.nFileIndexHigh == sourceInfo.nFileIndexHigh &&
                info.nFileIndexLow == sourceInfo.nFileIndexLow)
                return Destination::SameFile;
        } else {
            // Some file systems report no file index; then the resolved paths decide.
            const std::wstring a = FinalPath(source), b = FinalPath(other.get());
            if (!a.empty() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                                   static_cast<int>(b.size()), TRUE) == CSTR_EQUAL)
                return Destination::SameFile;
        }
    }
    // The platform copy refuses to replace a read-only file; so does this one, on Wine too
    // (Wine's rename would replace it).
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return Destination::Refused;
    return Destination::Free;
}

bool WriteChunk(HANDLE file, const std::byte* data, DWORD size) {
    if (g_failNthWrite > 0 && --g_failNthWrite == 0) {
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

void ReportProgress(const ProgressReport& progress, uint64_t total, uint64_t done) {
    if (!progress) return;
    LARGE_INTEGER t, d;
    t.QuadPart = static_cast<LONGLONG>(total);
    d.QuadPart = static_cast<LONGLONG>(done);
    mdlCopyBar::CopyProgressRoutine(t, d, t, d, 1, CALLBACK_CHUNK_FINISHED, nullptr, nullptr,
                                    const_cast<ProgressReport*>(&progress));
}

// Only bytes on the disk may take the destination's name: a stick pulled out after the
// rename must not leave a file of zeros there. One flush per song, when all of it is
// written, with the file's times and length.
bool Flush(HANDLE part) {
    if (!g_flush) return true;
    if (!FlushFileBuffers(part)) return false;
    Observe(copy_seam::Step::Flush, part);
    return true;
}

// The part file beside the destination: removed again unless it became the destination.
class PartFile {
public:
    explicit PartFile(std::wstring path) : path_(std::move(path)) {}
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;
    ~PartFile() {
        handle_.reset();
        if (created_ && !moved_) DeleteFileW(path_.c_str());
    }

    bool Create(bool readBack) {
        // Not shared for writing: a second copy to the same name (started from inside
        // this one's progress report) fails instead of writing into this file. Shared for
        // reading only where the copy reads it back. DELETE lets the handle itself rename
        // the file.
        const auto open = [this, readBack] {
            handle_ = Open(path_, GENERIC_WRITE | DELETE, readBack ? FILE_SHARE_READ : 0, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL);
        };
        open();
        // A leftover marked read-only or hidden would refuse the new part file. Only
        // then are its attributes touched: under Wine every lookup of a missing name
        // reads the whole folder.
        if (!handle_ && GetLastError() == ERROR_ACCESS_DENIED &&
            SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL))
            open();
        created_ = static_cast<bool>(handle_);
        return created_;
    }
    HANDLE Handle() const { return handle_.get(); }
    const std::wstring& Path() const { return path_; }

    // Renames the open file to dest through its handle: no second open by name. Without
    // `replace`, an existing dest makes it fail with ERROR_ALREADY_EXISTS. The part file
    // lies in dest's folder, so this never turns into a copy across volumes.
    bool MoveOver(const std::wstring& dest, bool replace) {
        const size_t bytes = dest.size() * sizeof(wchar_t);
        std::vector<std::byte> buffer(sizeof(FILE_RENAME_INFO) + bytes);
        auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        info->ReplaceIfExists = replace;
        info->RootDirectory = nullptr;
        info->FileNameLength = static_cast<DWORD>(bytes);
        std::memcpy(info->FileName, dest.c_str(), bytes + sizeof(wchar_t));
        moved_ = SetFileInformationByHandle(handle_.get(), FileRenameInfo, info,
                                            static_cast<DWORD>(buffer.size())) != FALSE;
        if (moved_) handle_.reset();
        return moved_;
    }

private:
    std::wstring path_;
    FileHandle handle_;
    bool created_ = false;
    bool moved_ = false;
};

// The part file as the disk gives it back, against the source's bytes as they were read.
// Neither a copy that reads back otherwise nor one that cannot be read back takes the
// destination's name.
bool ReadsBackAs(const std::wstring& part, const SongHash& source, uint64_t bytes, CopyCheck& check) {
    check.digest = source.Digest();
    const std::optional<ReadBackResult> back = ReadBack(part, check.verifying, ReadFrom::Device);
    check.differs = !back || back->digest != *check.digest || back->bytes != bytes;
    return !check.differs;
}

}  // namespace

std::wstring CopyPartName(std::wstring_view destName) {
    std::wstring name;
    if (1 + destName.size() + kPartSuffix.size() <= kMaxComponent) {
        name.reserve(1 + destName.size() + kPartSuffix.size());
        name += L'.';
        name += destName;
    }
    name += kPartSuffix;
    return name;
}

bool IsCopyLeftover(std::wstring_view name) {
    return name.starts_with(L'.') && name.ends_with(kPartSuffix);
}

bool FileExists(const std::wstring& sFile) {
    if (!Usable(sFile)) return false;
    // A pattern is not a file, even when something matches it.
    const std::wstring_view rest = LongPathForm(sFile) ? std::wstring_view(sFile).substr(4) : sFile;
    if (rest.find_first_of(L"*?") != std::wstring_view::npos) return false;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(sFile.c_str(), GetFileExInfoStandard, &data)) return false;
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FileCopy(const std::wstring& sSourceFile, const std::wstring& sDestFile, DestinationHint hint,
              const ProgressReport& progress, CopyCheck* check) {
    if (!Usable(sSourceFile) || !Usable(sDestFile)) return false;
    if (NameStart(sDestFile) == sDestFile.size()) return false;  // a folder's name, not a file's
    FileHandle source = Open(sSourceFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!source) return false;
    FILE_STANDARD_INFO size;
    FILE_BASIC_INFO times;
    if (!GetFileInformationByHandleEx(source.get(), FileStandardInfo, &size, sizeof size) ||
        !GetFileInformationByHandleEx(source.get(), FileBasicInfo, &times, sizeof times))
        return false;
    if (size.Directory) return false;
    // A name just found missing needs no look at what lies under it (under Wine, and on
    // a FAT stick, that look reads the whole folder); should a file appear there before
    // the rename, the rename refuses to replace it and the look is taken then.
    const bool knownMissing = hint == DestinationHint::Missing;
    if (!knownMissing) {
        switch (CheckDestination(source.get(), sDestFile)) {
        case Destination::SameFile: return true;
        case Destination::Refused: return false;
        case Destination::Free: break;
        }
    }

    PartFile part(CopyPartPath(sDestFile));
    if (!part.Create(check != nullptr)) return false;
    std::optional<SongHash> hash;
    if (check) hash.emplace();

    // Wine's CopyFileEx never calls a progress routine, so this loop copies and
    // reports itself: once before the first byte, then after every chunk.
    const uint64_t total = static_cast<uint64_t>(size.EndOfFile.QuadPart);
    const DWORD chunk = static_cast<DWORD>(std::min<uint64_t>(g_chunkBytes, total > 0 ? total : 1));
    const std::unique_ptr<std::byte[]> buffer(new std::byte[chunk]);
    ReportProgress(progress, total, 0);
    uint64_t done = 0;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(source.get(), buffer.get(), chunk, &got, nullptr)) return false;
        if (got == 0) break;
        if (hash) hash->Add(buffer.get(), got);
        if (!WriteChunk(part.Handle(), buffer.get(), got)) return false;
        done += got;
        ReportProgress(progress, total, done);
    }
    // A source that shrank while it was copied still ends the bar at 100.
    if (done != total) ReportProgress(progress, done, done);

    // Like the platform copy, the copy keeps the source's last-write time.
    FILETIME lastWrite{static_cast<DWORD>(times.LastWriteTime.LowPart),
                       static_cast<DWORD>(times.LastWriteTime.HighPart)};
    if (!SetFileTime(part.Handle(), nullptr, nullptr, &lastWrite)) return false;
    if (!Flush(part.Handle())) return false;
    if (check && !ReadsBackAs(part.Path(), *hash, done, *check)) return false;
    Observe(copy_seam::Step::Rename, part.Handle());
    if (part.MoveOver(sDestFile, !knownMissing)) return true;
    const DWORD error = GetLastError();
    if (!knownMissing || (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)) return false;
    // Something took the name during the copy: the same rules as for a name that was there.
    switch (CheckDestination(source.get(), sDestFile)) {
    case Destination::SameFile: return true;
    case Destination::Refused: return false;
    case Destination::Free: break;
    }
    return part.MoveOver(sDestFile, true);
}

namespace copy_seam {
void FailNthWrite(int n) { g_failNthWrite = n; }
void SetChunkBytes(DWORD bytes) { g_chunkBytes = bytes == 0 ? kCopyChunkBytes : bytes; }
void SetFlushBeforeRename(bool flush) { g_flush = flush; }
void SetObserver(Observer observer) { g_observer = std::move(observer); }
}  // namespace copy_seam

}  // namespace tunelift::win
