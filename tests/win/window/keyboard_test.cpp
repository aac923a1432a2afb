// The keyboard as a person uses it: each key event goes to the control that has the
// focus at that moment and is handled by the program's own message loop before the
// next (so a Tab's release reaches the control the Tab moved to). Keys are queued on
// the window's thread, as the system queues them, with the thread's key state kept as
// the system keeps it; no other program's window can take them.
#include "window_fixture.h"

#include <commctrl.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "scratch_folder.h"
#include "ui/message_pump_win.h"

namespace tunelift::testing {
namespace {

class Keyboard : public WindowTest {
protected:
    // Shown and active, as a window a person types into.
    Keyboard() { showCommand = SW_SHOW; }

    static void KeyEvent(WORD key, bool up) {
        BYTE state[256];
        GetKeyboardState(state);
        state[key] = up ? 0 : 0x80;
        SetKeyboardState(state);
        const bool alt = key != VK_MENU && (state[VK_MENU] & 0x80);
        const UINT message = alt ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
        LPARAM lParam = 1 | (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16);
        if (alt) lParam |= 1 << 29;
        if (up) lParam |= (1u << 30) | (1u << 31);
        PostMessageW(GetFocus(), message, key, lParam);
        ui::YieldToWindow(true);
    }
    // Held keys go down first and come up last.
    static void Type(WORD key, std::initializer_list<WORD> held = {}) {
        for (WORD h : held) KeyEvent(h, false);
        KeyEvent(key, false);
        KeyEvent(key, true);
        for (auto h = std::rbegin(held); h != std::rend(held); ++h) KeyEvent(*h, true);
    }
    static int Focus() { return GetDlgCtrlID(GetFocus()); }
    void FocusOn(int id) {
        SetFocus(Item(id));
        ui::YieldToWindow(true);
    }
};

TEST_F(Keyboard, StartsOnTheFirstTabStopAndTabWalksTheDesignedOrder) {
    EXPECT_EQ(Focus(), ids::cmdSearch) << "the focus at start";
    const std::vector<int> order = {ids::cmdSearch, ids::txtPlaylist, ids::txtPathfrom, ids::cmdSave,
                                    ids::txtPathto, ids::cmdSearch2,  ids::cmbLang,     ids::cmdCancel,
                                    ids::cmdFind,   ids::vsbListLog,  ids::chkExists,   ids::chkKill};
    std::vector<int> withAbout = order;
    withAbout.insert(withAbout.begin() + 8, ids::txtAbout1);
    const std::vector<int> backwards(order.rbegin(), order.rend());
    const struct {
        const char* what;
        bool about;
        bool back;
        const std::vector<int>& visited;
    } rows[] = {
        {"Tab, into and out of the log view", false, false, order},
        {"Shift+Tab the other way", false, true, backwards},
        {"Tab with the about box over the log view", true, false, withAbout},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.about != window->AboutVisible()) Menu(ids::mnuAbout);
        FocusOn(row.visited.front());
        std::vector<int> seen = {Focus()};
        for (size_t i = 0; i < row.visited.size(); ++i) {
            Type(VK_TAB, row.back ? std::initializer_list<WORD>{VK_SHIFT} : std::initializer_list<WORD>{});
            seen.push_back(Focus());
        }
        std::vector<int> expected = row.visited;
        expected.push_back(row.visited.front());  // and round again
        EXPECT_EQ(seen, expected);
    }
}

// Esc is no way out of the program: it cancels a run, as in every Windows program, and
// otherwise does nothing, wherever the focus is.
TEST_F(Keyboard, EscNeverEndsTheProgramOrClosesTheAboutBox) {
    Menu(ids::mnuAbout);
    for (int id : {ids::txtPlaylist, ids::txtAbout1, ids::txtPathfrom, ids::cmdSave, ids::cmbLang}) {
        SCOPED_TRACE(::testing::Message() << "focus on control " << id);
        FocusOn(id);
        Type(VK_ESCAPE);
        ui::YieldToWindow(true);
        EXPECT_EQ(exitCalls, 0);
        EXPECT_TRUE(IsWindow(Item(ids::pcbAbout)) && window->AboutVisible()) << "the about box went";
        EXPECT_EQ(Focus(), id);
    }
    // The close button is still Exit.
    SendMessageW(window->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(exitCalls, 1);
}

TEST_F(Keyboard, EscDuringACopyCancelsTheRun) {
    ScratchFolder dir;
    dir.MakeFolder(L"Player");
    dir.WriteSizedFile(L"big.mp3", 16ull << 20);
    dir.WriteFile(L"a.mp3", "a");
    dir.WriteFile(L"list.m3u", Utf8(dir / L"big.mp3") + "\r\n" + Utf8(dir / L"a.mp3") + "\r\n");
    SetText(ids::txtPathfrom, dir / L"list.m3u");
    SetText(ids::txtPathto, dir / L"Player");
    FocusOn(ids::txtPlaylist);
    // Esc typed while the first song is being copied: the key waits in the queue until
    // the run's next look at it, as a key a person types does.
    bool typed = false;
    window->SetShowObserver([&] {
        if (typed || Panel(2) != L"Filename: big.mp3") return;
        typed = true;
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(GetFocus(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
    });
    Click(ids::cmdSave);
    window->SetShowObserver(nullptr);
    ASSERT_TRUE(typed);
    const std::wstring log = Text(ids::txtPlaylist);
    EXPECT_NE(log.find(L"1/1 ok\r\n---\r\nCanceled!"), std::wstring::npos) << ::testing::PrintToString(log);
    EXPECT_EQ(log.find(L"a.mp3"), std::wstring::npos) << "the run went on";
    EXPECT_EQ(exitCalls, 0);
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
        {"Shift pressed in it", [this] { FocusOn(ids::cmbLang); Type(VK_SHIFT); }, true},
        {"Tab in, then Up", [this] { FocusOn(ids::cmdSearch2); Type(VK_TAB); Type(VK_UP); }, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        SetText(ids::txtPathfrom, L"C:\\Lists\\mix.m3u");
        SetText(ids::txtPathto, L"E:\\Player");
        row.keys();
        EXPECT_EQ(Focus(), ids::cmbLang);
        EXPECT_EQ(Text(ids::txtPathfrom), row.applies ? L"Open playlist" : L"C:\\Lists\\mix.m3u");
        EXPECT_EQ(Text(ids::txtPathto), row.applies ? L"Destination" : L"E:\\Player");
    }
}

}  // namespace
}  // namespace tunelift::testing
