// Fuzzes the reader of the UTF-16 iTunes text: tab-separated rows, the path column.
// fuzz-runs: 60000
#include "reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tunelift::fuzz::ReadAsFile(data, size, L"x.txt");
}
