#include <gtest/gtest.h>

#include "engine/readers/line_kind_readers.h"
#include "engine/readers/xml_kind_readers.h"
#include "tests/support/entry_text.h"
#include "tests/support/tiny_xml.h"

using namespace tunelift;
using tunelift::testing::EntriesText;

namespace {

const EntryContext kContext{L"C:\\L", false};

struct ReaderRow {
    const char* why;
    std::wstring text;
    std::wstring entries;
};

TEST(M3uReader, EveryLineButBlanksAndCommentsIsAnEntryAtItsLine) {
    const ReaderRow rows[] = {
        {"info lines are comments", L"#EXTM3U\r\n#EXTINF:1,A\r\na.mp3\r\n", L"3 a.mp3 = song C:\\L\\a.mp3 [a.mp3]"},
        {"CR alone ends lines", L"a.mp3\rb.txt", L"1 a.mp3 = song C:\\L\\a.mp3 [a.mp3]; 2 b.txt = other C:\\L\\b.txt [b.txt]"},
        {"blank lines and an indented comment", L"\n  \n  #x\n\ta.mp3", L"4 \ta.mp3 = song C:\\L\\a.mp3 [a.mp3]"},
    };
    for (const auto& row : rows) EXPECT_EQ(EntriesText(ReadM3u(row.text, kContext)), row.entries) << row.why;
}

TEST(PlsReader, FileLinesAreSortedByTheirNumber) {
    const ReaderRow rows[] = {
        {"out of order, wrong count, titles", L"[playlist]\nNumberOfEntries=7\nFile2=b.mp3\nTitle2=B\nFile1=a.mp3\n",
         L"5 a.mp3 = song C:\\L\\a.mp3 [a.mp3]; 3 b.mp3 = song C:\\L\\b.mp3 [b.mp3]"},
        {"by number, not letters; one number twice keeps the file's order", L"File10=c.mp3\nFile9=b.mp3\nfile9=a.mp3",
         L"2 b.mp3 = song C:\\L\\b.mp3 [b.mp3]; 3 a.mp3 = song C:\\L\\a.mp3 [a.mp3]; 1 c.mp3 = song C:\\L\\c.mp3 [c.mp3]"},
        {"too large to count sorts last", L"File99999999999999999999=z.mp3\nFile2=a.mp3",
         L"2 a.mp3 = song C:\\L\\a.mp3 [a.mp3]; 1 z.mp3 = song C:\\L\\z.mp3 [z.mp3]"},
        {"keys that are no FileN", L"File=a.mp3\nFileX=b.mp3\nProfile1=c.mp3\nFile1", L""},
    };
    for (const auto& row : rows) EXPECT_EQ(EntriesText(ReadPls(row.text, kContext)), row.entries) << row.why;
}

TEST(ITunesTextReader, TheLastColumnHoldingAPathNamesTheSong) {
    const ReaderRow rows[] = {
        {"an earlier path column loses to the last", L"N\tComment\tWo\rA\tC:\\x.mp3\tD:\\a.mp3\rB\t\t\\\\n\\b.m4a",
         L"2 D:\\a.mp3 = song D:\\a.mp3 [a.mp3]; 3 \\\\n\\b.m4a = other \\\\n\\b.m4a [b.m4a]"},
        {"a row without its path is shown by its name", L"N\tOrt\nA\tfile:///D:/a.mp3\nB\t\n",
         L"2 file:///D:/a.mp3 = song D:\\a.mp3 [a.mp3]; 3 B = none"},
        {"no column holds a path", L"N\tX\nA\tb.mp3\n", L"2 A = none"},
    };
    for (const auto& row : rows) EXPECT_EQ(EntriesText(ReadITunesText(row.text, kContext)), row.entries) << row.why;
}

// The entries of an XML reader fed the document; "not kind" when its root is another.
template <typename Reader>
std::wstring XmlEntries(const std::wstring& document) {
    Reader reader(kContext);
    EXPECT_TRUE(tunelift::testing::FeedTinyXml(document, reader));
    if constexpr (std::is_same_v<Reader, XspfReader>) {
        if (!reader.IsXspf()) return L"not kind";
    } else if (!reader.IsWpl()) {
        return L"not kind";
    }
    return EntriesText(reader.TakeEntries());
}

TEST(XspfReader, EachTracksFirstLocationResolvedAgainstItsBase) {
    const std::wstring open = L"<playlist xmlns=\"http://xspf.org/ns/0/\"><trackList>", close = L"</trackList></playlist>";
    const ReaderRow rows[] = {
        {"first location only", open + L"<track><location>a.mp3</location><location>b</location></track>" + close,
         L"1 a.mp3 = song C:\\L\\a.mp3 [a.mp3]"},
        {"xml:base of the playlist, relative to its folder",
         L"<playlist xmlns=\"http://xspf.org/ns/0/\" xml:base=\"../M/\"><trackList><track><location>a.mp3</location></track>" + close,
         L"1 a.mp3 = song C:\\M\\a.mp3 [a.mp3]"},
        {"nested bases, each ending with its element",
         L"<playlist xmlns=\"http://xspf.org/ns/0/\" xml:base=\"file:///D:/M/\"><trackList xml:base=\"R/\"><track>"
         L"<location xml:base=\"Live/\">a.mp3</location></track><track><location>b.mp3</location></track>" + close,
         L"1 a.mp3 = song D:\\M\\R\\Live\\a.mp3 [a.mp3]; 2 b.mp3 = song D:\\M\\R\\b.mp3 [b.mp3]"},
        {"no location: shown by its title", open + L"<track><title>Intro</title></track>" + close, L"1 Intro = none"},
        {"tracks of another namespace or outside the list",
         L"<playlist xmlns=\"http://xspf.org/ns/0/\"><track><location>y.mp3</location></track><trackList><track><extension>"
         L"<track xmlns=\"urn:x\"><location>x.mp3</location></track></extension></track>" + close, L"1  = none"},
        {"no namespace", L"<playlist><trackList/></playlist>", L"not kind"},
    };
    for (const auto& row : rows) EXPECT_EQ(XmlEntries<XspfReader>(row.text), row.entries) << row.why;
}

TEST(WplReader, EachMediaInASeqByItsSource) {
    const ReaderRow rows[] = {
        {"media in the seq, relative to the playlist",
         L"<smil><head><media src=\"h.mp3\"/></head><body><seq><media src=\"..\\a.wma\" tid=\"1\"/><media src=\"b.mp3\">"
         L"<media src=\"inner.mp3\"/></media></seq></body></smil>",
         L"1 ..\\a.wma = other C:\\a.wma [a.wma]; 2 b.mp3 = song C:\\L\\b.mp3 [b.mp3]"},
        {"media without a source names no file", L"<smil><body><seq><media/></seq></body></smil>", L"1  = none"},
        {"another root", L"<html><seq><media src=\"a.mp3\"/></seq></html>", L"not kind"},
    };
    for (const auto& row : rows) EXPECT_EQ(XmlEntries<WplReader>(row.text), row.entries) << row.why;
}

}  // namespace
