#include "win/playlist_reader_win.h"

#include <windows.h>

#include <climits>
#include <new>

#include "win/handles_win.h"
#include "win/xml_reader_win.h"

namespace tunelift::win {

namespace {

// A file's last-write time can be as coarse as 2 s (FAT) and lag the clock by a tick,
// so a file written this close to our read may change again without its size or time
// changing. Such a cache is not trusted: the file is read again until it has settled.
constexpr uint64_t kSettleTime = 3ull * 10'000'000;  // in 100 ns units

// Playlists are small; anything this large is refused rather than held in memory.
constexpr uint64_t kLargestFile = 256ull << 20;

constexpr DWORD kCountsAsMissing = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

uint64_t Join(DWORD high, DWORD low) { return (uint64_t{high} << 32) | low; }
uint64_t Join(const FILETIME& t) { return Join(t.dwHighDateTime, t.dwLowDateTime); }

uint64_t Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return Join(now);
}

std::wstring FullPathOf(const std::wstring& file) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(file.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(file.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) return file;
    full.resize(length);
    return full;
}

// Reads to the end of the file, whatever its size was a moment ago.
bool ReadWhole(HANDLE file, std::string& bytes) {
    bytes.clear();
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) return false;
        if (got == 0) return true;
        if (bytes.size() + got > kLargestFile) return false;
        bytes.append(buffer, got);
    }
}

}  // namespace

std::wstring DecodeAnsi(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
    return text;
}

ReaderServices PlaylistReaderServices() { return {DecodeAnsi, ParseXml}; }

std::optional<std::string> ReadPlaylistBytes(const std::wstring& file) {
    const DWORD attributes = file.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kCountsAsMissing) != 0) return std::nullopt;
    FileHandle handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    std::string bytes;
    try {
        if (!handle || !ReadWhole(handle.get(), bytes)) return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return bytes;
}

void PlaylistReader::Forget() {
    valid_ = false;
    fullPath_.clear();
    text_.clear();
    text_.shrink_to_fit();
    index_ = LineIndex();
}

bool PlaylistReader::Refresh(const std::wstring& file) {
    if (file.empty()) return false;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & kCountsAsMissing) != 0) {
        Forget();
        return false;
    }
    const Stamp now{Join(data.nFileSizeHigh, data.nFileSizeLow), Join(data.ftLastWriteTime),
                    Join(data.ftCreationTime)};
    // The same name can mean another file after the current folder changed.
    std::wstring fullPath = FullPathOf(file);
    const bool settled = now.LastWrite + kSettleTime <= readStartedAt_;
    if (valid_ && stamp_ == now && settled && fullPath == fullPath_) return true;

    Forget();
    if (now.Size > kLargestFile) return false;
    const uint64_t startedAt = Now();
    FileHandle handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!handle) return false;
    try {
        std::string bytes;
        bytes.reserve(static_cast<size_t>(now.Size));
        if (!ReadWhole(handle.get(), bytes)) return false;
        ++fileReads_;
        text_ = DecodePlaylistText(bytes, DecodeAnsi);
        index_ = LineIndex(text_);
    } catch (const std::bad_alloc&) {
        Forget();
        return false;
    }
    // The stamp taken before the read: a change during the read shows up as a new stamp.
    stamp_ = now;
    readStartedAt_ = startedAt;
    fullPath_ = std::move(fullPath);
    valid_ = true;
    return true;
}

std::wstring PlaylistReader::ReadLine(const std::wstring& file, int32_t lineToRead) {
    if (lineToRead < 1 || !Refresh(file)) return {};
    return std::wstring(index_.Line(text_, lineToRead));
}

PlaylistLine PlaylistReader::ReadPlaylistLine(const std::wstring& file, int32_t lineToRead) {
    if (!Refresh(file)) return {LineStatus::Unreadable, {}};
    if (lineToRead < 1 || static_cast<size_t>(lineToRead) > index_.Count()) return {LineStatus::End, {}};
    return {LineStatus::Line, std::wstring(index_.Line(text_, lineToRead))};
}

std::wstring PlaylistReader::ReadAll(const std::wstring& file) {
    if (!Refresh(file)) return {};
    return text_;
}

}  // namespace tunelift::win
