#include "ui/deferred_writes_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

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
        bound.logView = Child(WC_EDITW, ES_MULTILINE);
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
    wchar_t text[256] = {};
    GetWindowTextW(c.logView, text, 256);
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

}  // namespace
}  // namespace tunelift::testing
