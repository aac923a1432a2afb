#include "engine/readers/line_kind_readers.h"

#include <optional>

#include "engine/playlist_text.h"
#include "engine/readers/entry_values.h"
#include "engine/readers/uri_rules.h"

namespace tunelift {

namespace {

std::wstring_view ColumnOf(std::wstring_view row, size_t column) {
    for (size_t i = 0; i < column; ++i) {
        const size_t tab = row.find(L'\t');
        if (tab == std::wstring_view::npos) return {};
        row.remove_prefix(tab + 1);
    }
    return row.substr(0, row.find(L'\t'));
}

// A full Windows path, a "file:" address or a path from the root of another system.
bool HoldsPath(std::wstring_view field) {
    return IsWindowsFullPath(field) || IsFileScheme(SchemeOf(field)) || field.starts_with(L'/');
}

bool IsBlank(std::wstring_view line) { return line.find_first_not_of(L" \t") == std::wstring_view::npos; }

}  // namespace

std::vector<ReadEntry> ReadITunesText(std::wstring_view text, const EntryContext& context) {
    const LineIndex index(text);
    const auto row = [&](size_t n) { return index.Line(text, static_cast<int64_t>(n)); };
    // Row 1 is the header.
    std::optional<size_t> pathColumn;
    for (size_t n = 2; n <= index.Count(); ++n) {
        const std::wstring_view line = row(n);
        size_t column = 0;
        for (size_t start = 0; start <= line.size(); ++column) {
            size_t end = line.find(L'\t', start);
            if (end == std::wstring_view::npos) end = line.size();
            if (HoldsPath(line.substr(start, end - start)) && (!pathColumn || column > *pathColumn))
                pathColumn = column;
            start = end + 1;
        }
    }
    std::vector<ReadEntry> entries;
    for (size_t n = 2; n <= index.Count() && entries.size() <= kMostEntries; ++n) {
        const std::wstring_view line = row(n);
        if (IsBlank(line)) continue;
        const std::wstring_view path = pathColumn ? ColumnOf(line, *pathColumn) : std::wstring_view();
        // A row without a path is shown by its first column, the song's name.
        entries.push_back(IsBlank(path) ? EntryWithoutPath(static_cast<int64_t>(n), ColumnOf(line, 0))
                                        : EntryOfPath(static_cast<int64_t>(n), path, context));
    }
    return entries;
}

}  // namespace tunelift
