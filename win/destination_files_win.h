// What a run asks of the file system beyond copying songs: a file's size and time, the
// free space of a volume, a small file written whole, a rename in place, and text in the
// ANSI code page.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/file_services.h"

namespace tunelift::win {

// Size and last-write time of a file; nothing for a folder, a missing file or a pattern.
std::optional<FileStamp> StampOf(const std::wstring& file);

// Gives a file another last-write time.
bool SetLastWriteTime(const std::wstring& file, uint64_t time);

// The bytes this user may still write on the volume that holds `folder`.
std::optional<uint64_t> FreeBytes(const std::wstring& folder);

// The bytes go into a part file beside `path` (named as a copy's part file, so that Sync
// clears a leftover), are flushed, and only then take the name, replacing an older file.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);

// Renames a file within its folder without replacing anything (see FileServices).
bool RenameFile(const std::wstring& from, const std::wstring& to);

// `text` in the ANSI code page; nothing when a character has no exact form there or the
// code page is UTF-8 (such a file is written with its mark instead).
std::optional<std::string> EncodeAnsi(const std::wstring& text);

}  // namespace tunelift::win
