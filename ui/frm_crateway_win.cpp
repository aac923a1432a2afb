#include "ui/frm_crateway_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "engine/playlist_argument.h"
#include "ui/control_ids.h"
#include "ui/crateway_layout_win.h"
#include "ui/folder_open_win.h"
#include "ui/message_pump_win.h"
#include "ui/window_text_win.h"
#include "win/file_copy_win.h"

namespace tunelift::ui {

frmCrateway::frmCrateway(FileServices& files, Modal& modal, std::wstring optionsFile)
    : files_(files), modal_(modal), options_(std::move(optionsFile)), run_(files, state_, [this] { WakeForRun(); }) {
    // Exit ends the program at once, a run under way too: its copy in progress leaves
    // only a part file, never a torn song under the song's name.
    exitAction_ = [] { ExitProcess(0); };
    // A copy cut short leaves its part file behind; a Sync run clears it out.
    state_.sync.SetLeftoverTest([](const std::wstring& name) { return win::IsCopyLeftover(name); });
}

frmCrateway::~frmCrateway() {
    SetDialogWindow(nullptr);
    if (hwnd_) DestroyWindow(hwnd_);
}

bool frmCrateway::Create(int showCommand) {
    hwnd_ = layout_.Create(WndProc, this);
    if (!hwnd_) return false;
    shellTaskbar_ = CreateShellTaskbarButton(hwnd_);
    if (!taskbar_) taskbar_ = shellTaskbar_.get();
    // The window handles keys in the two path boxes, the language box and the two
    // multi-line views, drops on the playlist box, and closing of the about box.
    for (int id : {ids::txtPathfrom, ids::txtPathto, ids::cmbLang, ids::txtPlaylist, ids::txtAbout1, ids::pcbAbout})
        SetWindowSubclass(Item(id), ControlProc, static_cast<UINT_PTR>(id), reinterpret_cast<DWORD_PTR>(this));
    writes_.Bind({Item(ids::txtPlaylist), Item(ids::stbStatus), Item(ids::pgbCopy), Item(ids::vsbListLog)},
                 [this] { txtPlaylist_Change(); });
    wakeTarget_ = hwnd_;
    Form_Load();
    // The Options menu's choices are the one thing kept from the last start.
    const RunOptions saved = options_.Load();
    for (const OptionRow& row : kOptionRows)
        CheckMenuItem(layout_.MenuHolding(row.menuId), static_cast<UINT>(row.menuId),
                      MF_BYCOMMAND | (saved.*row.member ? MF_CHECKED : MF_UNCHECKED));
    SetDialogWindow(hwnd_, DialogKeys, this);
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    return true;
}

HWND frmCrateway::Item(int id) const { return ControlOf(hwnd_, id); }

// ---- start-up and window-level commands ----

void frmCrateway::Form_Load() {
    // The playlist box takes files dropped from the shell.
    DragAcceptFiles(Item(ids::txtPathfrom), TRUE);
    SendMessageW(Item(ids::cmbLang), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"English"));
    mdlLanguage::SetLanguage(*this, CmbLangText());
    writes_.SetBarValue(100);
    state_.sync.ResetEntries();
    FlushDeferredTexts();
}

void frmCrateway::cmbLang_Click() {
    mdlLanguage::SetLanguage(*this, CmbLangText());
    FlushDeferredTexts();
    ChoicesChanged();
}

std::wstring frmCrateway::CmbLangText() const {
    HWND combo = Item(ids::cmbLang);
    const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return WindowText(combo);
    std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, selected, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void frmCrateway::txtPathfrom_OLEDragDrop(HDROP drop) {
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return;
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring first(length + 1, L'\0');
    first.resize(DragQueryFileW(drop, 0, first.data(), length + 1));
    if (first.size() < 3) return;
    std::wstring ending = first.substr(first.size() - 3);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; });
    const bool everyKind = Options().allKinds && IsPlaylistArgument(first, true);
    if (ending == L"m3u" || ending == L"txt" || everyKind) {
        SetWindowTextW(Item(ids::txtPathfrom), first.c_str());
        EnterPlaylistFolder(first);
    }
}

