#include "temp_folder.h"
#include "win/playlist_reader_win.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

using reader_test::SetAge;
using reader_test::TempFolder;
using reader_test::WriteBytes;
using tunelift::win::PlaylistReader;

namespace {

// Every line the reader gives, until the first empty one.
std::vector<std::wstring> LinesUntilEmpty(PlaylistReader& reader, const std::wstring& file) {
    std::vector<std::wstring> lines;
    for (int32_t n = 1;; ++n) {
        std::wstring line = reader.ReadLine(file, n);
        if (line.empty()) return lines;
        lines.push_back(std::move(line));
    }
}

TEST(PlaylistReaderLines, CrCrLfAndLfFilesReadTheSameLines) {
    TempFolder folder;
    const std::vector<std::wstring> expected = {L"#EXTM3U", L"C:\\Music\\a.mp3", L" b.mp3 "};
    const struct {
        const char* why;
        std::string bytes;
    } rows[] = {
        {"crlf", "#EXTM3U\r\nC:\\Music\\a.mp3\r\n b.mp3 \r\n"},
        {"cr", "#EXTM3U\rC:\\Music\\a.mp3\r b.mp3 \r"},
        {"lf", "#EXTM3U\nC:\\Music\\a.mp3\n b.mp3 \n"},
        {"mixed, no end at the end", "#EXTM3U\nC:\\Music\\a.mp3\r\n b.mp3 "},
    };
    PlaylistReader reader;
    for (const auto& row : rows) {
        const std::wstring file = folder.File(std::wstring(row.why, row.why + strlen(row.why)) + L".m3u");
        WriteBytes(file, row.bytes);
        EXPECT_EQ(LinesUntilEmpty(reader, file), expected) << row.why;
    }
}

TEST(PlaylistReaderLines, ListEndsAtTheFirstEmptyLineButLaterLinesStayReadable) {
    TempFolder folder;
    const std::wstring file = folder.File(L"gap.m3u");
    WriteBytes(file, "C:\\a.mp3\r\n\r\nC:\\b.mp3\r\n");
    PlaylistReader reader;
    EXPECT_EQ(reader.ReadLine(file, 2), L"");
    EXPECT_EQ(reader.ReadLine(file, 3), L"C:\\b.mp3");
}

TEST(PlaylistReaderLines, LineZeroNegativeAndPastTheEndReadEmpty) {
    TempFolder folder;
    const std::wstring file = folder.File(L"two.m3u");
    WriteBytes(file, "#EXTM3U\r\nC:\\a.mp3\r\n");
    PlaylistReader reader;
    EXPECT_EQ(reader.ReadLine(file, 2), L"C:\\a.mp3");
    for (const int32_t n : {0, -1, INT_MIN, 3, 4, INT_MAX}) EXPECT_EQ(reader.ReadLine(file, n), L"") << n;
    EXPECT_EQ(reader.ReadLine(file, 1), L"#EXTM3U");
}

TEST(PlaylistReaderEncoding, Utf8MarkIsNotPartOfLineOne) {
    TempFolder folder;
    const std::wstring file = folder.File(L"marked.m3u");
    WriteBytes(file, "\xEF\xBB\xBF#EXTM3U\r\nC:\\M\xC3\xBCsik\\\xC3\x9C" "ber.mp3\r\n");
    PlaylistReader reader;
    EXPECT_EQ(reader.ReadLine(file, 1), L"#EXTM3U");
    EXPECT_EQ(reader.ReadLine(file, 2), L"C:\\M\u00FCsik\\\u00DCber.mp3");
    EXPECT_EQ(reader.ReadAll(file), L"#EXTM3U\r\nC:\\M\u00FCsik\\\u00DCber.mp3\r\n");
}

TEST(PlaylistReaderEncoding, UnmarkedUtf8UmlautsAreDecodedAsUtf8) {
    TempFolder folder;
    const std::wstring file = folder.File(L"utf8.m3u");
    WriteBytes(file, "C:\\Gr\xC3\xBC\xC3\x9F" "e\\\xC3\x84rger.mp3\n");
    PlaylistReader reader;
    EXPECT_EQ(reader.ReadLine(file, 1), L"C:\\Gr\u00FC\u00DFe\\\u00C4rger.mp3");
}

TEST(PlaylistReaderEncoding, AnsiUmlautsGoThroughTheCodePage) {
    // Western code page bytes, which are no well-formed UTF-8.
    if (GetACP() != 1252) GTEST_SKIP() << "system code page is " << GetACP() << ", not 1252";
    TempFolder folder;
    const std::wstring file = folder.File(L"ansi.m3u");
    WriteBytes(file, "C:\\Gr\xFC\xDF" "e\\\xC4rger.mp3\r\nC:\\\x80.mp3\r\n");
    PlaylistReader reader;
    EXPECT_EQ(reader.ReadLine(file, 1), L"C:\\Gr\u00FC\u00DFe\\\u00C4rger.mp3");
    EXPECT_EQ(reader.ReadLine(file, 2), L"C:\\\u20AC.mp3");  // 0x80 is the euro sign in 1252
}

TEST(PlaylistReaderEncoding, PlaylistWithUmlautsInItsOwnNameIsFound) {
    TempFolder folder;
    const std::wstring file = folder.File(L"Gr\u00FC\u00DFe \u00C4rger.m3u");
    WriteBytes(file, "#EXTM3U\r\nC:\\a.mp3");
    PlaylistReader reader;
    EXPECT_EQ(reader.ReadLine(file, 2), L"C:\\a.mp3");
    EXPECT_EQ(reader.ReadAll(file), L"#EXTM3U\r\nC:\\a.mp3");
}

TEST(PlaylistReaderMissing, MissingHiddenSystemAndFoldersReadEmpty) {
    TempFolder folder;
    const std::wstring hidden = folder.File(L"hidden.m3u");
    const std::wstring system = folder.File(L"system.m3u");
    const std::wstring readOnly = folder.File(L"readonly.m3u");
    for (const auto& file : {hidden, system, readOnly}) WriteBytes(file, "#EXTM3U\r\nC:\\a.mp3\r\n");
    ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(system.c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"folder.m3u").c_str(), nullptr));
    PlaylistReader reader;
    const struct {
        const char* why;
        std::wstring file;
    } rows[] = {
        {"missing file", folder.File(L"nothing.m3u")},
        {"hidden file", hidden},
        {"system file", system},
        {"folder", folder.File(L"folder.m3u")},
        {"empty name", L""},
        {"file in a missing folder", folder.File(L"no\\such.m3u")},
        {"wildcard", folder.File(L"*.m3u")},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(reader.ReadLine(row.file, 1), L"") << row.why;
        EXPECT_EQ(reader.ReadAll(row.file), L"") << row.why;
    }
    // A read-only file is an ordinary file.
    EXPECT_EQ(reader.ReadLine(readOnly, 1), L"#EXTM3U");
}

