// The playlist a Save run can leave beside the songs: the songs that arrived, by the
// names they have there, so that a player that reads playlists plays them in order.
// Pure functions, no I/O.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tunelift {

struct WrittenPlaylist {
    std::wstring FileName;  // inside the destination folder
    std::string Bytes;
};

// "#EXTM3U" and then one name per line, every line ended by CR LF.
std::wstring WrittenPlaylistText(const std::vector<std::wstring>& names);

// The running playlist's file name without its extension, then ".m3u", or ".m3u8"
// for a UTF-8 file.
std::wstring WrittenPlaylistName(const std::wstring& playlistPath, bool utf8);

// UTF-16 (or, where wchar_t is wider, UTF-32) text to UTF-8; a surrogate without
// its partner becomes U+FFFD.
std::string EncodeUtf8(std::wstring_view text);

// Converts text to the ANSI code page, or gives nothing when a character has no form there.
using AnsiEncoder = std::function<std::optional<std::string>(const std::wstring& text)>;

// The file for these names: in the ANSI code page when every name has a form there,
// which every player reads; otherwise UTF-8 with a byte-order mark, named ".m3u8".
WrittenPlaylist EncodeWrittenPlaylist(const std::wstring& playlistPath, const std::vector<std::wstring>& names,
                                      const AnsiEncoder& ansi);

}  // namespace tunelift
