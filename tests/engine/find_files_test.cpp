#include "engine/find_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "tests/support/memory_files.h"
#include "tests/support/reference_marking.h"
#include "tests/support/scripted_host.h"
#include "tests/support/sync_steps.h"

using namespace tunelift;
using namespace tunelift::mdlFindFiles;
using namespace tunelift::testing;

namespace {

constexpr uint32_t kReadOnly = 0x1;
constexpr uint32_t kHidden = 0x2;
constexpr uint32_t kSystem = 0x4;

struct SyncFixture {
    MemoryFiles files;
    ScriptedHost host;
    SyncState sync;
    std::vector<DeleteSnapshot> snapshots;

    SyncFixture() {
        files.AddFolder(L"E:");
        files.AddFolder(L"E:\\Player");
        files.onRemove = [this](const std::wstring& path) { snapshots.push_back(SnapshotAt(host, path)); };
    }
    ~SyncFixture() { EXPECT_EQ(host.refusedBarValues, std::vector<int>{}) << "values above the bar's maximum"; }
    int Run(const std::wstring& destination, const std::vector<std::wstring>& recorded) {
        return RunSyncSteps(sync, files, host, destination, recorded);
    }
};

std::vector<std::wstring> NamesOf(const std::vector<FileInfo>& infos) {
    std::vector<std::wstring> names;
    for (const auto& i : infos) names.push_back(i.Path + i.Name);
    return names;
}

// ---- ToFileInfo --------------------------------------------------------------

TEST(ToFileInfo, CopiesEveryFieldToItsOwnPlace) {
    FindRecord r;
    r.Name = L"Long Name.mp3";
    r.ShortName = L"LONGNA~1.MP3";
    r.Attributes = 0x21;
    r.CreationTime = 111;
    r.LastAccessTime = 222;
    r.LastWriteTime = 333;
    r.Size = 4096;
    FileInfo info;
    ToFileInfo(info, r, L"E:\\Player\\*.*");
    EXPECT_EQ(info.Path, L"E:\\Player\\");
    EXPECT_EQ(info.ShortName, L"LONGNA~1.MP3");
    EXPECT_EQ(info.Name, L"Long Name.mp3");
    EXPECT_EQ(info.CreationTime, 111u);
    EXPECT_EQ(info.LastAccessTime, 222u);
    EXPECT_EQ(info.LastWriteTime, 333u);
    EXPECT_EQ(info.Size, 4096);
    EXPECT_EQ(info.Attributes, 0x21u);
}

TEST(ToFileInfo, EdgeCasesOfNamesSizeAndPattern) {
    const struct {
        const char* what;
        std::wstring name, shortName;
        uint64_t size;
        std::wstring pattern;
        std::wstring wantName, wantShort, wantPath;
        int32_t wantSize;
    } rows[] = {
        {"no short name gives the long name", L"a.mp3", L"", 1, L"E:\\*.*", L"a.mp3", L"a.mp3", L"E:\\", 1},
        {"name stops at its first NUL", std::wstring(L"ab\0junk", 7), std::wstring(L"AB\0X", 4), 0, L"E:\\x\\*.mp3",
         L"ab", L"AB", L"E:\\x\\", 0},
        {"size keeps only the low 32 bits", L"big", L"", 0x180000001ull, L"*.*", L"big", L"big", L"", INT32_MIN + 1},
        {"4 GiB exactly is 0", L"four", L"", 0x100000000ull, L"a\\b\\c\\*.*", L"four", L"four", L"a\\b\\c\\", 0},
        {"pattern without backslash gives empty path", L"x", L"", 7, L"x*", L"x", L"x", L"", 7},
        {"only the last backslash counts", L"x", L"", 7, L"\\\\srv\\share\\d\\?.*", L"x", L"x", L"\\\\srv\\share\\d\\", 7},
    };
    for (const auto& row : rows) {
        FindRecord r;
        r.Name = row.name;
        r.ShortName = row.shortName;
        r.Size = row.size;
        FileInfo info;
        ToFileInfo(info, r, row.pattern);
        EXPECT_EQ(info.Name, row.wantName) << row.what;
        EXPECT_EQ(info.ShortName, row.wantShort) << row.what;
        EXPECT_EQ(info.Path, row.wantPath) << row.what;
        EXPECT_EQ(info.Size, row.wantSize) << row.what;
    }
}

// ---- FindFiles ---------------------------------------------------------------

TEST(FindFiles, ListsOnlyFilesDirectlyInsideInSearchOrder) {
    MemoryFiles fs;
    fs.AddFolder(L"E:");
    fs.AddFolder(L"E:\\Player");
    fs.AddEntry(L"E:\\Player", L"b.mp3");
    fs.AddFolder(L"E:\\Player\\Sub");
    fs.AddEntry(L"E:\\Player\\Sub", L"deep.mp3");
    fs.AddEntry(L"E:\\Player", L"a.jpg", kHidden | kSystem);
    std::vector<FileInfo> files;
    FindFiles(fs, L"E:\\Player", L"*.*", files);
    EXPECT_EQ(NamesOf(files), (std::vector<std::wstring>{L"E:\\Player\\b.mp3", L"E:\\Player\\a.jpg"}));
    EXPECT_EQ(fs.searches, std::vector<std::wstring>{L"E:\\Player\\*.*"});
}

TEST(FindFiles, TrailingBackslashListsTheSameFolderOnce) {
    for (const std::wstring path : {L"E:\\Player", L"E:\\Player\\"}) {
        MemoryFiles fs;
        fs.AddFolder(L"E:");
        fs.AddFolder(L"E:\\Player");
        fs.AddEntry(L"E:\\Player", L"a.mp3");
        std::vector<FileInfo> files;
        FindFiles(fs, path, L"*.*", files);
        EXPECT_EQ(NamesOf(files), std::vector<std::wstring>{L"E:\\Player\\a.mp3"});
    }
}

TEST(FindFiles, MissingFolderAddsNothingAndKeepsWhatWasThere) {
    MemoryFiles fs;
    std::vector<FileInfo> files(2);
    files[0].Name = L"kept";
    FindFiles(fs, L"Q:\\nowhere", L"*.mp3", files);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].Name, L"kept");
}

