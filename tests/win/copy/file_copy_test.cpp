#include "win/file_copy_win.h"

#include <algorithm>

#include "copy_fixture.h"
#include "win/copy_progress_win.h"

using namespace copytest;
using tunelift::win::CopyPartName;
using tunelift::win::DestinationHint;
using tunelift::win::FileCopy;
using tunelift::win::FileExists;
using tunelift::win::IsCopyLeftover;
namespace copy_seam = tunelift::win::copy_seam;
namespace mdlCopyBar = tunelift::mdlCopyBar;
namespace mdlLanguage = tunelift::mdlLanguage;

namespace {

constexpr uint64_t kOldTime = 116444736000000000ull + 10000000ull * 86400 * 365 * 20;  // ~1990

TEST_F(CopyTest, NewFileGetsSourceBytesAndLastWriteTime) {
    const std::string bytes = Bytes(700 * 1024 + 13, 1);  // not a multiple of the chunk
    WriteBytes(dir / L"src.mp3", bytes);
    SetLastWrite(dir / L"src.mp3", kOldTime);
    fs::create_directory(dir / L"out");

    ASSERT_TRUE(FileCopy(dir / L"src.mp3", dir / L"out" / L"Ä song.mp3"));
    EXPECT_TRUE(ReadBytes(dir / L"out" / L"Ä song.mp3") == bytes);
    EXPECT_EQ(LastWrite(dir / L"out" / L"Ä song.mp3"), kOldTime);
    EXPECT_EQ(Names(dir / L"out"), std::vector<std::wstring>{L"Ä song.mp3"}) << "part file left behind";
}

// A stick pulled out right after the rename must find the song's bytes on it, not zeros.
TEST_F(CopyTest, PartFileIsFlushedWithAllItsBytesBeforeItTakesTheName) {
    using Step = copy_seam::Step;
    const std::string bytes = Bytes(600 * 1024 + 7, 9);
    WriteBytes(dir / L"src.mp3", bytes);
    std::vector<std::pair<Step, int64_t>> seen;  // each step with the part file's size then
    copy_seam::SetObserver([&](Step step, HANDLE part) {
        LARGE_INTEGER size{};
        seen.emplace_back(step, GetFileSizeEx(part, &size) ? size.QuadPart : -1);
    });
    ASSERT_TRUE(FileCopy(dir / L"src.mp3", dir / L"dst.mp3"));
    const auto whole = static_cast<int64_t>(bytes.size());
    // A slow disk gets earlier flushes of parts too; the name comes once, after the whole.
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[seen.size() - 2], std::make_pair(Step::Flush, whole));
    EXPECT_EQ(seen.back(), std::make_pair(Step::Rename, whole));
    EXPECT_EQ(std::count_if(seen.begin(), seen.end(), [](const auto& s) { return s.first == Step::Rename; }), 1);
    EXPECT_TRUE(ReadBytes(dir / L"dst.mp3") == bytes);
}

TEST_F(CopyTest, ExistingLongerDestinationIsReplacedWithoutOldTail) {
    WriteBytes(dir / L"src.mp3", Bytes(1000, 2));
    WriteBytes(dir / L"dst.mp3", Bytes(900000, 3));
    ASSERT_TRUE(FileCopy(dir / L"src.mp3", dir / L"dst.mp3"));
    EXPECT_TRUE(ReadBytes(dir / L"dst.mp3") == Bytes(1000, 2));
    EXPECT_EQ(Names(dir), (std::vector<std::wstring>{L"dst.mp3", L"src.mp3"}));
}

