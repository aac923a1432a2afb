// Runs whose copies fail, and Sync over a destination that holds the playlist itself.
#include <gtest/gtest.h>

#include <set>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

// Copies of the named sources fail the way a full disk or a locked file fails them:
// nothing changes under the destination name.
class FailingFiles : public MemoryFiles {
public:
    std::set<std::wstring> failing;
    bool FileCopy(const std::wstring& source, const std::wstring& dest, const ProgressReport& progress) override {
        if (failing.count(source)) {
            copies.emplace_back(source, dest);
            return false;
        }
        return MemoryFiles::FileCopy(source, dest, progress);
    }
};

class FaultRun : public RunFixture<FailingFiles> {
protected:
    void SetUp() override {
        RunFixture::SetUp();
        files.AddFile(L"C:\\Music\\a.mp3", L"new a");
        files.AddFile(L"C:\\Music\\b.mp3", L"new b");
    }
};

TEST_F(FaultRun, FailedOverwriteOfAnOlderCopyLogsErrorAndKeepsTheOlderCopy) {
    files.AddFile(host.pathFrom, L"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
    files.AddFile(L"E:\\Player\\a.mp3", L"old a");
    files.failing.insert(L"C:\\Music\\a.mp3");
    host.overwrite = 1;
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_NE(host.logText.find(L"0/1 error"), std::wstring::npos) << host.logText;
    EXPECT_NE(host.logText.find(L"1/2 ok"), std::wstring::npos) << "the run goes on";
    EXPECT_TRUE(host.logText.ends_with(L"Finished: 1 of 2 songs could not be copied!"));
    EXPECT_EQ(files.Content(L"E:\\Player\\a.mp3"), L"old a");
    EXPECT_EQ(files.Content(L"E:\\Player\\b.mp3"), L"new b");
}

TEST_F(FaultRun, FailedPlsNameFormCopyOverAnExistingFileLogsError) {
    files.AddFile(host.pathFrom, L"[playlist]\r\nFile1=a.mp3\r\n");
    files.AddFile(L"E:\\Player\\a.mp3", L"old a");
    files.failing.insert(L"a.mp3");
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_NE(host.logText.find(L"0/1 error"), std::wstring::npos) << host.logText;
}

TEST_F(FaultRun, EntryNotCopiedBecauseItExistsStaysOk) {
    files.AddFile(host.pathFrom, L"C:\\Music\\a.mp3\r\n");
    files.AddFile(L"E:\\Player\\a.mp3", L"old a");
    files.failing.insert(L"C:\\Music\\a.mp3");
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_TRUE(files.copies.empty());
    EXPECT_NE(host.logText.find(L"1/1 ok"), std::wstring::npos) << host.logText;
}

TEST_F(FaultRun, SyncIntoThePlaylistsOwnFolderKeepsThePlaylist) {
    host.pathFrom = L"E:\\Player\\mix.m3u";
    files.AddFile(host.pathFrom, L"C:\\Music\\a.mp3\r\n");
    files.AddFile(L"E:\\Player\\stray.ogg", L"stray");
    host.sync = 1;
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_TRUE(files.Has(L"E:\\Player\\mix.m3u"));
    EXPECT_FALSE(files.Has(L"E:\\Player\\stray.ogg")) << "the rest is still synced";
    EXPECT_EQ(files.Content(L"E:\\Player\\a.mp3"), L"new a");
}

TEST_F(FaultRun, PlaylistElsewhereIsNoReasonToKeepAFileOfTheSameName) {
    files.AddFile(host.pathFrom, L"C:\\Music\\a.mp3\r\n");
    files.AddFile(L"E:\\Player\\mix.m3u", L"a stale copy of a list");
    host.sync = 1;
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_FALSE(files.Has(L"E:\\Player\\mix.m3u"));
    EXPECT_TRUE(files.Has(host.pathFrom));
}

}  // namespace
}  // namespace tunelift::testing
