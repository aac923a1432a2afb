#include "engine/playlist_text.h"

namespace tunelift {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr wchar_t kReplacement = 0xFFFD;

// Length of the well-formed UTF-8 sequence at bytes[at] and its code point;
// 0 when the bytes there form none.
size_t SequenceAt(std::string_view bytes, size_t at, char32_t& codePoint) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    size_t length = 0;
    unsigned char secondLow = 0x80, secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) secondLow = 0xA0;        // overlong
        if (lead == 0xED) secondHigh = 0x9F;       // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) secondLow = 0x90;        // overlong
        if (lead == 0xF4) secondHigh = 0x8F;       // above U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() - at < length) return 0;
    if (byte(at + 1) < secondLow || byte(at + 1) > secondHigh) return 0;
    char32_t value = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(at + i);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    codePoint = value;
    return length;
}

void AppendUtf16(std::wstring& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out.push_back(static_cast<wchar_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF)));
}

bool HasByteAbove7F(std::string_view bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    char32_t ignored = 0;
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = SequenceAt(bytes, at, ignored);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

TextEncoding EncodingOf(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return TextEncoding::Utf8WithMark;
    if (HasByteAbove7F(bytes) && IsValidUtf8(bytes)) return TextEncoding::Utf8;
    return TextEncoding::Ansi;
}

std::wstring DecodeUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        char32_t codePoint = 0;
        const size_t length = SequenceAt(bytes, at, codePoint);
        if (length == 0) {
            out.push_back(kReplacement);
            ++at;
        } else {
            AppendUtf16(out, codePoint);
            at += length;
        }
    }
    return out;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring out;
    out.reserve(bytes.size() / 2 + 1);
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
        out.push_back(static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    if (bytes.size() % 2 != 0) out.push_back(kReplacement);
    return out;
}

std::wstring DecodePlaylistText(std::string_view bytes, AnsiDecoder ansi) {
    switch (EncodingOf(bytes)) {
    case TextEncoding::Utf8WithMark: return DecodeUtf8(bytes.substr(kUtf8Mark.size()));
    case TextEncoding::Utf8: return DecodeUtf8(bytes);
    case TextEncoding::Ansi: break;
    }
    // Without the system's decoder the bytes are read as UTF-8 (each stray byte replaced).
    return ansi ? ansi(bytes) : DecodeUtf8(bytes);
}

LineIndex::LineIndex(std::wstring_view text) {
    size_t start = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        const wchar_t c = text[at];
        if (c != L'\r' && c != L'\n') continue;
        lines_.push_back({start, at - start});
        if (c == L'\r' && at + 1 < text.size() && text[at + 1] == L'\n') ++at;
        start = at + 1;
    }
    if (start < text.size()) lines_.push_back({start, text.size() - start});
}

std::wstring_view LineIndex::Line(std::wstring_view text, int64_t n) const {
    if (n < 1 || static_cast<uint64_t>(n) > lines_.size()) return {};
    const Span& span = lines_[static_cast<size_t>(n - 1)];
    return text.substr(span.Offset, span.Length);
}

}  // namespace tunelift
