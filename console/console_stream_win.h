// Standard output or standard error of tunelift-cli. A console gets wide text, so every
// name shows as typed whatever the console's code page; a file or a pipe gets UTF-8 with
// Windows line ends, which scripts, PowerShell and a Linux shell under Wine all read.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>

namespace tunelift::cli {

class ConsoleStream {
public:
    explicit ConsoleStream(DWORD which);  // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE
    ConsoleStream(const ConsoleStream&) = delete;
    ConsoleStream& operator=(const ConsoleStream&) = delete;

    // Lines end in "\n". Safe from another thread (the Ctrl+C handler writes too).
    void Write(const std::wstring& text);

private:
    HANDLE handle_;
    bool console_ = false;
    std::mutex mutex_;
};

}  // namespace tunelift::cli
