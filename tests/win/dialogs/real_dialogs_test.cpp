// The system's own open dialog and folder picker, shown for real and answered from
// another thread: proves the wiring, the file-type list, the title and the answers.
#include <windows.h>
#include <dlgs.h>

#include <algorithm>

#include "dialog_closer.h"
#include "dialogs_fixture.h"
#include "remove_tree_win.h"
#include "ui/folder_open_win.h"

namespace tunelift::testing {
namespace {

class RealDialogs : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        modal.realDialogs = true;
    }
};

// Lists a folder, which settles its last-access time (see StartFolder).
void ReadFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    while (FindNextFileW(search, &data)) {
    }
    FindClose(search);
}

// A start folder for the picker that holds still while the picker opens. Wine's picker finds
// its start folder by comparing the folders named in the path, byte for byte and times
// included (last write, creation, last access; to two seconds), with the ones it lists as it
// walks its tree; a folder that changes in between is not found, nothing is selected and OK
// answers the Desktop. So the folder is not in the temporary folder, which suites running
// beside this one keep changing, but in one of its own off the drive root; and both folders
// are read once after they are made, because the first read after a change moves a folder's
// access time (relatime mounts), and the picker's own reads would otherwise do that mid-walk.
class StartFolder {
public:
    StartFolder() {
        static int counter = 0;
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        base_ = std::wstring(temp, 3) + L"tunelift-picker-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        path_ = base_ + L"\\Player";
        RemoveTree(base_);
        EXPECT_TRUE(CreateDirectoryW(base_.c_str(), nullptr) && CreateDirectoryW(path_.c_str(), nullptr));
        ReadFolder(base_);
        ReadFolder(path_);
    }
    ~StartFolder() { RemoveTree(base_); }
    StartFolder(const StartFolder&) = delete;
    StartFolder& operator=(const StartFolder&) = delete;
    const std::wstring& path() const { return path_; }

private:
    std::wstring base_, path_;
};

// The file-name field: an edit in older dialogs, a combo box with an edit in newer ones.
HWND FileNameField(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, cmb13)) return combo;
    return GetDlgItem(dialog, edt1);
}

TEST_F(RealDialogs, OpenDialogOffersThreeFileTypesAndReturnsATypedMissingFile) {
    dir.MakeFolder(L"Lists");
    const std::wstring missing = dir / L"Lists\\not there.m3u";
    std::vector<std::wstring> types;
    bool hadNameField = false;
    {
        DialogCloser closer([&](HWND dialog) {
            types = ComboItems(GetDlgItem(dialog, cmb1));
            HWND name = FileNameField(dialog);
            hadNameField = name != nullptr;
            SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(missing.c_str()));
            PressButton(dialog, IDOK);
        });
        Click(ids::cmdSearch);
        EXPECT_TRUE(closer.acted());
        EXPECT_FALSE(closer.forced()) << "the dialog ignored the answer";
    }
    const std::vector<std::wstring> expected = {L"Playlists (*.m3u,*.txt)", L"M3U Playlists (*.m3u)",
                                                L"TXT Playlists (*.txt)"};
    EXPECT_EQ(types, expected);
    ASSERT_TRUE(hadNameField);
    EXPECT_EQ(Text(ids::txtPathfrom), missing) << "no existence requirement";
    EXPECT_EQ(CurrentFolder(), dir / L"Lists") << "a confirmed playlist's folder becomes current";
}

