#include "engine/readers/entry_values.h"

#include <gtest/gtest.h>

#include "tests/support/entry_text.h"

using namespace tunelift;
using tunelift::testing::EntryText;

namespace {

// A row with `location` is an XSPF location under the playlist folder's address.
TEST(EntryValues, PathsLocationsAndStreamsGiveTheFilesToTry) {
    const struct { const char* why; std::wstring written, entry; bool allAudio = false, location = false; } rows[] = {
        {"relative to the playlist's folder", L"../M/a.mp3", L"song C:\\M\\a.mp3 [a.mp3]"},
        {"blanks around it are no part of it", L" \tD:\\a b.mp3 \t", L"song D:\\a b.mp3 [a b.mp3]"},
        {"file address, decoded", L"file:///C:/M/Road%2066.mp3", L"song C:\\M\\Road 66.mp3 [Road 66.mp3]"},
        {"encoded line: as written, then decoded", L"A/Caf%C3%A9%20N.mp3",
         L"song C:\\L\\A\\Caf%C3%A9%20N.mp3 [Caf%C3%A9%20N.mp3] | C:\\L\\A\\Caf\u00E9 N.mp3 [Caf\u00E9 N.mp3]"},
        {"a decoded NUL is not tried", L"a%00.mp3", L"song C:\\L\\a%00.mp3 [a%00.mp3]"},
        {"no song under the rule", L"a.flac", L"other C:\\L\\a.flac [a.flac]"},
        {"a song with all audio", L"a.flac", L"song C:\\L\\a.flac [a.flac]", true},
        {"climbing out leaves '..' for the run to refuse", L"x.mp3\\..", L"other C:\\L [..]"},
        {"a stream keeps its last segment", L"http://radio.example/live/a%20b.mp3?x", L"stream [a b.mp3]"},
        {"an address without a host", L"urn:isbn:123", L"none"},
        {"a NUL in the line", std::wstring(L"a\0.mp3", 6), L"none"},
        {"location: relative, encoded, decoded only", L"A/Caf%C3%A9.mp3", L"song C:\\L\\A\\Caf\u00E9.mp3 [Caf\u00E9.mp3]",
         false, true},
        {"location: backslashes, up a folder, blanks", L"\n ..\\A\\a.mp3\n", L"song C:\\A\\a.mp3 [a.mp3]", false, true},
        {"location: a drive path where an address belongs", L"D:\\M\\a.mp3", L"song D:\\M\\a.mp3 [a.mp3]", false, true},
        {"location: a stream", L"http://radio.example/a.mp3", L"stream [a.mp3]", false, true},
        {"location: empty", L"", L"none", false, true},
    };
    for (const auto& row : rows) {
        const EntryContext context{L"C:\\L", row.allAudio};
        EXPECT_EQ(EntryText(row.location ? EntryOfLocation(1, row.written, L"file:///C:/L/", context)
                                         : EntryOfPath(1, row.written, context)),
                  row.entry)
            << row.why;
    }
}

}  // namespace
