#include "window_fixture.h"

#include <commctrl.h>
#include <shlobj.h>

#include "ui/message_pump_win.h"
#include "win/file_services_win.h"

namespace tunelift::testing {

int ScriptedModal::ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags) {
    boxes.push_back({owner, text, title, flags});
    shown.push_back(L"box:" + text);
    return reply;
}

bool ScriptedModal::ShowOpen(HWND owner, ui::OpenRequest& request) {
    opens.push_back({owner, request});
    shown.push_back(L"open");
    if (realDialogs) return Modal::ShowOpen(owner, request);
    if (openAnswers.empty()) return false;
    const std::optional<std::wstring> answer = openAnswers.front();
    openAnswers.pop_front();
    if (!answer) return false;
    request.fileName = *answer;
    return true;
}

PIDLIST_ABSOLUTE ScriptedModal::ShowBrowseForFolder(BROWSEINFOW& info) {
    browses.push_back({info, info.lpszTitle ? info.lpszTitle : L"<null>"});
    shown.push_back(L"folder");
    if (realDialogs) return Modal::ShowBrowseForFolder(info);
    if (folderAnswers.empty()) return nullptr;
    const std::wstring answer = folderAnswers.front();
    folderAnswers.pop_front();
    if (answer.empty()) return nullptr;
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(SHParseDisplayName(answer.c_str(), nullptr, &list, 0, nullptr))) return nullptr;
    return list;
}

std::unique_ptr<FileServices> WindowTest::MakeFiles() {
    auto f = std::make_unique<HookedFiles>();
    hooked = f.get();
    return f;
}

void WindowTest::SetUp() {
    files = MakeFiles();
    Restart();
}

void WindowTest::Restart() {
    window.reset();
    Pump();
    window = std::make_unique<ui::frmCrateway>(*files, modal, optionsFile);
    window->SetExitAction([this] { ++exitCalls; });
    ASSERT_TRUE(window->Create(showCommand));
    Pump();
}

void WindowTest::TearDown() {
    window.reset();
    Pump();
}

void WindowTest::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (window) window->FlushDeferredTexts();
}

std::wstring WindowTest::Text(int id) const {
    HWND control = Item(id);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

std::wstring WindowTest::Panel(int panel) const {
    HWND status = Item(ids::stbStatus);
    const auto length = LOWORD(SendMessageW(status, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel - 1), 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(status, SB_GETTEXTW, static_cast<WPARAM>(panel - 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

int WindowTest::BarPos() const { return static_cast<int>(SendMessageW(Item(ids::pgbCopy), PBM_GETPOS, 0, 0)); }

SCROLLINFO WindowTest::Scroll() const {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS;
    GetScrollInfo(Item(ids::vsbListLog), SB_CTL, &info);
    return info;
}

void WindowTest::Click(int id) {
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    WaitForRun();
}

void WindowTest::Menu(int id) {
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    WaitForRun();
}

void WindowTest::WaitForRun() {
    while (window && window->RunInProgress()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void WindowTest::ChooseLanguage(const wchar_t* item) {
    HWND combo = Item(ids::cmbLang);
    SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item));
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(ids::cmbLang, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
}

void WindowTest::KeyUpInLanguageBox(WPARAM key) {
    SendMessageW(Item(ids::cmbLang), WM_KEYUP, key, 0xC0000001);
}

void WindowTest::Press(int id, WPARAM key, wchar_t character) {
    HWND control = Item(id);
    SendMessageW(control, WM_KEYDOWN, key, 1);
    if (character) SendMessageW(control, WM_CHAR, character, 1);
    SendMessageW(control, WM_KEYUP, key, 0xC0000001);
}

void WindowTest::SetText(int id, const std::wstring& text) { SetWindowTextW(Item(id), text.c_str()); }

void WindowTest::Drop(int id, const std::vector<std::wstring>& paths) {
    // A shell file list: DROPFILES followed by NUL-separated wide names and a final NUL.
    size_t chars = 1;
    for (const auto& p : paths) chars += p.size() + 1;
    const size_t bytes = sizeof(DROPFILES) + chars * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* names = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(header) + sizeof(DROPFILES));
    for (const auto& p : paths) {
        wcscpy(names, p.c_str());
        names += p.size() + 1;
    }
    *names = L'\0';
    GlobalUnlock(memory);
    SendMessageW(Item(id), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

}  // namespace tunelift::testing
