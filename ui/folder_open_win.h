// mdlFolderopen: the shell's folder picker, for choosing the destination folder.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "ui/modal_win.h"

namespace tunelift::ui::mdlFolderopen {

// The start folder of the picker being shown; BrowseCallbackProc selects it.
extern std::wstring sBrowseStartFolder;

// Shows the picker owned by the active window, with sTitle above the folder tree and
// sStartFolder selected (nothing selected when it is empty). The chosen folder's full
// path, or "" when the user cancels or picks an item with no file-system folder.
std::wstring BrowseForFolder(const std::wstring& sTitle, const std::wstring& sStartFolder = L"",
                             Modal& modal = SystemModal());

// The picker's notification routine: once the picker has opened, selects sBrowseStartFolder.
int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

}  // namespace tunelift::ui::mdlFolderopen
