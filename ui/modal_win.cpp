#include "ui/modal_win.h"

namespace tunelift::ui {

void Modal::ErrorBox(HWND owner, const std::wstring& text) { ShowMessage(owner, text, L"Error", MB_OK | MB_ICONSTOP); }

int Modal::ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags) {
    return MessageBoxW(owner, text.c_str(), title.c_str(), flags);
}

void Modal::Beep() { MessageBeep(MB_OK); }

Modal& SystemModal() {
    static Modal modal;
    return modal;
}

}  // namespace tunelift::ui
