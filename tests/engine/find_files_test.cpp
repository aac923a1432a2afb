#include "engine/find_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "tests/support/record_list_search.h"
#include "tests/support/scripted_host.h"

using namespace tunelift;
using namespace tunelift::mdlFindFiles;
using tunelift::testing::RecordListSearch;
using tunelift::testing::ScriptedHost;

namespace {

constexpr uint32_t kReadOnly = 0x1;
constexpr uint32_t kHidden = 0x2;
constexpr uint32_t kSystem = 0x4;

// Windows wildcard match: "*" any run, "?" one character, letter case ignored.
bool Matches(const std::wstring& filter, const std::wstring& name) {
    if (filter == L"*.*" || filter == L"*") return true;
    const std::wstring f = FoldNameCase(filter), n = FoldNameCase(name);
    std::vector<std::vector<bool>> ok(f.size() + 1, std::vector<bool>(n.size() + 1, false));
    ok[0][0] = true;
    for (size_t i = 1; i <= f.size(); ++i) {
        ok[i][0] = ok[i - 1][0] && f[i - 1] == L'*';
        for (size_t j = 1; j <= n.size(); ++j) {
            if (f[i - 1] == L'*') ok[i][j] = ok[i - 1][j] || ok[i][j - 1];
            else ok[i][j] = ok[i - 1][j - 1] && (f[i - 1] == L'?' || f[i - 1] == n[j - 1]);
        }
    }
    return ok[f.size()][n.size()];
}

struct FakeEntry {
    FindRecord record;
    bool inUse = false;
};

// A file system in memory. Folders are keyed by their exact path without a trailing
// backslash ("E:" for a drive root), so a doubled or missing separator finds nothing.
class FakeFiles : public FileServices {
public:
    std::map<std::wstring, std::vector<FakeEntry>> folders;
    std::vector<std::wstring> searches;
    std::vector<std::wstring> deleteCalls;
    std::function<void(const std::wstring&)> onDelete;

    void AddFolder(const std::wstring& path, uint32_t attributes = kAttributeDirectory) {
        folders[path];
        const size_t slash = path.rfind(L'\\');
        if (slash == std::wstring::npos) return;
        folders[path].push_back({{L".", L"", kAttributeDirectory}});
        folders[path].push_back({{L"..", L"", kAttributeDirectory}});
        auto parent = folders.find(path.substr(0, slash));
        if (parent != folders.end()) parent->second.push_back({{path.substr(slash + 1), L"", attributes}});
    }
    void AddFile(const std::wstring& folder, const std::wstring& name, uint32_t attributes = 0, bool inUse = false) {
        FakeEntry e;
        e.record.Name = name;
        e.record.Attributes = attributes;
        e.record.Size = name.size();
        e.inUse = inUse;
        folders.at(folder).push_back(e);
    }
    bool Has(const std::wstring& folder, const std::wstring& name) const {
        const auto& entries = folders.at(folder);
        return std::any_of(entries.begin(), entries.end(), [&](const FakeEntry& e) { return e.record.Name == name; });
    }

    std::wstring ReadLine(const std::wstring&, int32_t) override { return L""; }
    std::wstring ReadAll(const std::wstring&) override { return L""; }
    bool FileExists(const std::wstring&) override { return false; }
    bool FileCopy(const std::wstring&, const std::wstring&) override { return false; }

    std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) override {
        searches.push_back(pattern);
        const size_t slash = pattern.rfind(L'\\');
        if (slash == std::wstring::npos) return nullptr;
        const auto folder = folders.find(pattern.substr(0, slash));
        if (folder == folders.end()) return nullptr;
        std::vector<FindRecord> found;
        for (const FakeEntry& e : folder->second)
            if (Matches(pattern.substr(slash + 1), e.record.Name)) found.push_back(e.record);
        return std::make_unique<RecordListSearch>(std::move(found));
    }