TEST_F(CopyTest, FailedCopyReturnsFalseAndCreatesNothing) {
    WriteBytes(dir / L"src.mp3", Bytes(5000, 4));
    fs::create_directory(dir / L"out");
    fs::create_directory(dir / L"out" / L"taken.mp3");
    const struct { const char* why; fs::path source; fs::path dest; } rows[] = {
        {"missing source", dir / L"nothing.mp3", dir / L"out" / L"a.mp3"},
        {"source in a missing folder", dir / L"no" / L"src.mp3", dir / L"out" / L"a.mp3"},
        {"missing destination folder", dir / L"src.mp3", dir / L"out" / L"no" / L"a.mp3"},
        {"source is a folder", dir / L"out", dir / L"out" / L"a.mp3"},
        {"destination is a folder", dir / L"src.mp3", dir / L"out" / L"taken.mp3"},
        {"empty source name", L"", dir / L"out" / L"a.mp3"},
        {"empty destination name", dir / L"src.mp3", L""},
        {"destination ends in a backslash", dir / L"src.mp3", (dir / L"out").wstring() + L"\\"},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(FileCopy(row.source, row.dest)) << row.why;
        EXPECT_EQ(Names(dir / L"out"), std::vector<std::wstring>{L"taken.mp3"}) << row.why;
        EXPECT_TRUE(fs::is_directory(dir / L"out" / L"taken.mp3")) << row.why;
        EXPECT_TRUE(fs::is_empty(dir / L"out" / L"taken.mp3")) << row.why;
    }
    EXPECT_TRUE(ReadBytes(dir / L"src.mp3") == Bytes(5000, 4));
}

TEST_F(CopyTest, NameWithEmbeddedNulIsNotCutShortToAnotherFile) {
    WriteBytes(dir / L"a", Bytes(10, 5));
    const std::wstring cut = (dir / L"a").wstring() + std::wstring(1, L'\0') + L"b";
    EXPECT_FALSE(FileCopy(cut, (dir / L"c").wstring()));
    EXPECT_FALSE(FileCopy((dir / L"a").wstring(), (dir / L"c").wstring() + std::wstring(1, L'\0')));
    EXPECT_FALSE(FileExists(cut));
    EXPECT_EQ(Names(dir), std::vector<std::wstring>{L"a"});
}

TEST_F(CopyTest, CopyOntoItselfLeavesTheFileIntact) {
    const std::string bytes = Bytes(300000, 6);
    WriteBytes(dir / L"song.mp3", bytes);
    SetLastWrite(dir / L"song.mp3", kOldTime);
    fs::create_directory(dir / L"sub");
    const fs::path spellings[] = {
        dir / L"song.mp3",
        dir / L"sub" / L".." / L"song.mp3",
        dir / L"." / L"song.mp3",
    };
    for (const auto& other : spellings) {
        EXPECT_TRUE(FileCopy(dir / L"song.mp3", other)) << other;
        EXPECT_TRUE(ReadBytes(dir / L"song.mp3") == bytes) << other;
        EXPECT_EQ(LastWrite(dir / L"song.mp3"), kOldTime) << other;
    }
    EXPECT_EQ(Names(dir), (std::vector<std::wstring>{L"song.mp3", L"sub"}));
}

TEST_F(CopyTest, ZeroLengthSourceCopiesAndShowsComplete) {
    WriteBytes(dir / L"empty.mp3", "");
    WriteBytes(dir / L"old.mp3", "old bytes");
    for (const wchar_t* dest : {L"new.mp3", L"old.mp3"}) {
        ScriptedHost window;
        window.barValue = 0;  // as a run sets it before each copy
        ASSERT_TRUE(FileCopy(dir / L"empty.mp3", dir / dest, DestinationHint::Unknown, Watch(window))) << dest;
        EXPECT_TRUE(FileExists(dir / dest)) << dest;
        EXPECT_EQ(fs::file_size(dir / dest), 0u) << dest;
        EXPECT_EQ(window.barValue, 100) << dest;
        EXPECT_EQ(window.panels[3], L"Progress: 100%") << dest;
    }
}

// The 50 MB copy, in both languages: the bar rises from 0 to 100 and never falls.
struct Language {
    const mdlLanguage::Texts* texts;
    const wchar_t* label;
};
class LargeCopyTest : public CopyTest, public ::testing::WithParamInterface<Language> {};

