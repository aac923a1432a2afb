#include "ui/modal_win.h"

namespace tunelift::ui {

void Modal::ErrorBox(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), L"Error", MB_OK | MB_ICONSTOP);
}

void Modal::Beep() { MessageBeep(MB_OK); }

Modal& SystemModal() {
    static Modal modal;
    return modal;
}

}  // namespace tunelift::ui
