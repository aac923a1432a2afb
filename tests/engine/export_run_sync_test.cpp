// A Save run with Sync ticked: what it deletes, and everything it must never delete.
#include <gtest/gtest.h>

#include <algorithm>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

class SyncRun : public RunFixture<> {
protected:
    void SetUp() override {
        RunFixture::SetUp();
        host.sync = 1;
        files.AddFolder(L"E:\\Player\\Sub");
        files.AddFolder(L"E:\\Other");
        for (auto n : {L"a.mp3", L"b.mp3"}) files.AddFile(std::wstring(L"C:\\Music\\") + n, n);
        files.AddFile(kList, L"#EXTM3U\r\nC:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
        for (auto n : {L"cover.jpg", L"notes.txt", L"old.wma", L"mix.m3u", L"stale.mp3"}) files.AddFile(kDest + L"\\" + n);
        files.AddFile(L"E:\\Player\\Sub\\keep.mp3");
        files.AddFile(L"E:\\Other\\x.mp3");
    }
};

TEST_F(SyncRun, SaveDeletesEverythingTheListDoesNotNameDirectlyInTheDestination) {
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_TRUE(files.Has(L"E:\\Player\\a.mp3"));
    EXPECT_TRUE(files.Has(L"E:\\Player\\b.mp3"));
    for (auto n : {L"cover.jpg", L"notes.txt", L"old.wma", L"mix.m3u", L"stale.mp3"})
        EXPECT_FALSE(files.Has(kDest + L"\\" + n)) << std::wstring(n).size();
    EXPECT_TRUE(files.Has(L"E:\\Player\\Sub\\keep.mp3")) << "subfolders are never touched";
    EXPECT_TRUE(files.Has(L"E:\\Other\\x.mp3"));
    EXPECT_EQ(host.panels[1], L"Killing Files");
    EXPECT_EQ(host.panels[2].rfind(L"Killing: ", 0), 0u);
    EXPECT_EQ(host.barMax, 100);
    EXPECT_NE(host.logText.find(L"All files copied!"), std::wstring::npos);
}

TEST_F(SyncRun, AFileNamedInOtherLetterCaseIsKept) {
    files.AddFile(kList, L"C:\\Music\\A.MP3\r\n");
    files.AddFile(L"C:\\Music\\A.MP3", L"a");
    files.AddFile(L"E:\\Player\\a.mp3", L"on the player");
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_TRUE(files.Has(L"E:\\Player\\a.mp3"));
    EXPECT_NE(host.logText.find(L"1/1 ok"), std::wstring::npos);
}

TEST_F(SyncRun, CheckRunAndPlaylistFileRunListButNeverDelete) {
    EXPECT_EQ(Check(), RunEnd::Finished);
    EXPECT_TRUE(state.sync.HasListing());
    EXPECT_TRUE(files.removed.empty());

    files.AddFile(kList, L"[playlist]\r\nFile1=C:\\Music\\a.mp3\r\n");
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_TRUE(state.sync.HasListing());
    EXPECT_TRUE(files.removed.empty());
    EXPECT_TRUE(files.Has(L"E:\\Player\\cover.jpg"));
}

TEST_F(SyncRun, CancelBeforeTheLastEntryDeletesNothing) {
    files.duringCopy = [&](const std::wstring& source) { if (source == L"C:\\Music\\a.mp3") state.bCancel = true; };
    EXPECT_EQ(Save(), RunEnd::Canceled);
    EXPECT_TRUE(files.removed.empty());
    EXPECT_TRUE(files.Has(L"E:\\Player\\cover.jpg"));
}

TEST_F(SyncRun, CancelDuringTheLastCopyStillDeletes) {
    files.duringCopy = [&](const std::wstring& source) { if (source == L"C:\\Music\\b.mp3") state.bCancel = true; };
    EXPECT_EQ(Save(), RunEnd::Canceled);
    EXPECT_FALSE(files.Has(L"E:\\Player\\cover.jpg"));
    EXPECT_TRUE(files.Has(L"E:\\Player\\b.mp3"));
}

TEST_F(SyncRun, EntriesRecordedButNotCopiedKeepTheirFiles) {
    files.AddFile(kList, L"C:\\Music\\gone.mp3\r\nC:\\Music\\a.mp3\r\n");
    files.AddFile(L"E:\\Player\\gone.mp3", L"only copy left");
    files.AddFile(L"E:\\Player\\a.mp3", L"older");
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_EQ(files.Content(L"E:\\Player\\gone.mp3"), L"only copy left");
    EXPECT_EQ(files.Content(L"E:\\Player\\a.mp3"), L"older") << "overwrite is off";
}

TEST_F(SyncRun, NoEntryRecordedDeletesEveryFileDirectlyInside) {
    files.AddFile(kList, L"#EXTM3U\r\nC:\\Music\\a.ogg\r\n");
    EXPECT_EQ(Save(), RunEnd::Finished);
    for (auto n : {L"cover.jpg", L"notes.txt", L"old.wma", L"mix.m3u", L"stale.mp3"})
        EXPECT_FALSE(files.Has(kDest + L"\\" + n));
    EXPECT_TRUE(files.Has(L"E:\\Player\\Sub\\keep.mp3"));
}

TEST_F(SyncRun, TrailingBackslashDeletesTheSameFiles) {
    host.pathTo = L"E:\\Player\\";
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_FALSE(files.Has(L"E:\\Player\\cover.jpg"));
    for (const auto& path : files.removed) EXPECT_EQ(path.find(L"\\\\"), std::wstring::npos) << "one separator";
}

TEST_F(SyncRun, SyncTickedAfterTheStartDeletesNothing) {
    host.sync = 0;
    host.onEvent = [](ScriptedHost& h, const RunEvent&) { h.sync = 1; };
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_TRUE(files.removed.empty());
    EXPECT_TRUE(files.Has(L"E:\\Player\\cover.jpg"));
}

TEST_F(SyncRun, EarlierRunsListingIsNeverUsed) {
    // A Check run lists the destination ...
    EXPECT_EQ(Check(), RunEnd::Finished);
    // ... a Save run that starts with Sync off and ticks it later has no listing of its own.
    host.sync = 0;
    host.onEvent = [](ScriptedHost& h, const RunEvent&) { h.sync = 1; };
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_TRUE(files.removed.empty());
}

TEST_F(SyncRun, DestinationEditedMidRunDeletesOnlyInTheListedFolder) {
    host.onEvent = [&](ScriptedHost& h, const RunEvent&) {
        if (files.Has(L"E:\\Player\\a.mp3")) h.pathTo = L"E:\\Other";
    };
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_EQ(host.pathTo, L"E:\\Other");
    EXPECT_TRUE(files.Has(L"E:\\Other\\x.mp3"));
    EXPECT_FALSE(files.Has(L"E:\\Other\\b.mp3"));
    EXPECT_FALSE(files.Has(L"E:\\Player\\cover.jpg"));
    for (const auto& path : files.removed) EXPECT_EQ(path.rfind(L"E:\\Player\\", 0), 0u);
    EXPECT_TRUE(files.Has(L"E:\\Player\\a.mp3"));
}

TEST_F(SyncRun, DestinationChangedWhileListingDropsTheListing) {
    // Edited as the run starts, before it lists the destination.
    host.onEvent = [](ScriptedHost& h, const RunEvent& e) {
        if (std::holds_alternative<run_event::Started>(e)) h.pathTo = L"E:\\Other";
    };
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_TRUE(files.removed.empty()) << "the listing was of another folder than the copies";
    EXPECT_TRUE(files.Has(L"E:\\Other\\a.mp3"));
}

}  // namespace
}  // namespace tunelift::testing
