#include "engine/readers/any_kind_reader.h"

#include <gtest/gtest.h>

#include "tests/support/entry_text.h"
#include "tests/support/tiny_xml.h"

using namespace tunelift;

namespace {

std::string Utf16(std::wstring_view text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const wchar_t c : text)
        bytes += bigEndian ? std::string{char(c >> 8), char(c & 0xFF)} : std::string{char(c & 0xFF), char(c >> 8)};
    return bytes;
}

std::wstring ReadText(std::string_view bytes, const std::wstring& name) {
    const auto read = ReadPlaylistOfAnyKind(bytes, L"C:\\L\\" + name, tunelift::testing::TinyReaderServices(), false);
    return tunelift::testing::PlaylistText(read);
}

TEST(AnyKindReader, ContentDecidesTheKindAndTheExtensionBreaksTies) {
    const std::string xspf = "<?xml version=\"1.0\"?>\n<playlist xmlns=\"http://xspf.org/ns/0/\"><trackList><track>"
                             "<location>a.mp3</location></track></trackList></playlist>";
    const std::string wpl = "<smil><body><seq><media src=\"a.mp3\"/></seq></body></smil>";
    const struct { const char* why; std::wstring name; std::string bytes; std::wstring read; } rows[] = {
        {"PLS header in any case after a blank line, in a .m3u", L"x.m3u", "\r\n[Playlist] \r\nFile1=a.mp3", L"PLS: C:\\L\\a.mp3"},
        {"PLS by its extension alone", L"x.PLS", "File1=a.mp3", L"PLS: C:\\L\\a.mp3"},
        {"UTF-16, a tab in the header: the iTunes text, even in a .txt", L"x.txt", Utf16(L"N\tO\r\u00C4\tD:\\\u00C4.mp3"),
         L"iTunes: D:\\\u00C4.mp3"},
        {"UTF-16 big-endian without a tab: a list", L"x.m3u", Utf16(L"\u00C4.mp3", true), L"M3U: C:\\L\\\u00C4.mp3"},
        {"XSPF whatever the extension", L"x.m3u", xspf, L"XSPF: C:\\L\\a.mp3"},
        {"WPL", L"x.wpl", "<?wpl version=\"1.0\"?>" + wpl, L"WPL: C:\\L\\a.mp3"},
        {"XSPF's root without its namespace is none", L"x.xspf", "<playlist><trackList/></playlist>", L"none"},
        {"WPL's seq under another root is none", L"x.wpl", "<html><seq><media src=\"a.mp3\"/></seq></html>", L"none"},
        {"damaged XML is none, nothing of it taken, whatever its name", L"x.m3u", wpl.substr(0, 30), L"none"},
        {"relative first line in a .m3u", L"x.m3u", "a.mp3", L"M3U: C:\\L\\a.mp3"},
        {"a .m3u8 is UTF-8 whatever its bytes", L"x.m3u8", "\xE9.mp3", L"M3U: C:\\L\\\uFFFD.mp3"},
        {"the same bytes in a .m3u are the code page's", L"x.m3u", "\xE9.mp3", L"M3U: C:\\L\\\u00E9.mp3"},
        {"another name: the first line decides", L"x.lst", "#EXTM3U\na.mp3", L"M3U: C:\\L\\a.mp3"},
        {"another name with a relative first line", L"x.lst", "a.mp3", L"none"},
    };
    for (const auto& row : rows) EXPECT_EQ(ReadText(row.bytes, row.name), row.read) << row.why;
}

TEST(AnyKindReader, MoreEntriesThanAListCanHoldMakeNoPlaylist) {
    std::string bytes;
    for (size_t i = 0; i <= kMostEntries; ++i) bytes += "a\n";
    EXPECT_EQ(ReadText(bytes, L"x.m3u"), L"none");
}

}  // namespace
