// Bad playlists through Check and Save runs of the real window, Sync ticked: every run
// ends, every entry ends in " ok" or " error", and nothing outside the destination
// folder is written or deleted. Small playlists live in tests/data/bad-playlists
// ({MUSIC}, {DEST} and {LIST} stand for the sandbox's paths); huge ones are made here.
#include <string>

#include "../faults/tree_snapshot.h"
#include "scratch_folder.h"
#include "window_fixture.h"

namespace tunelift::testing {
namespace {

std::wstring CorpusFolder() {
    std::string file = __FILE__;
    std::wstring path;
    // A Linux build path is reached through Wine's drive Z:.
    if (file.starts_with("/")) path = L"Z:";
    for (const char c : file) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    path.resize(path.rfind(L"\\tests\\"));
    return path + L"\\tests\\data\\bad-playlists";
}

void ReplaceAll(std::string& text, const std::string& token, const std::string& value) {
    for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
}

struct Outcome {
    int ok = -1, entries = -1;  // from the last outcome line; -1 when there is none
};

// The counts of the last "K/N ok" or "K/N error" line.
Outcome LastOutcome(const std::wstring& log) {
    Outcome out;
    const size_t end = log.rfind(L"\r\n---");
    if (end == std::wstring::npos) return out;
    const size_t start = log.rfind(L"\r\n", end - 1);
    const std::wstring line = log.substr(start == std::wstring::npos ? 0 : start + 2, end - (start + 2));
    int ok = 0, entries = 0;
    wchar_t word[8] = {};
    if (swscanf(line.c_str(), L"%d/%d %7ls", &ok, &entries, word) == 3 &&
        (std::wstring(word) == L"ok" || std::wstring(word) == L"error")) {
        out.ok = ok;
        out.entries = entries;
    }
    return out;
}

// The line a Save run ends on: every file copied, or how many were not.
std::wstring EndLine(const Outcome& o) {
    if (o.ok == o.entries) return L"\r\nAll files copied!";
    return L"\r\nFinished: " + std::to_wstring(o.entries - o.ok) + L" of " + std::to_wstring(o.entries) +
           L" songs could not be copied!";
}

// Every outcome line the view shows says ok or error, and an ok raises the ok count.
::testing::AssertionResult EveryShownEntryEnds(const std::wstring& log) {
    // The counts climb within a run; a Save run after a Check run appends to the same
    // slots and starts again, and past the last slot some entries are not shown.
    int lastEntries = -1, lastOk = 0;
    for (size_t end = log.find(L"\r\n---"); end != std::wstring::npos; end = log.find(L"\r\n---", end + 5)) {
        const size_t start = log.rfind(L"\r\n", end - 1);
        const std::wstring line = log.substr(start + 2, end - start - 2);
        int ok = 0, entries = 0;
        wchar_t word[8] = {};
        if (swscanf(line.c_str(), L"%d/%d %7ls", &ok, &entries, word) != 3 ||
            (std::wstring(word) != L"ok" && std::wstring(word) != L"error"))
            return ::testing::AssertionFailure() << "a block without an outcome";
        const bool isOk = std::wstring(word) == L"ok";
        const bool newRun = entries <= lastEntries;
        const bool next = entries == lastEntries + 1;
        if (ok < 0 || ok > entries || (isOk && !newRun && ok <= lastOk) ||
            (next && ok != lastOk + (isOk ? 1 : 0)))
            return ::testing::AssertionFailure() << "counts " << ok << "/" << entries << " " << word;
        lastEntries = entries;
        lastOk = ok;
    }
    return ::testing::AssertionSuccess();
}

struct Case {
    const char* name;    // corpus file, or a name for a made one
    std::string made;    // the playlist's bytes when made here
    bool noPlaylist;
    int checkOk, saveOk, entries;
};

class BadInput : public WindowTest {
protected:
    // Sandbox: Music (sources), Lists (the playlist), Player (the destination, with a
    // file the list names through {DEST} and a stray one), and a file beside them.
    void Prepare(ScratchFolder& root) {
        root.MakeFolder(L"Music");
        root.MakeFolder(L"Lists");
        root.MakeFolder(L"Player");
        for (const wchar_t* n : {L"a.mp3", L"b.mp3", L"c.mp3", L"d.mp3"})
            root.WriteFile(std::wstring(L"Music\\") + n, "song " + Utf8(n));
        root.WriteFile(L"Music\\" + std::wstring(230, L'e') + L".mp3", "long name");
        root.WriteFile(L"Player\\inside.mp3", "already on the player");
        root.WriteFile(L"Player\\stray.txt", "not in any list");
        root.WriteFile(L"beside.txt", "beside the folders");
    }

