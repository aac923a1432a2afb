#include "engine/readers/uri_rules.h"

#include <cstdint>
#include <string>

#include "engine/playlist_text.h"
#include "engine/written_playlist.h"

namespace tunelift {

namespace {

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

bool IsEscapeAt(std::wstring_view text, size_t at) {
    return at + 2 < text.size() && text[at] == L'%' && HexValue(text[at + 1]) >= 0 && HexValue(text[at + 2]) >= 0;
}

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// How many bytes the UTF-8 sequence led by `lead` takes; 0 for a byte that leads none.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Decodes one run of adjacent "%XX" sequences starting at text[at]; returns where it ends.
size_t DecodeRun(std::wstring_view text, size_t at, std::wstring& out) {
    std::string bytes;
    const size_t start = at;
    for (; IsEscapeAt(text, at); at += 3)
        bytes.push_back(static_cast<char>(HexValue(text[at + 1]) * 16 + HexValue(text[at + 2])));
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = SequenceLength(static_cast<unsigned char>(bytes[i]));
        const std::string_view sequence = std::string_view(bytes).substr(i, length);
        if (length != 0 && sequence.size() == length && IsValidUtf8(sequence)) {
            out += DecodeUtf8(sequence);
            i += length;
        } else {
            out += text.substr(start + 3 * i, 3);
            ++i;
        }
    }
    return at;
}

// What may stand unencoded in the path of a "file:" address.
bool StaysUnencoded(unsigned char c) {
    if (IsAsciiLetter(c) || (c >= '0' && c <= '9')) return true;
    switch (c) {
        case '-': case '.': case '_': case '~': case '!': case '$': case '&': case '\'': case '(': case ')':
        case '*': case '+': case ',': case ';': case '=': case ':': case '@': case '/':
            return true;
        default:
            return false;
    }
}

std::wstring PercentEncode(std::wstring_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::wstring out;
    for (const char c : EncodeUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (StaysUnencoded(byte)) {
            out.push_back(static_cast<wchar_t>(byte));
        } else {
            out.push_back(L'%');
            out.push_back(static_cast<wchar_t>(kHex[byte >> 4]));
            out.push_back(static_cast<wchar_t>(kHex[byte & 15]));
        }
    }
    return out;
}

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// The parts of an address, as the standard's own splitting gives them.
struct UriParts {
    std::wstring_view Scheme;
    bool HasAuthority = false;
    std::wstring_view Authority;
    std::wstring_view Path;
    bool HasQuery = false;
    std::wstring_view Query;
    bool HasFragment = false;
    std::wstring_view Fragment;
};

UriParts Split(std::wstring_view text) {
    UriParts parts;
    parts.Scheme = SchemeOf(text);
    if (!parts.Scheme.empty()) text.remove_prefix(parts.Scheme.size() + 1);
    if (const size_t hash = text.find(L'#'); hash != std::wstring_view::npos) {
        parts.HasFragment = true;
        parts.Fragment = text.substr(hash + 1);
        text = text.substr(0, hash);
    }
    if (const size_t question = text.find(L'?'); question != std::wstring_view::npos) {
        parts.HasQuery = true;
        parts.Query = text.substr(question + 1);
        text = text.substr(0, question);
    }
    if (text.starts_with(L"//")) {
        const size_t end = text.find(L'/', 2);
        parts.HasAuthority = true;
        parts.Authority = text.substr(2, end == std::wstring_view::npos ? std::wstring_view::npos : end - 2);
        text = end == std::wstring_view::npos ? std::wstring_view() : text.substr(end);
    }
    parts.Path = text;
    return parts;
}

// "." and ".." segments folded away, literally as the standard's algorithm does it.
std::wstring RemoveDotSegments(std::wstring_view path) {
    std::wstring in(path), out;
    const auto popSegment = [&out] {
        const size_t cut = out.rfind(L'/');
        out.erase(cut == std::wstring::npos ? 0 : cut);
    };
    for (size_t i = 0; i < in.size();) {
        const std::wstring_view rest = std::wstring_view(in).substr(i);
        if (rest.starts_with(L"../")) {
            i += 3;
        } else if (rest.starts_with(L"./") || rest.starts_with(L"/./")) {
            i += 2;
        } else if (rest == L"/.") {
            in[++i] = L'/';
        } else if (rest.starts_with(L"/../")) {
            i += 3;
            popSegment();
        } else if (rest == L"/..") {
            i += 2;
            in[i] = L'/';
            popSegment();
        } else if (rest == L"." || rest == L"..") {
            i = in.size();
        } else {
            size_t end = in.find(L'/', i + 1);
            if (end == std::wstring::npos) end = in.size();
            out.append(in, i, end - i);
            i = end;
        }
    }
    return out;
}

std::wstring Merge(const UriParts& base, std::wstring_view path) {
    if (base.HasAuthority && base.Path.empty()) return L"/" + std::wstring(path);
    const size_t slash = base.Path.rfind(L'/');
    if (slash == std::wstring_view::npos) return std::wstring(path);
    return std::wstring(base.Path.substr(0, slash + 1)) + std::wstring(path);
}

}  // namespace