    bool RemoveFile(const std::wstring& path) override {
        deleteCalls.push_back(path);
        if (onDelete) onDelete(path);
        const size_t slash = path.rfind(L'\\');
        if (slash == std::wstring::npos) return false;
        const auto folder = folders.find(path.substr(0, slash));
        if (folder == folders.end()) return false;
        auto& entries = folder->second;
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (it->record.Name != path.substr(slash + 1)) continue;
            if (it->record.Attributes & (kAttributeDirectory | kReadOnly) || it->inUse) return false;
            entries.erase(it);
            return true;
        }
        return false;
    }
};

// What the window showed at the moment of each deletion.
struct DeleteSnapshot {
    std::wstring path;
    int barValue;
    std::wstring panel1, panel2;
};

struct SyncFixture {
    FakeFiles files;
    ScriptedHost host;
    SyncState sync;
    std::vector<DeleteSnapshot> snapshots;
    int yields = 0;

    SyncFixture() {
        files.AddFolder(L"E:");
        files.AddFolder(L"E:\\Player");
        files.onDelete = [this](const std::wstring& path) {
            snapshots.push_back({path, host.barValue, host.panels[1], host.panels[2]});
        };
    }
    ~SyncFixture() { EXPECT_EQ(host.refusedBarValues, std::vector<int>{}) << "values above the bar's maximum"; }
    // One Save run with Sync ticked, as the run drives it.
    int Run(const std::wstring& destination, const std::vector<std::wstring>& recorded) {
        sync.BeginRun();
        sync.List(files, [this] { ++yields; }, destination);
        sync.ResetEntries();
        for (const auto& name : recorded) sync.Record(name);
        return sync.SyncDestination(files, host);
    }
    std::vector<std::wstring> Names(const std::wstring& folder) const {
        std::vector<std::wstring> names;
        for (const auto& e : files.folders.at(folder))
            if (e.record.Name != L"." && e.record.Name != L"..") names.push_back(e.record.Name);
        return names;
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

TEST(FindFiles, ListsOnlyFilesDirectlyInsideInSearchOrderAndYieldsPerStep) {
    FakeFiles fs;
    fs.AddFolder(L"E:");
    fs.AddFolder(L"E:\\Player");
    fs.AddFile(L"E:\\Player", L"b.mp3");
    fs.AddFolder(L"E:\\Player\\Sub");
    fs.AddFile(L"E:\\Player\\Sub", L"deep.mp3");
    fs.AddFile(L"E:\\Player", L"a.jpg", kHidden | kSystem);
    int yields = 0;
    std::vector<FileInfo> files;
    FindFiles(fs, [&] { ++yields; }, L"E:\\Player", false, L"*.*", files);
    EXPECT_EQ(NamesOf(files), (std::vector<std::wstring>{L"E:\\Player\\b.mp3", L"E:\\Player\\a.jpg"}));
    EXPECT_EQ(fs.searches, std::vector<std::wstring>{L"E:\\Player\\*.*"});
    // One at the start, one before each file stored, one after each of the 5 entries.
    EXPECT_EQ(yields, 1 + 2 + 5);
}

TEST(FindFiles, TrailingBackslashListsTheSameFolderOnce) {
    for (const std::wstring path : {L"E:\\Player", L"E:\\Player\\"}) {
        FakeFiles fs;
        fs.AddFolder(L"E:");
        fs.AddFolder(L"E:\\Player");
        fs.AddFile(L"E:\\Player", L"a.mp3");
        std::vector<FileInfo> files;
        FindFiles(fs, [] {}, path, false, L"*.*", files);
        EXPECT_EQ(NamesOf(files), std::vector<std::wstring>{L"E:\\Player\\a.mp3"});
    }
}

TEST(FindFiles, MissingFolderAddsNothingAndKeepsWhatWasThere) {
    FakeFiles fs;
    std::vector<FileInfo> files(2);
    files[0].Name = L"kept";
    FindFiles(fs, [] {}, L"Q:\\nowhere", true, L"*.mp3", files);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].Name, L"kept");
}

