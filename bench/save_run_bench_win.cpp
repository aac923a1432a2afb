// One Save run (or Check run) through the real window over a playlist, or the plain
// copy-and-flush-per-file loop over the same songs, timed inside the process so that
// Wine's start-up is not counted. bench/save_run_bench.sh runs it beside cp and a
// native loop on the same files; bench/count_file_ops.sh runs it under strace.
//   save_run_bench_win <save|check|loop|engine> <playlist> <destination folder> [marker file]
// "engine" runs the same Save run with the real file services but without a window
// (a scripted one that only counts), to tell the window's share from the files'; "cli"
// runs tunelift-cli's copy in this process, "cliverify" the same with --verify;
// "checkhidden" the Check run with the window hidden; "latency" the Save run while
// another thread times the window's answers; "enginecheck" the Check run without a
// window. TUNELIFT_ALL_KINDS=1 in the environment makes the runs without a window read
// the playlist as one of every kind.
// TUNELIFT_CHUNK_KIB=<n> in the environment copies in chunks of n KiB instead.
// With a marker file, the file's attributes are read right before and right after the
// timed part, so that a system-call trace can cut out exactly the run.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_clock_win.h"
#include "console/cli_run.h"
#include "tests/support/scripted_host.h"
#include "ui/control_ids.h"
#include "ui/frm_crateway_win.h"
#include "win/file_copy_win.h"
#include "win/file_services_win.h"
#include "win/handles_win.h"

namespace {

using tunelift::win::FileHandle;

using tunelift::bench::Now;

// The playlist's entries, for the loop: one full path per line after "#EXTM3U".
std::vector<std::wstring> Entries(const std::wstring& playlist) {
    std::vector<std::wstring> out;
    FileHandle h(CreateFileW(playlist.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h) return out;
    std::string text(GetFileSize(h.get(), nullptr), '\0');
    DWORD got = 0;
    if (!ReadFile(h.get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) return out;
    size_t at = 0;
    while (at < got) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = got;
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] != '#') out.emplace_back(line.begin(), line.end());
        at = end + 1;
    }
    return out;
}

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

// Processor time of this process so far (user and kernel), in seconds: under a loaded
// machine it scatters far less than the time on the clock.
double CpuSeconds() {
    FILETIME create, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &create, &exit, &kernel, &user);
    const auto secs = [](FILETIME t) { return ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; };
    return secs(kernel) + secs(user);
}

