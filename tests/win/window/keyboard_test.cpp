// The keyboard as a person uses it: each key event goes to the control that has the
// focus at that moment and is handled by the program's own loop before the next (so a
// Tab's release reaches the control the Tab moved to), with the thread's key state kept
// as the system keeps it.
#include "window_fixture.h"

#include <atomic>
#include <functional>
#include <initializer_list>
#include <vector>

#include "scratch_folder.h"
#include "ui/message_pump_win.h"

namespace tunelift::testing {
namespace {

class Keyboard : public WindowTest {
protected:
    Keyboard() { showCommand = SW_SHOW; }  // shown and active, as a window one types into

    static void KeyEvent(WORD key, bool up) {
        BYTE state[256];
        GetKeyboardState(state);
        state[key] = up ? 0 : 0x80;
        SetKeyboardState(state);
        const LPARAM lParam = 1 | (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16) |
                              (up ? 0xC0000000 : 0);
        PostMessageW(GetFocus(), up ? WM_KEYUP : WM_KEYDOWN, key, lParam);
        ui::DispatchPending();
    }
    static void Type(WORD key, std::initializer_list<WORD> held = {}) {
        for (WORD h : held) KeyEvent(h, false);
        KeyEvent(key, false);
        KeyEvent(key, true);
        for (WORD h : held) KeyEvent(h, true);
    }
    static int Focus() { return GetDlgCtrlID(GetFocus()); }
    void FocusOn(int id) { SetFocus(Item(id)); }
};

TEST_F(Keyboard, StartsOnTheFirstTabStopAndTabWalksTheDesignedOrder) {
    EXPECT_EQ(Focus(), ids::cmdSearch) << "the focus at start";
    const std::vector<int> order = {ids::cmdSearch, ids::txtPlaylist, ids::txtPathfrom, ids::cmdSave,
                                    ids::txtPathto, ids::cmdSearch2,  ids::cmbLang,     ids::cmdCancel,
                                    ids::cmdFind,   ids::vsbListLog,  ids::chkExists,   ids::chkKill};
    std::vector<int> withAbout = order;
    withAbout.insert(withAbout.begin() + 8, ids::txtAbout1);
    const struct {
        const char* what;
        bool about, back;
        std::vector<int> visited;
    } rows[] = {
        {"Tab, into and out of the log view", false, false, order},
        {"Shift+Tab the other way", false, true, {order.rbegin(), order.rend()}},
        {"Tab with the about box over the log view", true, false, withAbout},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.about != window->AboutVisible()) Menu(ids::mnuAbout);
        FocusOn(row.visited.front());
        std::vector<int> seen;
        for (size_t i = 0; i <= row.visited.size(); ++i) {
            seen.push_back(Focus());
            Type(VK_TAB, row.back ? std::initializer_list<WORD>{VK_SHIFT} : std::initializer_list<WORD>{});
        }
        std::vector<int> expected = row.visited;
        expected.push_back(row.visited.front());  // and round again
        EXPECT_EQ(seen, expected);
    }
}

// Esc cancels a run, as in every Windows program, and otherwise does nothing, wherever
// the focus is; it never ends the program or closes the about box.
TEST_F(Keyboard, EscCancelsARunAndOtherwiseDoesNothing) {
    Menu(ids::mnuAbout);
    for (int id : {ids::txtPlaylist, ids::txtAbout1, ids::txtPathfrom, ids::cmdSave, ids::cmbLang}) {
        FocusOn(id);
        Type(VK_ESCAPE);
        EXPECT_EQ(exitCalls, 0) << "control " << id;
        EXPECT_TRUE(window->AboutVisible()) << "control " << id;
        EXPECT_EQ(Focus(), id);
    }
    SendMessageW(window->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(exitCalls, 1) << "the close button is still Exit";

    ScratchFolder dir;
    dir.MakeFolder(L"Player");
    dir.WriteSizedFile(L"big.mp3", 16ull << 20);
    dir.WriteFile(L"a.mp3", "a");
    dir.WriteFile(L"list.m3u", Utf8(dir / L"big.mp3") + "\r\n" + Utf8(dir / L"a.mp3") + "\r\n");
    SetText(ids::txtPathfrom, dir / L"list.m3u");
    SetText(ids::txtPathto, dir / L"Player");
    FocusOn(ids::txtPlaylist);
    // Typed while the first song is copied, which waits half-way until it was.
    std::atomic<bool> typed{false};
    window->SetShowObserver([&] {
        if (typed || Panel(2) != L"Filename: big.mp3") return;
        SendMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
        typed = true;
    });
    hooked->halfWay = [&typed](const std::wstring&) { WaitUntil([&typed] { return typed.load(); }); };
    Click(ids::cmdSave);
    const std::wstring log = Text(ids::txtPlaylist);
    EXPECT_TRUE(log.ends_with(L"1/1 ok\r\n---\r\nCanceled!")) << ::testing::PrintToString(log);
    EXPECT_EQ(exitCalls, 1);
}

// A key release in the language box applies the language (and puts the prompts into
// both path boxes), except the release of a key that only brought the focus there.
TEST_F(Keyboard, OnlyTheLanguageBoxsOwnKeysApplyTheLanguage) {
    const struct {
        const char* what;
        std::function<void()> keys;
        bool applies;
    } rows[] = {
        {"Tab into it", [this] { FocusOn(ids::cmdSearch2); Type(VK_TAB); }, false},
        {"Shift+Tab into it", [this] { FocusOn(ids::cmdCancel); Type(VK_TAB, {VK_SHIFT}); }, false},
        {"Alt released in it", [this] { FocusOn(ids::cmbLang); KeyUpInLanguageBox(VK_MENU); }, false},
        {"Up in it", [this] { FocusOn(ids::cmbLang); Type(VK_UP); }, true},
        {"Shift in it", [this] { FocusOn(ids::cmbLang); Type(VK_SHIFT); }, true},
        {"Tab in, then Up", [this] { FocusOn(ids::cmdSearch2); Type(VK_TAB); Type(VK_UP); }, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        SetText(ids::txtPathfrom, L"C:\\Lists\\mix.m3u");
        row.keys();
        EXPECT_EQ(Focus(), ids::cmbLang);
        EXPECT_EQ(Text(ids::txtPathfrom), row.applies ? L"Open playlist" : L"C:\\Lists\\mix.m3u");
    }
}

}  // namespace
}  // namespace tunelift::testing