TEST_P(LargeCopyTest, ProgressRisesToHundredOncePerChunk) {
    constexpr size_t kSize = 50u * 1024 * 1024;
    const std::string bytes = Bytes(kSize, 7);
    WriteBytes(dir / L"big.flac", bytes);
    ScriptedHost window;
    window.texts = GetParam().texts;

    ASSERT_TRUE(FileCopy(dir / L"big.flac", dir / L"copy.flac", DestinationHint::Unknown, Watch(window)));
    EXPECT_TRUE(ReadBytes(dir / L"copy.flac") == bytes);
    ASSERT_FALSE(window.barValues.empty());
    EXPECT_EQ(window.barValues.front(), 0);
    EXPECT_EQ(window.barValues.back(), 100);
    EXPECT_TRUE(std::is_sorted(window.barValues.begin(), window.barValues.end()));
    // One report before the first byte and one per chunk.
    const size_t chunks = (kSize + tunelift::win::kCopyChunkBytes - 1) / tunelift::win::kCopyChunkBytes;
    EXPECT_EQ(window.barValues.size(), chunks + 1);
    EXPECT_EQ(window.panels[3], std::wstring(GetParam().label) + L": 100%");
}

INSTANTIATE_TEST_SUITE_P(Languages, LargeCopyTest,
                         ::testing::Values(Language{&mdlLanguage::kEnglish, L"Progress"},
                                           Language{&mdlLanguage::kGerman, L"Fortschritt"}),
                         [](const auto& info) { return info.param.label[0] == L'P' ? "English" : "German"; });

TEST_F(CopyTest, DestinationNameNeverHoldsPartialBytesDuringTheCopy) {
    const std::string bytes = Bytes(3 * 1024 * 1024, 8);
    WriteBytes(dir / L"src.mp3", bytes);
    WriteBytes(dir / L"old.mp3", "the old file");
    for (const wchar_t* dest : {L"new.mp3", L"old.mp3"}) {
        const bool existed = fs::exists(dir / dest);
        ScriptedHost window;
        int seenMidway = 0;
        copy_seam::SetChunkBytes(64 * 1024);
        window.onEvent = [&](ScriptedHost&, const tunelift::RunEvent&) {
            if (window.barValue == 100) return;
            ++seenMidway;
            if (existed)
                EXPECT_TRUE(ReadBytes(dir / dest) == "the old file") << "at " << window.barValue << "%";
            else
                EXPECT_FALSE(fs::exists(dir / dest)) << "at " << window.barValue << "%";
            EXPECT_TRUE(fs::exists(dir / CopyPartName(dest))) << "at " << window.barValue << "%";
        };
        ASSERT_TRUE(FileCopy(dir / L"src.mp3", dir / dest, DestinationHint::Unknown, Watch(window)));
        EXPECT_GE(seenMidway, 10);
        EXPECT_TRUE(ReadBytes(dir / dest) == bytes);
    }
    EXPECT_EQ(Names(dir), (std::vector<std::wstring>{L"new.mp3", L"old.mp3", L"src.mp3"}));
}

TEST_F(CopyTest, WriteFailureHalfWayLeavesNoFileAndTheOldFileUnchanged) {
    WriteBytes(dir / L"src.mp3", Bytes(4 * 1024 * 1024, 9));
    WriteBytes(dir / L"old.mp3", "the old file");
    SetLastWrite(dir / L"old.mp3", kOldTime);
    const int chunks = static_cast<int>(4 * 1024 * 1024 / tunelift::win::kCopyChunkBytes);
    for (const int failAt : {1, chunks / 2, chunks}) {
        ScriptedHost window;
        window.barValue = 0;  // as a run sets it before each copy
        copy_seam::FailNthWrite(failAt);
        EXPECT_FALSE(FileCopy(dir / L"src.mp3", dir / L"new.mp3", DestinationHint::Unknown, Watch(window))) << failAt;
        copy_seam::FailNthWrite(failAt);
        EXPECT_FALSE(FileCopy(dir / L"src.mp3", dir / L"old.mp3", DestinationHint::Unknown, Watch(window))) << failAt;
        EXPECT_TRUE(ReadBytes(dir / L"old.mp3") == "the old file") << failAt;
        EXPECT_EQ(LastWrite(dir / L"old.mp3"), kOldTime) << failAt;
        EXPECT_EQ(Names(dir), (std::vector<std::wstring>{L"old.mp3", L"src.mp3"})) << failAt;
        EXPECT_LT(window.barValue, 100) << failAt;
    }
    // The seam fires once: the next copy goes through.
    EXPECT_TRUE(FileCopy(dir / L"src.mp3", dir / L"new.mp3"));
}