void frmCrateway::mnuAbout_Click() {
    HWND about = Item(ids::pcbAbout);
    if (!AboutVisible()) {
        // Lift the box above the log view it covers (Tab keeps the designed order).
        SetWindowPos(about, Item(ids::cmdSearch), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    } else {
        // The focus must not vanish with the box: it goes on to the next tab stop.
        if (IsChild(about, GetFocus())) SetFocus(layout_.NextTabStop(GetFocus(), false));
        ShowWindow(about, SW_HIDE);
    }
}

bool frmCrateway::AboutVisible() const {
    return (GetWindowLongPtrW(Item(ids::pcbAbout), GWL_STYLE) & WS_VISIBLE) != 0;
}

void frmCrateway::mnuExit_Click() { exitAction_(); }

// Saved the moment it changes. A file that cannot be written is not worth a message:
// the choice then lasts until the program ends.
void frmCrateway::mnuOption_Click(int id) {
    HMENU menu = layout_.MenuHolding(id);
    const bool checked = (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
    CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_UNCHECKED : MF_CHECKED));
    options_.Save(Options());
}

// The menu's check marks are the options: nothing else holds them.
RunOptions frmCrateway::Options() const {
    RunOptions options;
    for (const OptionRow& row : kOptionRows) {
        const UINT state = GetMenuState(layout_.MenuHolding(row.menuId), static_cast<UINT>(row.menuId), MF_BYCOMMAND);
        options.*row.member = state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
    }
    return options;
}

// ---- playlist and folder dialogs ----

void frmCrateway::OpenFile() {
    // Nothing here may fail the caller: a cancel or a failing dialog leaves the box with
    // the last confirmed name.
    try {
        OpenRequest request;
        request.filter = L"Playlists (*.m3u,*.txt)|*.m3u;*.txt|M3U Playlists (*.m3u)|*.m3u|TXT Playlists (*.txt)|*.txt";
        // Every kind read: every kind listed, first; the plain types follow as they were.
        const bool allKinds = Options().allKinds;
        if (allKinds) {
            const std::wstring pattern = AllKindsPattern();
            std::wstring shown = pattern;
            std::replace(shown.begin(), shown.end(), L';', L',');
            const std::wstring caption = mdlLanguage::Current().CapAllPlaylists;
            request.filter = caption + L" (" + shown + L")|" + pattern + L"|" + request.filter;
        }
        // The type last chosen names another entry once the list gained or lost one.
        if (allKinds != commonDialog1AllKinds_) commonDialog1FilterIndex_ = 1;
        commonDialog1AllKinds_ = allKinds;
        request.fileName = commonDialog1FileName_;
        request.filterIndex = commonDialog1FilterIndex_;
        if (modal_.ShowOpen(hwnd_, request)) {
            commonDialog1FileName_ = request.fileName;
            commonDialog1FilterIndex_ = request.filterIndex;
            EnterPlaylistFolder(commonDialog1FileName_);
        }
    } catch (...) {
    }
    SetWindowTextW(Item(ids::txtPathfrom), commonDialog1FileName_.c_str());
}

void frmCrateway::SearchDest() {
    const std::wstring folder = mdlFolderopen::BrowseForFolder(L"Bitte Ordner ausw\u00e4hlen", L"", modal_);
    SetWindowTextW(Item(ids::txtPathto), folder.c_str());
}

// Relative playlist entries are looked up in the current folder; a playlist chosen by
// the dialog or by a drop makes its own folder current, so they are found beside it.
void frmCrateway::EnterPlaylistFolder(const std::wstring& playlist) {
    const size_t slash = playlist.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return;
    std::wstring folder = playlist.substr(0, slash);
    // "C:" alone would mean that drive's own current folder, "" no folder at all.
    if (folder.empty() || folder.back() == L':') folder += L'\\';
    SetCurrentDirectoryW(folder.c_str());
}

void frmCrateway::cmdSearch_Click() { OpenFile(); }
void frmCrateway::cmdSearch2_Click() { SearchDest(); }
void frmCrateway::mnuOpen_Click() { OpenFile(); }
void frmCrateway::mnuDest_Click() { SearchDest(); }

// The chains go on whatever a dialog answered: the run judges the boxes.
void frmCrateway::mnuOpenSearch_Click() {
    OpenFile();
    SearchDest();
}

// Unlike the Save button, the log is left for the next run to append to.
void frmCrateway::mnuOSR_Click() {
    OpenFile();
    SearchDest();
    SaveFiles(true);
}

// ---- log view ----

void frmCrateway::txtPlaylist_Change() {
    HWND view = Item(ids::txtPlaylist);
    const auto length = static_cast<WPARAM>(GetWindowTextLengthW(view));
    SendMessageW(view, EM_SETSEL, length, static_cast<LPARAM>(length));
    SendMessageW(view, EM_SCROLLCARET, 0, 0);
}

void frmCrateway::vsbListLog_Change() {
    display_.ScrollRefresh(writes_.ScrollPos());
    FlushDeferredTexts();
}

void frmCrateway::vsbListLog_Scroll() { vsbListLog_Change(); }

