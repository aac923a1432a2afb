// The hand-written XML samples through the system's XmlLite: entities, CDATA, namespaces,
// xml:base; a document type declaration, deep nesting and a cut document refused.
#include <gtest/gtest.h>

#include "tests/support/entry_text.h"
#include "win/playlist_reader_win.h"

namespace {

TEST(SamplePlaylists, XmlKindsReadThroughXmlLiteAsWritten) {
    // tests\data\playlists of this checkout; a Linux build path is reached through drive Z:.
    std::wstring samples = std::string_view(__FILE__).starts_with("/") ? L"Z:" : L"";
    for (const char c : std::string_view(__FILE__)) samples.push_back(c == '/' ? L'\\' : static_cast<unsigned char>(c));
    samples = samples.substr(0, samples.rfind(L"\\tests\\")) + L"\\tests\\data\\playlists\\";
    const struct { const wchar_t* file; std::wstring read; } rows[] = {
        {L"with-base.xspf", L"XSPF: C:\\Music\\Caf\u00E9 Noir.mp3; D:\\Rock\\R&B\\Live.ogg; stream [stream]; none"},
        {L"entities.wpl", L"WPL: C:\\Music\\Rock & Roll\\It's.wma; D:\\Music\\\u00C4rger.mp3"},
        {L"billion-laughs.xspf", L"none"},
        {L"deep-nesting.xspf", L"none"},
        {L"cut-short.wpl", L"none"},
    };
    // Read as if they lay in C:\L, so that relative entries resolve the same everywhere.
    for (const auto& row : rows) {
        const auto bytes = tunelift::win::ReadPlaylistBytes(samples + row.file);
        ASSERT_TRUE(bytes) << testing::PrintToString(std::wstring(row.file));
        const auto read = tunelift::ReadPlaylistOfAnyKind(*bytes, std::wstring(L"C:\\L\\") + row.file,
                                                          tunelift::win::PlaylistReaderServices(), false);
        EXPECT_EQ(tunelift::testing::PlaylistText(read), row.read) << testing::PrintToString(std::wstring(row.file));
    }
}

}  // namespace
