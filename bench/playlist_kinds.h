// Playlists of every kind with n songs, as their writers lay them out, and a timed read of
// each through ReadPlaylistOfAnyKind. Shared by the native and the Windows benchmark.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/readers/any_kind_reader.h"
#include "engine/written_playlist.h"

namespace tunelift::bench {

struct Kind {
    const char* Label;
    const wchar_t* FileName;
};
inline constexpr Kind kKinds[] = {{"M3U", L"list.m3u8"}, {"PLS", L"list.pls"}, {"XSPF", L"list.xspf"},
                                  {"WPL", L"list.wpl"},  {"iTunes", L"list.txt"}};

inline std::string SongPath(int i, const char* separator, const char* blank) {
    char path[160];
    std::snprintf(path, sizeof path, "Artist%s%05d%sAlbum%s%05d%sTitle%sof%sthe%ssong.mp3", blank, i % 997, separator,
                  separator, i, blank, blank, blank, blank);
    return path;
}

inline std::string PlaylistBytes(const Kind& kind, int n) {
    const std::string label = kind.Label;
    std::string text;
    if (label == "M3U") {
        text = "#EXTM3U\r\n";
        for (int i = 0; i < n; ++i) text += "#EXTINF:215,Artist - Title\r\n" + SongPath(i, "/", "%20") + "\r\n";
    } else if (label == "PLS") {
        // Written last to first, so that the sort has work to do.
        text = "[playlist]\r\nNumberOfEntries=" + std::to_string(n) + "\r\n";
        for (int i = n; i >= 1; --i)
            text += "File" + std::to_string(i) + "=C:\\Music\\" + SongPath(i, "\\", " ") + "\r\nTitle" +
                    std::to_string(i) + "=Title\r\nLength" + std::to_string(i) + "=215\r\n";
    } else if (label == "XSPF") {
        text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\" "
               "xml:base=\"file:///C:/Music/\">\n  <trackList>\n";
        for (int i = 0; i < n; ++i)
            text += "    <track>\n      <location>" + SongPath(i, "/", "%20") +
                    "</location>\n      <title>Title</title>\n      <duration>215000</duration>\n    </track>\n";
        text += "  </trackList>\n</playlist>\n";
    } else if (label == "WPL") {
        text = "<?wpl version=\"1.0\"?>\r\n<smil>\r\n  <head>\r\n    <title>List</title>\r\n  </head>\r\n  <body>\r\n"
               "    <seq>\r\n";
        for (int i = 0; i < n; ++i)
            text += "      <media src=\"..\\Music\\" + SongPath(i, "\\", " ") + "\" tid=\"{" + std::to_string(i) + "}\"/>\r\n";
        text += "    </seq>\r\n  </body>\r\n</smil>\r\n";
    } else {
        std::wstring rows = L"Name\tArtist\tAlbum\tTime\tComments\tLocation\r";
        for (int i = 0; i < n; ++i) {
            const std::string path = "C:\\Music\\" + SongPath(i, "\\", " ");
            rows += L"Title\tArtist\tAlbum\t215\t\t" + std::wstring(path.begin(), path.end()) + L"\r";
        }
        text = "\xFF\xFE";
        for (const wchar_t c : rows) text += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    }
    return text;
}

// Reads each kind at each size `rounds` times, the sizes and kinds interleaved so that
// all see the same load, and prints the fastest and slowest time per entry.
inline int TimeReads(const ReaderServices& services, int rounds) {
    const int sizes[] = {4096, 16384, 32770};
    std::printf("%-7s %7s %10s %12s %12s %8s\n", "kind", "entries", "bytes", "best us/ent", "worst us/ent", "best ms");
    std::vector<std::string> bytes;
    for (const Kind& kind : kKinds)
        for (const int n : sizes) bytes.push_back(PlaylistBytes(kind, n));
    std::vector<double> best(bytes.size(), 1e30), worst(bytes.size(), 0);
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < bytes.size(); ++i) {
            const Kind& kind = kKinds[i / std::size(sizes)];
            const auto start = std::chrono::steady_clock::now();
            const auto read = ReadPlaylistOfAnyKind(bytes[i], std::wstring(L"C:\\Lists\\") + kind.FileName, services, false);
            const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const int n = sizes[i % std::size(sizes)];
            if (!read || static_cast<int>(read->Entries.size()) != n || read->Entries.back().Role != EntryRole::Song) {
                std::printf("%s: %d entries not read as songs\n", kind.Label, n);
                return 1;
            }
            best[i] = std::min(best[i], took);
            worst[i] = std::max(worst[i], took);
        }
    }
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int n = sizes[i % std::size(sizes)];
        std::printf("%-7s %7d %10zu %12.2f %12.2f %8.1f\n", kKinds[i / std::size(sizes)].Label, n, bytes[i].size(),
                    best[i] * 1e6 / n, worst[i] * 1e6 / n, best[i] * 1e3);
    }
    return 0;
}

}  // namespace tunelift::bench