// ---- Sync bookkeeping --------------------------------------------------------

TEST(SyncState, ListingReplacesTheStateAndGivesThreeEntrySlots) {
    SyncFixture f;
    f.files.AddEntry(L"E:\\Player", L"a.mp3");
    f.files.AddEntry(L"E:\\Player", L"b.jpg");
    f.files.AddFolder(L"E:\\Player\\Sub");
    f.sync.BeginRun();
    f.sync.List(f.files, L"E:\\Player");
    EXPECT_TRUE(f.sync.HasListing());
    EXPECT_EQ(f.sync.ListedFolder(), L"E:\\Player\\");
    EXPECT_EQ(f.sync.SyncFileNames(), (std::vector<std::wstring>{L"a.mp3", L"b.jpg"}));
    ASSERT_EQ(f.sync.SyncMarks().size(), 2u);
    EXPECT_EQ(f.sync.SyncMarks()[0][0], L"");
    EXPECT_EQ(f.sync.SyncMarks()[1][1], L"");
    EXPECT_EQ(f.sync.SyncEntries(), std::vector<std::wstring>(3));
}

TEST(SyncState, EntriesGrowByDoublingAndResetEachRun) {
    SyncFixture f;
    f.sync.BeginRun();
    f.sync.List(f.files, L"E:\\Player");
    f.sync.ResetEntries();
    const struct { int capacity; size_t slots; } after[] = {{1, 3}, {1, 3}, {4, 5}, {4, 5}, {4, 5}, {10, 11}, {10, 11}};
    for (size_t k = 0; k < std::size(after); ++k) {
        f.sync.Record(L"n" + std::to_wstring(k) + L".mp3");
        EXPECT_EQ(f.sync.SyncEntryCount(), static_cast<int>(k + 1));
        EXPECT_EQ(f.sync.SyncEntryCapacity(), after[k].capacity) << "after " << k + 1;
        EXPECT_EQ(f.sync.SyncEntries().size(), after[k].slots) << "after " << k + 1;
    }
    EXPECT_EQ(f.sync.SyncEntries()[6], L"n6.mp3");
    f.sync.ResetEntries();
    EXPECT_EQ(f.sync.SyncEntryCount(), 0);
    EXPECT_EQ(f.sync.SyncEntryCapacity(), 1);
}

