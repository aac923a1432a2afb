// The entry one written path or address makes, whatever kind of playlist wrote it:
// where its file may be, what it is called, and whether it is a song, a stream or
// nothing the run can copy. Pure functions, no I/O.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/readers/read_entry.h"

namespace tunelift {

// A path or address as M3U, PLS, WPL and the iTunes text write them: a path with "\" or
// "/", relative to the playlist's folder or full, a "file:" address, or a stream. A
// path holding "%XX" sequences gets its decoded form as a second path to try, for the
// players that write relative lines percent-encoded. Blanks around it are no part of it.
ReadEntry EntryOfPath(int64_t place, std::wstring_view written, const EntryContext& context);

// An XSPF location: an address, resolved against `base` (itself an absolute address)
// when relative. A drive or network path written where an address belongs is taken
// as a path.
ReadEntry EntryOfLocation(int64_t place, std::wstring_view written, std::wstring_view base,
                          const EntryContext& context);

// An entry that names no file: a track without location, a row without path.
ReadEntry EntryWithoutPath(int64_t place, std::wstring_view written);

// The address relative entries of a playlist in `folder` are resolved against.
std::wstring FolderUrlOf(std::wstring_view folder);

// True for "C:\...", "C:/..." and "\\server...": a Windows path, never an address.
bool IsWindowsFullPath(std::wstring_view text);

}  // namespace tunelift
