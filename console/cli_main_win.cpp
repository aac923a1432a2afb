// tunelift-cli.exe: the run of the window from a console, a script or a scheduled task.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "console/cli_run.h"
#include "console/cli_system.h"
#include "console/console_stream_win.h"
#include "win/file_services_win.h"

namespace tunelift::cli {
namespace {

// Ctrl+C arrives on a thread of its own while the run goes on.
std::atomic<bool> g_interrupted{false};
ConsoleStream* g_errors = nullptr;
std::wstring g_interruptMessage;

BOOL WINAPI OnConsoleControl(DWORD event) {
    // Closing the console or logging off still ends the program: a copy cut short leaves
    // only its part file, never a broken song.
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    if (!g_interrupted.exchange(true) && g_errors) g_errors->Write(g_interruptMessage + L"\n");
    return TRUE;
}

class WinCliSystem final : public CliSystem {
public:
    WinCliSystem() { g_errors = &errors_; }
    ~WinCliSystem() override {
        SetConsoleCtrlHandler(OnConsoleControl, FALSE);
        g_errors = nullptr;
    }

    void Write(const std::wstring& text) override { output_.Write(text); }
    void WriteError(const std::wstring& text) override { errors_.Write(text); }
    bool FolderExists(const std::wstring& path) override {
        // "E:" alone names the drive's current folder; the run means its root.
        const std::wstring folder = path.ends_with(L':') ? path + L"\\" : path;
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    void EnterFolder(const std::wstring& folder) override { SetCurrentDirectoryW(folder.c_str()); }
    void ListenForInterrupt(const std::wstring& message) override {
        g_interruptMessage = message;
        SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    }
    bool Interrupted() override { return g_interrupted.load(); }

private:
    ConsoleStream output_{STD_OUTPUT_HANDLE};
    ConsoleStream errors_{STD_ERROR_HANDLE};
};

}  // namespace
}  // namespace tunelift::cli

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    auto files = tunelift::win::CreateFileServices();
    tunelift::cli::WinCliSystem system;
    return tunelift::cli::RunCli(args, *files, system);
}
