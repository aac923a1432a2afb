// What every playlist reader must hold for any bytes, checked by the per-kind fuzz
// targets: the file is read under the kind's name, and each entry it gives is whole.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/full_path.h"
#include "engine/playlist_rules.h"
#include "engine/readers/any_kind_reader.h"
#include "engine/readers/uri_rules.h"
#include "engine/written_playlist.h"
#include "tests/support/tiny_xml.h"

namespace tunelift::fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

inline void CheckEntry(const ReadEntry& entry, bool allAudio) {
    const bool file = entry.Role == EntryRole::Song || entry.Role == EntryRole::OtherFile;
    Check(file == !entry.Paths.empty() && (!file || entry.Names.size() == entry.Paths.size()));
    Check(entry.Role != EntryRole::NoPath || entry.Names.empty());
    bool song = false;
    for (size_t i = 0; i < entry.Paths.size(); ++i) {
        const std::wstring& path = entry.Paths[i];
        for (const wchar_t c : path) Check(static_cast<uint32_t>(c) >= 0x20);
        Check(FullPathIn(L"C:\\L", path) == path && entry.Names[i].find_first_of(L"\\/") == std::wstring::npos);
        song = song || IsSongName(entry.Names[i], allAudio);
        // A full path survives the trip through an address, as an xml:base takes it.
        if (path.size() > 1 && path[1] == L':' && DecodeUtf8(EncodeUtf8(path)) == path)
            Check(PathOfFileUrl(FileUrlOf(path)) == path);
    }
    Check(!file || song == (entry.Role == EntryRole::Song));
}

// Reads the bytes as the file `name` in C:\L and checks every entry.
inline int ReadAsFile(const uint8_t* data, size_t size, const wchar_t* name) {
    const ReaderServices services{
        [](std::string_view b) { return std::wstring(b.begin(), b.end()); },
        [](std::string_view b, XmlSink& sink) { return testing::FeedTinyXml(DecodeUtf8(b), sink); }};
    const bool allAudio = size % 2 == 1;
    const auto read = ReadPlaylistOfAnyKind(std::string_view(reinterpret_cast<const char*>(data), size),
                                            std::wstring(L"C:\\L\\") + name, services, allAudio);
    int64_t last = 0;
    for (const ReadEntry& entry : read ? read->Entries : std::vector<ReadEntry>()) {
        // Only "[playlist]" files list entries out of their order in the file.
        Check(entry.Place > (read->Format == PlaylistFormat::Pls ? 0 : last));
        last = entry.Place;
        CheckEntry(entry, allAudio);
    }
    return 0;
}

}  // namespace tunelift::fuzz
