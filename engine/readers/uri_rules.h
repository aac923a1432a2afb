// Web-address rules the readers share: percent-decoding, "file:" addresses to Windows
// paths and back, and resolving a relative address against a base. Pure functions.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tunelift {

// "%XX" sequences decoded as UTF-8; a sequence that forms no well-formed UTF-8 (a
// stray "%E9", "%zz", a "%" at the end) stays as written.
std::wstring PercentDecode(std::wstring_view text);

// The scheme of an address ("http" of "http://x"), or "" when the text has none. A
// single letter is a drive, not a scheme: "C:\x" has none.
std::wstring_view SchemeOf(std::wstring_view text);

// True for "file" in any letter case.
bool IsFileScheme(std::wstring_view scheme);

// The Windows path of a "file:" address, percent-decoded: "file:///C:/a%20b.mp3" gives
// "C:\a b.mp3", "file://server/share/x" and "file:////server/share/x" give
// "\\server\share\x", "file://localhost/C:/x" gives "C:\x", "C|" is read as "C:", and a
// path without drive ("file:///music/x") stays root-relative ("\music\x"). Query and
// fragment are no part of the path. Nothing for another scheme, an address without a
// path, or a path holding a control character.
std::optional<std::wstring> PathOfFileUrl(std::wstring_view url);

// The "file:" address of a full path, so that addresses can be resolved against it:
// "C:\My Music" gives "file:///C:/My%20Music"; letters beyond ASCII are percent-encoded
// as UTF-8.
std::wstring FileUrlOf(std::wstring_view fullPath);

// `reference` resolved against the absolute address `base`, by the standard algorithm
// for relative references (dot segments removed, the base's last segment replaced).
std::wstring ResolveUri(std::wstring_view base, std::wstring_view reference);

}  // namespace tunelift
