#include "engine/written_playlist.h"

namespace tunelift {

std::wstring WrittenPlaylistText(const std::vector<std::wstring>& names) {
    std::wstring text = L"#EXTM3U\r\n";
    for (const std::wstring& name : names) text += name + L"\r\n";
    return text;
}

std::wstring WrittenPlaylistName(const std::wstring& playlistPath, bool utf8) {
    const size_t slash = playlistPath.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? playlistPath : playlistPath.substr(slash + 1);
    // ".hidden" is a name, not an extension.
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    if (name.empty()) name = L"Playlist";
    return name + (utf8 ? L".m3u8" : L".m3u");
}

std::string EncodeUtf8(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = static_cast<uint32_t>(text[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<uint32_t>(text[++i]) - 0xDC00);
        } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (c >> 18));
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

WrittenPlaylist EncodeWrittenPlaylist(const std::wstring& playlistPath, const std::vector<std::wstring>& names,
                                      const AnsiEncoder& ansi) {
    const std::wstring text = WrittenPlaylistText(names);
    if (std::optional<std::string> bytes = ansi ? ansi(text) : std::nullopt)
        return {WrittenPlaylistName(playlistPath, false), std::move(*bytes)};
    return {WrittenPlaylistName(playlistPath, true), "\xEF\xBB\xBF" + EncodeUtf8(text)};
}

}  // namespace tunelift
