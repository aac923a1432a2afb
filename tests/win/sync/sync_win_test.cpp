#include <set>

#include "engine/find_files.h"
#include "sync_fixture_win.h"
#include "tests/support/sync_steps.h"

using namespace tunelift;
using namespace tunelift::mdlFindFiles;
using namespace synctest;
using tunelift::testing::DeleteSnapshot;
using tunelift::testing::RunSyncSteps;
using tunelift::testing::SnapshotAt;

namespace {

class SyncOnDisk : public ::testing::Test {
protected:
    ScratchFolder dest;
    FolderServices files;
    ScriptedHost host;
    SyncState sync;
    std::vector<DeleteSnapshot> snapshots;

    void SetUp() override {
        files.onRemove = [this](const std::wstring& path) { snapshots.push_back(SnapshotAt(host, path)); };
    }
    void TearDown() override { EXPECT_EQ(host.refusedBarValues, std::vector<int>{}) << "values above the bar's maximum"; }
    int Run(const std::vector<std::wstring>& recorded, const std::wstring& destination = L"") {
        return RunSyncSteps(sync, files, host, destination.empty() ? dest.path() : destination, recorded);
    }
    std::set<std::wstring> Left() const {
        std::set<std::wstring> names;
        std::vector<FileInfo> found;
        FindFiles(const_cast<FolderServices&>(files), dest.path(), L"*.*", found);
        for (const auto& f : found) names.insert(f.Name);
        return names;
    }
};

TEST_F(SyncOnDisk, ExampleKillCountFourDeletesOnlyCWithBarAtTwo) {
    for (const auto* n : {L"a.mp3", L"b.mp3", L"c.mp3"}) dest.MakeFile(n);
    files.sortSearches = true;  // the kernel's order is its own; the example needs a, b, c
    EXPECT_EQ(Run({L"a.mp3", L"b.mp3"}), 4);
    EXPECT_EQ(sync.SyncFileNames(), (std::vector<std::wstring>{L"a.mp3", L"b.mp3", L"c.mp3"}));
    EXPECT_EQ(Left(), (std::set<std::wstring>{L"a.mp3", L"b.mp3"}));
    ASSERT_EQ(snapshots.size(), 1u);
    EXPECT_EQ(snapshots[0].path, dest / L"c.mp3");
    EXPECT_EQ(snapshots[0].barValue, 2);
    EXPECT_EQ(snapshots[0].panel1, L"Killing Files");
    EXPECT_EQ(snapshots[0].panel2, L"Killing: c.mp3");
    EXPECT_EQ(host.barValues, (std::vector<int>{0, 2}));
    EXPECT_EQ(host.barMax, 100);
}

TEST_F(SyncOnDisk, PicturesTextOtherAudioPlaylistAndHiddenFilesAreDeleted) {
    dest.MakeFile(L"keep.mp3");
    const std::vector<std::wstring> unnamed = {L"cover.jpg", L"notes.txt", L"song.flac", L"song.wma", L"list.m3u"};
    for (const auto& n : unnamed) dest.MakeFile(n);
    dest.MakeFile(L"desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Run({L"keep.mp3"});
    EXPECT_EQ(Left(), std::set<std::wstring>{L"keep.mp3"});
    EXPECT_EQ(snapshots.size(), unnamed.size() + 1);
    for (const auto& s : snapshots) {
        EXPECT_EQ(s.panel1, L"Killing Files");
        EXPECT_EQ(L"Killing: " + s.path.substr(dest.path().size() + 1), s.panel2);
    }
}

TEST_F(SyncOnDisk, FileNamedInOtherLetterCaseIsKept) {
    for (const auto* n : {L"A.mp3", L"ÄRGER.MP3", L"Ωmega.mp3", L"Жук.mp3", L"other.mp3"}) dest.MakeFile(n);
    Run({L"a.mp3", L"ärger.mp3", L"ωMEGA.MP3", L"жУК.mp3"});
    EXPECT_EQ(Left(), (std::set<std::wstring>{L"A.mp3", L"ÄRGER.MP3", L"Ωmega.mp3", L"Жук.mp3"}));
}

TEST_F(SyncOnDisk, FileNamedByItsShortNameIsKept) {
    dest.MakeFile(L"A Long Track Name.mp3");
    dest.MakeFile(L"Another Long Name.mp3");
    std::vector<FileInfo> found;
    FindFiles(files, dest.path(), L"*.*", found);
    ASSERT_EQ(found.size(), 2u);
    const FileInfo& first = found[0];
    ASSERT_NE(first.ShortName, first.Name) << "the file system gives no 8.3 names here";
    // The copy step looks the 8.3 name up and finds the long-named file.
    ASSERT_TRUE(files.FileExists(dest / first.ShortName));
    Run({first.ShortName});
    EXPECT_EQ(Left(), std::set<std::wstring>{first.Name});
}

TEST_F(SyncOnDisk, NoEntryRecordedEmptiesTheFolderButNotItsSubfolders) {
    for (const auto* n : {L"a.mp3", L"b.txt", L"c.m3u"}) dest.MakeFile(n);
    dest.MakeFolder(L"Sub");
    dest.MakeFile(L"Sub\\deep.mp3");
    dest.MakeFolder(L"Empty");
    EXPECT_EQ(Run({}), 3);
    EXPECT_TRUE(Left().empty());
    EXPECT_TRUE(dest.Exists(L"Sub\\deep.mp3"));
    EXPECT_TRUE(dest.Exists(L"Empty"));
}

TEST_F(SyncOnDisk, RecordedEntryWhoseFileWasNotCopiedKeepsItsFile) {
    dest.MakeFile(L"old.mp3");
    dest.MakeFile(L"stray.mp3");
    // The run recorded old.mp3 but did not copy it (the file existed, overwrite off).
    Run({L"old.mp3"});
    EXPECT_EQ(Left(), std::set<std::wstring>{L"old.mp3"});
}

TEST_F(SyncOnDisk, TrailingBackslashListsAndDeletesTheSameFiles) {
    dest.MakeFile(L"keep.mp3");
    dest.MakeFile(L"x.jpg");
    Run({L"keep.mp3"}, dest.path() + L"\\");
    EXPECT_EQ(files.removed, std::vector<std::wstring>{dest / L"x.jpg"});
    EXPECT_EQ(Left(), std::set<std::wstring>{L"keep.mp3"});
}

TEST_F(SyncOnDisk, ReadOnlyAndOpenFilesStayAndTheRestGoesOn) {
    dest.MakeFile(L"locked.jpg", FILE_ATTRIBUTE_READONLY);
    dest.MakeFile(L"open.txt");
    dest.MakeFile(L"a.txt");
    dest.MakeFile(L"z.txt");
    HANDLE held = CreateFileW((dest / L"open.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Run({});
    CloseHandle(held);
    EXPECT_EQ(files.removed.size(), 4u);
    EXPECT_EQ(Left(), (std::set<std::wstring>{L"locked.jpg", L"open.txt"}));
    EXPECT_EQ(host.barMax, 100);
}

TEST_F(SyncOnDisk, SyncWithoutAListingOfThisRunDeletesNothing) {
    dest.MakeFile(L"a.jpg");
    sync.BeginRun();
    sync.List(files, dest.path());  // an earlier run, cancelled
    sync.BeginRun();                        // this run: Sync ticked only later
    sync.ResetEntries();
    sync.Record(L"b.mp3");
    EXPECT_EQ(sync.SyncDestination(files, host), 0);
    EXPECT_TRUE(files.removed.empty());
    EXPECT_TRUE(dest.Exists(L"a.jpg"));
}

TEST_F(SyncOnDisk, NamesOutsideTheAnsiCodePageComeBackExactlyAndAreDeletedExactly) {
    const std::vector<std::wstring> names = {L"Ωmega ω.mp3", L"日本語の歌.mp3", L"emoji 😀.jpg", L"Čaj ĳ ŉ.txt",
                                             L"\u200Bzero-width.mp3"};
    for (const auto& n : names) dest.MakeFile(n);
    std::vector<FileInfo> found;
    FindFiles(files, dest.path(), L"*.*", found);
    std::set<std::wstring> listed;
    for (const auto& f : found) {
        listed.insert(f.Name);
        EXPECT_EQ(f.Path, dest.path() + L"\\");
    }
    EXPECT_EQ(listed, std::set<std::wstring>(names.begin(), names.end()));
    Run({L"日本語の歌.mp3", L"ΩMEGA Ω.MP3"});
    EXPECT_EQ(Left(), (std::set<std::wstring>{L"Ωmega ω.mp3", L"日本語の歌.mp3"}));
}

TEST(FindFilesOnDisk, FieldsMatchWhatTheFileSystemReports) {
    ScratchFolder root;
    root.MakeFile(L"A Long File Name.mp3", FILE_ATTRIBUTE_HIDDEN);
    root.MakeFile(L"SHORT.MP3");
    FolderServices files;
    std::vector<FileInfo> found;
    FindFiles(files, root.path() + L"\\", L"*.*", found);
    ASSERT_EQ(found.size(), 2u);
    for (const auto& f : found) {
        WIN32_FILE_ATTRIBUTE_DATA a;
        ASSERT_TRUE(GetFileAttributesExW((root / f.Name).c_str(), GetFileExInfoStandard, &a));
        EXPECT_EQ(f.Attributes, a.dwFileAttributes);
        EXPECT_EQ(f.Size, 4);
        EXPECT_EQ(f.LastWriteTime, (uint64_t{a.ftLastWriteTime.dwHighDateTime} << 32) | a.ftLastWriteTime.dwLowDateTime);
        EXPECT_FALSE(f.ShortName.empty());
        if (f.Name == L"SHORT.MP3") {
            EXPECT_EQ(f.ShortName, L"SHORT.MP3");
        }
        EXPECT_LE(f.ShortName.size(), 12u);
    }
}

TEST(FolderSearchWin, MissingFolderCannotBeSearched) {
    ScratchFolder root;
    EXPECT_EQ(win::StartSearch(root / L"missing\\*.*"), nullptr);
    FolderServices files;
    std::vector<FileInfo> found;
    FindFiles(files, root / L"missing", L"*.mp3", found);
    EXPECT_TRUE(found.empty());
}

TEST(FolderSearchWin, DeleteIsLiteralAndNeverRemovesAFolder) {
    ScratchFolder root;
    root.MakeFile(L"a.jpg");
    root.MakeFolder(L"sub");
    EXPECT_FALSE(win::DeleteFileLiteral(root / L"*.jpg"));
    EXPECT_FALSE(win::DeleteFileLiteral(root / L"?.jpg"));
    EXPECT_TRUE(root.Exists(L"a.jpg"));
    EXPECT_FALSE(win::DeleteFileLiteral(root / L"sub"));
    EXPECT_TRUE(root.Exists(L"sub"));
    EXPECT_TRUE(win::DeleteFileLiteral(root / L"a.jpg"));
    EXPECT_FALSE(root.Exists(L"a.jpg"));
}

TEST(NameKeyWin, EqualKeysExactlyForNamesTheFileSystemTreatsAsOne) {
    const struct { std::wstring a, b; bool same; } rows[] = {
        {L"a.mp3", L"A.MP3", true},    {L"ärger.mp3", L"ÄRGER.mp3", true}, {L"ωmega", L"Ωmega", true},
        {L"жук", L"ЖУК", true},        {L"straße", L"STRASSE", false},    {L"a.mp3", L"a.mp3 ", false},
        {L"a.mp3", L"b.mp3", false},   {L"日本", L"日本", true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(win::NameKey(row.a) == win::NameKey(row.b), row.same) << row.a.size() << " " << row.b.size();
        EXPECT_EQ(win::NameKey(row.a).size(), row.a.size());
    }
    EXPECT_EQ(win::NameKey(L""), L"");
}

// The portable fold that native tests use must agree with the system wherever it folds.
TEST(NameKeyWin, PortableFoldAgreesWithTheSystemOnTheLettersItFolds) {
    for (wchar_t c = 0x20; c < 0x500; ++c) {
        const std::wstring s(1, c);
        const std::wstring folded = FoldNameCase(s);
        if (folded != s) {
            EXPECT_EQ(folded, win::NameKey(s)) << "U+" << std::hex << static_cast<unsigned>(c);
        }
    }
    for (wchar_t c = 0xFF41; c <= 0xFF5A; ++c) EXPECT_EQ(FoldNameCase(std::wstring(1, c)), win::NameKey(std::wstring(1, c)));
}

}  // namespace
