#include "engine/readers/line_kind_readers.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "engine/playlist_text.h"
#include "engine/readers/entry_values.h"

namespace tunelift {

namespace {

// N of a "FileN" key, or nothing for any other key. An N too large to count sorts last.
std::optional<uint64_t> FileNumberOf(std::wstring_view key) {
    while (!key.empty() && (key.back() == L' ' || key.back() == L'\t')) key.remove_suffix(1);
    if (key.size() < 5) return std::nullopt;
    constexpr std::wstring_view kFile = L"file";
    for (size_t i = 0; i < kFile.size(); ++i)
        if ((key[i] | 0x20) != kFile[i]) return std::nullopt;
    uint64_t number = 0;
    for (const wchar_t c : key.substr(kFile.size())) {
        if (c < L'0' || c > L'9') return std::nullopt;
        const uint64_t digit = static_cast<uint64_t>(c - L'0');
        number = number > (std::numeric_limits<uint64_t>::max() - digit) / 10 ? std::numeric_limits<uint64_t>::max()
                                                                              : number * 10 + digit;
    }
    return number;
}

}  // namespace

std::vector<ReadEntry> ReadPls(std::wstring_view text, const EntryContext& context) {
    struct Numbered {
        uint64_t Number;
        ReadEntry Entry;
    };
    std::vector<Numbered> numbered;
    const LineIndex index(text);
    for (size_t n = 1; n <= index.Count() && numbered.size() <= kMostEntries; ++n) {
        std::wstring_view line = index.Line(text, static_cast<int64_t>(n));
        line.remove_prefix(std::min(line.size(), line.find_first_not_of(L" \t")));
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) continue;
        if (const std::optional<uint64_t> number = FileNumberOf(line.substr(0, equals)))
            numbered.push_back({*number, EntryOfPath(static_cast<int64_t>(n), line.substr(equals + 1), context)});
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const Numbered& a, const Numbered& b) { return a.Number < b.Number; });
    std::vector<ReadEntry> entries;
    entries.reserve(numbered.size());
    for (Numbered& n : numbered) entries.push_back(std::move(n.Entry));
    return entries;
}

}  // namespace tunelift