// Tree: root has r1.mp3, folder "one.mp3" (a folder that matches the filter) and
// folder "two"; "one.mp3" has "inner" with i.mp3; "two" has t.mp3 and t.txt.
FakeFiles NestedTree() {
    FakeFiles fs;
    fs.AddFolder(L"M:");
    fs.AddFolder(L"M:\\Music");
    fs.AddFile(L"M:\\Music", L"r1.mp3");
    fs.AddFolder(L"M:\\Music\\one.mp3");
    fs.AddFile(L"M:\\Music\\one.mp3", L"o.MP3");
    fs.AddFolder(L"M:\\Music\\one.mp3\\inner");
    fs.AddFile(L"M:\\Music\\one.mp3\\inner", L"i.mp3");
    fs.AddFile(L"M:\\Music\\one.mp3\\inner", L"i.wav");
    fs.AddFile(L"M:\\Music", L"r2.mp3");
    fs.AddFolder(L"M:\\Music\\two");
    fs.AddFile(L"M:\\Music\\two", L"t.txt");
    fs.AddFile(L"M:\\Music\\two", L"t.mp3");
    return fs;
}

TEST(FindFiles, RecursiveFilterFindsEveryMatchOnceDepthFirst) {
    FakeFiles fs = NestedTree();
    std::vector<FileInfo> files;
    FindFiles(fs, [] {}, L"M:\\Music", true, L"*.mp3", files);
    EXPECT_EQ(NamesOf(files), (std::vector<std::wstring>{
                                  L"M:\\Music\\r1.mp3", L"M:\\Music\\r2.mp3", L"M:\\Music\\one.mp3\\o.MP3",
                                  L"M:\\Music\\one.mp3\\inner\\i.mp3", L"M:\\Music\\two\\t.mp3"}));
    // Each folder: its filter pass, then the directory pass; each descended once.
    EXPECT_EQ(fs.searches, (std::vector<std::wstring>{
                               L"M:\\Music\\*.mp3", L"M:\\Music\\*.*", L"M:\\Music\\one.mp3\\*.mp3",
                               L"M:\\Music\\one.mp3\\*.*", L"M:\\Music\\one.mp3\\inner\\*.mp3",
                               L"M:\\Music\\one.mp3\\inner\\*.*", L"M:\\Music\\two\\*.mp3", L"M:\\Music\\two\\*.*"}));
}

TEST(FindFiles, RecursiveAllFilesNeedsNoDirectoryPass) {
    FakeFiles fs = NestedTree();
    std::vector<FileInfo> files;
    FindFiles(fs, [] {}, L"M:\\Music\\", true, L"*.*", files);
    EXPECT_EQ(files.size(), 7u);
    EXPECT_EQ(fs.searches, (std::vector<std::wstring>{L"M:\\Music\\*.*", L"M:\\Music\\one.mp3\\*.*",
                                                      L"M:\\Music\\one.mp3\\inner\\*.*", L"M:\\Music\\two\\*.*"}));
}

TEST(FindFiles, LinkedFolderIsNotFollowedSoALoopEnds) {
    FakeFiles fs;
    fs.AddFolder(L"M:");
    fs.AddFolder(L"M:\\Music");
    fs.AddFile(L"M:\\Music", L"a.mp3");
    // A junction back to its own parent: following it would never end.
    fs.AddFolder(L"M:\\Music\\loop", kAttributeDirectory | 0x400);
    std::vector<FileInfo> files;
    FindFiles(fs, [] {}, L"M:\\Music", true, L"*.mp3", files);
    EXPECT_EQ(NamesOf(files), std::vector<std::wstring>{L"M:\\Music\\a.mp3"});
}

TEST(FindFiles, FolderWithMoreSubfoldersThanTheIndexHoldsIsNotDescended) {
    for (const int count : {32768, 32769}) {
        FakeFiles fs;
        fs.AddFolder(L"M:");
        auto& entries = fs.folders[L"M:\\Big"];
        for (int i = 0; i < count; ++i) entries.push_back({{L"d" + std::to_wstring(i), L"", kAttributeDirectory}});
        fs.folders[L"M:\\Big\\d7"].push_back({{L"x.mp3", L"", 0}});
        std::vector<FileInfo> files;
        FindFiles(fs, [] {}, L"M:\\Big", true, L"*.*", files);
        EXPECT_EQ(files.size(), count == 32768 ? 1u : 0u) << count << " subfolders";
    }
}

