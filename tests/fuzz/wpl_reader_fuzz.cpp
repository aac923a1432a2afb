// Fuzzes the reader of WPL documents through a small test parser: media in seq, sources.
// fuzz-runs: 60000
#include "reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tunelift::fuzz::ReadAsFile(data, size, L"x.wpl");
}