TEST(PlaylistReaderMissing, FileThatBecomesHiddenOrGoesAwayMidRunReadsEmpty) {
    TempFolder folder;
    const std::wstring file = folder.File(L"list.m3u");
    WriteBytes(file, "#EXTM3U\r\nC:\\a.mp3\r\nC:\\b.mp3\r\n");
    SetAge(file, 3600);
    PlaylistReader reader;
    EXPECT_EQ(reader.ReadLine(file, 2), L"C:\\a.mp3");
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(reader.ReadLine(file, 3), L"");
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(reader.ReadLine(file, 3), L"C:\\b.mp3");
    ASSERT_TRUE(DeleteFileW(file.c_str()));
    EXPECT_EQ(reader.ReadLine(file, 3), L"");
    EXPECT_EQ(reader.ReadAll(file), L"");
}

TEST(PlaylistReaderMissing, FileOpenedWithoutSharingReadsEmptyWithoutHarm) {
    TempFolder folder;
    const std::wstring file = folder.File(L"locked.m3u");
    WriteBytes(file, "#EXTM3U\r\n");
    HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    PlaylistReader reader;
    EXPECT_EQ(reader.ReadLine(file, 1), L"");
    CloseHandle(lock);
    EXPECT_EQ(reader.ReadLine(file, 1), L"#EXTM3U");
}

