// Each kind's reader, and the reader of any kind that picks one by the playlist's content.
#include <gtest/gtest.h>

#include "engine/readers/any_kind_reader.h"
#include "engine/readers/line_kind_readers.h"
#include "engine/readers/xml_kind_readers.h"
#include "tests/support/entry_text.h"
#include "tests/support/tiny_xml.h"

namespace tunelift::testing {
namespace {

const EntryContext kContext{L"C:\\L", false};

TEST(M3uReader, EveryLineButBlanksAndCommentsIsAnEntryAtItsLine) {
    EXPECT_EQ(EntriesText(ReadM3u(L"#EXTM3U\r\n\r\n  \r\n  #EXTINF:1,A\r\n\ta.mp3", kContext)),
              L"5 \ta.mp3 = song C:\\L\\a.mp3 [a.mp3]");
}

TEST(PlsReader, FileLinesAreSortedByTheirNumber) {
    const struct { const char* why; std::wstring text, entries; } rows[] = {
        {"by number, not letters; one number twice keeps the file's order", L"File10=c.mp3\nFile9=b.mp3\nfile9=a.mp3",
         L"2 b.mp3 = song C:\\L\\b.mp3 [b.mp3]; 3 a.mp3 = song C:\\L\\a.mp3 [a.mp3]; 1 c.mp3 = song C:\\L\\c.mp3 [c.mp3]"},
        {"too large to count sorts last", L"File99999999999999999999=z.mp3\nFile2=a.mp3",
         L"2 a.mp3 = song C:\\L\\a.mp3 [a.mp3]; 1 z.mp3 = song C:\\L\\z.mp3 [z.mp3]"},
        {"keys that are no FileN", L"NumberOfEntries=1\nFile=a.mp3\nFileX=b.mp3\nProfile1=c.mp3\nFile1", L""},
    };
    for (const auto& row : rows) EXPECT_EQ(EntriesText(ReadPls(row.text, kContext)), row.entries) << row.why;
}

TEST(ITunesTextReader, TheLastColumnHoldingAPathNamesTheSong) {
    const struct { const char* why; std::wstring text, entries; } rows[] = {
        {"an earlier path column loses to the last", L"N\tComment\tWo\rA\tC:\\x.mp3\tD:\\a.mp3\rB\t\t\\\\n\\b.m4a",
         L"2 D:\\a.mp3 = song D:\\a.mp3 [a.mp3]; 3 \\\\n\\b.m4a = other \\\\n\\b.m4a [b.m4a]"},
        {"a row without its path is shown by its name", L"N\tOrt\nA\tfile:///D:/a.mp3\nB\t\n",
         L"2 file:///D:/a.mp3 = song D:\\a.mp3 [a.mp3]; 3 B = none"},
    };
    for (const auto& row : rows) EXPECT_EQ(EntriesText(ReadITunesText(row.text, kContext)), row.entries) << row.why;
}

// Which kind a document is, is proved through the reader of any kind.
template <typename Reader>
std::wstring XmlEntries(const std::wstring& document) {
    Reader reader(kContext);
    EXPECT_TRUE(FeedTinyXml(document, reader));
    return EntriesText(reader.TakeEntries());
}

TEST(XspfReader, EachTracksFirstLocationResolvedAgainstItsBase) {
    const std::wstring open = L"<playlist xmlns=\"http://xspf.org/ns/0/\"", close = L"</trackList></playlist>";
    const struct { const char* why; std::wstring text, entries; } rows[] = {
        {"first location only; none: shown by its title",
         open + L"><trackList><track><location>a.mp3</location><location>b</location></track><track><title>Intro"
                L"</title></track>" + close,
         L"1 a.mp3 = song C:\\L\\a.mp3 [a.mp3]; 2 Intro = none"},
        {"xml:base of the playlist, relative to its folder",
         open + L" xml:base=\"../M/\"><trackList><track><location>a.mp3</location></track>" + close,
         L"1 a.mp3 = song C:\\M\\a.mp3 [a.mp3]"},
        {"nested bases, each ending with its element",
         open + L" xml:base=\"file:///D:/M/\"><trackList xml:base=\"R/\"><track><location xml:base=\"Live/\">a.mp3"
                L"</location></track><track><location>b.mp3</location></track>" + close,
         L"1 a.mp3 = song D:\\M\\R\\Live\\a.mp3 [a.mp3]; 2 b.mp3 = song D:\\M\\R\\b.mp3 [b.mp3]"},
        {"tracks of another namespace or outside the list",
         open + L"><track><location>y.mp3</location></track><trackList><track><extension>"
                L"<track xmlns=\"urn:x\"><location>x.mp3</location></track></extension></track>" + close,
         L"1  = none"},
    };
    for (const auto& row : rows) EXPECT_EQ(XmlEntries<XspfReader>(row.text), row.entries) << row.why;
}

TEST(WplReader, EachMediaInASeqByItsSource) {
    EXPECT_EQ(XmlEntries<WplReader>(L"<smil><head><media src=\"h.mp3\"/></head><body><seq><media src=\"..\\a.wma\" "
                                    L"tid=\"1\"/><media src=\"b.mp3\"><media src=\"inner.mp3\"/></media><media/></seq>"
                                    L"</body></smil>"),
              L"1 ..\\a.wma = other C:\\a.wma [a.wma]; 2 b.mp3 = song C:\\L\\b.mp3 [b.mp3]; 3  = none");
}

std::string Utf16(std::wstring_view text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const wchar_t c : text)
        bytes += bigEndian ? std::string{char(c >> 8), char(c & 0xFF)} : std::string{char(c & 0xFF), char(c >> 8)};
    return bytes;
}

std::wstring ReadText(std::string_view bytes, const std::wstring& name) {
    return PlaylistText(ReadPlaylistOfAnyKind(bytes, L"C:\\L\\" + name, TinyReaderServices(), false));
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
}  // namespace tunelift::testing
