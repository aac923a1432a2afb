#include "ui/modal_win.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace tunelift::ui {
namespace {

// Room for any path the shell can hand back, long-path prefix included.
constexpr size_t kFileNameChars = 32768;

}  // namespace

void Modal::ErrorBox(HWND owner, const std::wstring& text) { ShowMessage(owner, text, L"Error", MB_OK | MB_ICONSTOP); }

int Modal::ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags) {
    return MessageBoxW(owner, text.c_str(), title.c_str(), flags);
}

void Modal::Beep() { MessageBeep(MB_OK); }

std::wstring CommonDialogFilter(const std::wstring& pipes) {
    std::wstring filter = pipes;
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.append(2, L'\0');
    return filter;
}

bool Modal::ShowOpen(HWND owner, OpenRequest& request) {
    const std::wstring filter = CommonDialogFilter(request.filter);
    std::vector<wchar_t> name(kFileNameChars, L'\0');
    DWORD filterIndex = static_cast<DWORD>(request.filterIndex);
    auto show = [&](const std::wstring& start) {
        std::fill(name.begin(), name.end(), L'\0');
        std::copy_n(start.begin(), std::min(start.size(), name.size() - 1), name.begin());
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = filter.c_str();
        ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
        ofn.lpstrFile = name.data();
        ofn.nMaxFile = static_cast<DWORD>(name.size());
        // No existence requirement: a typed name for a missing file is returned as typed.
        // The current folder is set by the window, and only for a confirmed playlist.
        ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
        const bool confirmed = GetOpenFileNameW(&ofn) != FALSE;
        filterIndex = ofn.nFilterIndex;
        return confirmed;
    };
    bool confirmed = show(request.fileName);
    // A start name the dialog rejects would keep it from opening at all: open it empty then.
    if (!confirmed && CommDlgExtendedError() == FNERR_INVALIDFILENAME) confirmed = show(L"");
    if (confirmed) {
        request.fileName.assign(name.data());
        request.filterIndex = static_cast<int>(filterIndex);
    }
    return confirmed;
}

PIDLIST_ABSOLUTE Modal::ShowBrowseForFolder(BROWSEINFOW& info) { return SHBrowseForFolderW(&info); }

Modal& SystemModal() {
    static Modal modal;
    return modal;
}

}  // namespace tunelift::ui