    std::string Bytes(const Case& c, const ScratchFolder& root, const std::wstring& list) {
        std::string bytes = c.made.empty() ? ReadWhole(CorpusFolder() + L"\\" + std::wstring(c.name, c.name + strlen(c.name)))
                                           : c.made;
        ReplaceAll(bytes, "{MUSIC}", Utf8(root / L"Music"));
        ReplaceAll(bytes, "{DEST}", Utf8(root / L"Player"));
        ReplaceAll(bytes, "{LIST}", Utf8(list));
        return bytes;
    }

    std::wstring Run(int button, const std::wstring& list, const std::wstring& dest, bool overwrite) {
        SetText(ids::txtPathfrom, list);
        SetText(ids::txtPathto, dest);
        SendMessageW(Item(ids::chkKill), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(Item(ids::chkExists), BM_SETCHECK, overwrite ? BST_CHECKED : BST_UNCHECKED, 0);
        Click(button);
        Pump();
        return Text(ids::txtPlaylist);
    }

    // Each file in the destination is what it was, a whole copy of a source or of the
    // playlist, or gone (Sync).
    void ExpectOnlyCopiesIn(const TreeSnapshot& before, const TreeSnapshot& after, const ScratchFolder& root,
                            const std::wstring& list) {
        const TreeSnapshot music = Snapshot(root / L"Music");
        const std::string listBytes = ReadWhole(list);
        for (const auto& [name, bytes] : after) {
            const auto old = before.find(name);
            bool known = (old != before.end() && old->second == bytes) || bytes == listBytes;
            for (const auto& [source, content] : music) known = known || content == bytes;
            EXPECT_TRUE(known) << "destination file holds something new";
        }
    }

    void RunCase(const Case& c) {
        SCOPED_TRACE(c.name);
        ScratchFolder root(L"tunelift-bad-");
        Prepare(root);
        const std::wstring list = root / (L"Lists\\" + std::wstring(c.name, c.name + strlen(c.name)));
        root.WriteFile(L"Lists\\" + list.substr(list.rfind(L'\\') + 1), Bytes(c, root, list));
        const std::wstring player = root / L"Player";
        const TreeSnapshot outsideBefore = Snapshot(root.path(), {L"Player"});
        const TreeSnapshot playerBefore = Snapshot(player);

        const std::wstring check = Run(ids::cmdFind, list, player, false);
        EXPECT_EQ(SnapshotDiff(playerBefore, Snapshot(player)), "") << "a Check run writes nothing";
        for (const bool overwrite : {false, true}) {
            SCOPED_TRACE(overwrite ? "Save, overwrite on" : "Save, overwrite off");
            const TreeSnapshot before = Snapshot(player);
            const std::wstring save = Run(ids::cmdSave, list, player, overwrite);
            ExpectOnlyCopiesIn(before, Snapshot(player), root, list);
            EXPECT_EQ(SnapshotDiff(outsideBefore, Snapshot(root.path(), {L"Player"})), "")
                << "written or deleted outside the destination";
            if (c.noPlaylist) {
                EXPECT_EQ(save, L"No playlist found!");
                EXPECT_EQ(SnapshotDiff(playerBefore, Snapshot(player)), "");
                continue;
            }
            EXPECT_TRUE(EveryShownEntryEnds(save));
            const Outcome o = LastOutcome(save);
            EXPECT_TRUE(save.ends_with(EndLine(o))) << "the run ended";
            EXPECT_EQ(o.entries, c.entries);
            EXPECT_EQ(o.ok, c.saveOk);
        }
        if (c.noPlaylist) {
            EXPECT_EQ(check, L"No playlist found!");
            return;
        }
        EXPECT_TRUE(check.ends_with(L"\r\nSearch finished!"));
        EXPECT_TRUE(EveryShownEntryEnds(check));
        const Outcome o = LastOutcome(check);
        EXPECT_EQ(o.entries, c.entries);
        EXPECT_EQ(o.ok, c.checkOk);
    }
};

TEST_F(BadInput, CorpusPlaylistsEndEveryEntryAndTouchNothingOutside) {
    const Case cases[] = {
        {"binary-garbage.m3u", "", true, 0, 0, 0},
        {"nul-bytes.m3u", "", false, 1, 1, 3},
        {"invalid-utf8.m3u", "", false, 1, 1, 3},
        // LF alone ends a line too; "\r\r\n" holds a blank line, which the list goes on after.
        {"mixed-line-ends.m3u", "", false, 4, 4, 4},
        {"long-paths.m3u", "", false, 2, 2, 4},
        {"reserved-names.m3u", "", false, 1, 1, 6},
        {"reserved-names.pls", "", false, 1, 1, 4},
        {"forbidden-characters.m3u", "", false, 1, 1, 9},
        {"traversal.pls", "", false, 1, 1, 7},
        {"traversal.m3u", "", false, 1, 1, 5},
        {"urls.m3u", "", false, 1, 1, 5},
        {"urls.pls", "", false, 0, 0, 3},
        {"self-reference.mp3", "", false, 2, 2, 2},
        {"entry-inside-destination.m3u", "", false, 2, 2, 3},
    };
    for (const Case& c : cases) RunCase(c);
}

TEST_F(BadInput, GarbageAfterAValidHeaderCopiesNothing) {
    ScratchFolder root(L"tunelift-bad-");
    Prepare(root);
    const std::wstring list = root / L"Lists\\garbage.m3u";
    root.WriteFile(L"Lists\\garbage.m3u", ReadWhole(CorpusFolder() + L"\\garbage-after-header.m3u"));
    const TreeSnapshot outside = Snapshot(root.path(), {L"Player"});
    const TreeSnapshot before = Snapshot(root / L"Player");
    for (const int button : {ids::cmdFind, ids::cmdSave}) {
        const std::wstring log = Run(button, list, root / L"Player", true);
        EXPECT_TRUE(EveryShownEntryEnds(log));
        const Outcome o = LastOutcome(log);
        EXPECT_TRUE(log.ends_with(button == ids::cmdSave ? EndLine(o) : L"\r\nSearch finished!"));
        if (o.entries >= 0) {
            EXPECT_EQ(o.ok, 0);
        }
    }
    ExpectOnlyCopiesIn(before, Snapshot(root / L"Player"), root, list);
    EXPECT_EQ(SnapshotDiff(outside, Snapshot(root.path(), {L"Player"})), "");
}

// A 10 MB line (TUNELIFT_LONG_LINE_BYTES sets another length). The window shows only the
// start and end of so long a line; the run handles it whole.
TEST_F(BadInput, LongLineRunsToTheEnd) {
    size_t bytes = 10 << 20;
    wchar_t value[32];
    if (GetEnvironmentVariableW(L"TUNELIFT_LONG_LINE_BYTES", value, 32) > 0) bytes = wcstoul(value, nullptr, 10);
    RunCase({"long-line.m3u", "#EXTM3U\r\n{MUSIC}\\" + std::string(bytes, 'x') + ".mp3\r\n{MUSIC}\\a.mp3\r\n", false,
             1, 1, 2});
}

TEST_F(BadInput, HundredThousandLinesM3uRunsToTheEnd) {
    // Comments, with an entry of a present file every 1000 lines and of a missing one
    // 500 lines later.
    std::string many = "#EXTM3U\r\n";
    for (int n = 2; n <= 100000; ++n) {
        if (n % 1000 == 0) many += "{MUSIC}\\a.mp3\r\n";
        else if (n % 1000 == 500) many += "{MUSIC}\\missing" + std::to_string(n) + ".mp3\r\n";
        else many += "#EXTINF:" + std::to_string(n) + ",Artist - Title\r\n";
    }
    RunCase({"hundred-thousand-lines.m3u", many, false, 100, 100, 200});
}

TEST_F(BadInput, HundredThousandLinesPlsRunsToTheEnd) {
    std::string many = "[playlist]\r\n";
    for (int n = 2; n <= 100000; ++n)
        many += n % 5000 == 0 ? "File" + std::to_string(n) + "={MUSIC}\\b.mp3\r\n" : "Title" + std::to_string(n) + "=x\r\n";
    RunCase({"hundred-thousand-lines.pls", many, false, 20, 20, 20});
}

// The user names the playlist's own folder as the destination with Sync: what the list
// does not name goes, but the list itself stays.
TEST_F(BadInput, DestinationIsThePlaylistsOwnFolder) {
    ScratchFolder root(L"tunelift-bad-");
    Prepare(root);
    const std::wstring lists = root / L"Lists";
    root.WriteFile(L"Lists\\list.m3u", "#EXTM3U\r\n" + Utf8(root / L"Music\\a.mp3") + "\r\n");
    root.WriteFile(L"Lists\\stray.txt", "unnamed");
    const TreeSnapshot outside = Snapshot(root.path(), {L"Lists"});
    const std::wstring log = Run(ids::cmdSave, lists + L"\\list.m3u", lists, false);
    EXPECT_TRUE(log.ends_with(L"1/1 ok\r\n---\r\nAll files copied!"));
    EXPECT_EQ(SnapshotDiff({{L"list.m3u", "#EXTM3U\r\n" + Utf8(root / L"Music\\a.mp3") + "\r\n"},
                            {L"a.mp3", "song a.mp3"}},
                           Snapshot(lists)),
              "")
        << "stray file synced away, playlist kept";
    EXPECT_EQ(SnapshotDiff(outside, Snapshot(root.path(), {L"Lists"})), "");
}

}  // namespace
}  // namespace tunelift::testing
