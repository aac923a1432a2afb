#include "engine/readers/entry_values.h"

#include <gtest/gtest.h>

#include "tests/support/entry_text.h"

using namespace tunelift;
using tunelift::testing::EntryText;

namespace {

struct ValueRow {
    const char* why;
    std::wstring written;
    std::wstring entry;
    bool allAudio = false;
};

TEST(EntryOfPath, PathsAddressesAndStreamsGiveTheFilesToTry) {
    const ValueRow rows[] = {
        {"forward slashes", L"D:/M/a.MP3", L"song D:\\M\\a.MP3 [a.MP3]"},
        {"relative to the playlist's folder", L"../M/a.mp3", L"song C:\\M\\a.mp3 [a.mp3]"},
        {"blanks around it are no part of it", L" \tD:\\a b.mp3 \t", L"song D:\\a b.mp3 [a b.mp3]"},
        {"file address, decoded", L"file:///C:/M/Road%2066.mp3", L"song C:\\M\\Road 66.mp3 [Road 66.mp3]"},
        {"encoded line: as written, then decoded", L"A/Caf%C3%A9%20N.mp3",
         L"song C:\\L\\A\\Caf%C3%A9%20N.mp3 [Caf%C3%A9%20N.mp3] | C:\\L\\A\\Caf\u00E9 N.mp3 [Caf\u00E9 N.mp3]"},
        {"a decoded NUL is not tried", L"a%00.mp3", L"song C:\\L\\a%00.mp3 [a%00.mp3]"},
        {"no song under the rule", L"a.flac", L"other C:\\L\\a.flac [a.flac]"},
        {"a song with all audio", L"a.flac", L"song C:\\L\\a.flac [a.flac]", true},
        {"climbing out leaves '..' for the run to refuse", L"x.mp3\\..", L"other C:\\L [..]"},
        {"a device name stays for the run to refuse", L"A\\CON.mp3", L"song C:\\L\\A\\CON.mp3 [CON.mp3]"},
        {"a stream keeps its last segment", L"http://radio.example/live/a%20b.mp3?x", L"stream [a b.mp3]"},
        {"an address without a host", L"urn:isbn:123", L"none"},
        {"a NUL in the line", std::wstring(L"a\0.mp3", 6), L"none"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(EntryText(EntryOfPath(1, row.written, {L"C:\\L", row.allAudio})), row.entry) << row.why;
}

TEST(EntryOfLocation, LocationsResolveAgainstTheirBase) {
    const ValueRow rows[] = {
        {"relative, encoded: decoded only", L"A/Caf%C3%A9.mp3", L"song C:\\L\\A\\Caf\u00E9.mp3 [Caf\u00E9.mp3]"},
        {"backslashes, up a folder, whitespace around", L"\n ..\\A\\a.mp3\n", L"song C:\\A\\a.mp3 [a.mp3]"},
        {"absolute address", L"file:///D:/a.mp3", L"song D:\\a.mp3 [a.mp3]"},
        {"a drive path where an address belongs", L"D:\\M\\a.mp3", L"song D:\\M\\a.mp3 [a.mp3]"},
        {"stream", L"http://radio.example/a.mp3", L"stream [a.mp3]"},
        {"empty", L"", L"none"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(EntryText(EntryOfLocation(1, row.written, L"file:///C:/L/", {L"C:\\L", false})), row.entry) << row.why;
}

}  // namespace
