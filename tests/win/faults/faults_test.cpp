// Save runs through the real window whose copies meet a full disk, a read-only or
// locked destination file, an unreadable source, or a destination folder that goes away.
#include <functional>

#include "scratch_folder.h"
#include "tree_snapshot.h"
#include "window_fixture.h"
#include "win/file_copy_win.h"
#include "win/file_services_win.h"

namespace tunelift::testing {
namespace {

class FaultRun : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        dir.MakeFolder(L"Music");
        dir.MakeFolder(L"Player");
        music = dir / L"Music";
        player = dir / L"Player";
    }
    void TearDown() override {
        win::copy_seam::FailNthWrite(0);
        win::copy_seam::SetChunkBytes(0);
        WindowTest::TearDown();
    }

    // a.mp3, b.mp3 (1 MB, many chunks) and c.mp3, in that order.
    void ThreeSongs() {
        dir.WriteFile(L"Music\\a.mp3", "song a");
        dir.WriteSizedFile(L"Music\\b.mp3", 1 << 20);
        dir.WriteFile(L"Music\\c.mp3", "song c");
        std::string list;
        for (const wchar_t* n : {L"a.mp3", L"b.mp3", L"c.mp3"}) list += Utf8(music + L"\\" + n) + "\r\n";
        dir.WriteFile(L"list.m3u", list);
    }
    void Options(bool overwrite, bool sync) {
        SendMessageW(Item(ids::chkExists), BM_SETCHECK, overwrite ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageW(Item(ids::chkKill), BM_SETCHECK, sync ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    std::wstring SaveRun() {
        SetText(ids::txtPathfrom, dir / L"list.m3u");
        SetText(ids::txtPathto, player);
        Click(ids::cmdSave);
        Pump();
        return Text(ids::txtPlaylist);
    }
    static std::string Narrow(const std::wstring& w) {
        std::string s;
        for (const wchar_t c : w) s.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        return s;
    }
    static bool Has(const std::wstring& log, const std::wstring& piece) {
        return log.find(piece) != std::wstring::npos;
    }

    ScratchFolder dir;
    std::wstring music, player;
};

TEST_F(FaultRun, DiskFullMidCopyLogsErrorRemovesThePartAndKeepsTheOlderCopy) {
    struct Row { bool olderCopy, sync; };
    for (const Row row : {Row{true, false}, Row{true, true}, Row{false, false}, Row{false, true}}) {
        SCOPED_TRACE(::testing::Message() << "older copy " << row.olderCopy << ", sync " << row.sync);
        ThreeSongs();
        RemoveTree(player);
        dir.MakeFolder(L"Player");
        if (row.olderCopy) dir.WriteFile(L"Player\\b.mp3", "older b");
        Options(true, row.sync);
        win::copy_seam::SetChunkBytes(64 * 1024);
        // a.mp3 takes one write; b.mp3's fifth of sixteen finds the disk full.
        win::copy_seam::FailNthWrite(1 + 5);
        const std::wstring log = SaveRun();
        win::copy_seam::FailNthWrite(0);

        EXPECT_TRUE(Has(log, L"1/1 ok")) << "a";
        EXPECT_TRUE(Has(log, L"1/2 error")) << "b" << Narrow(log);
        EXPECT_TRUE(Has(log, L"2/3 ok")) << "the run goes on with c";
        EXPECT_TRUE(Has(log, L"---\r\nFinished: 1 of 3 songs could not be copied!"));
        TreeSnapshot expected = {{L"a.mp3", "song a"}, {L"c.mp3", "song c"}};
        if (row.olderCopy) expected[L"b.mp3"] = "older b";
        EXPECT_EQ(SnapshotDiff(expected, Snapshot(player)), "") << "no part file, older copy intact";
    }
}

// One entry's copy meets an obstacle; the entry logs an error, nothing under Player
// changes, the entries around it are copied.
TEST_F(FaultRun, BlockedCopiesLogErrorChangeNothingAndTheRunGoesOn) {
    struct Row {
        const char* what;
        std::function<HANDLE(const std::wstring& music, const std::wstring& player)> block;  // returns a handle to close afterwards, or null
        bool olderCopy;
    };
    const Row rows[] = {
        {"read-only destination file",
         [](const std::wstring&, const std::wstring& player) {
             SetFileAttributesW((player + L"\\b.mp3").c_str(), FILE_ATTRIBUTE_READONLY);
             return HANDLE(nullptr);
         },
         true},
        {"destination file open without sharing",
         [](const std::wstring&, const std::wstring& player) {
             return CreateFileW((player + L"\\b.mp3").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         },
         true},
        {"source open without sharing, older copy",
         [](const std::wstring& music, const std::wstring&) {
             return CreateFileW((music + L"\\b.mp3").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
         },
         true},
        {"source open without sharing, no copy yet",
         [](const std::wstring& music, const std::wstring&) {
             return CreateFileW((music + L"\\b.mp3").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
         },
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ThreeSongs();
        RemoveTree(player);
        dir.MakeFolder(L"Player");
        if (row.olderCopy) dir.WriteFile(L"Player\\b.mp3", "older b");
        Options(true, false);
        const HANDLE held = row.block(music, player);
        if (held) {
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        const TreeSnapshot before = Snapshot(dir.path(), {L"Player"});
        const std::wstring log = SaveRun();
        const TreeSnapshot after = Snapshot(dir.path(), {L"Player"});
        if (held) CloseHandle(held);

        EXPECT_TRUE(Has(log, L"1/2 error")) << "b" << Narrow(log);
        EXPECT_TRUE(Has(log, L"2/3 ok")) << "c";
        EXPECT_TRUE(Has(log, L"---\r\nFinished: 1 of 3 songs could not be copied!"));
        TreeSnapshot expected = {{L"a.mp3", "song a"}, {L"c.mp3", "song c"}};
        if (row.olderCopy) expected[L"b.mp3"] = "older b";
        EXPECT_EQ(SnapshotDiff(expected, Snapshot(player)), "");
        EXPECT_EQ(SnapshotDiff(before, after), "") << "sources untouched";
        SetFileAttributesW((player + L"\\b.mp3").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// The stick is pulled out before the third copy: the folder is renamed away (what is on
// the stick survives elsewhere) or removed. Later entries fail; Sync deletes nothing.
TEST_F(FaultRun, DestinationFolderGoneMidRunFailsLaterEntriesAndSyncDeletesNothing) {
    for (const bool removed : {false, true}) {
        SCOPED_TRACE(removed ? "folder removed" : "folder renamed");
        RemoveTree(dir / L"Pulled");
        RemoveTree(player);
        dir.MakeFolder(L"Player");
        std::string list;
        for (const wchar_t* n : {L"a.mp3", L"b.mp3", L"c.mp3", L"d.mp3"}) {
            dir.WriteFile(std::wstring(L"Music\\") + n, Utf8(n));
            list += Utf8(music + L"\\" + n) + "\r\n";
        }
        dir.WriteFile(L"list.m3u", list);
        dir.WriteFile(L"Player\\stray.ogg", "not in the list");
        Options(false, true);
        const int first = hooked->Copies();
        hooked->beforeCopy = [&](int n) {
            if (n != first + 3) return;
            if (removed) {
                RemoveTree(player);
                ASSERT_EQ(GetFileAttributesW(player.c_str()), INVALID_FILE_ATTRIBUTES)
                    << "cannot remove, error " << (RemoveDirectoryW(player.c_str()) ? 0 : GetLastError());
            }
            else ASSERT_TRUE(MoveFileW(player.c_str(), (dir / L"Pulled").c_str()));
        };
        const TreeSnapshot before = Snapshot(dir.path(), {L"Player"});
        const std::wstring log = SaveRun();
        hooked->beforeCopy = nullptr;

        EXPECT_TRUE(Has(log, L"2/2 ok")) << Narrow(log);
        EXPECT_TRUE(Has(log, L"2/3 error"));
        EXPECT_TRUE(Has(log, L"2/4 error"));
        EXPECT_TRUE(Has(log, L"---\r\nFinished: 2 of 4 songs could not be copied!"));
        EXPECT_FALSE(dir.Exists(L"Player")) << "nothing recreated the folder";
        TreeSnapshot after = Snapshot(dir.path(), {L"Player"});
        if (!removed) {
            EXPECT_EQ(SnapshotDiff({{L"a.mp3", "a.mp3"}, {L"b.mp3", "b.mp3"}, {L"stray.ogg", "not in the list"}},
                                   Snapshot(dir / L"Pulled")),
                      "")
                << "the stick's files survive where they went";
            for (auto it = after.begin(); it != after.end();)
                it = it->first.starts_with(L"Pulled") ? after.erase(it) : std::next(it);
        }
        EXPECT_EQ(SnapshotDiff(before, after), "") << "nothing written or deleted elsewhere";
    }
}

}  // namespace
}  // namespace tunelift::testing
