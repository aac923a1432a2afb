// Reading a playlist line by line as a run does: the cached reader against a reader that
// opens the file and reads from its start for every line. Prints per-line times.
#include "win/playlist_reader_win.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using tunelift::win::PlaylistReader;

namespace {

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string PlaylistBytes(int lines) {
    std::string bytes = "#EXTM3U\r\n";
    char line[128];
    for (int i = 1; i < lines; ++i) {
        std::snprintf(line, sizeof line, "C:\\Music\\Artist %05d\\Album\\%05d Title of the song.mp3\r\n", i % 997, i);
        bytes += line;
    }
    return bytes;
}

bool WritePlaylist(const std::wstring& file, const std::string& bytes, bool old) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    if (ok && old) {
        // A playlist saved an hour ago, as a run usually finds it.
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
        t.QuadPart -= 3600ull * 10'000'000;
        const FILETIME then{t.LowPart, t.HighPart};
        ok = SetFileTime(h, nullptr, nullptr, &then);
    }
    CloseHandle(h);
    return ok;
}

// The plain reader: look the file up, open it, read from the start until line n is
// complete, decode that line, close.
std::wstring NaiveReadLine(const std::wstring& file, int32_t n) {
    if (n < 1) return {};
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        return {};
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string line;
    int32_t current = 1;
    bool afterCr = false;
    char buffer[4096];
    DWORD got = 0;
    while (current <= n && ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got && current <= n; ++i) {
            const char c = buffer[i];
            if (afterCr && c == '\n') {
                afterCr = false;
                continue;
            }
            afterCr = c == '\r';
            if (c == '\r' || c == '\n') {
                if (current == n) {
                    ++current;
                    break;
                }
                ++current;
            } else if (current == n) {
                line.push_back(c);
            }
        }
    }
    CloseHandle(h);
    return tunelift::win::DecodeAnsi(line);
}

struct Result {
    double seconds = 1e30;
    int lines = 0;
    uint64_t reads = 0;
};

// One run over the whole list, as the export loop reads it: lines 1, 2, ... up to the
// first empty one. Keeps the fastest of the rounds, to see past a busy machine.
template <typename ReadLine>
void ReadRun(Result& best, const std::wstring& file, ReadLine readLine) {
    const double start = Seconds();
    int n = 1;
    while (!readLine(file, n).empty()) ++n;
    const double took = Seconds() - start;
    if (took < best.seconds) {
        best.seconds = took;
        best.lines = n - 1;
    }
}

void Print(const char* name, const Result& r) {
    std::printf("%-10s %-8d %12.1f %14.2f %10llu\n", name, r.lines, r.seconds * 1e3, r.seconds * 1e6 / r.lines,
                static_cast<unsigned long long>(r.reads));
}

}  // namespace

int wmain() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"tunelift_reader_bench_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);

    std::printf("%-10s %-8s %12s %14s %10s\n", "reader", "lines", "run ms", "us per line", "file reads");
    const int sizes[] = {1000, 2000, 4000, 8000, 16000, 32770};
    std::vector<std::wstring> files;
    for (const int size : sizes) {
        const std::wstring file = folder + L"\\list" + std::to_wstring(size) + L".m3u";
        if (!WritePlaylist(file, PlaylistBytes(size), true)) {
            std::printf("cannot write %d-line playlist\n", size);
            return 1;
        }
        files.push_back(file);
    }
    // Rounds interleave the two readers so that both see the same machine load.
    constexpr size_t kNaiveSizes = 3;
    std::vector<Result> cached(files.size()), naive(kNaiveSizes);
    for (int round = 0; round < 3; ++round) {
        for (size_t i = 0; i < files.size(); ++i) {
            PlaylistReader reader;
            ReadRun(cached[i], files[i], [&](const std::wstring& f, int32_t n) { return reader.ReadLine(f, n); });
            cached[i].reads = reader.FileReads();
            if (i < kNaiveSizes) {
                ReadRun(naive[i], files[i], NaiveReadLine);
                naive[i].reads = static_cast<uint64_t>(naive[i].lines) + 1;
            }
        }
    }
    for (const auto& r : cached) Print("cached", r);
    for (const auto& r : naive) Print("naive", r);

    // A playlist saved just before the run: it is read again per call until its write
    // time is a few seconds old, then once more, and from then on served from memory.
    const std::wstring fresh = folder + L"\\fresh.m3u";
    WritePlaylist(fresh, PlaylistBytes(32770), false);
    PlaylistReader reader;
    const double start = Seconds();
    int n = 1;
    while (!reader.ReadLine(fresh, n).empty()) ++n;
    const double took = Seconds() - start;
    Print("fresh", Result{took, n - 1, reader.FileReads()});

    for (const auto& file : files) DeleteFileW(file.c_str());
    DeleteFileW(fresh.c_str());
    RemoveDirectoryW(folder.c_str());
    return 0;
}