TEST_F(RealDialogs, OpenDialogCancelledLeavesTheLastConfirmedNameAndTheCurrentFolder) {
    const std::wstring first = dir / L"first.m3u";
    {
        DialogCloser closer([&](HWND dialog) {
            SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(first.c_str()));
            PressButton(dialog, IDOK);
        });
        Click(ids::cmdSearch);
        ASSERT_FALSE(closer.forced());
    }
    ASSERT_EQ(Text(ids::txtPathfrom), first);
    SetCurrentDirectoryW(keeper.saved().c_str());
    SetText(ids::txtPathfrom, L"C:\\typed.m3u");
    std::wstring startName;
    {
        DialogCloser closer([&](HWND dialog) {
            startName = TextOf(FileNameField(dialog));
            PressButton(dialog, IDCANCEL);
        });
        Menu(ids::mnuOpen);
        EXPECT_TRUE(closer.acted());
        EXPECT_FALSE(closer.forced()) << "the dialog ignored the answer";
    }
    EXPECT_EQ(Text(ids::txtPathfrom), first);
    EXPECT_EQ(CurrentFolder(), keeper.saved()) << "the dialog itself never moves the current folder";
    // The dialog opens on the last confirmed name (shown with or without its folder).
    EXPECT_TRUE(first.size() >= startName.size() && !startName.empty() &&
                first.compare(first.size() - startName.size(), startName.size(), startName) == 0)
        << ::testing::PrintToString(startName);
}

TEST_F(RealDialogs, OpenDialogShowsTheFileTypeChosenLastTime) {
    const std::wstring list = dir / L"list.txt";
    {
        DialogCloser closer([&](HWND dialog) {
            HWND types = GetDlgItem(dialog, cmb1);
            SendMessageW(types, CB_SETCURSEL, 2, 0);
            // The dialog learns of a choice from the list's notification, as from a click.
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
            SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(list.c_str()));
            PressButton(dialog, IDOK);
        });
        Click(ids::cmdSearch);
        ASSERT_TRUE(closer.acted());
        ASSERT_FALSE(closer.forced()) << "the dialog ignored the answer";
    }
    ASSERT_EQ(Text(ids::txtPathfrom), list);
    std::wstring shownType;
    {
        DialogCloser closer([&](HWND dialog) {
            HWND types = GetDlgItem(dialog, cmb1);
            const auto chosen = SendMessageW(types, CB_GETCURSEL, 0, 0);
            const std::vector<std::wstring> items = ComboItems(types);
            if (chosen >= 0 && static_cast<size_t>(chosen) < items.size()) shownType = items[static_cast<size_t>(chosen)];
            PressButton(dialog, IDCANCEL);
        });
        Menu(ids::mnuOpen);
        ASSERT_TRUE(closer.acted());
    }
    EXPECT_EQ(shownType, L"TXT Playlists (*.txt)");
}

TEST_F(RealDialogs, FolderPickerShowsTheGermanTitleInEnglishAndItsCancelEmptiesTheBox) {
    SetText(ids::txtPathto, dir.path());
    std::vector<std::wstring> texts;
    {
        DialogCloser closer([&](HWND dialog) {
            texts = ChildTexts(dialog);
            PressButton(dialog, IDCANCEL);
        });
        Click(ids::cmdSearch2);
        EXPECT_TRUE(closer.acted());
        EXPECT_FALSE(closer.forced()) << "the dialog ignored the answer";
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Bitte Ordner ausw\u00e4hlen"), texts.end())
        << ::testing::PrintToString(texts);
    EXPECT_EQ(Text(ids::txtPathto), L"");
}

TEST_F(RealDialogs, FolderPickerOpensOnItsStartFolderAndReturnsItWhenConfirmed) {
    const StartFolder start;
    const std::wstring& player = start.path();
    std::wstring result;
    bool selected = false;
    {
        DialogCloser closer([&](HWND dialog) {
            // Confirm only the start folder: a picker that never selects it is cancelled.
            selected = WaitUntil([&] { return SelectedTreeItem(dialog) == L"Player"; }, 30000);
            PressButton(dialog, selected ? IDOK : IDCANCEL);
        });
        result = ui::mdlFolderopen::BrowseForFolder(L"Pick", player, modal);
        EXPECT_TRUE(closer.acted());
        EXPECT_FALSE(closer.forced()) << "the dialog ignored the answer";
    }
    EXPECT_TRUE(selected) << "the picker never showed its start folder selected";
    EXPECT_EQ(result, player);
    EXPECT_EQ(result.find(L'\0'), std::wstring::npos);
}

}  // namespace
}  // namespace tunelift::testing
