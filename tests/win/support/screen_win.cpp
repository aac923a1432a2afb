#include "screen_win.h"

#include <memory>
#include <type_traits>
#include <vector>

#include "win/handles_win.h"

namespace tunelift::testing {

bool ScreenShowsControl(HWND control) {
    // Only the part inside the parent's client area can show (the bar reaches past it).
    RECT client, parent, visible;
    GetClientRect(control, &client);
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetClientRect(GetParent(control), &parent);
    MapWindowPoints(GetParent(control), nullptr, reinterpret_cast<POINT*>(&parent), 2);
    if (!IntersectRect(&visible, &client, &parent)) return false;
    const int width = visible.right - visible.left, height = visible.bottom - visible.top;

    const win::WindowDc screen;
    const std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&DeleteDC)> dc(CreateCompatibleDC(screen.get()), DeleteDC);
    HDC memory = dc.get();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    auto pixels = [&](auto draw) {
        const win::Owned<win::GdiObjectTraits<HBITMAP>> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
        const HGDIOBJ old = SelectObject(memory, bitmap.get());
        draw();
        SelectObject(memory, old);
        std::vector<DWORD> bits(static_cast<size_t>(width) * static_cast<size_t>(height));
        GetDIBits(memory, bitmap.get(), 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
        for (DWORD& p : bits) p &= 0xFFFFFF;
        return bits;
    };
    const auto shot = pixels([&] { BitBlt(memory, 0, 0, width, height, screen.get(), visible.left, visible.top, SRCCOPY); });
    const auto drawn = pixels([&] {
        SetViewportOrgEx(memory, client.left - visible.left, client.top - visible.top, nullptr);
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
        SetViewportOrgEx(memory, 0, 0, nullptr);
    });
    return shot == drawn;
}

}  // namespace tunelift::testing
