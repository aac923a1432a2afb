// Fuzzes the reader of [playlist] files: FileN lines in any order, broken keys, values as in M3U.
// fuzz-runs: 60000
#include "reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tunelift::fuzz::ReadAsFile(data, size, L"x.pls");
}
