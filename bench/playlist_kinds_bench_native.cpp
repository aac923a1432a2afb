// Reading 4,096 to 32,770 entries of every playlist kind through the portable rules; the
// XML kinds get their nodes from the small test parser (Windows uses XmlLite, see
// playlist_kinds_bench_win.cpp). Prints the time per entry, which stays flat when the
// reading is linear.
#include "bench/playlist_kinds.h"
#include "tests/support/tiny_xml.h"

int main() {
    const tunelift::ReaderServices services{
        [](std::string_view bytes) { return std::wstring(bytes.begin(), bytes.end()); },
        [](std::string_view bytes, tunelift::XmlSink& sink) {
            return tunelift::testing::FeedTinyXml(tunelift::DecodeUtf8(bytes), sink);
        }};
    return tunelift::bench::TimeReads(services, 7);
}
