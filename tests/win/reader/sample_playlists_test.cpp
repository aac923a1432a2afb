// The hand-written sample playlists of every kind, read as the program reads them: their
// bytes from the disk, XML through the system's XmlLite, then the portable rules. What
// is proved here is XmlLite's share: entities, CDATA, namespaces, xml:base, encodings,
// and refusing a document type declaration, deep nesting and a cut document.
#include <gtest/gtest.h>

#include "tests/support/entry_text.h"
#include "win/playlist_reader_win.h"

namespace {

// tests\data\playlists of this checkout; a Linux build path is reached through drive Z:.
std::wstring SamplesFolder() {
    std::wstring path = std::string_view(__FILE__).starts_with("/") ? L"Z:" : L"";
    for (const char c : std::string_view(__FILE__)) path.push_back(c == '/' ? L'\\' : static_cast<unsigned char>(c));
    return path.substr(0, path.rfind(L"\\tests\\")) + L"\\tests\\data\\playlists";
}

TEST(SamplePlaylists, EveryKindReadsFromItsFileAsWritten) {
    const struct {
        const wchar_t* file;
        std::wstring read;
    } rows[] = {
        {L"extended.m3u", L"M3U: C:\\Music\\Anna\\Morning.mp3; C:\\L\\Ben\\Noon.MP3; C:\\L\\cover.jpg"},
        {L"mac-line-ends.m3u", L"M3U: C:\\L\\Album\\First.mp3; C:\\Other\\Second.mp3"},
        {L"file-urls.m3u8", L"M3U: C:\\Music\\Road 66.mp3; Z:\\Musik\\Caf\u00E9 Noir.mp3; \\\\nas\\music\\Stra\u00DFe.mp3; "
                            L"D:\\Hits\\100%.mp3; stream [live.mp3]"},
        {L"percent-relative.m3u", L"M3U: C:\\L\\Album\\Caf%C3%A9%20Noir.mp3; C:\\L\\Album\\Plain.mp3"},
        {L"out-of-order.pls", L"PLS: C:\\L\\a.mp3; C:\\Music\\b b.mp3; C:\\Music\\c.mp3"},
        {L"with-base.xspf", L"XSPF: C:\\Music\\Caf\u00E9 Noir.mp3; D:\\Rock\\R&B\\Live.ogg; stream [stream]; none"},
        {L"entities.wpl", L"WPL: C:\\Music\\Rock & Roll\\It's.wma; D:\\Music\\\u00C4rger.mp3"},
        {L"evening.zpl", L"WPL: C:\\L\\Music\\a.mp3"},
        {L"itunes-export.txt", L"iTunes: C:\\Music\\Anna\\Morning.mp3; C:\\Music\\Ben\\Stra\u00DFe.m4a; none"},
        {L"billion-laughs.xspf", L"none"},
        {L"deep-nesting.xspf", L"none"},
        {L"cut-short.wpl", L"none"},
    };
    // Read as if they lay in C:\L, so that relative entries resolve the same everywhere.
    for (const auto& row : rows) {
        const std::optional<std::string> bytes = tunelift::win::ReadPlaylistBytes(SamplesFolder() + L"\\" + row.file);
        ASSERT_TRUE(bytes) << testing::PrintToString(std::wstring(row.file));
        const auto read = tunelift::ReadPlaylistOfAnyKind(*bytes, std::wstring(L"C:\\L\\") + row.file,
                                                          tunelift::win::PlaylistReaderServices(), false);
        EXPECT_EQ(tunelift::testing::PlaylistText(read), row.read) << testing::PrintToString(std::wstring(row.file));
    }
}

}  // namespace
