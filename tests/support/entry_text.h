// Read entries written as one line, so that a table row states them whole and a failing
// row reads plainly.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/readers/read_entry.h"

namespace tunelift::testing {

// "song C:\a.mp3 [a.mp3] | C:\b.mp3 [b.mp3]", "stream [x.mp3]", "none".
inline std::wstring EntryText(const ReadEntry& entry) {
    static constexpr const wchar_t* kRoles[] = {L"song", L"other", L"stream", L"none"};
    std::wstring text = kRoles[static_cast<int>(entry.Role)];
    for (size_t i = 0; i < entry.Names.size(); ++i)
        text += (i == 0 ? L" " : L" | ") + (i < entry.Paths.size() ? entry.Paths[i] + L" [" : L"[") + entry.Names[i] + L"]";
    return text;
}

// Every entry as "place written = entry", joined by "; ".
inline std::wstring EntriesText(const std::vector<ReadEntry>& entries) {
    std::wstring text;
    for (const ReadEntry& e : entries)
        text += (text.empty() ? L"" : L"; ") + std::to_wstring(e.Place) + L" " + e.Written + L" = " + EntryText(e);
    return text;
}

// The kind and each entry's first path (or "stream", "none"): "M3U: C:\a.mp3; stream".
inline std::wstring PlaylistText(const std::optional<ReadPlaylist>& read) {
    static constexpr const wchar_t* kFormats[] = {L"M3U: ", L"PLS: ", L"XSPF: ", L"WPL: ", L"iTunes: "};
    std::wstring text;
    for (const ReadEntry& e : read ? read->Entries : std::vector<ReadEntry>())
        text += (text.empty() ? L"" : L"; ") + (e.Paths.empty() ? EntryText(e) : e.Paths[0]);
    return read ? kFormats[static_cast<int>(read->Format)] + text : L"none";
}

}  // namespace tunelift::testing
