#include "ui/message_pump_win.h"

namespace tunelift::ui {
namespace {

HWND g_dialogWindow = nullptr;
bool (*g_keys)(void*, const MSG&) = nullptr;
void* g_keysContext = nullptr;

void Dispatch(MSG& msg) {
    if (g_keys && g_keys(g_keysContext, msg)) return;
    if (g_dialogWindow && IsDialogMessageW(g_dialogWindow, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace

void SetDialogWindow(HWND hwnd, bool (*keys)(void*, const MSG&), void* context) {
    g_dialogWindow = hwnd;
    g_keys = keys;
    g_keysContext = context;
}

int RunMessageLoop() {
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return 0;
        Dispatch(msg);
    }
}

void DispatchPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

}  // namespace tunelift::ui