// ---- Sync bookkeeping --------------------------------------------------------

TEST(SyncState, ListingReplacesTheStateAndGivesThreeEntrySlots) {
    SyncFixture f;
    f.files.AddFile(L"E:\\Player", L"a.mp3");
    f.files.AddFile(L"E:\\Player", L"b.jpg");
    f.files.AddFolder(L"E:\\Player\\Sub");
    f.sync.BeginRun();
    f.sync.List(f.files, [] {}, L"E:\\Player");
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
    f.sync.List(f.files, [] {}, L"E:\\Player");
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
    for (const auto* n : {L"a.mp3", L"b.mp3", L"c.mp3"}) f.files.AddFile(L"E:\\Player", n);
    EXPECT_EQ(f.Run(L"E:\\Player", {L"a.mp3", L"b.mp3"}), 4);
    EXPECT_EQ(f.sync.KillCount(), 4);
    EXPECT_EQ(f.Names(L"E:\\Player"), (std::vector<std::wstring>{L"a.mp3", L"b.mp3"}));
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
    f.files.AddFile(L"E:\\Player", L"a.mp3");
    for (const auto& n : unnamed) f.files.AddFile(L"E:\\Player", n, n == L"desktop.ini" ? kHidden | kSystem : 0);
    f.Run(L"E:\\Player", {L"a.mp3"});
    EXPECT_EQ(f.Names(L"E:\\Player"), std::vector<std::wstring>{L"a.mp3"});
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
    for (const auto* n : {L"A.mp3", L"ÄRGER.MP3", L"Ωmega.mp3", L"other.mp3"}) f.files.AddFile(L"E:\\Player", n);
    f.Run(L"E:\\Player", {L"a.mp3", L"ärger.mp3", L"ωMEGA.MP3"});
    EXPECT_EQ(f.Names(L"E:\\Player"), (std::vector<std::wstring>{L"A.mp3", L"ÄRGER.MP3", L"Ωmega.mp3"}));
    EXPECT_EQ(f.sync.KillCount(), 0 + 1 + 2 + 4);
}

TEST(SyncDestination, FileNamedByItsShortNameIsKept) {
    SyncFixture f;
    f.files.AddFile(L"E:\\Player", L"Long Track Name.mp3");
    f.files.folders[L"E:\\Player"].back().record.ShortName = L"LONGTR~1.MP3";
    f.files.AddFile(L"E:\\Player", L"Other Long Name.mp3");
    f.files.folders[L"E:\\Player"].back().record.ShortName = L"OTHERL~1.MP3";
    EXPECT_EQ(f.Run(L"E:\\Player", {L"x.mp3", L"longtr~1.mp3"}), 1 + 3);
    EXPECT_EQ(f.Names(L"E:\\Player"), std::vector<std::wstring>{L"Long Track Name.mp3"});
}

TEST(SyncDestination, AllKeptAtFirstComparisonShowsAndDeletesNothing) {
    SyncFixture f;
    f.files.AddFile(L"E:\\Player", L"a.mp3");
    EXPECT_EQ(f.Run(L"E:\\Player", {L"a.mp3", L"a.mp3"}), 0);
    EXPECT_TRUE(f.files.deleteCalls.empty());
    EXPECT_TRUE(f.host.barValues.empty());
    EXPECT_TRUE(f.host.barMaxes.empty());
    EXPECT_EQ(f.host.panelWrites, 0);
}

TEST(SyncDestination, NoEntryRecordedDeletesEveryFileDirectlyInsideOnly) {
    SyncFixture f;
    for (const auto* n : {L"a.mp3", L"b.txt", L"c.m3u"}) f.files.AddFile(L"E:\\Player", n);
    f.files.AddFolder(L"E:\\Player\\Sub");
    f.files.AddFile(L"E:\\Player\\Sub", L"deep.mp3");
    f.files.AddFile(L"E:", L"beside.mp3");
    EXPECT_EQ(f.Run(L"E:\\Player", {}), 3);
    EXPECT_EQ(f.Names(L"E:\\Player"), (std::vector<std::wstring>{L"Sub"}));
    EXPECT_EQ(f.Names(L"E:\\Player\\Sub"), std::vector<std::wstring>{L"deep.mp3"});
    EXPECT_TRUE(f.files.Has(L"E:", L"beside.mp3"));
    for (const auto& call : f.files.deleteCalls) EXPECT_NE(call, L"E:\\Player\\Sub");
}