TEST(SyncState, RecordingWithoutAListingOfThisRunDoesNotFail) {
    SyncState sync;
    sync.ResetEntries();
    for (int i = 0; i < 100; ++i) sync.Record(L"x.mp3");
    EXPECT_EQ(sync.SyncEntryCount(), 100);
    EXPECT_EQ(sync.SyncEntries()[99], L"x.mp3");
}

// ---- SyncDestination ---------------------------------------------------------

TEST(SyncDestination, ExampleKillCountFourDeletesOnlyCWithBarAtTwo) {
    SyncFixture f;
    for (const auto* n : {L"a.mp3", L"b.mp3", L"c.mp3"}) f.files.AddEntry(L"E:\\Player", n);
    EXPECT_EQ(f.Run(L"E:\\Player", {L"a.mp3", L"b.mp3"}), 4);
    EXPECT_EQ(f.sync.KillCount(), 4);
    EXPECT_EQ(f.files.Names(L"E:\\Player"), (std::vector<std::wstring>{L"a.mp3", L"b.mp3"}));
    ASSERT_EQ(f.snapshots.size(), 1u);
    EXPECT_EQ(f.snapshots[0].path, L"E:\\Player\\c.mp3");
    EXPECT_EQ(f.snapshots[0].barValue, 2);
    EXPECT_EQ(f.snapshots[0].panel1, L"Killing Files");
    EXPECT_EQ(f.snapshots[0].panel2, L"Killing: c.mp3");
    const std::vector<std::array<std::wstring, 2>> marks = {{L"a.mp3", L"keep"}, {L"b.mp3", L"keep"}, {L"c.mp3", L"kill"}};
    EXPECT_EQ(f.sync.SyncMarks(), marks);
    // Maximum 4, value 0, value 2 for c.mp3; 100 refused; maximum back to 100.
    EXPECT_EQ(f.host.barMaxes, (std::vector<int>{4, 100}));
    EXPECT_EQ(f.host.barValues, (std::vector<int>{0, 2}));
    EXPECT_EQ(f.host.barMax, 100);
}

TEST(SyncDestination, EveryUnnamedFileKindIsDeletedAndPanelsFollowEachFile) {
    SyncFixture f;
    const std::vector<std::wstring> unnamed = {L"cover.jpg", L"notes.txt", L"track.flac", L"track.wma",
                                               L"list.m3u", L"desktop.ini", L"a.mp3.part"};
    f.files.AddEntry(L"E:\\Player", L"a.mp3");
    for (const auto& n : unnamed) f.files.AddEntry(L"E:\\Player", n, n == L"desktop.ini" ? kHidden | kSystem : 0);
    f.Run(L"E:\\Player", {L"a.mp3"});
    EXPECT_EQ(f.files.Names(L"E:\\Player"), std::vector<std::wstring>{L"a.mp3"});
    ASSERT_EQ(f.snapshots.size(), unnamed.size());
    for (size_t i = 0; i < unnamed.size(); ++i) {
        EXPECT_EQ(f.snapshots[i].path, L"E:\\Player\\" + unnamed[i]);
        EXPECT_EQ(f.snapshots[i].panel1, L"Killing Files");
        EXPECT_EQ(f.snapshots[i].panel2, L"Killing: " + unnamed[i]);
        EXPECT_EQ(f.snapshots[i].barValue, static_cast<int>(i + 1));
    }
    // Panels keep the last texts after the deletion.
    EXPECT_EQ(f.host.panels[2], L"Killing: a.mp3.part");
}