std::wstring PercentDecode(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        if (IsEscapeAt(text, at)) {
            at = DecodeRun(text, at, out);
        } else {
            out.push_back(text[at++]);
        }
    }
    return out;
}

std::wstring_view SchemeOf(std::wstring_view text) {
    if (text.empty() || !IsAsciiLetter(text[0])) return {};
    for (size_t i = 1; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L':') return i >= 2 ? text.substr(0, i) : std::wstring_view();
        if (!IsAsciiLetter(c) && !(c >= L'0' && c <= L'9') && c != L'+' && c != L'-' && c != L'.') return {};
    }
    return {};
}

bool IsFileScheme(std::wstring_view scheme) { return EqualsIgnoringCase(scheme, L"file"); }

std::optional<std::wstring> PathOfFileUrl(std::wstring_view url) {
    const std::wstring_view scheme = SchemeOf(url);
    if (!IsFileScheme(scheme)) return std::nullopt;
    const UriParts parts = Split(url);
    const std::wstring host = PercentDecode(parts.Authority);
    std::wstring path = PercentDecode(parts.Path);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    const auto isDrive = [&path](size_t at) {
        return path.size() >= at + 2 && IsAsciiLetter(path[at]) && (path[at + 1] == L':' || path[at + 1] == L'|') &&
               (path.size() == at + 2 || path[at + 2] == L'\\');
    };
    // "file://C:/x" is written by some for "file:///C:/x": a drive is no server.
    if (host.size() == 2 && IsAsciiLetter(host[0]) && (host[1] == L':' || host[1] == L'|')) {
        path = host + path;
    } else if (!host.empty() && !EqualsIgnoringCase(host, L"localhost")) {
        path = L"\\\\" + host + path;
    } else if (path.starts_with(L'\\') && isDrive(1)) {
        path.erase(0, 1);
        path[1] = L':';
    }
    if (isDrive(0)) path[1] = L':';
    if (path.size() == 2 && path[1] == L':') path += L'\\';
    if (path.empty() || path == L"\\") return std::nullopt;
    for (const wchar_t c : path)
        if (static_cast<uint32_t>(c) < 0x20) return std::nullopt;
    return path;
}

std::wstring FileUrlOf(std::wstring_view fullPath) {
    std::wstring path(fullPath);
    for (wchar_t& c : path)
        if (c == L'\\') c = L'/';
    // A network path brings its own "//server"; a drive path needs the empty host.
    return (path.starts_with(L"//") ? L"file:" : path.starts_with(L'/') ? L"file://" : L"file:///") +
           PercentEncode(path);
}

std::wstring ResolveUri(std::wstring_view base, std::wstring_view reference) {
    const UriParts b = Split(base), r = Split(reference);
    std::wstring scheme(b.Scheme), authority(b.Authority), path, query(b.Query);
    bool hasAuthority = b.HasAuthority, hasQuery = b.HasQuery;
    if (!r.Scheme.empty()) {
        scheme = r.Scheme;
        hasAuthority = r.HasAuthority;
        authority = r.Authority;
        path = RemoveDotSegments(r.Path);
        hasQuery = r.HasQuery;
        query = r.Query;
    } else if (r.HasAuthority) {
        hasAuthority = true;
        authority = r.Authority;
        path = RemoveDotSegments(r.Path);
        hasQuery = r.HasQuery;
        query = r.Query;
    } else if (r.Path.empty()) {
        path = b.Path;
        if (r.HasQuery) query = r.Query;
        hasQuery = hasQuery || r.HasQuery;
    } else {
        path = RemoveDotSegments(r.Path.starts_with(L'/') ? std::wstring(r.Path) : Merge(b, r.Path));
        hasQuery = r.HasQuery;
        query = r.Query;
    }
    std::wstring out = scheme.empty() ? L"" : scheme + L":";
    if (hasAuthority) out += L"//" + authority;
    out += path;
    if (hasQuery) out += L"?" + query;
    if (r.HasFragment) out += L"#" + std::wstring(r.Fragment);
    return out;
}

}  // namespace tunelift
