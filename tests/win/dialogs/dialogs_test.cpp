// The playlist dialog, the folder picker and the File menu chains, answered through the
// scripted modal seam: what lands in the boxes, what the dialogs are asked for, and
// where relative playlist entries are looked up afterwards.
#include <shlobj.h>

#include <functional>
#include <optional>

#include "dialogs_fixture.h"
#include "ui/folder_open_win.h"

namespace tunelift::testing {
namespace {

constexpr wchar_t kFilter[] =
    L"Playlists (*.m3u,*.txt)|*.m3u;*.txt|M3U Playlists (*.m3u)|*.m3u|TXT Playlists (*.txt)|*.txt";
constexpr wchar_t kPickerTitle[] = L"Bitte Ordner ausw\u00e4hlen";
// The shell's "Computer" item: a folder of the namespace with no file-system path.
constexpr wchar_t kComputer[] = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

class Dialogs : public DialogTest {
protected:
    void Command(int id) {
        if (id == ids::cmdSearch || id == ids::cmdSearch2) {
            Click(id);
        } else {
            Menu(id);
        }
        Pump();
    }
};

TEST_F(Dialogs, EveryCommandReachesItsDialogsAndChainsGoOnAfterACancel) {
    struct Row {
        const char* name;
        int id;
        std::vector<std::wstring> shown;
    };
    const Row rows[] = {
        {"cmdSearch", ids::cmdSearch, {L"open"}},
        {"cmdSearch2", ids::cmdSearch2, {L"folder"}},
        {"mnuOpen", ids::mnuOpen, {L"open"}},
        {"mnuDest", ids::mnuDest, {L"folder"}},
        {"mnuOpenSearch", ids::mnuOpenSearch, {L"open", L"folder"}},
        {"mnuOSR", ids::mnuOSR, {L"open", L"folder", L"box:Please select a playlist!"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        modal.shown.clear();
        Command(row.id);  // nothing scripted: every dialog is cancelled
        EXPECT_EQ(modal.shown, row.shown);
    }
}

TEST_F(Dialogs, OpenSearchAndRunWithBothDialogsCancelledRefusesWithTheRunsOwnBox) {
    Menu(ids::mnuOSR);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].text, L"Please select a playlist!");
    EXPECT_EQ(modal.boxes[0].title, L"Error");
    EXPECT_EQ(modal.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(Text(ids::txtPathfrom), L"");
    EXPECT_EQ(Text(ids::txtPathto), L"");
}

TEST_F(Dialogs, OpenSearchAndRunWithOnlyTheFolderCancelledRefusesTheDestination) {
    modal.openAnswers = {dir / L"list.m3u"};
    Menu(ids::mnuOSR);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].text, L"Please select a destination directory!");
}

TEST_F(Dialogs, CancelBeforeAnyConfirmationEmptiesThePlaylistBox) {
    ASSERT_EQ(Text(ids::txtPathfrom), L"Open playlist");
    Command(ids::cmdSearch);
    EXPECT_EQ(Text(ids::txtPathfrom), L"");

    SetText(ids::txtPathfrom, L"C:\\typed.m3u");
    Command(ids::mnuOpen);
    EXPECT_EQ(Text(ids::txtPathfrom), L"");
}

TEST_F(Dialogs, CancelBringsBackTheLastConfirmedFileOverATypedOrDroppedPath) {
    const std::wstring first = dir / L"first.m3u";
    modal.openAnswers = {first, std::nullopt, std::nullopt};
    Command(ids::cmdSearch);
    ASSERT_EQ(Text(ids::txtPathfrom), first);

    SetText(ids::txtPathfrom, L"C:\\other.m3u");
    Command(ids::cmdSearch);
    EXPECT_EQ(Text(ids::txtPathfrom), first);

    Drop(ids::txtPathfrom, {dir / L"dropped.m3u"});
    ASSERT_EQ(Text(ids::txtPathfrom), dir / L"dropped.m3u");
    Command(ids::mnuOpen);
    EXPECT_EQ(Text(ids::txtPathfrom), first);

    // The dialog starts from the name it last confirmed, not from the box.
    ASSERT_EQ(modal.opens.size(), 3u);
    EXPECT_EQ(modal.opens[0].request.fileName, L"");
    EXPECT_EQ(modal.opens[1].request.fileName, first);
    EXPECT_EQ(modal.opens[2].request.fileName, first);
}

TEST_F(Dialogs, NameOfAMissingFileLandsUnchanged) {
    const std::wstring names[] = {
        dir / L"Not There.M3U",
        dir / L"no such folder\\list.txt",
        L"list.m3u",
        dir / L"Playlist \u00f6ffnen \u00e4\u00df.m3u",
    };
    for (const std::wstring& name : names) {
        modal.openAnswers = {name};
        Command(ids::cmdSearch);
        EXPECT_EQ(Text(ids::txtPathfrom), name);
    }
}

TEST_F(Dialogs, OpenDialogIsAskedForTheThreePlaylistChoicesInOrder) {
    ChooseLanguage(L"Deutsch");
    Command(ids::cmdSearch);
    ASSERT_EQ(modal.opens.size(), 1u);
    EXPECT_EQ(modal.opens[0].owner, window->hwnd());
    EXPECT_EQ(modal.opens[0].request.filter, kFilter);

    // What the common dialog receives: text and pattern pairs, NUL-separated.
    const std::wstring filter = ui::CommonDialogFilter(modal.opens[0].request.filter);
    std::vector<std::wstring> parts;
    for (const wchar_t* p = filter.c_str(); *p; p += wcslen(p) + 1) parts.emplace_back(p);
    const std::vector<std::wstring> expected = {
        L"Playlists (*.m3u,*.txt)", L"*.m3u;*.txt", L"M3U Playlists (*.m3u)", L"*.m3u",
        L"TXT Playlists (*.txt)", L"*.txt"};
    EXPECT_EQ(parts, expected);
    EXPECT_EQ(filter.substr(filter.size() - 2), std::wstring(2, L'\0'));
}

TEST_F(Dialogs, CancelledPickerEmptiesABoxThatHeldAValidFolder) {
    for (int id : {ids::cmdSearch2, ids::mnuDest}) {
        SetText(ids::txtPathto, dir.path());
        Command(id);
        EXPECT_EQ(Text(ids::txtPathto), L"") << "command " << id;
    }
}

TEST_F(Dialogs, ConfirmedFolderLandsWithoutTrailingNuls) {
    dir.MakeFolder(L"Player \u00e4");
    const std::wstring player = dir / L"Player \u00e4";
    modal.folderAnswers = {player};
    Command(ids::cmdSearch2);
    EXPECT_EQ(Text(ids::txtPathto), player);

    modal.folderAnswers = {player};
    const std::wstring result = ui::mdlFolderopen::BrowseForFolder(L"t", L"", modal);
    EXPECT_EQ(result, player);
    EXPECT_EQ(result.size(), player.size());
}

TEST_F(Dialogs, ShellItemWithoutAFileSystemFolderGivesAnEmptyDestination) {
    PIDLIST_ABSOLUTE probe = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHParseDisplayName(kComputer, nullptr, &probe, 0, nullptr))) << "the answer must be an item";
    CoTaskMemFree(probe);
    SetText(ids::txtPathto, dir.path());
    modal.folderAnswers = {kComputer};
    Command(ids::cmdSearch2);
    EXPECT_EQ(Text(ids::txtPathto), L"");
}

