// What verifying a copy costs, timed inside the process (Wine's start-up not counted).
//   verify_bench_win hash [MiB] [rounds]
//     XXH3-128 (SongHash) against SHA-256 through Windows' BCrypt over the same MiB in
//     1 MiB pieces, side by side in each round; GB/s per round, then the median and range.
//   verify_bench_win readback <song> <scratch folder> [rounds]
//     Per round, in turn: the song copied into the folder with FileCopy (flushed), the
//     copy read back past the cache (ReadBack, device) and the ordinary way (cache);
//     seconds and MB/s of each, and what the read-back adds to the copy.
//   verify_bench_win read <file> <device|cache>
//     One read-back of a file whose pages bench/verify_bench.sh dropped just before.
#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_clock_win.h"
#include "engine/song_hash.h"
#include "win/file_copy_win.h"
#include "win/read_back_win.h"

namespace {

using tunelift::win::ReadBack;
using tunelift::win::ReadFrom;

using tunelift::bench::Now;

// Median, least and most of the values.
struct Spread {
    double median, least, most;
};
Spread SpreadOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.front(), v.back()};
}

double Xxh3Seconds(const std::vector<unsigned char>& piece, int pieces) {
    const double start = Now();
    tunelift::SongHash hash;
    for (int i = 0; i < pieces; ++i) hash.Add(piece.data(), piece.size());
    volatile uint64_t keep = hash.Digest().low;
    (void)keep;
    return Now() - start;
}

double Sha256Seconds(BCRYPT_ALG_HANDLE algorithm, const std::vector<unsigned char>& piece, int pieces) {
    const double start = Now();
    BCRYPT_HASH_HANDLE hash = nullptr;
    unsigned char digest[32];
    if (BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) != 0) return -1;
    for (int i = 0; i < pieces; ++i)
        BCryptHashData(hash, const_cast<unsigned char*>(piece.data()), static_cast<ULONG>(piece.size()), 0);
    BCryptFinishHash(hash, digest, sizeof digest, 0);
    BCryptDestroyHash(hash);
    return Now() - start;
}

int Hash(int mib, int rounds) {
    std::vector<unsigned char> piece(1 << 20);
    uint32_t x = 1;
    for (auto& b : piece) b = static_cast<unsigned char>((x = x * 1664525u + 1013904223u) >> 24);
    BCRYPT_ALG_HANDLE sha256 = nullptr;
    if (BCryptOpenAlgorithmProvider(&sha256, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0) {
        std::fprintf(stderr, "BCrypt has no SHA-256\n");
        return 1;
    }
    const double gb = mib / 1024.0;
    std::vector<double> xxh3, sha, ratio;
    for (int r = 0; r < rounds; ++r) {
        // The order alternates, so neither always runs on a warmer processor.
        double a, b;
        if (r % 2 == 0) a = Xxh3Seconds(piece, mib), b = Sha256Seconds(sha256, piece, mib);
        else b = Sha256Seconds(sha256, piece, mib), a = Xxh3Seconds(piece, mib);
        xxh3.push_back(gb / a);
        sha.push_back(gb / b);
        ratio.push_back(b / a);
        std::printf("round %d: xxh3-128 %.2f GiB/s  sha-256 %.3f GiB/s  sha-256 takes %.1fx\n", r + 1, gb / a, gb / b, b / a);
    }
    BCryptCloseAlgorithmProvider(sha256, 0);
    const Spread sx = SpreadOf(xxh3), ss = SpreadOf(sha), sr = SpreadOf(ratio);
    std::printf("median of %d rounds over %d MiB: xxh3-128 %.2f GiB/s (%.2f-%.2f), sha-256 %.3f GiB/s (%.3f-%.3f), "
                "sha-256 takes %.1fx (%.1f-%.1f)\n",
                rounds, mib, sx.median, sx.least, sx.most, ss.median, ss.least, ss.most, sr.median, sr.least, sr.most);
    return 0;
}

double ReadSeconds(const std::wstring& file, ReadFrom from, bool& fromDevice) {
    const double start = Now();
    const auto got = ReadBack(file, {}, from);
    const double seconds = Now() - start;
    fromDevice = got && got->fromDevice;
    return got ? seconds : -1;
}

int Readback(const std::wstring& song, const std::wstring& folder, int rounds) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(song.c_str(), GetFileExInfoStandard, &data)) return 1;
    const double mb = (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / 1e6;
    std::vector<double> copy, device, cache, added;
    bool fromDevice = false;
    for (int r = 0; r < rounds; ++r) {
        const std::wstring copied = folder + L"\\copy" + std::to_wstring(r) + L".mp3";
        double start = Now();
        if (!tunelift::win::FileCopy(song, copied)) return 1;
        copy.push_back(Now() - start);
        double d, c;
        if (r % 2 == 0) d = ReadSeconds(copied, ReadFrom::Device, fromDevice), c = ReadSeconds(copied, ReadFrom::Cache, fromDevice);
        else c = ReadSeconds(copied, ReadFrom::Cache, fromDevice), d = ReadSeconds(copied, ReadFrom::Device, fromDevice);
        if (d < 0 || c < 0) return 1;
        device.push_back(d);
        cache.push_back(c);
        added.push_back(d / copy.back());
        DeleteFileW(copied.c_str());
        std::printf("round %d: copy %.4f s  read-back device %.4f s (%.0f MB/s)  cache %.4f s (%.0f MB/s)  "
                    "read-back / copy %.2f\n",
                    r + 1, copy.back(), d, mb / d, c, mb / c, d / copy.back());
    }
    const Spread sc = SpreadOf(copy), sd = SpreadOf(device), sk = SpreadOf(cache), sa = SpreadOf(added);
    std::printf("median of %d rounds, %.1f MB: copy %.4f s (%.4f-%.4f), read-back device %.4f s (%.4f-%.4f), "
                "cache %.4f s (%.4f-%.4f), read-back / copy %.2f (%.2f-%.2f)\n",
                rounds, mb, sc.median, sc.least, sc.most, sd.median, sd.least, sd.most, sk.median, sk.least, sk.most,
                sa.median, sa.least, sa.most);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"hash") return Hash(argc > 2 ? _wtoi(argv[2]) : 256, argc > 3 ? _wtoi(argv[3]) : 7);
    if (mode == L"readback" && argc > 3) return Readback(argv[2], argv[3], argc > 4 ? _wtoi(argv[4]) : 7);
    if (mode == L"read" && argc > 3) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(argv[2], GetFileExInfoStandard, &data)) return 1;
        bool fromDevice = false;
        const double s = ReadSeconds(argv[2], std::wstring(argv[3]) == L"cache" ? ReadFrom::Cache : ReadFrom::Device,
                                     fromDevice);
        std::printf("%.4f s %.0f MB/s%s\n", s, data.nFileSizeLow / 1e6 / s, fromDevice ? " (unbuffered open)" : " (ordinary open)");
        return s < 0;
    }
    std::fprintf(stderr, "usage: verify_bench_win hash [MiB] [rounds] | readback <song> <scratch folder> [rounds] | "
                         "read <file> <device|cache>\n");
    return 2;
}
