#include "window_fixture.h"

#include <commctrl.h>
#include "ui/language.h"

namespace tunelift::testing {
namespace {

using ui::frmCrateway;

struct Captions;

class MainWindow : public WindowTest {
protected:
    void ExpectCaptions(const Captions& c, const char* when);
};

TEST_F(MainWindow, StartsInEnglishWithPromptsFullBarAndHiddenAbout) {
    EXPECT_EQ(Text(ids::txtPathfrom), L"Open playlist");
    EXPECT_EQ(Text(ids::txtPathto), L"Destination");
    EXPECT_EQ(Text(ids::cmbLang), L"English");
    EXPECT_EQ(SendMessageW(Item(ids::pgbCopy), PBM_GETPOS, 0, 0), 100);
    EXPECT_FALSE(window->AboutVisible());
    EXPECT_EQ(SendMessageW(Item(ids::chkExists), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(Item(ids::chkKill), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    wchar_t caption[64] = {};
    GetWindowTextW(window->hwnd(), caption, 64);
    EXPECT_STREQ(caption, L"Tevkan's Tunelift 1.0");
    EXPECT_EQ(Text(ids::cmdFind), L"Check");
    EXPECT_EQ(Text(ids::txtPlaylist), L"");
    const SCROLLINFO scroll = Scroll();
    EXPECT_EQ(scroll.nMin, 0);
    EXPECT_EQ(scroll.nMax, 32767);
    EXPECT_EQ(scroll.nPos, 0);
    EXPECT_NE(SendMessageW(window->hwnd(), WM_GETICON, ICON_BIG, 0) | GetClassLongPtrW(window->hwnd(), GCLP_HICON), 0);
}

// Every place SetLanguage writes, read back from the real controls and menus.
struct Captions {
    const wchar_t* search;
    const wchar_t* copy;
    const wchar_t* cancel;
    const wchar_t* panel1;
    const wchar_t* panel2;
    const wchar_t* panel3;
    const wchar_t* promptPlaylist;
    const wchar_t* promptDestination;
    const wchar_t* menuFile;
    const wchar_t* menuAbout;
    const wchar_t* menuOpen;
    const wchar_t* menuDest;
    const wchar_t* menuOpenSearch;
    const wchar_t* menuOSR;
    const wchar_t* menuExit;
    const wchar_t* overwrite;
    const wchar_t* sync;
};

const Captions kEnglishCaptions = {
    L"Search", L"Copy!", L"Cancel", L"File: ", L"Filename: ", L"Progress: ", L"Open playlist", L"Destination",
    L"File", L"About", L"Open playlist", L"Search destination", L"Open and search", L"Open, search and run", L"Exit",
    L"Overwrite existing files",
    L"Sync playlist and directory (Deletes files in the destination dir, that are not in the playlist!)"};

const Captions kGermanCaptions = {
    L"Durchsuchen", L"Kopieren", L"Abbrechen", L"Datei: ", L"Dateiname: ", L"Fortschritt: ", L"Playlist \u00f6ffnen",
    L"Ziel", L"Datei", L"\u00dcber", L"Playlist \u00f6ffnen", L"Ziel suchen", L"\u00d6ffnen und suchen",
    L"\u00d6ffnen, suchen und starten", L"Beenden", L"\u00dcberschreibe existierende Dateien",
    L"Synchronisiere Playlist und Verzeichnis (L\u00f6scht Dateien im Ziel-Ordner, die nicht in der Playlist sind!)"};

void MainWindow::ExpectCaptions(const Captions& c, const char* when) {
    SCOPED_TRACE(when);
    Pump();  // as the window shows them once it has handled its messages
    const frmCrateway& w = *window;
    EXPECT_EQ(Text(ids::cmdSearch), c.search);
    EXPECT_EQ(Text(ids::cmdSearch2), c.search);
    EXPECT_EQ(Text(ids::cmdSave), c.copy);
    EXPECT_EQ(Text(ids::cmdCancel), c.cancel);
    EXPECT_EQ(Text(ids::cmdFind), L"Check");
    EXPECT_EQ(Panel(1), c.panel1);
    EXPECT_EQ(Panel(2), c.panel2);
    EXPECT_EQ(Panel(3), c.panel3);
    EXPECT_EQ(Text(ids::txtPathfrom), c.promptPlaylist);
    EXPECT_EQ(Text(ids::txtPathto), c.promptDestination);
    EXPECT_EQ(w.MenuText(ids::mnuFile), c.menuFile);
    EXPECT_EQ(w.MenuText(ids::mnuAbout), c.menuAbout);
    EXPECT_EQ(w.MenuText(ids::mnuOpen), c.menuOpen);
    EXPECT_EQ(w.MenuText(ids::mnuDest), c.menuDest);
    EXPECT_EQ(w.MenuText(ids::mnuOpenSearch), c.menuOpenSearch);
    EXPECT_EQ(w.MenuText(ids::mnuOSR), c.menuOSR);
    EXPECT_EQ(w.MenuText(ids::mnuExit), c.menuExit);
    EXPECT_EQ(w.MenuText(ids::mnuempty), L"---");
    EXPECT_EQ(Text(ids::chkExists), c.overwrite);
    EXPECT_EQ(Text(ids::chkKill), c.sync);
}

TEST_F(MainWindow, EveryCaptionFollowsTheLanguageBackAndForth) {
    ExpectCaptions(kEnglishCaptions, "start-up");
    ChooseLanguage(L"Deutsch");
    ExpectCaptions(kGermanCaptions, "Deutsch chosen");
    ChooseLanguage(L"English");
    ExpectCaptions(kEnglishCaptions, "English chosen again");
    ChooseLanguage(L"Deutsch");
    ExpectCaptions(kGermanCaptions, "Deutsch chosen again");
}

TEST_F(MainWindow, KeyReleaseInLanguageBoxAppliesItsText) {
    SendMessageW(Item(ids::cmbLang), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Deutsch"));
    KeyUpInLanguageBox(VK_DOWN);
    ExpectCaptions(kGermanCaptions, "key up on Deutsch");
    SetText(ids::txtPathfrom, L"C:\\Lists\\mix.m3u");
    KeyUpInLanguageBox(VK_SHIFT);
    EXPECT_EQ(Text(ids::txtPathfrom), L"Playlist \u00f6ffnen") << "a key release re-applies the language";
}

TEST_F(MainWindow, ChoosingALanguageReplacesPathsAndResetsPanels) {
    SetText(ids::txtPathfrom, L"C:\\Lists\\mix.m3u");
    SetText(ids::txtPathto, L"E:\\Player");
    window->Screen().SetPanel(1, L"File: C:\\Music\\a.mp3");
    window->Screen().SetPanel(3, L"Progress: 45%");
    Pump();
    ChooseLanguage(L"English");  // the same language again
    Pump();
    EXPECT_EQ(Text(ids::txtPathfrom), L"Open playlist");
    EXPECT_EQ(Text(ids::txtPathto), L"Destination");
    EXPECT_EQ(Panel(1), L"File: ");
    EXPECT_EQ(Panel(3), L"Progress: ");
}

TEST_F(MainWindow, AKeyOnThePromptClearsItBeforeTheKeyActs) {
    Press(ids::txtPathfrom, 'C', L'C');
    EXPECT_EQ(Text(ids::txtPathfrom), L"C");
    Press(ids::txtPathto, 'E', L'e');
    EXPECT_EQ(Text(ids::txtPathto), L"e");

    ChooseLanguage(L"English");
    Press(ids::txtPathfrom, VK_LEFT);
    EXPECT_EQ(Text(ids::txtPathfrom), L"");
    Press(ids::txtPathto, VK_SHIFT);
    EXPECT_EQ(Text(ids::txtPathto), L"");
}

TEST_F(MainWindow, AKeyLeavesOtherTextsAlone) {
    const struct { int box; const wchar_t* text; } rows[] = {
        {ids::txtPathfrom, L"open playlist"},        // the prompt in other letter case
        {ids::txtPathfrom, L"C:\\Lists\\mix.m3u"},   // a real path
        {ids::txtPathto, L"destination"},
        {ids::txtPathto, L"Ziel"},                   // the other language's prompt
    };
    for (const auto& row : rows) {
        SetText(row.box, row.text);
        Press(row.box, VK_END);
        EXPECT_EQ(Text(row.box), row.text);
    }
}

TEST_F(MainWindow, GermanPromptIsClearedWhenGermanIsActive) {
    ChooseLanguage(L"Deutsch");
    Press(ids::txtPathto, 'D', L'D');
    EXPECT_EQ(Text(ids::txtPathto), L"D");
}

TEST_F(MainWindow, DropTakesTheFirstFileEndingInM3uOrTxt) {
    const struct { std::vector<std::wstring> files; const wchar_t* expected; } rows[] = {
        {{L"C:\\Lists\\Mix.M3U"}, L"C:\\Lists\\Mix.M3U"},
        {{L"C:\\Lists\\list.txt"}, L"C:\\Lists\\list.txt"},
        {{L"C:\\Lists\\folder.txt"}, L"C:\\Lists\\folder.txt"},  // a folder: only the ending counts
        {{L"C:\\Lists\\Playlisttxt"}, L"C:\\Lists\\Playlisttxt"},
        {{L"C:\\Lists\\list.m3u8"}, nullptr},
        {{L"C:\\Lists\\radio.pls"}, nullptr},
        {{L"C:\\Lists\\a.m3u", L"C:\\Lists\\b.pls"}, L"C:\\Lists\\a.m3u"},
        {{L"C:\\Lists\\b.pls", L"C:\\Lists\\a.m3u"}, nullptr},
    };
    for (const auto& row : rows) {
        SetText(ids::txtPathfrom, L"unchanged");
        Drop(ids::txtPathfrom, row.files);
        EXPECT_EQ(Text(ids::txtPathfrom), row.expected ? row.expected : L"unchanged") << row.files[0].size();
    }
}

TEST_F(MainWindow, AboutShowsThenHides) {
    Menu(ids::mnuAbout);
    EXPECT_TRUE(window->AboutVisible());
    EXPECT_NE(Text(ids::txtAbout1).find(L"Tunelift"), std::wstring::npos);
    Menu(ids::mnuAbout);
    EXPECT_FALSE(window->AboutVisible());
}

TEST_F(MainWindow, ExitAndTheCloseButtonBothEndTheProgram) {
    Menu(ids::mnuExit);
    EXPECT_EQ(exitCalls, 1);
    SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(exitCalls, 2);
}

TEST_F(MainWindow, ControlsSitAtTheirDesignedPlacesAtThisDpi) {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    RECT client;
    GetClientRect(window->hwnd(), &client);
    EXPECT_EQ(client.right, px(10665));
    EXPECT_EQ(client.bottom, px(5355));

    const struct { int id; int left, top, width, height; } rows[] = {
        {ids::txtPathfrom, 60, 150, 9015, 315}, {ids::cmdSearch, 9120, 150, 1515, 315},
        {ids::txtPlaylist, 60, 570, 10305, 2535}, {ids::vsbListLog, 10380, 570, 255, 2265},
        {ids::txtPathto, 60, 3210, 9015, 315},   {ids::cmdSearch2, 9120, 3210, 1515, 315},
        {ids::pgbCopy, -45, 3600, 10755, 285},    {ids::cmdCancel, 4575, 3945, 1515, 315},
        {ids::cmdFind, 7500, 3945, 1515, 315},    {ids::cmdSave, 9090, 3945, 1515, 315},
        {ids::chkExists, 60, 4290, 8970, 345},    {ids::chkKill, 75, 4695, 8940, 345},
        {ids::pcbAbout, 3135, 660, 4425, 1875},
    };
    for (const auto& row : rows) {
        RECT r;
        GetWindowRect(Item(row.id), &r);
        MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, px(row.left)) << "control " << row.id;
        EXPECT_EQ(r.top, px(row.top)) << "control " << row.id;
        EXPECT_EQ(r.right - r.left, px(row.width)) << "control " << row.id;
        EXPECT_EQ(r.bottom - r.top, px(row.height)) << "control " << row.id;
    }
}

TEST_F(MainWindow, MovingToA150PercentMonitorLaysTheWindowOutAgain) {
    RECT suggested{10, 10, 1200, 900};
    const auto smallBefore = SendMessageW(Item(ids::cmdSave), WM_GETFONT, 0, 0);
    LOGFONTW before{};
    GetObjectW(reinterpret_cast<HFONT>(smallBefore), sizeof(before), &before);
    SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    auto px = [](int twips) { return MulDiv(twips, 144, 1440); };
    RECT client;
    GetClientRect(window->hwnd(), &client);
    EXPECT_EQ(client.right, px(10665));
    EXPECT_EQ(client.bottom, px(5355));
    RECT r;
    GetWindowRect(Item(ids::cmdSave), &r);
    MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, px(9090));
    EXPECT_EQ(r.top, px(3945));
    EXPECT_EQ(r.right - r.left, px(1515));
    LOGFONTW after{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(ids::cmdSave), WM_GETFONT, 0, 0)), sizeof(after), &after);
    EXPECT_EQ(after.lfHeight, -MulDiv(675, 144, 7200));
    EXPECT_LT(after.lfHeight, before.lfHeight) << "a taller font at 150%";
}

TEST_F(MainWindow, ButtonsUseTheSmallFontAndPathBoxesTheDefault) {
    const auto small = SendMessageW(Item(ids::cmdSave), WM_GETFONT, 0, 0);
    const auto normal = SendMessageW(Item(ids::txtPathfrom), WM_GETFONT, 0, 0);
    ASSERT_NE(small, 0);
    ASSERT_NE(normal, 0);
    EXPECT_NE(small, normal);
    for (int id : {ids::cmdSearch, ids::cmdSearch2, ids::cmdCancel, ids::cmdFind, ids::cmbLang, ids::txtPlaylist,
                   ids::stbStatus})
        EXPECT_EQ(SendMessageW(Item(id), WM_GETFONT, 0, 0), small) << "control " << id;
    for (int id : {ids::txtPathto, ids::chkExists, ids::chkKill})
        EXPECT_EQ(SendMessageW(Item(id), WM_GETFONT, 0, 0), normal) << "control " << id;
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(small), sizeof(lf), &lf);
    EXPECT_TRUE(std::wstring(lf.lfFaceName) == L"Verdana" || std::wstring(lf.lfFaceName) == L"Tahoma");
    for (int id : {ids::txtPathfrom, ids::txtPathto}) {
        EXPECT_TRUE(GetWindowLongPtrW(Item(id), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << "the sunken edge of a text box";
        EXPECT_FALSE(GetWindowLongPtrW(Item(id), GWL_STYLE) & WS_BORDER) << "a flat line instead";
    }
}

TEST_F(MainWindow, TabOrderFollowsTheDesign) {
    // Creation order is tab order: walk the window's children from the first.
    const int expected[] = {ids::cmdSearch, ids::txtPlaylist, ids::txtPathfrom, ids::cmdSave,  ids::txtPathto,
                            ids::cmdSearch2, ids::cmbLang,    ids::cmdCancel,   ids::pgbCopy,  ids::stbStatus,
                            ids::pcbAbout,  ids::cmdFind,     ids::vsbListLog,  ids::chkExists, ids::chkKill};
    HWND child = GetWindow(window->hwnd(), GW_CHILD);
    for (int id : expected) {
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), id);
        child = GetWindow(child, GW_HWNDNEXT);
    }
}

TEST_F(MainWindow, EveryControlHasAStableIdAndAnAccessibleName) {
    for (int id : {ids::cmdSearch, ids::txtPlaylist, ids::txtPathfrom, ids::cmdSave, ids::txtPathto, ids::cmdSearch2,
                   ids::cmbLang, ids::cmdCancel, ids::pgbCopy, ids::stbStatus, ids::pcbAbout, ids::txtAbout1,
                   ids::cmdFind, ids::vsbListLog, ids::chkExists, ids::chkKill}) {
        HWND control = Item(id);
        ASSERT_NE(control, nullptr) << "control " << id;
        const auto* name = static_cast<const wchar_t*>(GetPropW(control, L"TuneliftAccessibleName"));
        ASSERT_NE(name, nullptr) << "control " << id;
        EXPECT_GT(wcslen(name), 0u);
    }
    for (int id : {ids::mnuFile, ids::mnuOpen, ids::mnuDest, ids::mnuOpenSearch, ids::mnuOSR, ids::mnuempty,
                   ids::mnuExit, ids::mnuAbout})
        EXPECT_NE(window->MenuText(id), L"<none>") << "menu " << id;
}

TEST_F(MainWindow, OverlongLinesAreShownShortenedButKeptWhole) {
    const std::wstring longLine = L"C:\\" + std::wstring(100000, L'x') + L"\\end.mp3";
    const std::wstring text = L"\r\nC:\\Music\\a.mp3\r\n" + longLine + L"\r\n1/1 ok";
    window->Screen().SetLogText(text);
    window->Screen().SetPanel(1, L"File: " + longLine);
    window->FlushDeferredTexts();
    EXPECT_EQ(window->Screen().LogText(), text) << "the log keeps the whole line";
    const int length = GetWindowTextLengthW(Item(ids::txtPlaylist));
    std::wstring shown(static_cast<size_t>(length) + 1, L'\0');
    shown.resize(static_cast<size_t>(GetWindowTextW(Item(ids::txtPlaylist), shown.data(), length + 1)));
    EXPECT_LT(shown.size(), 2000u);
    EXPECT_EQ(shown.rfind(L"\r\nC:\\Music\\a.mp3\r\nC:\\xxx", 0), 0u) << "short lines and the start stay";
    EXPECT_NE(shown.find(L" \u2026 "), std::wstring::npos);
    const std::wstring tail = L"x\\end.mp3\r\n1/1 ok";
    EXPECT_EQ(shown.substr(shown.size() - tail.size()), tail);
    wchar_t panel[4096] = {};
    SendMessageW(Item(ids::stbStatus), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_LT(wcslen(panel), 1100u);
}

TEST_F(MainWindow, DividerMenuItemIsDisabled) {
    HMENU bar = GetMenu(window->hwnd());
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_TRUE(GetMenuState(file, ids::mnuempty, MF_BYCOMMAND) & MF_GRAYED);
}

}  // namespace
}  // namespace tunelift::testing
