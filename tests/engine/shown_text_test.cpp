#include "engine/shown_text.h"

#include <gtest/gtest.h>

#include <string>

using tunelift::kShownLineChars;
using tunelift::ShownText;

namespace {

const size_t kHalf = kShownLineChars / 2;

// A line `extra` characters over the limit: its start, its middle and its end tell
// apart which parts survive the cut.
std::wstring Long(size_t extra) {
    return std::wstring(kHalf, L'h') + std::wstring(extra, L'm') + std::wstring(kHalf, L't');
}
const std::wstring kCut = std::wstring(kHalf, L'h') + L" \u2026 " + std::wstring(kHalf, L't');

TEST(ShownText, OnlyLinesOverTheLimitAreCut) {
    const struct { const char* why; std::wstring text; std::wstring shown; } rows[] = {
        {"empty text stays empty", L"", L""},
        {"short lines are kept", L"a\r\nb\rc\n", L"a\r\nb\rc\n"},
        {"a line of exactly the limit is kept", Long(0), Long(0)},
        {"one character over the limit cuts the middle", Long(1), kCut},
        {"short lines and line ends around a cut line stay", L"a\r\n" + Long(5) + L"\r\nb", L"a\r\n" + kCut + L"\r\nb"},
        {"a bare CR and a bare LF each end a line", Long(2) + L"\r" + Long(3) + L"\n" + Long(4),
         kCut + L"\r" + kCut + L"\n" + kCut},
        {"lines are measured one by one, not together",
         std::wstring(1000, L'a') + L"\n" + std::wstring(1000, L'b'),
         std::wstring(1000, L'a') + L"\n" + std::wstring(1000, L'b')},
    };
    for (const auto& row : rows) EXPECT_EQ(ShownText(row.text), row.shown) << row.why;
}

}  // namespace