TEST(SyncDestination, NameInOtherLetterCaseIsTheSameFileAndKept) {
    SyncFixture f;
    for (const auto* n : {L"A.mp3", L"ÄRGER.MP3", L"Ωmega.mp3", L"other.mp3"}) f.files.AddEntry(L"E:\\Player", n);
    f.Run(L"E:\\Player", {L"a.mp3", L"ärger.mp3", L"ωMEGA.MP3"});
    EXPECT_EQ(f.files.Names(L"E:\\Player"), (std::vector<std::wstring>{L"A.mp3", L"ÄRGER.MP3", L"Ωmega.mp3"}));
    EXPECT_EQ(f.sync.KillCount(), 0 + 1 + 2 + 4);
}

TEST(SyncDestination, FileNamedByItsShortNameIsKept) {
    SyncFixture f;
    f.files.AddEntry(L"E:\\Player", L"Long Track Name.mp3").record.ShortName = L"LONGTR~1.MP3";
    f.files.AddEntry(L"E:\\Player", L"Other Long Name.mp3").record.ShortName = L"OTHERL~1.MP3";
    EXPECT_EQ(f.Run(L"E:\\Player", {L"x.mp3", L"longtr~1.mp3"}), 1 + 3);
    EXPECT_EQ(f.files.Names(L"E:\\Player"), std::vector<std::wstring>{L"Long Track Name.mp3"});
}

TEST(SyncDestination, AllKeptAtFirstComparisonShowsAndDeletesNothing) {
    SyncFixture f;
    f.files.AddEntry(L"E:\\Player", L"a.mp3");
    EXPECT_EQ(f.Run(L"E:\\Player", {L"a.mp3", L"a.mp3"}), 0);
    EXPECT_TRUE(f.files.removed.empty());
    EXPECT_TRUE(f.host.barValues.empty());
    EXPECT_TRUE(f.host.barMaxes.empty());
    EXPECT_EQ(f.host.panelWrites, 0);
}

TEST(SyncDestination, NoEntryRecordedDeletesEveryFileDirectlyInsideOnly) {
    SyncFixture f;
    for (const auto* n : {L"a.mp3", L"b.txt", L"c.m3u"}) f.files.AddEntry(L"E:\\Player", n);
    f.files.AddFolder(L"E:\\Player\\Sub");
    f.files.AddEntry(L"E:\\Player\\Sub", L"deep.mp3");
    f.files.AddEntry(L"E:", L"beside.mp3");
    EXPECT_EQ(f.Run(L"E:\\Player", {}), 3);
    EXPECT_EQ(f.files.Names(L"E:\\Player"), (std::vector<std::wstring>{L"Sub"}));
    EXPECT_EQ(f.files.Names(L"E:\\Player\\Sub"), std::vector<std::wstring>{L"deep.mp3"});
    EXPECT_TRUE(f.files.Has(L"E:\\beside.mp3"));
    for (const auto& call : f.files.removed) EXPECT_NE(call, L"E:\\Player\\Sub");
}

TEST(SyncDestination, RecordedEntryThatWasNotCopiedKeepsItsFile) {
    SyncFixture f;
    // old.mp3 is named by the playlist but its source is gone, so the run did not copy it.
    f.files.AddEntry(L"E:\\Player", L"old.mp3");
    f.files.AddEntry(L"E:\\Player", L"stray.mp3");
    f.Run(L"E:\\Player", {L"missing-source.mp3", L"old.mp3"});
    EXPECT_EQ(f.files.Names(L"E:\\Player"), std::vector<std::wstring>{L"old.mp3"});
}