TEST(PlaylistReaderChanges, ChangeOfSizeBetweenCallsIsSeen) {
    TempFolder folder;
    const std::wstring file = folder.File(L"list.m3u");
    WriteBytes(file, "#EXTM3U\r\nC:\\a.mp3\r\n");
    SetAge(file, 3600);
    PlaylistReader reader;
    EXPECT_EQ(reader.ReadLine(file, 2), L"C:\\a.mp3");
    EXPECT_EQ(reader.ReadLine(file, 3), L"");
    WriteBytes(file, "#EXTM3U\r\nC:\\a.mp3\r\nC:\\b.mp3\r\n");
    SetAge(file, 3600);  // even with the old time back, the size tells
    EXPECT_EQ(reader.ReadLine(file, 3), L"C:\\b.mp3");
}

TEST(PlaylistReaderChanges, SameSizeRewriteIsSeenThroughTheWriteTime) {
    TempFolder folder;
    const std::wstring file = folder.File(L"list.m3u");
    WriteBytes(file, "#EXTM3U\r\nC:\\a.mp3\r\n");
    SetAge(file, 3600);
    PlaylistReader reader;
    EXPECT_EQ(reader.ReadLine(file, 2), L"C:\\a.mp3");
    WriteBytes(file, "#EXTM3U\r\nC:\\b.mp3\r\n");
    EXPECT_EQ(reader.ReadLine(file, 2), L"C:\\b.mp3");
}

TEST(PlaylistReaderChanges, SameSizeRewritesWithinOneClockTickAreSeen) {
    // Written, read and rewritten faster than the file time moves: size and time match,
    // so only a fresh read can tell.
    // The write time is pinned to one value a second ago to make that happen every time.
    TempFolder folder;
    const std::wstring file = folder.File(L"list.m3u");
    const FILETIME pinned = reader_test::SecondsAgo(1);
    PlaylistReader reader;
    for (char c = 'a'; c <= 'z'; ++c) {
        WriteBytes(file, std::string("#EXTM3U\r\nC:\\") + c + ".mp3\r\n");
        reader_test::SetWriteTime(file, pinned);
        EXPECT_EQ(reader.ReadLine(file, 2), std::wstring(L"C:\\") + wchar_t(c) + L".mp3");
        EXPECT_EQ(reader.ReadAll(file), std::wstring(L"#EXTM3U\r\nC:\\") + wchar_t(c) + L".mp3\r\n");
    }
}

TEST(PlaylistReaderChanges, SettledFileIsReadOnceForAWholeRun) {
    TempFolder folder;
    const std::wstring file = folder.File(L"long.m3u");
    std::string bytes = "#EXTM3U\r\n";
    for (int i = 1; i <= 500; ++i) bytes += "C:\\Music\\" + std::to_string(i) + ".mp3\r\n";
    WriteBytes(file, bytes);
    SetAge(file, 3600);
    PlaylistReader reader;
    const auto lines = LinesUntilEmpty(reader, file);
    ASSERT_EQ(lines.size(), 501u);
    EXPECT_EQ(lines[500], L"C:\\Music\\500.mp3");
    EXPECT_EQ(reader.FileReads(), 1u);
}

TEST(PlaylistReaderChanges, FreshlyWrittenFileIsReadAgainUntilItSettles) {
    TempFolder folder;
    const std::wstring file = folder.File(L"fresh.m3u");
    WriteBytes(file, "#EXTM3U\r\nC:\\a.mp3\r\n");
    PlaylistReader reader;
    reader.ReadLine(file, 1);
    reader.ReadLine(file, 2);
    EXPECT_EQ(reader.FileReads(), 2u);
    SetAge(file, 3600);
    reader.ReadLine(file, 1);  // new time: read once more, then trusted
    reader.ReadLine(file, 2);
    reader.ReadAll(file);
    EXPECT_EQ(reader.FileReads(), 3u);
}

