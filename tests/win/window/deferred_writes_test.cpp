#include "ui/deferred_writes_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace tunelift::testing {
namespace {

using ui::DeferredWrites;

// The four controls the writes go to, on a hidden window of their own.
class Controls {
public:
    Controls() {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
        parent_ = CreateWindowExW(0, WC_STATICW, L"", WS_OVERLAPPED, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
        bound.logView = Child(WC_EDITW, ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY);  // as the log view
        bound.statusBar = Child(STATUSCLASSNAMEW, 0);
        bound.bar = Child(PROGRESS_CLASSW, 0);
        bound.scrollBar = Child(WC_SCROLLBARW, SBS_VERT);
        int edges[3] = {100, 200, -1};
        SendMessageW(bound.statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    }
    ~Controls() { DestroyWindow(parent_); }

    DeferredWrites::Controls bound;

private:
    HWND Child(const wchar_t* className, DWORD style) {
        return CreateWindowExW(0, className, L"", WS_CHILD | style, 0, 0, 100, 100, parent_, nullptr, nullptr, nullptr);
    }
    HWND parent_;
};

std::wstring LogView(const DeferredWrites::Controls& c) {
    const int length = GetWindowTextLengthW(c.logView);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(c.logView, text.data(), length + 1)));
    return text;
}
std::wstring Panel3(const DeferredWrites::Controls& c) {
    wchar_t text[256] = {};
    SendMessageW(c.statusBar, SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(text));
    return text;
}
std::wstring Bar(const DeferredWrites::Controls& c) {
    return std::to_wstring(SendMessageW(c.bar, PBM_GETPOS, 0, 0));
}
std::wstring Scroll(const DeferredWrites::Controls& c) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS;
    GetScrollInfo(c.scrollBar, SB_CTL, &info);
    return std::to_wstring(info.nMin) + L".." + std::to_wstring(info.nMax) + L" at " + std::to_wstring(info.nPos);
}

// A write reaches its control at the flush and not before: a write that went straight
// through would cost the run its speed, one that never went would leave the screen stale.
TEST(DeferredWrites, EachWriteReachesItsControlAtTheFlush) {
    const struct {
        const char* what;
        std::function<void(DeferredWrites&)> write;
        std::function<std::wstring(const DeferredWrites::Controls&)> read;
        std::wstring shown;
        int logViewChanges;
    } rows[] = {
        {"log view text", [](DeferredWrites& w) { w.SetLogText(L"a\r\nb ok"); }, LogView, L"a\r\nb ok", 1},
        {"third panel", [](DeferredWrites& w) { w.SetPanel(3, L"Progress: 45%"); }, Panel3, L"Progress: 45%", 0},
        {"bar value", [](DeferredWrites& w) { w.SetBarValue(45); }, Bar, L"45", 0},
        {"scroll range and position",
         [](DeferredWrites& w) {
             w.SetScrollRange(0, 500);
             w.SetScrollPos(147);
         },
         Scroll, L"0..500 at 147", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Controls controls;
        DeferredWrites writes;
        int logViewChanges = 0;
        writes.Bind(controls.bound, [&] { ++logViewChanges; });
        row.write(writes);
        EXPECT_TRUE(writes.IsDirty());
        EXPECT_NE(row.read(controls.bound), row.shown) << "written before the flush";
        writes.Flush();
        EXPECT_FALSE(writes.IsDirty());
        EXPECT_EQ(row.read(controls.bound), row.shown);
        EXPECT_EQ(logViewChanges, row.logViewChanges);
    }
}

// The log view is edited where its text changed, and a show hands it only its last
// lines: whatever the log did, after a flush the view holds exactly the log.
TEST(DeferredWrites, TheLogViewHoldsExactlyTheLogAfterEveryFlush) {
    auto slots = [](int first, int last) {
        std::wstring text;
        for (int n = first; n <= last; ++n) text += L"\r\nC:\\" + std::to_wstring(n) + L".mp3\r\n" + std::to_wstring(n) + L" ok\r\n---";
        return text;
    };
    const struct {
        const char* what;
        std::wstring before, after;
        bool shownFirst;
    } rows[] = {
        {"grown at its end", slots(1, 3), slots(1, 4), false},
        {"oldest slot gone, one more at the end", slots(1, 101), slots(2, 102), false},
        {"moved past all of it", slots(1, 101), slots(300, 400), false},
        {"shrunk to the scroll refresh's four slots", slots(1, 101), slots(98, 101), false},
        {"emptied at a run's start", slots(1, 3), L"", false},
        {"same start, other end", slots(1, 3) + L"\r\nSearch finished!", slots(1, 3) + L"\r\nCanceled!", false},
        {"a NUL from a playlist", L"", std::wstring(L"\r\nC:\\a\0b.mp3", 12), false},
        {"after a show of the last lines", slots(1, 50), slots(2, 51), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Controls controls;
        DeferredWrites writes;
        writes.Bind(controls.bound, nullptr);
        writes.SetLogText(row.before);
        writes.Flush();
        writes.SetLogText(row.after);
        if (row.shownFirst) {
            writes.Show();
            const std::wstring shown = LogView(controls.bound);
            EXPECT_EQ(std::count(shown.begin(), shown.end(), L'\n') + 1,
                      static_cast<std::ptrdiff_t>(DeferredWrites::kShownLines));
        }
        writes.Flush();
        std::wstring expected = row.after;
        std::replace(expected.begin(), expected.end(), L'\0', L'\u2400');
        EXPECT_EQ(LogView(controls.bound), expected);
    }
}

}  // namespace
}  // namespace tunelift::testing