TEST(SyncDestination, RecordedEntryThatWasNotCopiedKeepsItsFile) {
    SyncFixture f;
    // old.mp3 is named by the playlist but its source is gone, so the run did not copy it.
    f.files.AddFile(L"E:\\Player", L"old.mp3");
    f.files.AddFile(L"E:\\Player", L"stray.mp3");
    f.Run(L"E:\\Player", {L"missing-source.mp3", L"old.mp3"});
    EXPECT_EQ(f.Names(L"E:\\Player"), std::vector<std::wstring>{L"old.mp3"});
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
        f.files.AddFile(row.folder, L"x.jpg");
        f.files.AddFile(row.folder, L"keep.mp3");
        f.Run(row.typed, {L"keep.mp3"});
        EXPECT_EQ(f.files.deleteCalls, std::vector<std::wstring>{row.deleted}) << "typed " << row.typed.size();
        EXPECT_FALSE(f.files.Has(row.folder, L"x.jpg"));
        EXPECT_TRUE(f.files.Has(row.folder, L"keep.mp3"));
    }
}

TEST(SyncDestination, ReadOnlyAndInUseFilesStayAndTheRestGoesOn) {
    SyncFixture f;
    f.files.AddFile(L"E:\\Player", L"locked.jpg", kReadOnly);
    f.files.AddFile(L"E:\\Player", L"open.txt", 0, true);
    f.files.AddFile(L"E:\\Player", L"gone.txt");
    f.Run(L"E:\\Player", {});
    EXPECT_EQ(f.files.deleteCalls.size(), 3u);
    EXPECT_EQ(f.Names(L"E:\\Player"), (std::vector<std::wstring>{L"locked.jpg", L"open.txt"}));
    EXPECT_EQ(f.host.barMax, 100);
}

TEST(SyncDestination, WithoutAListingOfThisRunNothingIsDeleted) {
    SyncFixture f;
    f.files.AddFile(L"E:\\Player", L"a.jpg");
    f.files.AddFolder(L"E:\\Other");
    f.files.AddFile(L"E:\\Other", L"b.jpg");
    // An earlier run listed E:\Player but was cancelled before its end.
    f.sync.BeginRun();
    f.sync.List(f.files, [] {}, L"E:\\Player");
    // This run started without Sync; it is ticked before the end.
    f.sync.BeginRun();
    f.sync.ResetEntries();
    f.sync.Record(L"b.mp3");
    EXPECT_EQ(f.sync.SyncDestination(f.files, f.host), 0);
    EXPECT_TRUE(f.files.deleteCalls.empty());
    EXPECT_EQ(f.host.panelWrites, 0);
    EXPECT_TRUE(f.host.barMaxes.empty());
    // A fresh state (window just loaded) has no listing either.
    SyncState fresh;
    fresh.ResetEntries();
    EXPECT_EQ(fresh.SyncDestination(f.files, f.host), 0);
    EXPECT_TRUE(f.files.deleteCalls.empty());
}

TEST(SyncDestination, DeletesOnlyInTheFolderListedAtRunStart) {
    SyncFixture f;
    f.files.AddFile(L"E:\\Player", L"a.jpg");
    f.files.AddFolder(L"E:\\Other");
    f.files.AddFile(L"E:\\Other", L"a.jpg");
    f.sync.BeginRun();
    f.sync.List(f.files, [] {}, L"E:\\Player");
    f.sync.ResetEntries();
    // The box now names another folder; the run passes nothing of it to the sync.
    f.sync.SyncDestination(f.files, f.host);
    EXPECT_EQ(f.files.deleteCalls, std::vector<std::wstring>{L"E:\\Player\\a.jpg"});
    EXPECT_TRUE(f.files.Has(L"E:\\Other", L"a.jpg"));
}