TEST(PlaylistReaderChanges, TwoFilesInTurnEachReadTheirOwnLines) {
    TempFolder folder;
    const std::wstring one = folder.File(L"one.m3u"), two = folder.File(L"two.m3u");
    WriteBytes(one, "#EXTM3U\r\nC:\\one.mp3\r\n");
    WriteBytes(two, "[playlist]\r\nFile1=two.mp3\r\n");
    PlaylistReader reader;
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(reader.ReadLine(one, 2), L"C:\\one.mp3");
        EXPECT_EQ(reader.ReadLine(two, 2), L"File1=two.mp3");
    }
}

TEST(PlaylistReaderChanges, RelativeNameFollowsTheCurrentFolder) {
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"x").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"y").c_str(), nullptr));
    WriteBytes(folder.File(L"x\\list.m3u"), "#EXTM3U\r\nC:\\x.mp3\r\n");
    WriteBytes(folder.File(L"y\\list.m3u"), "#EXTM3U\r\nC:\\y.mp3\r\n");
    // Same size and write time, so only the folder tells them apart.
    SetAge(folder.File(L"x\\list.m3u"), 3600);
    WIN32_FILE_ATTRIBUTE_DATA x;
    ASSERT_TRUE(GetFileAttributesExW(folder.File(L"x\\list.m3u").c_str(), GetFileExInfoStandard, &x));
    HANDLE h = CreateFileW(folder.File(L"y\\list.m3u").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, &x.ftCreationTime, nullptr, &x.ftLastWriteTime);
    CloseHandle(h);

    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    PlaylistReader reader;
    ASSERT_TRUE(SetCurrentDirectoryW(folder.File(L"x").c_str()));
    EXPECT_EQ(reader.ReadLine(L"list.m3u", 2), L"C:\\x.mp3");
    ASSERT_TRUE(SetCurrentDirectoryW(folder.File(L"y").c_str()));
    EXPECT_EQ(reader.ReadLine(L"list.m3u", 2), L"C:\\y.mp3");
    SetCurrentDirectoryW(saved);
}

// A run goes on over a blank line, ends after the last line, and stops where the file
// can no longer be read; the three must never be mistaken for each other.
TEST(PlaylistReaderRun, BlankLineEndAndUnreadableFileAreToldApart) {
    using tunelift::LineStatus;
    TempFolder folder;
    const std::wstring gap = folder.File(L"gap.m3u"), hidden = folder.File(L"hidden.m3u");
    WriteBytes(gap, "C:\\a.mp3\r\n\r\nC:\\b.mp3\r\n\n");
    WriteBytes(hidden, "C:\\a.mp3\r\n");
    ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    const struct { const char* why; std::wstring file; int32_t line; LineStatus status; const wchar_t* text; } rows[] = {
        {"blank line", gap, 2, LineStatus::Line, L""},
        {"song after it", gap, 3, LineStatus::Line, L"C:\\b.mp3"},
        {"blank last line", gap, 4, LineStatus::Line, L""},
        {"a final line end starts no line", gap, 5, LineStatus::End, L""},
        {"missing file", folder.File(L"nothing.m3u"), 1, LineStatus::Unreadable, L""},
        {"hidden file", hidden, 1, LineStatus::Unreadable, L""},
    };
    PlaylistReader reader;
    for (const auto& row : rows) {
        const tunelift::PlaylistLine got = reader.ReadPlaylistLine(row.file, row.line);
        EXPECT_EQ(got.Status, row.status) << row.why;
        EXPECT_EQ(got.Text, row.text) << row.why;
    }
}

TEST(PlaylistReaderAll, ReadAllKeepsLineBreaksAndEmptyLines) {
    TempFolder folder;
    const std::wstring file = folder.File(L"all.m3u");
    WriteBytes(file, "#EXTM3U\r\n\r\nC:\\a.mp3\nx\r");
    PlaylistReader reader;
    EXPECT_EQ(reader.ReadAll(file), L"#EXTM3U\r\n\r\nC:\\a.mp3\nx\r");
    WriteBytes(file, "");
    EXPECT_EQ(reader.ReadAll(file), L"");
    EXPECT_EQ(reader.ReadLine(file, 1), L"");
}

}  // namespace
