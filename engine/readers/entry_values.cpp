#include "engine/readers/entry_values.h"

#include <cstdint>

#include "engine/full_path.h"
#include "engine/playlist_rules.h"
#include "engine/readers/uri_rules.h"

namespace tunelift {

namespace {

std::wstring_view Trimmed(std::wstring_view text) {
    constexpr std::wstring_view kBlanks = L" \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::wstring_view AfterLastSeparator(std::wstring_view path) {
    const size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring_view::npos ? path : path.substr(cut + 1);
}

// A control character would cut the path short at the system (a NUL) or name no file.
bool HasControlCharacter(std::wstring_view text) {
    for (const wchar_t c : text)
        if (static_cast<uint32_t>(c) < 0x20) return true;
    return false;
}

// The name is taken before "." and ".." are folded, so that "x.mp3\.." stays a name the
// run refuses instead of becoming the name of the folder it leads to.
void AddPath(ReadEntry& entry, std::wstring_view path, const EntryContext& context) {
    entry.Paths.push_back(FullPathIn(context.Folder, std::wstring(path)));
    entry.Names.emplace_back(AfterLastSeparator(path));
}

void SetFileRole(ReadEntry& entry, const EntryContext& context) {
    entry.Role = EntryRole::OtherFile;
    for (const std::wstring& name : entry.Names)
        if (IsSongName(name, context.AllAudio)) entry.Role = EntryRole::Song;
}

// An address of another scheme than "file:": a stream when it names a host, else nothing
// a file system knows ("urn:", "mailto:"). Sync keeps a stream's last segment, as it
// keeps the name of a web address in an M3U list.
void SetAddressRole(ReadEntry& entry, std::wstring_view address) {
    const std::wstring_view scheme = SchemeOf(address);
    const std::wstring_view rest = address.substr(scheme.size() + 1);
    if (!rest.starts_with(L"//")) return;
    entry.Role = EntryRole::Stream;
    std::wstring_view path = rest.substr(2);
    path = path.substr(0, path.find_first_of(L"?#"));
    const size_t slash = path.find(L'/');
    if (slash == std::wstring_view::npos) return;
    const std::wstring name = PercentDecode(AfterLastSeparator(path.substr(slash)));
    if (!name.empty() && !HasControlCharacter(name)) entry.Names.push_back(name);
}

ReadEntry EntryOfFileUrl(ReadEntry entry, std::wstring_view url, const EntryContext& context) {
    const std::optional<std::wstring> path = PathOfFileUrl(url);
    if (!path) return entry;
    AddPath(entry, *path, context);
    SetFileRole(entry, context);
    return entry;
}

}  // namespace

bool IsWindowsFullPath(std::wstring_view text) {
    const bool drive = text.size() >= 3 && ((text[0] | 0x20) >= L'a' && (text[0] | 0x20) <= L'z') &&
                       text[1] == L':' && (text[2] == L'\\' || text[2] == L'/');
    return drive || text.starts_with(L"\\\\");
}

ReadEntry EntryWithoutPath(int64_t place, std::wstring_view written) {
    ReadEntry entry;
    entry.Place = place;
    entry.Written = written;
    entry.Role = EntryRole::NoPath;
    return entry;
}

ReadEntry EntryOfPath(int64_t place, std::wstring_view written, const EntryContext& context) {
    ReadEntry entry = EntryWithoutPath(place, written);
    const std::wstring_view value = Trimmed(written);
    if (value.empty()) return entry;
    if (const std::wstring_view scheme = SchemeOf(value); !scheme.empty()) {
        if (IsFileScheme(scheme)) return EntryOfFileUrl(std::move(entry), value, context);
        SetAddressRole(entry, value);
        return entry;
    }
    if (HasControlCharacter(value)) return entry;
    AddPath(entry, value, context);
    // Tried only after the path as written, which may be a real name with "%" in it.
    const std::wstring decoded = PercentDecode(value);
    if (decoded != value && !HasControlCharacter(decoded)) AddPath(entry, decoded, context);
    SetFileRole(entry, context);
    return entry;
}

ReadEntry EntryOfLocation(int64_t place, std::wstring_view written, std::wstring_view base,
                          const EntryContext& context) {
    const std::wstring_view value = Trimmed(written);
    if (IsWindowsFullPath(value)) return EntryOfPath(place, written, context);
    ReadEntry entry = EntryWithoutPath(place, written);
    if (value.empty()) return entry;
    std::wstring reference(value);
    for (wchar_t& c : reference)
        if (c == L'\\') c = L'/';
    const std::wstring address = ResolveUri(base, reference);
    const std::wstring_view scheme = SchemeOf(address);
    if (scheme.empty()) {
        // No base to resolve against: a path relative to the playlist's folder.
        const std::wstring path = PercentDecode(address);
        if (HasControlCharacter(path)) return entry;
        AddPath(entry, path, context);
        SetFileRole(entry, context);
        return entry;
    }
    if (IsFileScheme(scheme)) return EntryOfFileUrl(std::move(entry), address, context);
    SetAddressRole(entry, address);
    return entry;
}

std::wstring FolderUrlOf(std::wstring_view folder) {
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.remove_suffix(1);
    if (folder.empty()) return {};
    return FileUrlOf(folder) + L"/";
}

}  // namespace tunelift
