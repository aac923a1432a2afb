#include "ui/crateway_layout_win.h"

#include <commctrl.h>
#include <oleacc.h>

#include <iterator>
#include <utility>

#include "ui/control_ids.h"

namespace tunelift::ui {
namespace {

constexpr wchar_t kClassName[] = L"TuneliftCrateway";
constexpr wchar_t kCaption[] = L"Tevkan's Tunelift 1.0";
constexpr int kClientWidthTwips = 10665;
constexpr int kClientHeightTwips = 5355;
constexpr int kPanel2WidthTwips = 1440;
constexpr int kPanel3WidthTwips = 1200;

constexpr wchar_t kAboutText[] =
    L"Tevkan's Tunelift 1.0\r\n\r\n"
    L"Carries a playlist to your player: every song the playlist names is copied into "
    L"one folder on the player, stick or card.\r\n\r\n"
    L"Check first, copy with Copy!, tick Sync to clear out what the playlist no longer "
    L"names.\r\n\r\nhttps://tunelift.example.org";

enum class Font { Default, Verdana };

// One row per control, in tab order; positions in twips as designed.
struct ControlDesign {
    int id;
    const wchar_t* className;
    DWORD style;
    const wchar_t* designText;
    int left, top, width, height;
    Font font;
    const wchar_t* accessibleName;
    int parent;  // 0: the window; otherwise the container's ID
};

const ControlDesign kControls[] = {
    {ids::cmdSearch, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, L"Search", 9120, 150, 1515, 315, Font::Verdana, L"Search playlist", 0},
    {ids::txtPlaylist, WC_EDITW, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_BORDER | WS_TABSTOP | WS_CLIPSIBLINGS, L"", 60, 570, 10305, 2535, Font::Verdana, L"Log", 0},
    {ids::txtPathfrom, WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, L"", 60, 150, 9015, 315, Font::Default, L"Playlist", 0},
    {ids::cmdSave, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, L"Save", 9090, 3945, 1515, 315, Font::Verdana, L"Copy", 0},
    {ids::txtPathto, WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, L"", 60, 3210, 9015, 315, Font::Default, L"Destination folder", 0},
    {ids::cmdSearch2, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, L"Search", 9120, 3210, 1515, 315, Font::Verdana, L"Search destination", 0},
    {ids::cmbLang, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, L"", 9435, 4695, 1215, 300, Font::Verdana, L"Language", 0},
    {ids::cmdCancel, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, L"Cancel", 4575, 3945, 1515, 315, Font::Verdana, L"Cancel", 0},
    {ids::pgbCopy, PROGRESS_CLASSW, PBS_SMOOTH, L"", -45, 3600, 10755, 285, Font::Default, L"Copy progress", 0},
    {ids::stbStatus, STATUSCLASSNAMEW, CCS_BOTTOM, L"", 0, 5070, 10665, 285, Font::Verdana, L"Status", 0},
    {ids::pcbAbout, WC_STATICW, SS_NOTIFY | WS_BORDER | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, L"", 3135, 660, 4425, 1875, Font::Default, L"About", 0},
    {ids::txtAbout1, WC_EDITW, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, kAboutText, 60, 120, 4260, 1545, Font::Default, L"About Tunelift", ids::pcbAbout},
    {ids::cmdFind, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, L"Check", 7500, 3945, 1515, 315, Font::Verdana, L"Check", 0},
    {ids::vsbListLog, WC_SCROLLBARW, SBS_VERT | WS_TABSTOP, L"", 10380, 570, 255, 2265, Font::Default, L"Log position", 0},
    {ids::chkExists, WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, L"Overwrite", 60, 4290, 8970, 345, Font::Default, L"Overwrite existing files", 0},
    {ids::chkKill, WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, L"Sync", 75, 4695, 8940, 345, Font::Default, L"Sync playlist and directory", 0},
};

const wchar_t* const kLanguageItems[] = {L"English", L"Deutsch"};
const wchar_t* const kDesignPanels[] = {L"File:", L"Filename:", L"Progress:"};

struct MenuItemDesign {
    int id;
    const wchar_t* designCaption;
    UINT flags;
};

// The File menu as designed; mnuFile itself and mnuAbout sit on the menu bar.
const MenuItemDesign kFileMenu[] = {
    {ids::mnuOpen, L"Open Playlist", MF_STRING},
    {ids::mnuDest, L"Search Destination", MF_STRING},
    {ids::mnuOpenSearch, L"Open + Search", MF_STRING},
    {ids::mnuOSR, L"Open, Search and Run", MF_STRING},
    {ids::mnuempty, L"---", MF_STRING | MF_GRAYED},
    {ids::mnuExit, L"Exit", MF_STRING},
};


// Screen readers name edits, combos and bars from their label; these have none on
// screen, so the name is set explicitly.
void SetAccessibleName(HWND control, const wchar_t* name) {
    win::ComPtr<IAccPropServices> services;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                   services.put_void())) &&
        services) {
        services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                                 const_cast<LPWSTR>(name));
    }
    SetPropW(control, L"TuneliftAccessibleName", const_cast<wchar_t*>(name));
}