TEST(SyncDestination, TrailingSeparatorsListAndDeleteTheSameFiles) {
    const struct { std::wstring typed, folder, deleted; } rows[] = {
        {L"E:\\Player", L"E:\\Player", L"E:\\Player\\x.jpg"},
        {L"E:\\Player\\", L"E:\\Player", L"E:\\Player\\x.jpg"},
        {L"E:\\Player\\\\", L"E:\\Player", L"E:\\Player\\x.jpg"},
        {L"E:\\Player/", L"E:\\Player", L"E:\\Player\\x.jpg"},
        {L"E:\\", L"E:", L"E:\\x.jpg"},
        {L"E:", L"E:", L"E:\\x.jpg"},
    };
    for (const auto& row : rows) {
        SyncFixture f;
        f.files.AddEntry(row.folder, L"x.jpg");
        f.files.AddEntry(row.folder, L"keep.mp3");
        f.Run(row.typed, {L"keep.mp3"});
        EXPECT_EQ(f.files.removed, std::vector<std::wstring>{row.deleted}) << "typed " << row.typed.size();
        EXPECT_FALSE(f.files.Has(row.folder + L"\\x.jpg"));
        EXPECT_TRUE(f.files.Has(row.folder + L"\\keep.mp3"));
    }
}

TEST(SyncDestination, ReadOnlyAndInUseFilesStayAndTheRestGoesOn) {
    SyncFixture f;
    f.files.AddEntry(L"E:\\Player", L"locked.jpg", kReadOnly);
    f.files.AddEntry(L"E:\\Player", L"open.txt", 0, true);
    f.files.AddEntry(L"E:\\Player", L"gone.txt");
    f.Run(L"E:\\Player", {});
    EXPECT_EQ(f.files.removed.size(), 3u);
    EXPECT_EQ(f.files.Names(L"E:\\Player"), (std::vector<std::wstring>{L"locked.jpg", L"open.txt"}));
    EXPECT_EQ(f.host.barMax, 100);
}

TEST(SyncDestination, WithoutAListingOfThisRunNothingIsDeleted) {
    SyncFixture f;
    f.files.AddEntry(L"E:\\Player", L"a.jpg");
    f.files.AddFolder(L"E:\\Other");
    f.files.AddEntry(L"E:\\Other", L"b.jpg");
    // An earlier run listed E:\Player but was cancelled before its end.
    f.sync.BeginRun();
    f.sync.List(f.files, L"E:\\Player");
    // This run started without Sync; it is ticked before the end.
    f.sync.BeginRun();
    f.sync.ResetEntries();
    f.sync.Record(L"b.mp3");
    EXPECT_EQ(f.sync.SyncDestination(f.files, f.host), 0);
    EXPECT_TRUE(f.files.removed.empty());
    EXPECT_EQ(f.host.panelWrites, 0);
    EXPECT_TRUE(f.host.barMaxes.empty());
    // A fresh state (window just loaded) has no listing either.
    SyncState fresh;
    fresh.ResetEntries();
    EXPECT_EQ(fresh.SyncDestination(f.files, f.host), 0);
    EXPECT_TRUE(f.files.removed.empty());
}

TEST(SyncDestination, DeletesOnlyInTheFolderListedAtRunStart) {
    SyncFixture f;
    f.files.AddEntry(L"E:\\Player", L"a.jpg");
    f.files.AddFolder(L"E:\\Other");
    f.files.AddEntry(L"E:\\Other", L"a.jpg");
    f.sync.BeginRun();
    f.sync.List(f.files, L"E:\\Player");
    f.sync.ResetEntries();
    // The box now names another folder; the run passes nothing of it to the sync.
    f.sync.SyncDestination(f.files, f.host);
    EXPECT_EQ(f.files.removed, std::vector<std::wstring>{L"E:\\Player\\a.jpg"});
    EXPECT_TRUE(f.files.Has(L"E:\\Other\\a.jpg"));
}

TEST(SyncDestination, MissingEmptyOrBlankDestinationDeletesNothing) {
    for (const std::wstring dest : {L"Q:\\missing", L"", L"   "}) {
        SyncFixture f;
        f.files.AddEntry(L"E:", L"root.jpg");
        EXPECT_EQ(f.Run(dest, {}), 0);
        EXPECT_TRUE(f.sync.HasListing());
        EXPECT_TRUE(f.sync.SyncFileNames().empty());
        EXPECT_TRUE(f.files.removed.empty());
    }
}