TEST(SyncDestination, MissingEmptyOrBlankDestinationDeletesNothing) {
    for (const std::wstring dest : {L"Q:\\missing", L"", L"   "}) {
        SyncFixture f;
        f.files.AddFile(L"E:", L"root.jpg");
        EXPECT_EQ(f.Run(dest, {}), 0);
        EXPECT_TRUE(f.sync.HasListing());
        EXPECT_TRUE(f.sync.SyncFileNames().empty());
        EXPECT_TRUE(f.files.deleteCalls.empty());
    }
}

TEST(SyncDestination, NamesThatAreNotOnePlainFileAreLeftAlone) {
    SyncFixture f;
    const std::vector<std::wstring> odd = {L"..", L"sub\\a.jpg", L"c:d.jpg", L"*.jpg", L"x?.jpg",
                                           L"trail.", L"NUL", L"com1.mp3", L""};
    for (const auto& n : odd) f.files.AddFile(L"E:\\Player", n);
    f.files.AddFile(L"E:\\Player", L"plain.jpg");
    f.Run(L"E:\\Player", {});
    EXPECT_EQ(f.files.deleteCalls, std::vector<std::wstring>{L"E:\\Player\\plain.jpg"});
    for (const auto& mark : f.sync.SyncMarks()) EXPECT_EQ(mark[1], L"kill") << mark[0].size();
}

TEST(SyncDestination, BarValueAboveKillCountIsNotSet) {
    SyncFixture f;
    // A case-sensitive folder can hold several spellings; each matches at the first name.
    for (const auto* n : {L"a.mp3", L"A.mp3", L"a.MP3", L"z.jpg"}) f.files.AddFile(L"E:\\Player", n);
    EXPECT_EQ(f.Run(L"E:\\Player", {L"a.mp3"}), 2);
    ASSERT_EQ(f.snapshots.size(), 1u);
    EXPECT_EQ(f.snapshots[0].barValue, 0);  // index 3 refused by a maximum of 2
    EXPECT_EQ(f.host.barValues, std::vector<int>{0});
    EXPECT_EQ(f.host.barMax, 100);
}

TEST(SyncDestination, LeftoverCopyTempIsDeletedEvenWhenItsNameIsRecorded) {
    SyncFixture f;
    f.sync.SetLeftoverTest([](const std::wstring& n) { return n.starts_with(L"~tl") && n.ends_with(L".tmp"); });
    f.files.AddFile(L"E:\\Player", L"~tl1.tmp");
    f.files.AddFile(L"E:\\Player", L"a.mp3");
    EXPECT_EQ(f.Run(L"E:\\Player", {L"a.mp3", L"~tl1.tmp"}), 3);
    EXPECT_EQ(f.Names(L"E:\\Player"), std::vector<std::wstring>{L"a.mp3"});
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
        for (const auto& n : listed) f.files.AddFile(L"E:\\Player", n);
        const int recordCount = static_cast<int>(rng() % 8);
        for (int i = 0; i < recordCount; ++i) recorded.push_back(pool[rng() % pool.size()]);

        int64_t want = 0;
        std::vector<std::wstring> wantMarks;
        for (const auto& name : listed) {
            bool keep = false;
            for (const auto& r : recorded) {
                if (FoldNameCase(r) == FoldNameCase(name)) { keep = true; break; }
                ++want;
            }
            if (!keep) ++want;
            wantMarks.push_back(keep ? L"keep" : L"kill");
        }
        EXPECT_EQ(f.Run(L"E:\\Player", recorded), want) << "round " << round;
        ASSERT_EQ(f.sync.SyncMarks().size(), listed.size());
        for (size_t x = 0; x < listed.size(); ++x) {
            EXPECT_EQ(f.sync.SyncMarks()[x][0], listed[x]);
            EXPECT_EQ(f.sync.SyncMarks()[x][1], wantMarks[x]) << "round " << round;
            EXPECT_EQ(f.files.Has(L"E:\\Player", listed[x]), wantMarks[x] == L"keep");
        }
    }
}

}  // namespace
