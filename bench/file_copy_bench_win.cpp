// Copies every file of a folder into another with FileCopy, as a Save run does, and
// prints the time the copies took (Wine's start-up excluded), the longest gap between
// two progress reports, the longest time from a file's last report to the end of its
// copy (the flush and the rename), and how many of either exceeded 100 ms.
// bench/copy_bench.sh runs it beside cp.
//   file_copy_bench_win <source folder> <destination folder> [chunk KiB] [noflush|platform]
// "platform" copies with the kernel's CopyFileExW instead, for reference.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_clock_win.h"
#include "win/file_copy_win.h"

namespace {

using tunelift::bench::Now;

// How long the copy goes without servicing the window, seen at each of its yields.
struct Gaps {
    double maxGap = 0, last = 0;
    long long reports = 0, over100ms = 0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: file_copy_bench_win <source folder> <destination folder> [chunk KiB] [noflush|platform]\n");
        return 2;
    }
    const std::wstring from = argv[1], to = argv[2];
    if (argc > 3) tunelift::win::copy_seam::SetChunkBytes(static_cast<DWORD>(_wtoi(argv[3])) * 1024);
    const std::wstring mode = argc > 4 ? argv[4] : L"";
    if (mode == L"noflush") tunelift::win::copy_seam::SetFlushBeforeRename(false);
    const bool platform = mode == L"platform";

    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return 1;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    std::sort(names.begin(), names.end());

    Gaps bar;
    const tunelift::ProgressReport progress = [&bar](uint64_t, uint64_t done) {
        const double now = Now();
        if (done != 0) {  // a new file starts at 0
            bar.maxGap = std::max(bar.maxGap, now - bar.last);
            bar.over100ms += now - bar.last > 0.1;
        }
        bar.last = now;
        ++bar.reports;
    };
    long long bytes = 0;
    int failed = 0;
    const double start = Now();
    bar.last = start;
    double firstHalf = 0, maxTail = 0;
    for (const auto& name : names) {
        if (&name == &names[names.size() / 2]) firstHalf = Now() - start;
        const std::wstring source = from + L"\\" + name, dest = to + L"\\" + name;
        const bool ok = platform ? CopyFileExW(source.c_str(), dest.c_str(), nullptr, nullptr, nullptr, 0) != FALSE
                                 : tunelift::win::FileCopy(source, dest, tunelift::win::DestinationHint::Unknown, progress);
        if (!ok) ++failed;
        if (bar.reports > 0) {
            maxTail = std::max(maxTail, Now() - bar.last);
            bar.over100ms += Now() - bar.last > 0.1;
        }
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExW((to + L"\\" + name).c_str(), GetFileExInfoStandard, &data))
            bytes += (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    const double seconds = Now() - start;
    // A second half much slower than the first means a cost that grows with the folder.
    std::printf("files=%zu failed=%d bytes=%lld seconds=%.3f MBps=%.1f halves=%.2f/%.2f reports=%lld "
                "max_gap_ms=%.1f gaps_over_100ms=%lld max_tail_ms=%.1f\n",
                names.size(), failed, bytes, seconds, bytes / seconds / 1e6, firstHalf, seconds - firstHalf,
                bar.reports, bar.maxGap * 1000, bar.over100ms, maxTail * 1000);
    return failed == 0 ? 0 : 1;
}
