// A playlist of any kind the readers know, read whole: its kind from its content, with
// the file's extension deciding where the content does not. Pure functions, no I/O;
// the system's code page and the XML parser come from the caller.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "engine/playlist_text.h"
#include "engine/readers/read_entry.h"
#include "engine/readers/xml_nodes.h"

namespace tunelift {

struct ReaderServices {
    AnsiDecoder Ansi = nullptr;  // the system's ANSI code page
    XmlParser Xml;               // without one, XSPF and WPL are not read
};

// The text of a playlist file: UTF-16 with a byte-order mark in either order, a
// ".m3u8" always UTF-8 (a mark dropped), everything else as DecodePlaylistText finds it.
std::wstring DecodeAnyPlaylistText(std::string_view bytes, std::wstring_view playlistPath, AnsiDecoder ansi);

// The playlist in `bytes`, the whole file at `playlistPath` (full; relative entries
// mean its folder). Nothing when the file is no playlist of a known kind, an XML
// playlist is damaged (no part of it is taken, so that Sync cannot delete what its
// lost part names), or it holds more than kMostEntries entries.
// The first line that is not blank decides first:
//   "[playlist]", in any letter case                     PLS
//   a tab, in UTF-16 with a byte-order mark              the iTunes text
//   "<": XML with an XSPF <playlist> or a <smil> root    XSPF or WPL; other XML is none
//   otherwise ".m3u", ".m3u8", ".txt", or line 1 "#EXT..." or "C:\..."   M3U
//   otherwise ".pls"                                     PLS
std::optional<ReadPlaylist> ReadPlaylistOfAnyKind(std::string_view bytes, const std::wstring& playlistPath,
                                                  const ReaderServices& services, bool allAudio);

}  // namespace tunelift
