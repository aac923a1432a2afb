// The kinds of playlist written as lines of text: each turns the decoded text into
// its entries in playlist order. Pure functions, no I/O.
#pragma once
#include <string_view>
#include <vector>

#include "engine/readers/read_entry.h"

namespace tunelift {

// Every line that is neither blank nor a comment ("#...") is an entry, at its line.
std::vector<ReadEntry> ReadM3u(std::wstring_view text, const EntryContext& context);

// Every "FileN=" line (N in digits, "File" in any letter case), sorted by N; lines of
// one N keep their order. Everything else, NumberOfEntries, TitleN and LengthN among
// it, is ignored.
std::vector<ReadEntry> ReadPls(std::wstring_view text, const EntryContext& context);

// Rows of tab-separated columns under a header row. The song's path is the last column
// that holds a full path in any row (the header is in the user's language, so it is
// not read); a row with nothing there names no file.
std::vector<ReadEntry> ReadITunesText(std::wstring_view text, const EntryContext& context);

}  // namespace tunelift
