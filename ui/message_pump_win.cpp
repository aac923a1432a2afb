#include "ui/message_pump_win.h"

namespace tunelift::ui {
namespace {

void (*g_hook)(void*) = nullptr;
void* g_hookContext = nullptr;
HWND g_dialogWindow = nullptr;
bool (*g_keys)(void*, const MSG&) = nullptr;
void* g_keysContext = nullptr;
ULONGLONG g_lastLook = 0;
bool g_quit = false;
WPARAM g_quitCode = 0;

void Dispatch(MSG& msg) {
    if (g_keys && g_keys(g_keysContext, msg)) return;
    if (g_dialogWindow && IsDialogMessageW(g_dialogWindow, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void BeforeDispatch() {
    if (g_hook) g_hook(g_hookContext);
}

}  // namespace

void SetBeforeDispatch(void (*hook)(void*), void* context) {
    g_hook = hook;
    g_hookContext = context;
}

void SetDialogWindow(HWND hwnd, bool (*keys)(void*, const MSG&), void* context) {
    g_dialogWindow = hwnd;
    g_keys = keys;
    g_keysContext = context;
}

bool QuitRequested() { return g_quit; }

void YieldToWindow(bool now) {
    // A run yields hundreds of times per playlist line. Asking the queue is a kernel
    // (under Wine a server) round trip of 30 to 100 microseconds, so a yield only
    // reads the clock until the look interval has passed.
    const ULONGLONG tick = GetTickCount64();
    if (!now && tick - g_lastLook < kLookIntervalMs) return;
    g_lastLook = tick;
    if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0) return;

    BeforeDispatch();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            g_quit = true;
            g_quitCode = msg.wParam;
            break;
        }
        Dispatch(msg);
    }
}

void PresentPainting() {
    // Paint messages only: no command of the user runs here. The look that finds none
    // left is what tells the system the window answers and presents its surface.
    MSG msg;
    for (int i = 0; i < 64 && PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) DispatchMessageW(&msg);
}

int RunMessageLoop() {
    MSG msg;
    while (!g_quit) {
        BeforeDispatch();
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            g_quitCode = msg.wParam;
            break;
        }
        if (got == -1) break;
        Dispatch(msg);
    }
    return static_cast<int>(g_quitCode);
}

}  // namespace tunelift::ui
