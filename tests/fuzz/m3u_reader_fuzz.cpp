// Fuzzes the reader of M3U lists: any line ends, comments, paths, file addresses, streams.
// fuzz-runs: 60000
#include "reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tunelift::fuzz::ReadAsFile(data, size, L"x.m3u");
}