bool FontInstalled(const wchar_t* face) {
    const win::WindowDc screen;
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(lf.lfFaceName, face, _TRUNCATE);
    bool found = false;
    EnumFontFamiliesExW(
        screen.get(), &lf,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM p) -> int {
            *reinterpret_cast<bool*>(p) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

UINT WindowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi && hwnd) return getDpi(hwnd);
    const win::WindowDc screen;
    return static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSY));
}

// The system's message font made for `dpi`. Metrics asked for plainly come at the
// system's DPI, already scaled once: scaling those again by the window's DPI makes the
// font too big by that factor. Asked for at the window's DPI they need no scaling.
LOGFONTW MessageFontFor(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto forDpi = reinterpret_cast<ForDpiFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) return metrics.lfMessageFont;
    // Before Windows 10: from the system's DPI to the window's.
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const win::WindowDc screen;
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), GetDeviceCaps(screen.get(), LOGPIXELSY));
    return metrics.lfMessageFont;
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    static bool registered = false;
    if (registered) return true;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(ids::IDI_TUNELIFT));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ids::IDI_TUNELIFT), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    registered = RegisterClassExW(&wc) != 0;
    return registered;
}

// The window may be hidden (tests, start-up): what counts is that the control and the
// containers it sits in are shown.
bool TakesTab(HWND control, HWND window) {
    if (!control || !(GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP) || !IsWindowEnabled(control)) return false;
    for (HWND w = control; w && w != window; w = GetParent(w))
        if (!(GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE)) return false;
    return true;
}

}  // namespace

HWND ControlOf(HWND window, int id) {
    if (!window) return nullptr;
    if (id == ids::txtAbout1) return GetDlgItem(GetDlgItem(window, ids::pcbAbout), id);
    return GetDlgItem(window, id);
}

HWND CratewayLayout::Create(WNDPROC procedure, void* creationParam) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterWindowClass(instance, procedure)) return nullptr;
    CreateMenus();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    window_ = CreateWindowExW(0, kClassName, kCaption, style, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr,
                              menuBar_, instance, creationParam);
    if (!window_) return nullptr;
    dpi_ = WindowDpi(window_);
    ResizeToDesignedClientArea();
    CreateControls();
    return window_;
}

int CratewayLayout::Px(int twips) const { return MulDiv(twips, static_cast<int>(dpi_), 1440); }

void CratewayLayout::CreateMenus() {
    menuBar_ = CreateMenu();
    fileMenu_ = CreatePopupMenu();
    for (const MenuItemDesign& item : kFileMenu) AppendMenuW(fileMenu_, item.flags, item.id, item.designCaption);
    optionsMenu_ = CreatePopupMenu();
    // The Options menu: the option table's rows, all unchecked until chosen.
    for (const OptionRow& row : kOptionRows)
        AppendMenuW(optionsMenu_, MF_STRING | MF_UNCHECKED, static_cast<UINT_PTR>(row.menuId), row.english);
    AppendMenuW(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(fileMenu_), L"&File");
    AppendMenuW(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(optionsMenu_), L"&Options");
    AppendMenuW(menuBar_, MF_STRING, ids::mnuAbout, L"&About");
    // The popups get their IDs too, so that their captions can be found by command.
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    info.wID = ids::mnuFile;
    SetMenuItemInfoW(menuBar_, 0, TRUE, &info);
    info.wID = ids::mnuOptions;
    SetMenuItemInfoW(menuBar_, 1, TRUE, &info);
}