TEST(SyncDestination, NamesThatAreNotOnePlainFileAreLeftAlone) {
    SyncFixture f;
    const std::vector<std::wstring> odd = {L"..", L"sub\\a.jpg", L"c:d.jpg", L"*.jpg", L"x?.jpg",
                                           L"trail.", L"NUL", L"com1.mp3", L""};
    for (const auto& n : odd) f.files.AddEntry(L"E:\\Player", n);
    f.files.AddEntry(L"E:\\Player", L"plain.jpg");
    f.Run(L"E:\\Player", {});
    EXPECT_EQ(f.files.removed, std::vector<std::wstring>{L"E:\\Player\\plain.jpg"});
    for (const auto& mark : f.sync.SyncMarks()) EXPECT_EQ(mark[1], L"kill") << mark[0].size();
}

TEST(SyncDestination, BarValueAboveKillCountIsNotSet) {
    SyncFixture f;
    // A case-sensitive folder can hold several spellings; each matches at the first name.
    for (const auto* n : {L"a.mp3", L"A.mp3", L"a.MP3", L"z.jpg"}) f.files.AddEntry(L"E:\\Player", n);
    EXPECT_EQ(f.Run(L"E:\\Player", {L"a.mp3"}), 2);
    ASSERT_EQ(f.snapshots.size(), 1u);
    EXPECT_EQ(f.snapshots[0].barValue, 0);  // index 3 refused by a maximum of 2
    EXPECT_EQ(f.host.barValues, std::vector<int>{0});
    EXPECT_EQ(f.host.barMax, 100);
}

TEST(SyncDestination, LeftoverCopyTempIsDeletedEvenWhenItsNameIsRecorded) {
    SyncFixture f;
    f.sync.SetLeftoverTest([](const std::wstring& n) { return n.starts_with(L"~tl") && n.ends_with(L".tmp"); });
    f.files.AddEntry(L"E:\\Player", L"~tl1.tmp");
    f.files.AddEntry(L"E:\\Player", L"a.mp3");
    EXPECT_EQ(f.Run(L"E:\\Player", {L"a.mp3", L"~tl1.tmp"}), 3);
    EXPECT_EQ(f.files.Names(L"E:\\Player"), std::vector<std::wstring>{L"a.mp3"});
}

// The marking with a lookup must count and mark exactly as comparing each listed
// name with every recorded name in order would.
TEST(SyncDestination, MarkingAgreesWithTheComparisonLoop) {
    std::mt19937 rng(7);
    const std::vector<std::wstring> pool = {L"a.mp3", L"A.mp3", L"b.mp3", L"B.MP3", L"c.jpg", L"d.txt",
                                            L"é.mp3", L"É.mp3", L"f.flac", L"g.mp3"};
    for (int round = 0; round < 300; ++round) {
        SyncFixture f;
        std::vector<std::wstring> listed, recorded;
        for (const auto& n : pool)
            if (rng() % 2) listed.push_back(n);
        std::shuffle(listed.begin(), listed.end(), rng);
        for (const auto& n : listed) f.files.AddEntry(L"E:\\Player", n);
        const int recordCount = static_cast<int>(rng() % 8);
        for (int i = 0; i < recordCount; ++i) recorded.push_back(pool[rng() % pool.size()]);

        std::vector<std::wstring> listedKeys, recordedKeys;
        for (const auto& n : listed) listedKeys.push_back(FoldNameCase(n));
        for (const auto& n : recorded) recordedKeys.push_back(FoldNameCase(n));
        const ComparisonMarking want = MarkByComparison(listedKeys, recordedKeys);
        EXPECT_EQ(f.Run(L"E:\\Player", recorded), want.killCount) << "round " << round;
        ASSERT_EQ(f.sync.SyncMarks().size(), listed.size());
        for (size_t x = 0; x < listed.size(); ++x) {
            EXPECT_EQ(f.sync.SyncMarks()[x][0], listed[x]);
            EXPECT_EQ(f.sync.SyncMarks()[x][1], want.keep[x] ? L"keep" : L"kill") << "round " << round;
            EXPECT_EQ(f.files.Has(L"E:\\Player\\" + listed[x]), want.keep[x]);
        }
    }
}

}  // namespace
