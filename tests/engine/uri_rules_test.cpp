#include "engine/readers/uri_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace tunelift;

namespace {

TEST(PercentDecode, Utf8SequencesAreDecodedAndEverythingElseStaysAsWritten) {
    const struct { const char* why; std::wstring in, out; } rows[] = {
        {"two bytes, lower-case hex", L"Caf%c3%a9%20", L"Caf\u00E9 "},
        {"four bytes: a surrogate pair", L"%F0%9F%8E%B5", L"\xD83C\xDFB5"},
        {"a Latin-1 byte is no UTF-8", L"Caf%E9", L"Caf%E9"},
        {"a cut sequence stays, the next is decoded", L"%C3%25", L"%C3%"},
        {"no hex digits, or none at the end", L"1%zz%", L"1%zz%"},
    };
    for (const auto& row : rows) EXPECT_EQ(PercentDecode(row.in), row.out) << row.why;
}

// `both`: the path's own address is the one written, so a resolved path reads back.
TEST(FileUrl, AddressesAndWindowsPathsConvertBothWays) {
    const struct { const char* why; std::wstring url; std::optional<std::wstring> path; bool both = false; } rows[] = {
        {"drive, decoded", L"file:///C:/Music/Caf%C3%A9%2066.mp3", L"C:\\Music\\Caf\u00E9 66.mp3", true},
        {"the characters an address reserves", L"file:///C:/Caf%C3%A9%20100%25%23%3F(&)", L"C:\\Caf\u00E9 100%#?(&)", true},
        {"server and share", L"file://server/share/x.mp3", L"\\\\server\\share\\x.mp3", true},
        {"localhost, scheme in capitals", L"FILE://localhost/C:/a.mp3", L"C:\\a.mp3"},
        {"drive with a bar, one slash", L"file:/C|/a.mp3", L"C:\\a.mp3"},
        {"a drive written as the host", L"file://D:/a.mp3", L"D:\\a.mp3"},
        {"no drive: root-relative", L"file:///music/a.mp3", L"\\music\\a.mp3"},
        {"query and fragment cut, an encoded hash kept", L"file:///C:/a%23b.mp3?x=1#t=10", L"C:\\a#b.mp3"},
        {"the drive alone is its root", L"file:///D:", L"D:\\"},
        {"no path, or only a root", L"file:///", std::nullopt},
        {"a NUL in the path", L"file:///C:/a%00.mp3", std::nullopt},
        {"another scheme", L"http://host/a.mp3", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PathOfFileUrl(row.url), row.path) << row.why;
        if (row.both) EXPECT_EQ(FileUrlOf(*row.path), row.url) << row.why;
    }
}

TEST(ResolveUri, RelativeReferencesResolveAgainstTheBaseAddress) {
    const struct { const char* why; std::wstring in, out; } rows[] = {
        {"scheme of its own", L"gg:h", L"gg:h"},   {"root", L"/g", L"http://a/g"},
        {"other host", L"//g", L"http://g"},       {"query", L"?y", L"http://a/b/c/d;p?y"},
        {"empty keeps the base", L"", L"http://a/b/c/d;p?q"},
        {"dot segments, a name with dots", L"./g/./h../.", L"http://a/b/c/g/h../"},
        {"never above the root", L"../../../../g", L"http://a/g"},
        {"climb and descend", L"g;x=1/../y#s", L"http://a/b/c/y#s"},
    };
    for (const auto& row : rows) EXPECT_EQ(ResolveUri(L"http://a/b/c/d;p?q", row.in), row.out) << row.why;
}

}  // namespace
