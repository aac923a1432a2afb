// Feeds arbitrary file bytes through decoding, the line index and the playlist rules,
// and checks them against a plain character-by-character reader.
#include "engine/playlist_rules.h"
#include "engine/playlist_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tunelift;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

std::wstring Latin1(std::string_view bytes) {
    std::wstring out;
    for (const char c : bytes) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return out;
}

// All lines in one pass with a two-state machine: a different shape from the index.
std::vector<std::wstring> ReferenceLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring current;
    bool afterCr = false, open = false;
    for (const wchar_t c : text) {
        if (afterCr && c == L'\n') {
            afterCr = false;
            continue;
        }
        afterCr = false;
        if (c == L'\r' || c == L'\n') {
            lines.push_back(current);
            current.clear();
            open = false;
            afterCr = c == L'\r';
        } else {
            current.push_back(c);
            open = true;
        }
    }
    if (open) lines.push_back(current);
    return lines;
}

std::string EncodeUtf8(const std::wstring& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = static_cast<uint32_t>(text[i]) & 0xFFFF;
        if (c >= 0xD800 && c <= 0xDBFF) {
            Check(i + 1 < text.size());
            const uint32_t low = static_cast<uint32_t>(text[++i]) & 0xFFFF;
            Check(low >= 0xDC00 && low <= 0xDFFF);
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        } else {
            Check(c < 0xDC00 || c > 0xDFFF);
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

bool EndsWith(std::wstring_view whole, std::wstring_view tail) {
    return whole.size() >= tail.size() && whole.substr(whole.size() - tail.size()) == tail;
}

void CheckRules(std::wstring_view line) {
    PlaylistKindOf(line);
    if (const auto m3u = PlaylistEntryOf(PlaylistKind::M3u, line)) {
        Check(m3u->Form == EntryForm::M3uPath);
        Check(m3u->SourcePath == line);
        Check(EndsWith(line, m3u->DestName));
        Check(m3u->DestName.find_first_of(L"\\/") == std::wstring::npos);
        Check(m3u->DestName.size() >= 4);
    }
    if (const auto pls = PlaylistEntryOf(PlaylistKind::Pls, line)) {
        Check(line.starts_with(L"File"));
        Check(EndsWith(line, pls->SourcePath));
        Check(EndsWith(pls->SourcePath, pls->DestName));
        // The value runs from the first "=" on; a line without one is taken whole.
        const size_t equals = line.find(L'=');
        Check(pls->SourcePath == (equals == std::wstring_view::npos ? line : line.substr(equals + 1)));
        if (pls->Form == EntryForm::PlsName) {
            Check(pls->DestName == pls->SourcePath);
            Check(line.find(L'\\') == std::wstring_view::npos);
        } else {
            Check(pls->Form == EntryForm::PlsDrive);
            Check(line.find(L":\\") != std::wstring_view::npos);
            Check(pls->DestName.find_first_of(L"\\/") == std::wstring::npos);
        }
    }
}

void CheckText(const std::wstring& text) {
    const LineIndex index(text);
    const std::vector<std::wstring> reference = ReferenceLines(text);
    Check(index.Count() == reference.size());
    for (size_t n = 0; n < reference.size(); ++n) {
        const std::wstring_view line = index.Line(text, static_cast<int64_t>(n + 1));
        Check(line == reference[n]);
        CheckRules(line);
    }
    Check(index.Line(text, 0).empty());
    Check(index.Line(text, -1).empty());
    Check(index.Line(text, static_cast<int64_t>(reference.size()) + 1).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring text = DecodePlaylistText(bytes, Latin1);
    switch (EncodingOf(bytes)) {
    case TextEncoding::Utf8WithMark:
        if (IsValidUtf8(bytes)) Check(EncodeUtf8(text) == bytes.substr(3));
        break;
    case TextEncoding::Utf8:
        Check(EncodeUtf8(text) == bytes);
        break;
    case TextEncoding::Ansi:
        Check(text == Latin1(bytes));
        break;
    }
    CheckText(text);
    // Wide characters as they come, for code units the byte decoders never make.
    std::wstring wide;
    for (size_t i = 0; i + 1 < size; i += 2) wide.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    CheckText(wide);
    return 0;
}
