// What a text control is handed of a text: overlong lines are shortened.
#pragma once
#include <cstddef>
#include <string>

namespace tunelift {

// Edit and status controls lay out a line without break opportunities in time that
// grows with its square (a 200,000-character path took minutes under Wine). What is
// shown of a line stops at kShownLineChars: its start and end with an ellipsis between.
inline constexpr size_t kShownLineChars = 1024;

// `text` with every line (ended by CR or LF) longer than kShownLineChars cut to its
// first and last kShownLineChars / 2 characters around " \u2026 "; line ends are kept.
std::wstring ShownText(const std::wstring& text);

}  // namespace tunelift
