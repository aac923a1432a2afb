#include "engine/readers/any_kind_reader.h"

#include "engine/playlist_rules.h"
#include "engine/readers/line_kind_readers.h"
#include "engine/readers/xml_kind_readers.h"

namespace tunelift {

namespace {

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

// ".m3u" of "C:\Lists\Car.M3U"; "" when the name has no extension.
std::wstring ExtensionOf(std::wstring_view path) {
    const size_t dot = path.find_last_of(L".\\/");
    if (dot == std::wstring_view::npos || path[dot] != L'.') return {};
    std::wstring extension(path.substr(dot));
    for (wchar_t& c : extension) c = AsciiLower(c);
    return extension;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

std::wstring_view Trimmed(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

bool IsPlsHeader(std::wstring_view line) {
    constexpr std::wstring_view kHeader = L"[playlist]";
    line = Trimmed(line);
    if (line.size() != kHeader.size()) return false;
    for (size_t i = 0; i < line.size(); ++i)
        if (AsciiLower(line[i]) != kHeader[i]) return false;
    return true;
}

bool StartsWithUtf16Mark(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// One parse, watched by both XML kinds; each knows its own root.
class BothXmlKinds : public XmlSink {
public:
    explicit BothXmlKinds(const EntryContext& context) : xspf(context), wpl(context) {}
    void StartElement(std::wstring_view localName, std::wstring_view namespaceUri,
                      std::span<const XmlAttribute> attributes) override {
        xspf.StartElement(localName, namespaceUri, attributes);
        wpl.StartElement(localName, namespaceUri, attributes);
    }
    void Text(std::wstring_view text) override { xspf.Text(text); }
    void EndElement() override {
        xspf.EndElement();
        wpl.EndElement();
    }
    XspfReader xspf;
    WplReader wpl;
};

std::optional<ReadPlaylist> ReadXml(std::string_view bytes, const ReaderServices& services,
                                    const EntryContext& context) {
    BothXmlKinds kinds(context);
    if (!services.Xml(bytes, kinds)) return std::nullopt;
    if (kinds.xspf.IsXspf()) return ReadPlaylist{PlaylistFormat::Xspf, kinds.xspf.TakeEntries()};
    if (kinds.wpl.IsWpl()) return ReadPlaylist{PlaylistFormat::Wpl, kinds.wpl.TakeEntries()};
    return std::nullopt;
}

// The first line that is not blank: some writers start with an empty line.
std::wstring_view FirstUsedLine(std::wstring_view text, const LineIndex& index) {
    for (size_t n = 1; n <= index.Count(); ++n) {
        const std::wstring_view line = index.Line(text, static_cast<int64_t>(n));
        if (!Trimmed(line).empty()) return line;
    }
    return {};
}

}  // namespace

std::wstring DecodeAnyPlaylistText(std::string_view bytes, std::wstring_view playlistPath, AnsiDecoder ansi) {
    if (bytes.starts_with("\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
    if (ExtensionOf(playlistPath) == L".m3u8")
        return DecodeUtf8(bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes);
    return DecodePlaylistText(bytes, ansi);
}

std::optional<ReadPlaylist> ReadPlaylistOfAnyKind(std::string_view bytes, const std::wstring& playlistPath,
                                                  const ReaderServices& services, bool allAudio) {
    const EntryContext context{FolderOf(playlistPath), allAudio};
    const std::wstring text = DecodeAnyPlaylistText(bytes, playlistPath, services.Ansi);
    const std::wstring extension = ExtensionOf(playlistPath);
    const LineIndex index(text);
    const std::wstring_view firstLine = FirstUsedLine(text, index);
    std::optional<ReadPlaylist> read;
    if (IsPlsHeader(firstLine)) {
        read = ReadPlaylist{PlaylistFormat::Pls, ReadPls(text, context)};
    } else if (StartsWithUtf16Mark(bytes) && firstLine.find(L'\t') != std::wstring_view::npos) {
        read = ReadPlaylist{PlaylistFormat::ITunesText, ReadITunesText(text, context)};
    } else if (Trimmed(firstLine).starts_with(L'<')) {
        // No path starts with "<": this is XML, and XML that is no playlist of a known
        // kind is none, whatever its name says.
        if (services.Xml) read = ReadXml(bytes, services, context);
    } else if (extension == L".m3u" || extension == L".m3u8" || extension == L".txt" ||
               PlaylistKindOf(index.Line(text, 1)) == PlaylistKind::M3u) {
        read = ReadPlaylist{PlaylistFormat::M3u, ReadM3u(text, context)};
    } else if (extension == L".pls") {
        read = ReadPlaylist{PlaylistFormat::Pls, ReadPls(text, context)};
    }
    if (read && read->Entries.size() > kMostEntries) return std::nullopt;
    return read;
}

}  // namespace tunelift
