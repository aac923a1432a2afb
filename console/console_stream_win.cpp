#include "console/console_stream_win.h"

#include <algorithm>
#include <climits>

namespace tunelift::cli {

ConsoleStream::ConsoleStream(DWORD which) : handle_(GetStdHandle(which)) {
    DWORD mode = 0;
    console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE && GetConsoleMode(handle_, &mode);
}

void ConsoleStream::Write(const std::wstring& text) {
    if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE || text.empty()) return;
    std::lock_guard lock(mutex_);
    if (console_) {
        // The console takes a bounded amount per call.
        constexpr size_t kChunk = 8192;
        for (size_t at = 0; at < text.size(); at += kChunk) {
            const DWORD count = static_cast<DWORD>(std::min(kChunk, text.size() - at));
            DWORD written = 0;
            if (!WriteConsoleW(handle_, text.data() + at, count, &written, nullptr)) return;
        }
        return;
    }
    std::wstring crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (wchar_t c : text) {
        if (c == L'\n') crlf += L'\r';
        crlf += c;
    }
    if (crlf.size() > INT_MAX / 4) return;
    const int wide = static_cast<int>(crlf.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, crlf.data(), wide, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return;
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, crlf.data(), wide, bytes.data(), size, nullptr, nullptr);
    for (size_t at = 0; at < bytes.size();) {
        DWORD written = 0;
        if (!WriteFile(handle_, bytes.data() + at, static_cast<DWORD>(bytes.size() - at), &written, nullptr) ||
            written == 0)
            return;
        at += written;
    }
}

}  // namespace tunelift::cli