// What "copy and flush per file" means as a yardstick: 1 MiB reads and writes straight
// into the destination name, flushed before the next file; no part file, no checks.
int CopyAndFlushLoop(const std::vector<std::wstring>& sources, const std::wstring& dest) {
    constexpr DWORD kBlock = 1024 * 1024;
    const std::unique_ptr<char[]> buffer(new char[kBlock]);
    int copied = 0;
    for (const auto& source : sources) {
        FileHandle in(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        FileHandle out(CreateFileW((dest + L"\\" + NameOf(source)).c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!in || !out) continue;
        DWORD got = 0, written = 0;
        bool ok = true;
        while (ok && ReadFile(in.get(), buffer.get(), kBlock, &got, nullptr) && got > 0)
            ok = WriteFile(out.get(), buffer.get(), got, &written, nullptr) && written == got;
        copied += ok && FlushFileBuffers(out.get());
    }
    return copied;
}

}  // namespace

// tunelift-cli's run, in this process: the same code as the program, its output dropped.
class QuietSystem final : public tunelift::cli::CliSystem {
public:
    void Write(const std::wstring& text) override { printed += text.size(); }
    void WriteError(const std::wstring& text) override { printed += text.size(); }
    bool FolderExists(const std::wstring& path) override {
        const DWORD a = GetFileAttributesW(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }
    void EnterFolder(const std::wstring& folder) override { SetCurrentDirectoryW(folder.c_str()); }
    void ListenForInterrupt(const std::wstring&) override {}
    bool Interrupted() override { return false; }
    size_t printed = 0;
};

// While the window's run goes on, another thread asks the window for an answer every
// few milliseconds (a message that does nothing) and notes how long each answer took.
class AnswerTimes {
public:
    explicit AnswerTimes(HWND window) : window_(window), thread_([this] { Ask(); }) {}
    ~AnswerTimes() { Stop(); }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    double LongestMs() const { return longest_ * 1000; }
    int Asked() const { return asked_; }
    int Over(double ms) const {
        int n = 0;
        for (double t : times_) n += t * 1000 > ms;
        return n;
    }

private:
    void Ask() {
        while (!stop_) {
            const double t = Now();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
            const double took = Now() - t;
            times_.push_back(took);
            longest_ = std::max(longest_, took);
            ++asked_;
            Sleep(5);
        }
    }
    HWND window_;
    std::atomic<bool> stop_{false};
    std::vector<double> times_;
    double longest_ = 0;
    int asked_ = 0;
    std::thread thread_;
};

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fwprintf(stderr, L"usage: save_run_bench_win <save|check|checkhidden|latency|loop|engine|enginecheck|cli|cliverify> "
                              L"<playlist> <destination> [marker]\n");
        return 2;
    }
    const std::wstring mode = argv[1], playlist = argv[2], dest = argv[3];
    const std::wstring marker = argc > 4 ? argv[4] : L"";
    const auto mark = [&marker] {
        if (!marker.empty()) GetFileAttributesW(marker.c_str());
    };
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (const wchar_t* kib = _wgetenv(L"TUNELIFT_CHUNK_KIB"))
        tunelift::win::copy_seam::SetChunkBytes(static_cast<DWORD>(_wtoi(kib)) * 1024);

    const std::vector<std::wstring> sources = Entries(playlist);
    const std::wstring all = std::to_wstring(sources.size());
    double seconds = 0, cpu = 0;
    bool complete = false;
    if (mode == L"loop") {
        mark();
        const double t = Now(), c = CpuSeconds();
        const int copied = CopyAndFlushLoop(sources, dest);
        seconds = Now() - t;
        cpu = CpuSeconds() - c;
        mark();
        complete = copied == static_cast<int>(sources.size());
    } else if (mode == L"engine" || mode == L"enginecheck") {
        auto files = tunelift::win::CreateFileServices();
        tunelift::RunState state;
        tunelift::testing::ScriptedHost host;
        host.pathFrom = playlist;
        host.pathTo = dest;
        const wchar_t* kinds = _wgetenv(L"TUNELIFT_ALL_KINDS");
        host.options.allKinds = kinds && kinds[0] == L'1';
        mark();
        const double t = Now(), c = CpuSeconds();
        tunelift::SaveFiles(host, *files, state, mode == L"engine");
        seconds = Now() - t;
        cpu = CpuSeconds() - c;
        mark();
        complete = host.logText.find(L"\r\n" + all + L"/" + all + L" ok") != std::wstring::npos;
    } else if (mode == L"cli" || mode == L"cliverify") {
        auto files = tunelift::win::CreateFileServices();
        QuietSystem system;
        std::vector<std::wstring> args = {L"copy", playlist, dest};
        if (mode == L"cliverify") args.push_back(L"--verify");
        mark();
        const double t = Now(), c = CpuSeconds();
        const int code = tunelift::cli::RunCli(args, *files, system);
        seconds = Now() - t;
        cpu = CpuSeconds() - c;
        mark();
        complete = code == 0;
    } else {
        auto files = tunelift::win::CreateFileServices();
        tunelift::ui::Modal modal;
        tunelift::ui::frmCrateway window(*files, modal);
        // Shown, as the user has it: painting the bar and the log is part of the run.
        if (!window.Create(mode == L"checkhidden" ? SW_HIDE : SW_SHOWNORMAL)) return 1;
        std::unique_ptr<AnswerTimes> answers;
        if (mode == L"latency") answers = std::make_unique<AnswerTimes>(window.hwnd());
        SetWindowTextW(window.Item(tunelift::ids::txtPathfrom), playlist.c_str());
        SetWindowTextW(window.Item(tunelift::ids::txtPathto), dest.c_str());
        mark();
        const double t = Now(), c = CpuSeconds();
        if (mode == L"check" || mode == L"checkhidden") window.cmdFind_Click();
        else window.cmdSave_Click();
        // The run goes on by itself; the window handles its messages meanwhile, as it does for a user.
        while (window.RunInProgress()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        seconds = Now() - t;
        cpu = CpuSeconds() - c;
        mark();
        // Every entry must have come out " ok": a fast run that copied nothing proves nothing.
        complete = window.Screen().LogText().find(L"\r\n" + all + L"/" + all + L" ok") != std::wstring::npos;
        if (answers) {
            answers->Stop();
            std::printf("answers=%d longest_ms=%.1f over_50ms=%d over_100ms=%d\n", answers->Asked(),
                        answers->LongestMs(), answers->Over(50), answers->Over(100));
        }
    }
    std::printf("mode=%ls songs=%zu seconds=%.4f cpu=%.3f complete=%s\n", mode.c_str(), sources.size(), seconds,
                cpu, complete ? "yes" : "no");
    CoUninitialize();
    return complete ? 0 : 1;
}
