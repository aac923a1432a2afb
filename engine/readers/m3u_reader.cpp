#include "engine/readers/line_kind_readers.h"

#include "engine/playlist_text.h"
#include "engine/readers/entry_values.h"

namespace tunelift {

std::vector<ReadEntry> ReadM3u(std::wstring_view text, const EntryContext& context) {
    std::vector<ReadEntry> entries;
    const LineIndex index(text);
    for (size_t n = 1; n <= index.Count() && entries.size() <= kMostEntries; ++n) {
        const std::wstring_view line = index.Line(text, static_cast<int64_t>(n));
        const size_t first = line.find_first_not_of(L" \t");
        if (first == std::wstring_view::npos || line[first] == L'#') continue;
        entries.push_back(EntryOfPath(static_cast<int64_t>(n), line, context));
    }
    return entries;
}

}  // namespace tunelift