TEST_F(CopyTest, ReadOnlyDestinationStaysAndLeavesNoPartFile) {
    WriteBytes(dir / L"src.mp3", Bytes(100000, 10));
    WriteBytes(dir / L"locked.mp3", "keep me");
    ASSERT_TRUE(SetFileAttributesW((dir / L"locked.mp3").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(FileCopy(dir / L"src.mp3", dir / L"locked.mp3"));
    EXPECT_TRUE(ReadBytes(dir / L"locked.mp3") == "keep me");
    EXPECT_EQ(Names(dir), (std::vector<std::wstring>{L"locked.mp3", L"src.mp3"}));
}

TEST_F(CopyTest, LeftoverOfAnInterruptedCopyIsReplacedByTheNextCopy) {
    WriteBytes(dir / L"src.mp3", Bytes(20000, 11));
    WriteBytes(dir / CopyPartName(L"song.mp3"), Bytes(50000, 12));
    ASSERT_TRUE(SetFileAttributesW((dir / CopyPartName(L"song.mp3")).c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(FileCopy(dir / L"src.mp3", dir / L"song.mp3"));
    EXPECT_TRUE(ReadBytes(dir / L"song.mp3") == Bytes(20000, 11));
    EXPECT_EQ(Names(dir), (std::vector<std::wstring>{L"song.mp3", L"src.mp3"}));
}

TEST_F(CopyTest, SecondCopyToTheSameNameFromInsideAProgressReportFailsCleanly) {
    const std::string bytes = Bytes(2 * 1024 * 1024, 13);
    WriteBytes(dir / L"src.mp3", bytes);
    WriteBytes(dir / L"other.mp3", "other");
    ScriptedHost window;
    bool nestedResult = true;
    bool nested = false;
    copy_seam::SetChunkBytes(256 * 1024);
    window.onEvent = [&](ScriptedHost&, const tunelift::RunEvent&) {
        if (nested || window.barValue < 30) return;
        nested = true;
        nestedResult = FileCopy(dir / L"other.mp3", dir / L"dst.mp3");
    };
    ASSERT_TRUE(FileCopy(dir / L"src.mp3", dir / L"dst.mp3", DestinationHint::Unknown, Watch(window)));
    ASSERT_TRUE(nested);
    EXPECT_FALSE(nestedResult);
    EXPECT_TRUE(ReadBytes(dir / L"dst.mp3") == bytes);
    EXPECT_EQ(Names(dir), (std::vector<std::wstring>{L"dst.mp3", L"other.mp3", L"src.mp3"}));
}

TEST_F(CopyTest, DestinationNearThePathLimitStillCopies) {
    // Folder + name just fit in MAX_PATH; the long part name would not.
    const std::wstring name(40, L'n');
    const size_t folderLength = MAX_PATH - 1 - 1 - name.size() - 4;
    const fs::path sub = dir / std::wstring(folderLength - dir.wstring().size() - 1, L'f');
    ASSERT_LT(sub.wstring().size(), static_cast<size_t>(MAX_PATH - 20));
    fs::create_directory(sub);
    const fs::path dest = sub / (name + L".mp3");
    ASSERT_EQ(dest.wstring().size(), static_cast<size_t>(MAX_PATH - 1));
    WriteBytes(dir / L"src.mp3", Bytes(1000, 14));
    ASSERT_TRUE(FileCopy(dir / L"src.mp3", dest));
    EXPECT_TRUE(ReadBytes(dest) == Bytes(1000, 14));
    EXPECT_EQ(Names(sub), std::vector<std::wstring>{name + L".mp3"});
}

TEST_F(CopyTest, FileExistsOnlyForFilesOfAnySize) {
    WriteBytes(dir / L"empty.mp3", "");
    WriteBytes(dir / L"song.mp3", "x");
    fs::create_directory(dir / L"folder");
    const struct { const char* why; std::wstring name; bool exists; } rows[] = {
        {"empty name", L"", false},
        {"missing file", (dir / L"none.mp3").wstring(), false},
        {"file in a missing folder", (dir / L"no" / L"song.mp3").wstring(), false},
        {"a folder", (dir / L"folder").wstring(), false},
        {"a pattern matching a file", (dir / L"*.mp3").wstring(), false},
        {"a ? pattern matching a file", (dir / L"song.mp?").wstring(), false},
        {"zero-length file", (dir / L"empty.mp3").wstring(), true},
        {"one-byte file", (dir / L"song.mp3").wstring(), true},
        {"same file through ..", (dir / L"folder" / L".." / L"song.mp3").wstring(), true},
        {"long-path form", L"\\\\?\\" + (dir / L"song.mp3").wstring(), true},
    };
    for (const auto& row : rows) EXPECT_EQ(FileExists(row.name), row.exists) << row.why;
}

TEST(CopyPartNames, LeftoversAreRecognisedAndMusicIsNot) {
    EXPECT_EQ(CopyPartName(L"song.mp3"), L".song.mp3.tunelift-part");
    EXPECT_EQ(CopyPartName(std::wstring(240, L'x')), L"." + std::wstring(240, L'x') + L".tunelift-part");
    EXPECT_EQ(CopyPartName(std::wstring(241, L'x')), L".tunelift-part") << "beyond 255 characters";
    for (const wchar_t* name : {L"song.mp3", L"", L".mp3", L"a b.flac"})
        EXPECT_TRUE(IsCopyLeftover(CopyPartName(name))) << name;
    EXPECT_TRUE(IsCopyLeftover(CopyPartName(std::wstring(300, L'x'))));
    const struct { const wchar_t* name; bool leftover; } rows[] = {
        {L"song.mp3", false},       {L".hidden.mp3", false},          {L"song.mp3.tunelift-part", false},
        {L"tunelift-part", false},  {L".song.mp3.TUNELIFT-PART", false}, {L".song.mp3.tunelift-part.mp3", false},
        {L".tunelift-part", true},  {L".song.mp3.tunelift-part", true},
    };
    for (const auto& row : rows) EXPECT_EQ(IsCopyLeftover(row.name), row.leftover) << row.name;
}

TEST_F(CopyTest, ProgressRoutineReadsOnlyTheTwoCountsAndAlwaysContinues) {
    ScriptedHost window;
    window.texts = &mdlLanguage::kGerman;
    const tunelift::ProgressReport report = Watch(window);
    LARGE_INTEGER total, done, junk;
    total.QuadPart = 200;
    done.QuadPart = 74;
    junk.QuadPart = -1;
    for (DWORD reason : {DWORD{CALLBACK_STREAM_SWITCH}, DWORD{CALLBACK_CHUNK_FINISHED}, DWORD{77}}) {
        EXPECT_EQ(mdlCopyBar::CopyProgressRoutine(total, done, junk, junk, 9, reason,
                                                  INVALID_HANDLE_VALUE, nullptr, const_cast<tunelift::ProgressReport*>(&report)),
                  static_cast<DWORD>(PROGRESS_CONTINUE));
        EXPECT_EQ(window.panels[3], L"Fortschritt: 37%");
    }
    window.panels[3].clear();
    EXPECT_EQ(mdlCopyBar::CopyProgressRoutine(total, done, junk, junk, 0, 0, nullptr, nullptr, nullptr), 0u);
    EXPECT_TRUE(window.panels[3].empty());
    static_assert(std::is_same_v<decltype(&mdlCopyBar::CopyProgressRoutine), LPPROGRESS_ROUTINE>);
}

}  // namespace
