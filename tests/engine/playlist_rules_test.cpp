#include "engine/playlist_rules.h"

#include <gtest/gtest.h>

#include <string>

using tunelift::EntryForm;
using tunelift::PlaylistEntryOf;
using tunelift::PlaylistKind;
using tunelift::PlaylistKindOf;

namespace {

// What the kind test gives, written as text so that a failing row reads plainly.
std::string KindName(std::optional<PlaylistKind> kind) {
    if (!kind) return "none";
    return *kind == PlaylistKind::M3u ? "M3u" : "Pls";
}

struct KindRow {
    const char* why;
    std::wstring firstLine;
    const char* kind;
};

TEST(PlaylistKind, FirstLineDecidesTheKindExactly) {
    const KindRow rows[] = {
        {"m3u header", L"#EXTM3U", "M3u"},
        {"first line an extinf comment", L"#EXTINF:215,Artist - Title", "M3u"},
        {"bare #EXT is enough", L"#EXT", "M3u"},
        {"#EX is too short", L"#EX", "none"},
        {"lower-case header is no header", L"#extm3u", "none"},
        {"drive path", L"C:\\Music\\a.mp3", "M3u"},
        {"drive path of any type", L"D:\\x.wma", "M3u"},
        {"any character before the colon", L"?:\\", "M3u"},
        {"drive with forward slash does not count", L"C:/Music/a.mp3", "none"},
        {"two characters are too short", L"C:", "none"},
        {"relative path", L"Music\\a.mp3", "none"},
        {"network path", L"\\\\server\\share\\a.mp3", "none"},
        {"pls header", L"[playlist]", "Pls"},
        {"pls header in another case", L"[Playlist]", "none"},
        {"pls header with a trailing blank", L"[playlist] ", "none"},
        {"leading blank before a header", L" #EXTM3U", "none"},
        {"leading blank before a drive path", L" C:\\a.mp3", "none"},
        {"byte-order mark left inside the line", L"\xFEFF#EXTM3U", "none"},
        {"empty first line", L"", "none"},
        {"one character", L"#", "none"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(KindName(PlaylistKindOf(row.firstLine)), row.kind) << row.why;
}

struct EntryRow {
    const char* why;
    std::wstring line;
    bool isEntry;
    std::wstring source;
    std::wstring dest;
};

void ExpectEntries(PlaylistKind kind, EntryForm form, const EntryRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const EntryRow& row = rows[i];
        const auto entry = PlaylistEntryOf(kind, row.line);
        ASSERT_EQ(entry.has_value(), row.isEntry) << row.why;
        if (!entry) continue;
        EXPECT_EQ(entry->SourcePath, row.source) << row.why;
        EXPECT_EQ(entry->DestName, row.dest) << row.why;
        EXPECT_EQ(entry->Form, form) << row.why;
    }
}

TEST(M3uEntry, Mp3LinesAreEntriesAndTheRestIsSkipped) {
    const EntryRow rows[] = {
        {"drive path", L"C:\\Music\\a.mp3", true, L"C:\\Music\\a.mp3", L"a.mp3"},
        {"capital extension", L"C:\\Music\\SONG.MP3", true, L"C:\\Music\\SONG.MP3", L"SONG.MP3"},
        {"mixed-case extension", L"x\\b.Mp3", true, L"x\\b.Mp3", L"b.Mp3"},
        {"relative path", L"Music\\a.mp3", true, L"Music\\a.mp3", L"a.mp3"},
        {"bare name", L"a.mp3", true, L"a.mp3", L"a.mp3"},
        {"forward and back slashes: the later one cuts", L"C:/Music\\sub/a.mp3", true, L"C:/Music\\sub/a.mp3", L"a.mp3"},
        {"backslash after the last slash", L"C:/Music/sub\\a.mp3", true, L"C:/Music/sub\\a.mp3", L"a.mp3"},
        {"web address", L"http://host/music/a.mp3", true, L"http://host/music/a.mp3", L"a.mp3"},
        {"extinf title ending in .mp3 is taken whole", L"#EXTINF:215,Artist - Title.mp3", true,
         L"#EXTINF:215,Artist - Title.mp3", L"#EXTINF:215,Artist - Title.mp3"},
        {"blanks belong to the line", L"  C:\\a b\\c d.mp3", true, L"  C:\\a b\\c d.mp3", L"c d.mp3"},
        {"only the extension", L".mp3", true, L".mp3", L".mp3"},
        {"folder ending in a slash before the extension", L"C:\\x\\.mp3", true, L"C:\\x\\.mp3", L".mp3"},
        {"umlauts pass through", L"C:\\Musik\\Über Grün.mp3", true, L"C:\\Musik\\Über Grün.mp3", L"Über Grün.mp3"},
        {"blank after the extension", L"C:\\a.mp3 ", false, L"", L""},
        {"other file type", L"C:\\a.wma", false, L"", L""},
        {"m3u header", L"#EXTM3U", false, L"", L""},
        {"extinf comment", L"#EXTINF:215,Artist - Title", false, L"", L""},
        {"mp3 without a dot", L"C:\\amp3", false, L"", L""},
        {"mp4 is no mp3", L"C:\\a.mp4", false, L"", L""},
        {"shorter than the extension", L"mp3", false, L"", L""},
        {"empty line", L"", false, L"", L""},
        {"pls header", L"[playlist]", false, L"", L""},
    };
    ExpectEntries(PlaylistKind::M3u, EntryForm::M3uPath, rows, std::size(rows));
}

TEST(PlsEntry, DriveFormTakesThePathAfterTheFirstEquals) {
    const EntryRow rows[] = {
        {"plain drive entry", L"File1=C:\\Music\\a.mp3", true, L"C:\\Music\\a.mp3", L"a.mp3"},
        {"type is not tested", L"File1=C:\\Music\\a.wma", true, L"C:\\Music\\a.wma", L"a.wma"},
        {"equals inside the path stays in the path", L"File1=C:\\My=Music\\a.mp3", true, L"C:\\My=Music\\a.mp3",
         L"a.mp3"},
        {"forward slash also cuts the name", L"File7=C:\\Music/sub/b.ogg", true, L"C:\\Music/sub/b.ogg", L"b.ogg"},
        {"drive marker anywhere in the line", L"File9=x:\\y", true, L"x:\\y", L"y"},
        {"no equals: the whole line", L"FileC:\\a.mp3", true, L"FileC:\\a.mp3", L"a.mp3"},
        {"ends in a folder: empty name", L"File1=C:\\Music\\", true, L"C:\\Music\\", L""},
        {"capital extension", L"File2=C:\\A.MP3", true, L"C:\\A.MP3", L"A.MP3"},
    };
    ExpectEntries(PlaylistKind::Pls, EntryForm::PlsDrive, rows, std::size(rows));
}

TEST(PlsEntry, NameFormKeepsTheWholeNameAfterTheFirstEquals) {
    const EntryRow rows[] = {
        {"bare name", L"File2=a.mp3", true, L"a.mp3", L"a.mp3"},
        {"capital extension", L"File2=SONG.MP3", true, L"SONG.MP3", L"SONG.MP3"},
        {"forward slash is not split", L"File3=Music/a.mp3", true, L"Music/a.mp3", L"Music/a.mp3"},
        {"equals inside the name stays in the name", L"File4=a=b.mp3", true, L"a=b.mp3", L"a=b.mp3"},
        {"web address stays whole", L"File5=http://host/a.mp3", true, L"http://host/a.mp3", L"http://host/a.mp3"},
        {"no equals: the whole line", L"Filea.mp3", true, L"Filea.mp3", L"Filea.mp3"},
    };
    ExpectEntries(PlaylistKind::Pls, EntryForm::PlsName, rows, std::size(rows));
}

TEST(PlsEntry, OtherLinesAreSkipped) {
    const EntryRow rows[] = {
        {"header", L"[playlist]", false, L"", L""},
        {"relative path with a backslash", L"File3=Music\\a.mp3", false, L"", L""},
        {"lower-case file", L"file4=C:\\a.mp3", false, L"", L""},
        {"upper-case FILE", L"FILE4=a.mp3", false, L"", L""},
        {"leading blank", L" File1=C:\\a.mp3", false, L"", L""},
        {"title line", L"Title1=Artist - Song.mp3", false, L"", L""},
        {"length line", L"Length1=215", false, L"", L""},
        {"entry count", L"NumberOfEntries=2", false, L"", L""},
        {"version", L"Version=2", false, L"", L""},
        {"name form of another type", L"File1=a.wma", false, L"", L""},
        {"blank after the extension", L"File1=a.mp3 ", false, L"", L""},
        {"bare m3u path in a pls file", L"C:\\a.mp3", false, L"", L""},
        {"drive with forward slash is no drive form", L"File1=C:/a.wma", false, L"", L""},
        {"empty line", L"", false, L"", L""},
        {"just File", L"File", false, L"", L""},
    };
    ExpectEntries(PlaylistKind::Pls, EntryForm::PlsName, rows, std::size(rows));
}

TEST(PlsEntry, DriveFormWinsOverNameForm) {
    // File1=C:\a.mp3 fits both shapes' start; it must keep the overwrite rule of the drive form.
    const auto entry = PlaylistEntryOf(PlaylistKind::Pls, L"File1=C:\\a.mp3");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->Form, EntryForm::PlsDrive);
    // A drive path with forward slashes only has no ":\" and no backslash: name form.
    const auto name = PlaylistEntryOf(PlaylistKind::Pls, L"File1=C:/a.mp3");
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(name->Form, EntryForm::PlsName);
    EXPECT_EQ(name->DestName, L"C:/a.mp3");
}

TEST(PlaylistEntry, KindDecidesWhichRulesApply) {
    // The same line means different things in the two kinds.
    EXPECT_TRUE(PlaylistEntryOf(PlaylistKind::M3u, L"C:\\a.mp3").has_value());
    EXPECT_FALSE(PlaylistEntryOf(PlaylistKind::Pls, L"C:\\a.mp3").has_value());
    EXPECT_FALSE(PlaylistEntryOf(PlaylistKind::M3u, L"File1=C:\\a.wma").has_value());
    EXPECT_TRUE(PlaylistEntryOf(PlaylistKind::Pls, L"File1=C:\\a.wma").has_value());
    // An M3U line 1 that is a drive path is both the kind and the first entry.
    const std::wstring first = L"C:\\Music\\a.mp3";
    EXPECT_EQ(PlaylistKindOf(first), PlaylistKind::M3u);
    EXPECT_TRUE(PlaylistEntryOf(PlaylistKind::M3u, first).has_value());
}

}  // namespace