TEST_F(Dialogs, PickerIsDescribedTheSameInBothLanguages) {
    // The window has to be active for the picker to be owned by it.
    SetActiveWindow(window->hwnd());
    for (const wchar_t* language : {L"English", L"Deutsch"}) {
        SCOPED_TRACE(::testing::Message() << (language[0] == L'E' ? "English" : "Deutsch"));
        ChooseLanguage(language);
        ui::mdlFolderopen::sBrowseStartFolder = L"left over";
        const HWND active = GetActiveWindow();
        modal.browses.clear();
        Command(ids::cmdSearch2);
        ASSERT_EQ(modal.browses.size(), 1u);
        const BROWSEINFOW& info = modal.browses[0].info;
        EXPECT_EQ(modal.browses[0].title, kPickerTitle);
        EXPECT_EQ(info.hwndOwner, active);
        EXPECT_EQ(info.pidlRoot, nullptr);
        EXPECT_EQ(info.pszDisplayName, nullptr);
        EXPECT_EQ(info.ulFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));
        EXPECT_EQ(info.lpfn, nullptr) << "no start folder, so no folder to select";
        EXPECT_EQ(info.lParam, 0);
        EXPECT_EQ(info.iImage, 0);
        EXPECT_EQ(ui::mdlFolderopen::sBrowseStartFolder, L"");
    }
}

