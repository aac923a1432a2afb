#include "dialog_closer.h"

#include <commctrl.h>

#include <cstdio>

namespace tunelift::testing {
namespace {

constexpr DWORD kAppearMs = 20000;  // a cold Wine shell can be slow to build the first dialog
constexpr DWORD kReadyMs = 60000;   // and slower still to fill it in on a loaded machine
constexpr DWORD kCloseMs = 10000;

std::vector<HWND> Dialogs(DWORD thread) {
    std::vector<HWND> found;
    EnumThreadWindows(
        thread,
        [](HWND hwnd, LPARAM p) -> BOOL {
            wchar_t name[32] = {};
            GetClassNameW(hwnd, name, 32);
            if (std::wstring(name) == L"#32770") reinterpret_cast<std::vector<HWND>*>(p)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindDialog(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND hwnd, LPARAM p) -> BOOL {
            wchar_t name[32] = {};
            GetClassNameW(hwnd, name, 32);
            if (std::wstring(name) != L"#32770") return TRUE;
            *reinterpret_cast<HWND*>(p) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

[[noreturn]] void GiveUp(const char* why) {
    std::fprintf(stderr, "DialogCloser: %s; ending the test process\n", why);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    for (;;) Sleep(1000);
}

}  // namespace

DialogCloser::DialogCloser(std::function<void(HWND)> act)
    : ownerThread_(GetCurrentThreadId()), act_(std::move(act)), thread_([this] { Watch(); }) {}

DialogCloser::~DialogCloser() {
    stop_ = true;
    thread_.join();
}

void DialogCloser::Watch() {
    HWND dialog = nullptr;
    for (DWORD waited = 0; !(dialog = FindDialog(ownerThread_)); waited += 20) {
        if (stop_) return;  // the call returned without showing a dialog
        if (waited > kAppearMs) GiveUp("no dialog appeared");
        Sleep(20);
    }
    // A dialog exists before it has filled itself in (and answers messages meanwhile); it is
    // shown once its WM_INITDIALOG has returned, and only then is it what a person would see.
    if (!WaitUntil([&] { return IsWindowVisible(dialog) || !IsWindow(dialog); }, kReadyMs))
        GiveUp("the dialog never finished opening");
    if (!IsWindow(dialog)) return;
    act_(dialog);
    acted_ = true;
    for (DWORD waited = 0; IsWindow(dialog); waited += 20) {
        // Still open: cancel it and whatever it shows over itself (a complaint box), once a second.
        if (waited >= kCloseMs && waited % 1000 == 0) {
            forced_ = true;
            for (HWND open : Dialogs(ownerThread_)) PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
        if (waited > 2 * kCloseMs) GiveUp("the dialog did not close");
        Sleep(20);
    }
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[1024] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 5000, &result);
    return buffer;
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(item);
    }
    return items;
}

std::vector<std::wstring> ChildTexts(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    std::vector<std::wstring> texts;
    for (HWND child : children) texts.push_back(TextOf(child));
    return texts;
}

void PressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring SelectedTreeItem(HWND dialog) {
    HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    if (!tree) return L"";
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return L"";
    wchar_t text[MAX_PATH] = {};
    TVITEMW info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
    return text;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 20) {
        if (done()) return true;
        Sleep(20);
    }
    return done();
}

}  // namespace tunelift::testing
