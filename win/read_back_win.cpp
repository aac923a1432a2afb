#include "win/read_back_win.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "win/handles_win.h"

namespace tunelift::win {
namespace {

// The copy being checked may still be open for writing (the part file before its rename).
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kLeastSector = 4096;      // whole 4 KiB suit 512-byte sectors too, and 4Kn disks that claim 512
constexpr DWORD kLargestSector = 1 << 20;  // anything larger is not a sector size

bool g_refuseDevice = false;

struct VirtualFreeDeleter {
    void operator()(std::byte* p) const { VirtualFree(p, 0, MEM_RELEASE); }
};
// VirtualAlloc hands out whole pages at the allocation granularity (64 KiB), which
// satisfies any sector alignment a read past the cache asks of its buffer.
using PageBuffer = std::unique_ptr<std::byte, VirtualFreeDeleter>;

PageBuffer AllocatePages(DWORD bytes) {
    return PageBuffer(static_cast<std::byte*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)));
}

FileHandle OpenForReading(const std::wstring& path, DWORD flags) {
    if (g_refuseDevice && (flags & FILE_FLAG_NO_BUFFERING)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FileHandle();
    }
    return FileHandle(CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  flags | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// The volume's sector size, which every read past the cache must be a multiple of;
// 0 when it cannot be learned.
DWORD SectorBytes(HANDLE file, const std::wstring& path) {
    FILE_STORAGE_INFO storage{};
    if (GetFileInformationByHandleEx(file, FileStorageInfo, &storage, sizeof storage))
        return std::max(storage.LogicalBytesPerSector, storage.PhysicalBytesPerSectorForPerformance);
    std::wstring root(path.size() + 2, L'\0');
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (GetVolumePathNameW(path.c_str(), root.data(), static_cast<DWORD>(root.size())) &&
        GetDiskFreeSpaceW(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return bytesPerSector;
    return 0;
}

// How a volume says no to reads past its cache, as against a disk that fails.
bool Refused(DWORD error) { return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED; }

// A chunk that is a whole number of sectors, or 0 for a sector size no read can honour.
DWORD ChunkFor(DWORD sector) {
    sector = std::max(sector, kLeastSector);
    if (sector > kLargestSector || (sector & (sector - 1)) != 0) return 0;
    return (kReadBackChunkBytes + sector - 1) / sector * sector;
}

struct Hashing {
    std::optional<ReadBackResult> result;
    uint64_t bytesRead = 0;  // how far it got before a read failed
    DWORD error = 0;         // and why it failed
};

Hashing HashFile(HANDLE file, DWORD chunk, const ReadBackProgress& progress) {
    Hashing out;
    LARGE_INTEGER size{};
    const PageBuffer buffer = AllocatePages(chunk);
    if (!buffer || !GetFileSizeEx(file, &size)) return out;
    const auto total = static_cast<uint64_t>(size.QuadPart);
    SongHash hash;
    if (progress) progress(total, 0);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer.get(), chunk, &got, nullptr)) {
            out.error = GetLastError();
            return out;
        }
        if (got == 0) break;
        hash.Add(buffer.get(), got);
        out.bytesRead += got;
        if (progress) progress(total, out.bytesRead);
        // A short read at the file's end ends it; asking on from there would be an
        // unaligned read. One before the end asks on, to learn whether the disk failed.
        if (got < chunk && out.bytesRead >= total) break;
    }
    out.result = ReadBackResult{hash.Digest(), out.bytesRead, false};
    return out;
}

}  // namespace

std::optional<ReadBackResult> ReadBack(const std::wstring& path, const ReadBackProgress& progress, ReadFrom from) {
    if (path.empty() || path.find(L'\0') != std::wstring::npos) return std::nullopt;
    // Some volumes (some network shares, some file systems' drivers) refuse reads past
    // the cache, at the open or at the first read; those are read the ordinary way. A
    // disk that fails is not: the cache, which still holds what was written, would
    // answer for it.
    if (from == ReadFrom::Device) {
        const FileHandle file = OpenForReading(path, FILE_FLAG_NO_BUFFERING);
        if (!file && !Refused(GetLastError())) return std::nullopt;
        const DWORD chunk = file ? ChunkFor(SectorBytes(file.get(), path)) : 0;
        if (chunk != 0) {
            Hashing device = HashFile(file.get(), chunk, progress);
            if (device.result) device.result->fromDevice = true;
            if (device.result || device.bytesRead > 0 || !Refused(device.error)) return device.result;
        }
    }
    const FileHandle file = OpenForReading(path, 0);
    if (!file) return std::nullopt;
    return HashFile(file.get(), kReadBackChunkBytes, progress).result;
}

namespace read_back_seam {
void RefuseDeviceReads(bool refuse) { g_refuseDevice = refuse; }
}  // namespace read_back_seam

}  // namespace tunelift::win
