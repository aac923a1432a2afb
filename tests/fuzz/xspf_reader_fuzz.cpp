// Fuzzes the reader of XSPF documents through a small test parser: xml:base chains, tracks, locations.
// fuzz-runs: 60000
#include "reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tunelift::fuzz::ReadAsFile(data, size, L"x.xspf");
}
