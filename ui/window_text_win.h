// The text a window or control holds, whole.
#pragma once
#include <windows.h>

#include <string>

namespace tunelift::ui {

inline std::wstring WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

}  // namespace tunelift::ui
