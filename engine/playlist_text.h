// The text of a playlist file: its bytes decoded, and its lines found once so that
// reading line n does not scan lines 1 to n-1 again. Pure functions, no I/O.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tunelift {

// Decodes bytes through the system's ANSI code page; the Windows layer supplies it.
using AnsiDecoder = std::wstring (*)(std::string_view bytes);

enum class TextEncoding {
    Utf8WithMark,  // starts with EF BB BF; the mark is no part of the text
    Utf8,          // no mark, well-formed UTF-8 and at least one byte above 0x7F
    Ansi,          // everything else, plain ASCII included
};

// Well-formed UTF-8 only: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

TextEncoding EncodingOf(std::string_view bytes);

// UTF-8 to UTF-16 code units (surrogate pairs above U+FFFF on every platform, as on
// Windows); each ill-formed byte becomes U+FFFD, so no input is refused.
std::wstring DecodeUtf8(std::string_view bytes);

// UTF-16 bytes (after their byte-order mark) to UTF-16 code units, kept as they come;
// an odd last byte becomes U+FFFD.
std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian);

// The whole text of a playlist file, line breaks included, without a UTF-8 mark.
std::wstring DecodePlaylistText(std::string_view bytes, AnsiDecoder ansi);

// Where each line of a text lies. A line ends at CR, CR LF or LF; the terminator is no
// part of the line, and nothing is trimmed. A terminator at the very end starts no line.
class LineIndex {
public:
    LineIndex() = default;
    explicit LineIndex(std::wstring_view text);

    size_t Count() const { return lines_.size(); }

    // Line n (from 1) of the text the index was built from; "" for n of 0 or less
    // and past the last line, just as an empty line reads.
    std::wstring_view Line(std::wstring_view text, int64_t n) const;

private:
    struct Span {
        size_t Offset;
        size_t Length;
    };
    std::vector<Span> lines_;
};

}  // namespace tunelift