// Records what a picker window would be sent.
struct SentMessage {
    UINT msg;
    WPARAM wParam;
    std::wstring path;
};
std::vector<SentMessage> g_sent;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_USER) {
        g_sent.push_back({msg, wParam, lParam ? reinterpret_cast<const wchar_t*>(lParam) : L""});
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(Dialogs, StartFolderIsSelectedWhenThePickerHasOpenedAndAtNoOtherMessage) {
    modal.folderAnswers = {L""};
    EXPECT_EQ(ui::mdlFolderopen::BrowseForFolder(L"Pick", dir.path(), modal), L"");
    ASSERT_EQ(modal.browses.size(), 1u);
    EXPECT_EQ(modal.browses[0].info.lpfn, &ui::mdlFolderopen::BrowseCallbackProc);
    EXPECT_EQ(modal.browses[0].title, L"Pick");
    EXPECT_EQ(ui::mdlFolderopen::sBrowseStartFolder, dir.path());

    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TuneliftPickerStandIn";
    RegisterClassW(&wc);
    HWND picker = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(picker, nullptr);
    g_sent.clear();
    for (UINT other : {static_cast<UINT>(BFFM_SELCHANGED), static_cast<UINT>(BFFM_VALIDATEFAILEDW), 0u}) {
        EXPECT_EQ(ui::mdlFolderopen::BrowseCallbackProc(picker, other, 0, 0), 0);
    }
    EXPECT_TRUE(g_sent.empty());
    EXPECT_EQ(ui::mdlFolderopen::BrowseCallbackProc(picker, BFFM_INITIALIZED, 0, 0), 0);
    ASSERT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(g_sent[0].msg, static_cast<UINT>(BFFM_SETSELECTIONW));
    EXPECT_EQ(g_sent[0].wParam, static_cast<WPARAM>(TRUE)) << "the value is a path, not an item list";
    EXPECT_EQ(g_sent[0].path, dir.path());
    DestroyWindow(picker);
}

class DialogRuns : public Dialogs {
protected:
    void SetUp() override {
        Dialogs::SetUp();
        dir.MakeFolder(L"Lists");
        dir.MakeFolder(L"Lists\\Music");
        dir.MakeFolder(L"Player");
        dir.MakeFolder(L"Elsewhere");
        list = dir / L"Lists\\list.m3u";
        player = dir / L"Player";
        dir.WriteFile(L"Lists\\Music\\a.mp3", "song a");
        SetCurrentDirectoryW((dir / L"Elsewhere").c_str());
    }
    std::wstring list, player;
};

TEST_F(DialogRuns, OpenSearchAndRunKeepsTheRunLogForTheNextRun) {
    dir.WriteFile(L"Lists\\list.m3u", "#EXTM3U\r\n" + Utf8(dir / L"Lists\\Music\\a.mp3") + "\r\n");
    modal.openAnswers = {list, list};
    modal.folderAnswers = {player, player};
    Menu(ids::mnuOSR);
    Pump();
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(dir.Read(L"Player\\a.mp3"), "song a");
    const std::wstring block = L"\r\n" + (dir / L"Lists\\Music\\a.mp3") + L"\r\ncopied to:\r\n" + player +
                               L"\\a.mp3\r\n1/1 ok\r\n---";
    EXPECT_EQ(window->GetRunLog().Slot(2), block);

    // The next chained run appends to the slots the first one left.
    Menu(ids::mnuOSR);
    Pump();
    EXPECT_EQ(window->GetRunLog().Slot(2), block + block);

    // Only the Save button empties them.
    Click(ids::cmdSave);
    EXPECT_EQ(window->GetRunLog().Slot(2), L"");
}

TEST_F(DialogRuns, RelativeEntriesAreFoundBesideAPlaylistChosenByDialogOrDrop) {
    dir.WriteFile(L"Lists\\list.m3u", "#EXTM3U\r\nMusic\\a.mp3\r\n");
    struct Row {
        const char* how;
        std::function<void()> choose;
        bool found;
    };
    const Row rows[] = {
        {"confirmed in the dialog", [&] { modal.openAnswers = {list}; Command(ids::cmdSearch); }, true},
        {"dropped", [&] { Drop(ids::txtPathfrom, {list}); }, true},
        {"typed", [&] { SetText(ids::txtPathfrom, list); }, false},
        {"confirmed, then a cancelled dialog",
         [&] {
             modal.openAnswers = {list};
             Command(ids::cmdSearch);
             SetCurrentDirectoryW((dir / L"Elsewhere").c_str());
             Command(ids::cmdSearch);
         },
         false},
        {"dropped beside a file the drop refuses",
         [&] {
             Drop(ids::txtPathfrom, {dir / L"Lists\\radio.pls"});
             SetText(ids::txtPathfrom, list);
         },
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        SetCurrentDirectoryW((dir / L"Elsewhere").c_str());
        DeleteFileW((dir / L"Player\\a.mp3").c_str());
        SetText(ids::txtPathto, player);
        row.choose();
        ASSERT_EQ(Text(ids::txtPathfrom), list);
        Click(ids::cmdSave);
        Pump();
        EXPECT_EQ(dir.Exists(L"Player\\a.mp3"), row.found);
        EXPECT_NE(Text(ids::txtPlaylist).find(row.found ? L"1/1 ok" : L"0/1 error"), std::wstring::npos)
            << "log: " << ::testing::PrintToString(Text(ids::txtPlaylist));
    }
}

TEST_F(DialogRuns, ChosenPlaylistMakesItsOwnFolderCurrent) {
    struct Row {
        const char* name;
        std::wstring playlist;
        std::wstring current;  // "" : the current folder stays where it was
    };
    const Row rows[] = {
        {"folder", list, dir / L"Lists"},
        {"forward slash", dir.path() + L"/Lists/list.m3u", dir.path() + L"\\Lists"},
        {"drive root", L"C:\\list.m3u", L"C:\\"},
        {"bare name", L"list.m3u", L""},
        {"missing folder", dir / L"gone\\list.m3u", L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (bool byDrop : {false, true}) {
            SetCurrentDirectoryW((dir / L"Elsewhere").c_str());
            if (byDrop) {
                Drop(ids::txtPathfrom, {row.playlist});
            } else {
                modal.openAnswers = {row.playlist};
                Command(ids::mnuOpen);
            }
            EXPECT_EQ(Text(ids::txtPathfrom), row.playlist);
            const std::wstring expected = row.current.empty() ? dir / L"Elsewhere" : row.current;
            EXPECT_EQ(CurrentFolder(), expected) << (byDrop ? "drop" : "dialog");
        }
    }
}

}  // namespace
}  // namespace tunelift::testing
