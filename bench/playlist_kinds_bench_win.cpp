// Reading 4,096 to 32,770 entries of every playlist kind as Windows reads them: the code
// page and XmlLite from the system, the rules from the engine. Prints the time per entry,
// which stays flat when the reading is linear, and for the XML kinds XmlLite's own share:
// the same documents parsed into a sink that only counts the elements.
#include "bench/playlist_kinds.h"
#include "win/playlist_reader_win.h"
#include "win/xml_reader_win.h"

namespace {

struct CountingSink : tunelift::XmlSink {
    void StartElement(std::wstring_view, std::wstring_view, std::span<const tunelift::XmlAttribute>) override {
        ++elements;
    }
    void Text(std::wstring_view) override {}
    void EndElement() override {}
    size_t elements = 0;
};

}  // namespace

int wmain() {
    using namespace tunelift::bench;
    if (TimeReads(tunelift::win::PlaylistReaderServices(), 7) != 0) return 1;
    std::printf("\nXmlLite alone, 32770 entries:\n");
    for (const Kind& kind : {kKinds[2], kKinds[3]}) {
        const std::string bytes = PlaylistBytes(kind, 32770);
        double best = 1e30;
        for (int round = 0; round < 7; ++round) {
            CountingSink sink;
            const auto start = std::chrono::steady_clock::now();
            if (!tunelift::win::ParseXml(bytes, sink)) return 1;
            best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        std::printf("%-7s %12.2f us/entry %8.1f ms\n", kind.Label, best * 1e6 / 32770, best * 1e3);
    }
    return 0;
}
