#include "engine/playlist_rules.h"
#include "engine/playlist_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using tunelift::DecodePlaylistText;
using tunelift::DecodeUtf8;
using tunelift::EncodingOf;
using tunelift::IsValidUtf8;
using tunelift::LineIndex;
using tunelift::TextEncoding;

namespace {

// Stands in for the system code page: Latin-1, and it counts its calls so a test
// can tell which decoder a file went through.
int ansiCalls = 0;
std::wstring Latin1(std::string_view bytes) {
    ++ansiCalls;
    std::wstring out;
    for (const char c : bytes) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return out;
}

const char* EncodingName(TextEncoding e) {
    switch (e) {
    case TextEncoding::Utf8WithMark: return "Utf8WithMark";
    case TextEncoding::Utf8: return "Utf8";
    case TextEncoding::Ansi: return "Ansi";
    }
    return "?";
}

TEST(PlaylistEncoding, OnlyMarkedOrWellFormedNonAsciiFilesAreUtf8) {
    const struct {
        const char* why;
        std::string bytes;
        TextEncoding encoding;
    } rows[] = {
        {"empty file", "", TextEncoding::Ansi},
        {"plain ascii goes through the code page", "C:\\a.mp3\r\n", TextEncoding::Ansi},
        {"utf-8 mark", "\xEF\xBB\xBF#EXTM3U", TextEncoding::Utf8WithMark},
        {"utf-8 mark alone", "\xEF\xBB\xBF", TextEncoding::Utf8WithMark},
        {"mark before ill-formed bytes still counts", "\xEF\xBB\xBF\xFF", TextEncoding::Utf8WithMark},
        {"two bytes of the mark only", "\xEF\xBB", TextEncoding::Ansi},
        {"utf-8 umlaut", "C:\\\xC3\x9C" "ber.mp3", TextEncoding::Utf8},
        {"utf-8 four-byte character", "\xF0\x9F\x8E\xB5.mp3", TextEncoding::Utf8},
        {"ansi umlaut", "C:\\\xDC" "ber.mp3", TextEncoding::Ansi},
        {"overlong slash", "\xC0\xAF", TextEncoding::Ansi},
        {"overlong three-byte form", "\xE0\x80\xAF", TextEncoding::Ansi},
        {"encoded surrogate", "\xED\xA0\x80", TextEncoding::Ansi},
        {"above U+10FFFF", "\xF4\x90\x80\x80", TextEncoding::Ansi},
        {"sequence cut off at the end", "a\xE2\x82", TextEncoding::Ansi},
        {"lone continuation byte", "a\x80" "b", TextEncoding::Ansi},
        {"lead byte followed by ascii", "\xC3" "A", TextEncoding::Ansi},
        {"utf-16 mark is no utf-8", "\xFF\xFE#\x00", TextEncoding::Ansi},
    };
    for (const auto& row : rows) EXPECT_STREQ(EncodingName(EncodingOf(row.bytes)), EncodingName(row.encoding)) << row.why;
}

TEST(PlaylistEncoding, ValidatorAgreesOnBoundaryCodePoints) {
    EXPECT_TRUE(IsValidUtf8("\x7F"));
    EXPECT_TRUE(IsValidUtf8("\xC2\x80"));
    EXPECT_TRUE(IsValidUtf8("\xDF\xBF"));
    EXPECT_TRUE(IsValidUtf8("\xE0\xA0\x80"));
    EXPECT_TRUE(IsValidUtf8("\xED\x9F\xBF"));       // U+D7FF, just below the surrogates
    EXPECT_TRUE(IsValidUtf8("\xEE\x80\x80"));       // U+E000, just above them
    EXPECT_TRUE(IsValidUtf8("\xF0\x90\x80\x80"));   // U+10000
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));   // U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xC1\xBF"));
    EXPECT_FALSE(IsValidUtf8("\xF5\x80\x80\x80"));
    EXPECT_FALSE(IsValidUtf8("\xF0\x8F\xBF\xBF"));  // overlong four-byte form
    EXPECT_FALSE(IsValidUtf8("\xE2\x28\xA1"));
}

TEST(PlaylistDecoding, MarkIsDroppedOnlyAtTheStart) {
    ansiCalls = 0;
    EXPECT_EQ(DecodePlaylistText("\xEF\xBB\xBF#EXTM3U\r\nC:\\\xC3\xA4.mp3", Latin1), L"#EXTM3U\r\nC:\\\u00E4.mp3");
    // A mark further in is text like any other character.
    EXPECT_EQ(DecodePlaylistText("\xEF\xBB\xBF" "a\r\n\xEF\xBB\xBF" "b", Latin1), L"a\r\n\uFEFFb");
    EXPECT_EQ(DecodePlaylistText("\xEF\xBB\xBF", Latin1), L"");
    EXPECT_EQ(ansiCalls, 0);
}

