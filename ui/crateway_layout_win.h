// frmCrateway's look: the window and its controls as designed (kind, design text, place
// in twips, font, accessible name, tab order), the menus, the two fonts, and how all of
// it scales with the window's DPI. What the controls do is in frm_crateway_win.cpp.
#pragma once
#include <windows.h>

#include "win/handles_win.h"

namespace tunelift::ui {

// A control by its ID (txtAbout1 included, which lives inside pcbAbout).
HWND ControlOf(HWND window, int id);

class CratewayLayout {
public:
    // Creates the window with its menus and its controls in tab order, each placed,
    // named, with its design text and font; nullptr when the window cannot be created.
    // `procedure` receives `creationParam` in WM_NCCREATE.
    HWND Create(WNDPROC procedure, void* creationParam);

    // The menu that holds item `id` (the bar, File or Options); nullptr when `id` is no
    // menu item.
    HMENU MenuHolding(int id) const;

    // The control Tab (or Shift+Tab, `back`) moves to from `from`, in the designed tab
    // order whatever the controls' z-order: the next tab stop that is enabled and shown
    // with its container. From a window or control outside the order, the first (last).
    HWND NextTabStop(HWND from, bool back) const;

    // Per-monitor aware: moved to a monitor of another scale, the window lays itself
    // out again instead of letting the system stretch its pixels.
    void OnDpiChanged(UINT dpi, const RECT& suggested);

private:
    // Every position goes through here: twips at the window's DPI.
    int Px(int twips) const;
    void CreateMenus();
    void CreateControls();
    void ApplyFonts();
    void PlaceControls();
    void ResizeToDesignedClientArea();
    void LayoutStatusParts();

    HWND window_ = nullptr;
    UINT dpi_ = 96;
    HMENU menuBar_ = nullptr;
    HMENU fileMenu_ = nullptr;
    HMENU optionsMenu_ = nullptr;
    win::FontHandle verdana_;
    win::FontHandle defaultFont_;
};

}  // namespace tunelift::ui
