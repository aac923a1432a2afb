#include <gtest/gtest.h>

#include "engine/readers/line_kind_readers.h"
#include "engine/readers/xml_kind_readers.h"
#include "tests/support/entry_text.h"
#include "tests/support/tiny_xml.h"

using namespace tunelift;
using tunelift::testing::EntriesText;

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
    EXPECT_TRUE(tunelift::testing::FeedTinyXml(document, reader));
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

}  // namespace