TEST(PlaylistDecoding, EachFileGoesThroughExactlyOneDecoder) {
    ansiCalls = 0;
    // Well-formed UTF-8 umlaut: one character, not the two a code page would make of it.
    EXPECT_EQ(DecodePlaylistText("\xC3\x9C" "ber.mp3", Latin1), L"\u00DCber.mp3");
    EXPECT_EQ(ansiCalls, 0);
    EXPECT_EQ(DecodePlaylistText("\xDC" "ber.mp3", Latin1), L"\u00DCber.mp3");
    EXPECT_EQ(ansiCalls, 1);
    EXPECT_EQ(DecodePlaylistText("C:\\a.mp3\r\n", Latin1), L"C:\\a.mp3\r\n");
    EXPECT_EQ(ansiCalls, 2);
    // One ill-formed byte anywhere sends the whole file to the code page.
    EXPECT_EQ(DecodePlaylistText("\xC3\x9C\r\n\xDC", Latin1), L"\u00C3\u009C\r\n\u00DC");
    EXPECT_EQ(ansiCalls, 3);
    // Without a code page, a stray byte is replaced rather than the call failing.
    EXPECT_EQ(DecodePlaylistText("\xDC" "ber.mp3", nullptr), L"\uFFFDber.mp3");
}

TEST(PlaylistDecoding, Utf8GivesUtf16CodeUnitsAndReplacesBadBytes) {
    EXPECT_EQ(DecodeUtf8("\xF0\x9F\x8E\xB5"), std::wstring({wchar_t(0xD83C), wchar_t(0xDFB5)}));
    EXPECT_EQ(DecodeUtf8("\xE2\x82\xAC"), L"\u20AC");
    EXPECT_EQ(DecodeUtf8("a\xFF" "b\xC3"), L"a\uFFFDb\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(DecodeUtf8(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

std::vector<std::wstring> LinesOf(const std::wstring& text) {
    const LineIndex index(text);
    std::vector<std::wstring> lines;
    for (size_t n = 1; n <= index.Count(); ++n) lines.emplace_back(index.Line(text, static_cast<int64_t>(n)));
    return lines;
}

TEST(PlaylistLines, CrCrLfAndLfEachEndOneLine) {
    const struct {
        const char* why;
        std::wstring text;
        std::vector<std::wstring> lines;
    } rows[] = {
        {"empty text has no line", L"", {}},
        {"no terminator", L"a", {L"a"}},
        {"crlf", L"a\r\nb\r\n", {L"a", L"b"}},
        {"cr alone", L"a\rb\r", {L"a", L"b"}},
        {"lf alone", L"a\nb\n", {L"a", L"b"}},
        {"mixed terminators", L"a\r\nb\rc\nd", {L"a", L"b", L"c", L"d"}},
        {"empty line between crlf", L"a\r\n\r\nb", {L"a", L"", L"b"}},
        {"lf then cr is two ends", L"a\n\rb", {L"a", L"", L"b"}},
        {"cr cr lf is two ends", L"a\r\r\nb", {L"a", L"", L"b"}},
        {"crlf then lf is two ends", L"a\r\n\nb", {L"a", L"", L"b"}},
        {"only a terminator", L"\r\n", {L""}},
        {"blanks are kept", L"  a \t\r\n ", {L"  a \t", L" "}},
        {"nul stays in the line", std::wstring(L"a\0b\r\n", 5), {std::wstring(L"a\0b", 3)}},
    };
    for (const auto& row : rows) EXPECT_EQ(LinesOf(row.text), row.lines) << row.why;
}

TEST(PlaylistLines, OutOfRangeLinesReadEmpty) {
    const std::wstring text = L"#EXTM3U\r\nC:\\a.mp3\r\n";
    const LineIndex index(text);
    ASSERT_EQ(index.Count(), 2u);
    EXPECT_EQ(index.Line(text, 2), L"C:\\a.mp3");
    for (const int64_t n : {int64_t{0}, int64_t{-1}, int64_t{INT_MIN}, int64_t{3}, int64_t{INT_MAX}})
        EXPECT_EQ(index.Line(text, n), L"") << n;
    const LineIndex none;
    EXPECT_EQ(none.Line(L"", 1), L"");
}

TEST(PlaylistLines, LfOnlyListIsReadEntryByEntry) {
    // A list saved with Unix line ends used to be one long line and no playlist.
    const std::wstring text = DecodePlaylistText("#EXTM3U\nC:\\a.mp3\nC:\\b.mp3\n", Latin1);
    const LineIndex index(text);
    ASSERT_EQ(index.Count(), 3u);
    EXPECT_EQ(tunelift::PlaylistKindOf(index.Line(text, 1)), tunelift::PlaylistKind::M3u);
    EXPECT_EQ(index.Line(text, 3), L"C:\\b.mp3");
}

TEST(PlaylistLines, MarkedFileIsRecognisedByItsFirstLine) {
    const std::wstring m3u = DecodePlaylistText("\xEF\xBB\xBF#EXTM3U\r\nC:\\a.mp3", Latin1);
    EXPECT_EQ(tunelift::PlaylistKindOf(LineIndex(m3u).Line(m3u, 1)), tunelift::PlaylistKind::M3u);
    const std::wstring pls = DecodePlaylistText("\xEF\xBB\xBF[playlist]\r\nFile1=a.mp3", Latin1);
    EXPECT_EQ(tunelift::PlaylistKindOf(LineIndex(pls).Line(pls, 1)), tunelift::PlaylistKind::Pls);
}

}  // namespace
