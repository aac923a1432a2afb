// The window at 96, 120, 144 and 192 dpi, as a move to a monitor of that scale lays it
// out: every font made once for that DPI, no caption cut in either language, the about
// text readable to its end; measured with each control's own font and size.
#include "window_fixture.h"

#include <commctrl.h>

#include <cstdlib>

namespace tunelift::testing {
namespace {

class Dpi : public WindowTest {
protected:
    LONG FontHeight(int id) const {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(id), WM_GETFONT, 0, 0)), sizeof(font), &font);
        return font.lfHeight;
    }
    SIZE Extent(int id, const std::wstring& text) const {
        const win::WindowDc dc(Item(id));
        const HGDIOBJ old = SelectObject(dc.get(), reinterpret_cast<HFONT>(SendMessageW(Item(id), WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc.get(), old);
        return size;
    }
    RECT Client(int id) const {
        RECT client;
        GetClientRect(Item(id), &client);
        return client;
    }
};

TEST_F(Dpi, EveryFontIsMadeOnceForTheDpiAndNothingIsCut) {
    // The system's message font as the system reports it at its own DPI. A second run
    // happens on a system set to 144 dpi, where those metrics come scaled already.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const int systemDpi = GetDeviceCaps(win::WindowDc().get(), LOGPIXELSY);
    if (const char* expected = std::getenv("TUNELIFT_SYSTEM_DPI")) {
        ASSERT_EQ(systemDpi, std::atoi(expected));
    }

    Menu(ids::mnuAbout);
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(::testing::Message() << dpi << " dpi");
        RECT suggested{0, 0, dpi * 8, dpi * 5};
        SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        for (int id : {ids::cmdSearch, ids::txtPlaylist, ids::cmdSave, ids::cmbLang, ids::stbStatus, ids::cmdFind})
            EXPECT_EQ(FontHeight(id), -MulDiv(675, dpi, 7200)) << "Verdana 6.75 pt, control " << id;
        for (int id : {ids::txtPathfrom, ids::txtPathto, ids::txtAbout1, ids::chkExists, ids::chkKill})
            EXPECT_NEAR(FontHeight(id), MulDiv(metrics.lfMessageFont.lfHeight, dpi, systemDpi), 1) << "control " << id;

        for (const wchar_t* language : {L"English", L"Deutsch"}) {
            ChooseLanguage(language);
            Pump();
            for (int id : {ids::cmdSearch, ids::cmdSave, ids::cmdSearch2, ids::cmdCancel, ids::cmdFind, ids::chkExists,
                           ids::chkKill}) {
                SIZE ideal{};  // the control's own measure of its caption (and check mark)
                SendMessageW(Item(id), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
                EXPECT_TRUE(ideal.cx <= Client(id).right && ideal.cy <= Client(id).bottom)
                    << "caption cut: " << ::testing::PrintToString(Text(id));
            }
            for (int id : {ids::txtPathfrom, ids::txtPathto}) {
                const auto margins = static_cast<DWORD>(SendMessageW(Item(id), EM_GETMARGINS, 0, 0));
                const SIZE prompt = Extent(id, Text(id));
                EXPECT_LE(prompt.cx + LOWORD(margins) + HIWORD(margins), Client(id).right);
                EXPECT_LE(prompt.cy, Client(id).bottom);
            }
            for (const wchar_t* item : {L"English", L"Deutsch"})
                EXPECT_LE(Extent(ids::cmbLang, item).cx + GetSystemMetrics(SM_CXVSCROLL), Client(ids::cmbLang).right);
            RECT progress{};
            SendMessageW(Item(ids::stbStatus), SB_GETRECT, 2, reinterpret_cast<LPARAM>(&progress));
            EXPECT_LE(Extent(ids::stbStatus, Panel(3) + L"100%").cx, progress.right - progress.left);
        }

        // The about text: it fits, or a scroll bar takes a person to its last line.
        HWND about = Item(ids::txtAbout1);
        SendMessageW(about, WM_VSCROLL, SB_BOTTOM, 0);
        const auto last = SendMessageW(about, EM_POSFROMCHAR, static_cast<WPARAM>(GetWindowTextLengthW(about) - 1), 0);
        EXPECT_LE(static_cast<short>(HIWORD(last)) + Extent(ids::txtAbout1, L"Ag").cy, Client(ids::txtAbout1).bottom);
        EXPECT_TRUE(SendMessageW(about, EM_GETFIRSTVISIBLELINE, 0, 0) == 0 ||
                    (GetWindowLongPtrW(about, GWL_STYLE) & WS_VSCROLL))
            << "the text reaches past the box and nothing scrolls there";
    }
}

}  // namespace
}  // namespace tunelift::testing