void frmCrateway::OnVScroll(int code) {
    int value = writes_.ScrollPos();
    switch (code) {
        case SB_LINEUP: case SB_PAGEUP: value -= 1; break;
        case SB_LINEDOWN: case SB_PAGEDOWN: value += 1; break;
        case SB_TOP: value = writes_.ScrollMin(); break;
        case SB_BOTTOM: value = writes_.ScrollMax(); break;
        case SB_THUMBTRACK: case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(Item(ids::vsbListLog), SB_CTL, &info);
            value = info.nTrackPos;
            break;
        }
        default: return;
    }
    // Dragging the thumb raises Scroll on every move; other moves raise Change once the
    // position really changed.
    const bool changed = writes_.SetScrollPos(value);
    if (code == SB_THUMBTRACK) {
        vsbListLog_Scroll();
    } else if (changed) {
        vsbListLog_Change();
    }
}

std::wstring frmCrateway::PathFrom() const { return WindowText(Item(ids::txtPathfrom)); }
std::wstring frmCrateway::PathTo() const { return WindowText(Item(ids::txtPathto)); }

// ---- languages ----

void frmCrateway::SetPlaceText(mdlLanguage::Place place, const std::wstring& text) {
    if (place.panel != 0) {
        writes_.SetPanel(place.panel, text);
    } else if (HMENU menu = layout_.MenuHolding(place.id)) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<LPWSTR>(text.c_str());
        SetMenuItemInfoW(menu, static_cast<UINT>(place.id), FALSE, &info);
        DrawMenuBar(hwnd_);
    } else {
        SetWindowTextW(Item(place.id), text.c_str());
    }
}

// ---- read-backs for tests and automation ----

std::wstring frmCrateway::MenuText(int id) const {
    HMENU owner = layout_.MenuHolding(id);
    wchar_t buffer[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = 255;
    if (!GetMenuItemInfoW(owner, static_cast<UINT>(id), FALSE, &info)) return L"<none>";
    return buffer;
}

// ---- message handling ----

LRESULT CALLBACK frmCrateway::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    frmCrateway* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<frmCrateway*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<frmCrateway*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self) return self->HandleMessage(msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT frmCrateway::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == TaskbarButtonCreatedMessage() && taskbar_) {
        taskbar_->ButtonCreated();
        return 0;
    }
    if (msg == kRunWakes) {
        ShowRun();
        return 0;
    }
    switch (msg) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_VSCROLL:
            if (reinterpret_cast<HWND>(lParam) == Item(ids::vsbListLog)) OnVScroll(LOWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            // The read-only views keep a white page like an ordinary text box.
            if (reinterpret_cast<HWND>(lParam) == Item(ids::txtPlaylist)) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            break;
        case WM_DPICHANGED:
            layout_.OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            // The close button, Alt+F4 and another program asking the window to close all
            // mean Exit. (Esc never gets here: the multi-line views keep it.)
            mnuExit_Click();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) RememberFocus();
            break;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        case WM_TIMER:
            if (wParam == kShowTimer) ShowRun();
            return 0;
        case WM_DESTROY:
            wakeTarget_ = nullptr;
            writes_.Unbind();
            hwnd_ = nullptr;
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void frmCrateway::OnCommand(int id, int code) {
    switch (id) {
        case ids::cmdSave: if (code == BN_CLICKED) cmdSave_Click(); break;
        case ids::cmdFind: if (code == BN_CLICKED) cmdFind_Click(); break;
        case ids::cmdCancel: if (code == BN_CLICKED) cmdCancel_Click(); break;
        case ids::cmbLang: if (code == CBN_SELENDOK) cmbLang_Click(); break;
        // What a run reads while it goes on is handed over the moment it changes.
        case ids::chkExists: case ids::chkKill: if (code == BN_CLICKED) ChoicesChanged(); break;
        case ids::txtPathfrom: case ids::txtPathto: if (code == EN_CHANGE) ChoicesChanged(); break;
        case ids::cmdSearch: if (code == BN_CLICKED) cmdSearch_Click(); break;
        case ids::cmdSearch2: if (code == BN_CLICKED) cmdSearch2_Click(); break;
        case ids::mnuOpen: mnuOpen_Click(); break;
        case ids::mnuDest: mnuDest_Click(); break;
        case ids::mnuOpenSearch: mnuOpenSearch_Click(); break;
        case ids::mnuOSR: mnuOSR_Click(); break;
        case ids::mnuAbout: mnuAbout_Click(); break;
        case ids::mnuExit: mnuExit_Click(); break;
        case IDCANCEL: Escape_Press(); break;  // Esc, as the dialog keys deliver it
        default:
            if (OptionOfMenu(id)) mnuOption_Click(id);
            break;
    }
}

}  // namespace tunelift::ui