HMENU CratewayLayout::MenuHolding(int id) const {
    if (id == ids::mnuFile || id == ids::mnuOptions || id == ids::mnuAbout) return menuBar_;
    for (const MenuItemDesign& item : kFileMenu)
        if (item.id == id) return fileMenu_;
    if (OptionOfMenu(id)) return optionsMenu_;
    return nullptr;
}

HWND CratewayLayout::NextTabStop(HWND from, bool back) const {
    constexpr int count = static_cast<int>(std::size(kControls));
    int at = back ? count : -1;
    for (HWND w = from; w && w != window_ && (at < 0 || at == count); w = GetParent(w)) {
        for (int i = 0; i < count; ++i)
            if (ControlOf(window_, kControls[i].id) == w) at = i;
    }
    for (int step = 1; step <= count; ++step) {
        const int i = ((back ? at - step : at + step) % count + count) % count;
        HWND control = ControlOf(window_, kControls[i].id);
        if (TakesTab(control, window_)) return control;
    }
    return nullptr;
}

void CratewayLayout::CreateControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlDesign& c : kControls) {
        HWND parent = c.parent ? ControlOf(window_, c.parent) : window_;
        DWORD style = WS_CHILD | c.style;
        if (c.id != ids::pcbAbout) style |= WS_VISIBLE;  // the about box starts hidden
        // A single-line text box has the sunken edge of every Windows text box.
        const bool textBox = wcscmp(c.className, WC_EDITW) == 0 && !(c.style & ES_MULTILINE);
        HWND control = CreateWindowExW(textBox ? WS_EX_CLIENTEDGE : 0, c.className, c.designText, style, Px(c.left),
                                       Px(c.top), Px(c.width),
                                       Px(c.height), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                       instance, nullptr);
        SetAccessibleName(control, c.accessibleName);
    }
    HWND combo = ControlOf(window_, ids::cmbLang);
    for (const wchar_t* item : kLanguageItems) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    PlaceControls();
    SendMessageW(ControlOf(window_, ids::txtPlaylist), EM_SETLIMITTEXT, 0, 0);
    ApplyFonts();
    LayoutStatusParts();
    HWND status = ControlOf(window_, ids::stbStatus);
    for (WPARAM i = 0; i < 3; ++i) SendMessageW(status, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(kDesignPanels[i]));
}

void CratewayLayout::PlaceControls() {
    for (const ControlDesign& c : kControls) {
        // A drop-down list needs room below it for its two items.
        const int height = c.id == ids::cmbLang ? Px(c.height) * 4 : Px(c.height);
        SetWindowPos(ControlOf(window_, c.id), nullptr, Px(c.left), Px(c.top), Px(c.width), height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CratewayLayout::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ResizeToDesignedClientArea();
    PlaceControls();
    ApplyFonts();
    SendMessageW(ControlOf(window_, ids::stbStatus), WM_SIZE, 0, 0);
    LayoutStatusParts();
    InvalidateRect(window_, nullptr, TRUE);
}

void CratewayLayout::ResizeToDesignedClientArea() {
    RECT rect{0, 0, Px(kClientWidthTwips), Px(kClientHeightTwips)};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), TRUE, 0);
    SetWindowPos(window_, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CratewayLayout::ApplyFonts() {
    // Both fonts are made once for this DPI, and the old ones go only after no control
    // uses them any more.
    // 6.75 pt at this DPI; Wine and stripped-down systems may lack Verdana.
    const wchar_t* face = FontInstalled(L"Verdana") ? L"Verdana" : L"Tahoma";
    win::FontHandle verdana(CreateFontW(-MulDiv(675, static_cast<int>(dpi_), 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                        FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                        CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, face));
    const LOGFONTW message = MessageFontFor(dpi_);
    win::FontHandle defaultFont(CreateFontIndirectW(&message));
    for (const ControlDesign& c : kControls) {
        HFONT font = c.font == Font::Verdana ? verdana.get() : defaultFont.get();
        SendMessageW(ControlOf(window_, c.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    verdana_ = std::move(verdana);
    defaultFont_ = std::move(defaultFont);
}

void CratewayLayout::LayoutStatusParts() {
    RECT client;
    GetClientRect(window_, &client);
    const int right = client.right;
    int edges[3] = {right - Px(kPanel2WidthTwips) - Px(kPanel3WidthTwips), right - Px(kPanel3WidthTwips), -1};
    SendMessageW(ControlOf(window_, ids::stbStatus), SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
}

}  // namespace tunelift::ui
