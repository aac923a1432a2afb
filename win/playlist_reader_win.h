// Reads playlist files line by line for a run. The decoded text and its line index are
// kept between calls and checked against the file on every call, so a run over n lines
// reads the file once instead of n times, and every call still sees the file as it is.
#pragma once
#include "engine/file_services.h"
#include "engine/playlist_text.h"
#include "engine/readers/any_kind_reader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tunelift::win {

// The system's ANSI code page (CP_ACP) to UTF-16.
std::wstring DecodeAnsi(std::string_view bytes);

// What ReadPlaylistOfAnyKind needs on Windows: the ANSI code page and XmlLite.
ReaderServices PlaylistReaderServices();

// The bytes of a playlist file, read whole; nothing for a file that counts as missing
// (hidden, system, a folder), cannot be read, or is larger than any playlist.
std::optional<std::string> ReadPlaylistBytes(const std::wstring& file);

class PlaylistReader {
public:
    // Line lineToRead (from 1) of file; "" for a missing, hidden or system file, a
    // folder, a line of 0 or less and past the last line.
    std::wstring ReadLine(const std::wstring& file, int32_t lineToRead);

    // Line lineToRead (from 1) of file for a run: a blank line is a Line, past the last
    // line is End, and a file that counts as missing or cannot be opened or read now is
    // Unreadable. A file whose size and times are unchanged since it was read (and had
    // settled) is served from the cache even while another program holds it locked.
    PlaylistLine ReadPlaylistLine(const std::wstring& file, int32_t lineToRead);

    // The whole decoded text, line breaks included; "" for a file ReadLine treats as missing.
    std::wstring ReadAll(const std::wstring& file);

    // How often a file's bytes were read from disk; lets tests see the cache at work.
    uint64_t FileReads() const { return fileReads_; }

private:
    struct Stamp {
        uint64_t Size = 0;
        uint64_t LastWrite = 0;
        uint64_t Creation = 0;
        bool operator==(const Stamp&) const = default;
    };

    // Brings the cache up to the file's current state; false when the file counts as missing
    // or cannot be read.
    bool Refresh(const std::wstring& file);
    void Forget();

    bool valid_ = false;
    std::wstring fullPath_;
    Stamp stamp_;
    uint64_t readStartedAt_ = 0;  // system time just before the bytes were read
    std::wstring text_;
    LineIndex index_;
    uint64_t fileReads_ = 0;
};

}  // namespace tunelift::win
