#include "ui/folder_open_win.h"

#include "win/handles_win.h"

namespace tunelift::ui::mdlFolderopen {

std::wstring sBrowseStartFolder;

std::wstring BrowseForFolder(const std::wstring& sTitle, const std::wstring& sStartFolder, Modal& modal) {
    sBrowseStartFolder = sStartFolder;
    // The picker reads the title while it is open; this copy outlives it.
    const std::wstring title = sTitle;

    BROWSEINFOW info{};
    info.hwndOwner = GetActiveWindow();
    info.pidlRoot = nullptr;
    info.pszDisplayName = nullptr;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = sStartFolder.empty() ? nullptr : BrowseCallbackProc;
    info.lParam = 0;
    info.iImage = 0;

    const win::CoTaskMem<ITEMIDLIST_ABSOLUTE> list(modal.ShowBrowseForFolder(info));
    if (!list) return L"";

    // The shell writes a NUL-terminated path, or nothing for an item that is no folder.
    std::wstring path(MAX_PATH, L'\0');
    SHGetPathFromIDListW(list.get(), path.data());
    path.resize(path.find(L'\0') == std::wstring::npos ? path.size() : path.find(L'\0'));
    return path;
}

int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM, LPARAM) {
    if (uMsg == BFFM_INITIALIZED) {
        SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(sBrowseStartFolder.c_str()));
    }
    return 0;
}

}  // namespace tunelift::ui::mdlFolderopen
