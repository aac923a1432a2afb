#include "screen_win.h"

#include <vector>

#include "win/handles_win.h"

namespace tunelift::testing {
namespace {

using Bitmap = win::Owned<win::GdiObjectTraits<HBITMAP>>;
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
using MemoryDc = win::Owned<MemoryDcTraits>;

std::vector<DWORD> Pixels(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    for (DWORD& p : pixels) p &= 0x00FFFFFF;
    return pixels;
}

}  // namespace

bool ScreenShowsControl(HWND control) {
    // Only the part inside the parent's client area can show (the bar reaches past it).
    RECT client, parent;
    GetClientRect(control, &client);
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetClientRect(GetParent(control), &parent);
    MapWindowPoints(GetParent(control), nullptr, reinterpret_cast<POINT*>(&parent), 2);
    RECT visible;
    if (!IntersectRect(&visible, &client, &parent)) return false;
    const int width = visible.right - visible.left, height = visible.bottom - visible.top;
    const POINT origin{visible.left, visible.top};
    // The control draws its whole client area; the bitmap is placed so that the visible
    // part lands at (0, 0).
    const POINT shift{client.left - visible.left, client.top - visible.top};

    const win::WindowDc screen;
    const MemoryDc memory(CreateCompatibleDC(screen.get()));
    const Bitmap shot(CreateCompatibleBitmap(screen.get(), width, height));
    const Bitmap drawn(CreateCompatibleBitmap(screen.get(), width, height));
    const HGDIOBJ old = SelectObject(memory.get(), shot.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), origin.x, origin.y, SRCCOPY);
    SelectObject(memory.get(), drawn.get());
    SetViewportOrgEx(memory.get(), shift.x, shift.y, nullptr);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT | PRF_ERASEBKGND);
    SetViewportOrgEx(memory.get(), 0, 0, nullptr);
    SelectObject(memory.get(), old);
    return Pixels(memory.get(), shot.get(), width, height) == Pixels(memory.get(), drawn.get(), width, height);
}

}  // namespace tunelift::testing
