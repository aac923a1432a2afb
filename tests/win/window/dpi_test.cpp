// The window at 96, 120, 144 and 192 dpi, laid out as a move to a monitor of that scale
// lays it out: every font made once for that DPI, no caption cut off in either language,
// the about text readable to its end. Measured with each control's own font and size.
#include "window_fixture.h"

#include <commctrl.h>

#include <cstdlib>
#include <string>

namespace tunelift::testing {
namespace {

class Dpi : public WindowTest {
protected:
    void MoveToDpi(UINT dpi) {
        RECT suggested{0, 0, MulDiv(800, static_cast<int>(dpi), 96), MulDiv(450, static_cast<int>(dpi), 96)};
        SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        Pump();
    }
    LOGFONTW FontOf(int id) const {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(id), WM_GETFONT, 0, 0)), sizeof(font), &font);
        return font;
    }
    SIZE Extent(int id, const std::wstring& text) const {
        HWND control = Item(id);
        HDC dc = GetDC(control);
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        return size;
    }
    SIZE ClientSize(int id) const {
        RECT client;
        GetClientRect(Item(id), &client);
        return {client.right, client.bottom};
    }
};

// The system's message font at `dpi`, from what the system reports at its own DPI.
int MessageFontHeightAt(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HDC screen = GetDC(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), systemDpi);
}

TEST_F(Dpi, EveryFontIsMadeOnceForTheDpiAndNothingIsCut) {
    // Run once more on a system set to 150 %: there the system's own metrics come scaled.
    if (const char* expected = std::getenv("TUNELIFT_SYSTEM_DPI")) {
        HDC screen = GetDC(nullptr);
        ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), std::atoi(expected)) << "the system is not at that DPI";
        ReleaseDC(nullptr, screen);
    }
    const int verdanaControls[] = {ids::cmdSearch, ids::txtPlaylist, ids::cmdSave, ids::cmdSearch2,
                                   ids::cmbLang,   ids::cmdCancel,   ids::stbStatus, ids::cmdFind};
    const int defaultControls[] = {ids::txtPathfrom, ids::txtPathto, ids::txtAbout1, ids::chkExists, ids::chkKill};
    const int captioned[] = {ids::cmdSearch, ids::cmdSave,   ids::cmdSearch2, ids::cmdCancel,
                             ids::cmdFind,   ids::chkExists, ids::chkKill};
    Menu(ids::mnuAbout);
    for (UINT dpi : {96u, 120u, 144u, 192u}) {
        MoveToDpi(dpi);
        for (int id : verdanaControls) EXPECT_EQ(FontOf(id).lfHeight, -MulDiv(675, static_cast<int>(dpi), 7200)) << dpi;
        for (int id : defaultControls)
            EXPECT_NEAR(FontOf(id).lfHeight, MessageFontHeightAt(dpi), 1) << "control " << id << " at " << dpi;

        for (const wchar_t* language : {L"English", L"Deutsch"}) {
            SCOPED_TRACE(::testing::Message() << dpi << " dpi, " << language);
            ChooseLanguage(language);
            Pump();
            for (int id : captioned) {
                SIZE ideal{};  // the control's own measure of caption and check mark
                SendMessageW(Item(id), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
                EXPECT_LE(ideal.cx, ClientSize(id).cx) << "caption cut: " << ::testing::PrintToString(Text(id));
                EXPECT_LE(ideal.cy, ClientSize(id).cy) << "caption cut: " << ::testing::PrintToString(Text(id));
            }
            for (int id : {ids::txtPathfrom, ids::txtPathto}) {
                const DWORD margins = static_cast<DWORD>(SendMessageW(Item(id), EM_GETMARGINS, 0, 0));
                const SIZE prompt = Extent(id, Text(id));
                EXPECT_LE(prompt.cx + LOWORD(margins) + HIWORD(margins), ClientSize(id).cx);
                EXPECT_LE(prompt.cy, ClientSize(id).cy) << "path box " << id;
            }
            for (const wchar_t* item : {L"English", L"Deutsch"})
                EXPECT_LE(Extent(ids::cmbLang, item).cx + GetSystemMetrics(SM_CXVSCROLL), ClientSize(ids::cmbLang).cx);
            RECT progress{};
            SendMessageW(Item(ids::stbStatus), SB_GETRECT, 2, reinterpret_cast<LPARAM>(&progress));
            EXPECT_LE(Extent(ids::stbStatus, Panel(3) + L"100%").cx, progress.right - progress.left);
        }

        // The about text can be read to its last line: it fits, or it scrolls there.
        HWND about = Item(ids::txtAbout1);
        const int lastChar = GetWindowTextLengthW(about) - 1;
        SendMessageW(about, WM_VSCROLL, SB_BOTTOM, 0);
        const auto position = SendMessageW(about, EM_POSFROMCHAR, static_cast<WPARAM>(lastChar), 0);
        const int lastLineBottom = static_cast<short>(HIWORD(position)) + Extent(ids::txtAbout1, L"Ag").cy;
        EXPECT_LE(lastLineBottom, ClientSize(ids::txtAbout1).cy) << "the last line is cut at " << dpi;
        const bool scrolled = SendMessageW(about, EM_GETFIRSTVISIBLELINE, 0, 0) > 0;
        EXPECT_TRUE(!scrolled || (GetWindowLongPtrW(about, GWL_STYLE) & WS_VSCROLL))
            << "the text reaches past the box and nothing lets a person scroll there";
        SendMessageW(about, WM_VSCROLL, SB_TOP, 0);
    }
}

}  // namespace
}  // namespace tunelift::testing
