#include "engine/full_path.h"

#include <vector>

namespace tunelift {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool HasDrive(const std::wstring& path) {
    if (path.size() < 2 || path[1] != L':') return false;
    const wchar_t c = path[0];
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool SameDrive(wchar_t a, wchar_t b) { return (a | 0x20) == (b | 0x20); }

// "\\?\" and "\\.\" paths go to the kernel as they are: nothing in them may be folded.
bool IsDevicePath(const std::wstring& path) {
    return path.size() >= 4 && path[0] == L'\\' && path[1] == L'\\' && (path[2] == L'?' || path[2] == L'.') &&
           path[3] == L'\\';
}

bool IsUnc(const std::wstring& path) { return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]); }

// How many characters the root takes: "C:" of "C:\x", "\\server\share" of a network path
// (the separators after it excluded); 0 when the path has no root.
size_t RootLength(const std::wstring& path) {
    if (HasDrive(path)) return 2;
    if (!IsUnc(path)) return 0;
    const auto partEnd = [&](size_t at) {
        while (at < path.size() && !IsSeparator(path[at])) ++at;
        return at;
    };
    const size_t serverEnd = partEnd(2);
    size_t shareStart = serverEnd;
    while (shareStart < path.size() && IsSeparator(path[shareStart])) ++shareStart;
    return shareStart < path.size() ? partEnd(shareStart) : serverEnd;
}

// Folds separators, "." and ".." behind the root; ".." never climbs above it.
std::wstring Fold(const std::wstring& path) {
    const size_t rootLength = RootLength(path);
    std::wstring root = path.substr(0, rootLength);
    for (wchar_t& c : root)
        if (c == L'/') c = L'\\';
    std::vector<std::wstring> parts;
    for (size_t at = rootLength; at < path.size();) {
        size_t end = at;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::wstring part = path.substr(at, end - at);
        if (part == L"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    // A drive's root keeps its separator: "C:" alone would mean the drive's current folder.
    std::wstring full = root;
    if (HasDrive(root) || (root.empty() && !path.empty() && IsSeparator(path[0]))) full += L'\\';
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0 || (!full.empty() && full.back() != L'\\')) full += L'\\';
        full += parts[i];
    }
    return full;
}

}  // namespace

std::wstring FullPathIn(const std::wstring& folder, const std::wstring& path) {
    if (path.empty() || IsDevicePath(path)) return path;
    if (IsUnc(path)) return Fold(path);
    if (HasDrive(path)) {
        if (path.size() > 2 && IsSeparator(path[2])) return Fold(path);
        if (folder.empty()) return path;
        // Drive-relative: under the folder on its own drive, under the root of another.
        if (HasDrive(folder) && SameDrive(folder[0], path[0]) && !IsDevicePath(folder))
            return Fold(folder + L"\\" + path.substr(2));
        return Fold(path.substr(0, 2) + L"\\" + path.substr(2));
    }
    if (folder.empty()) return path;
    if (IsDevicePath(folder)) return folder + L"\\" + path;
    if (IsSeparator(path[0])) return Fold(folder.substr(0, RootLength(folder)) + path);
    return Fold(folder + L"\\" + path);
}

std::wstring FullFolderIn(const std::wstring& folder, const std::wstring& typed) {
    if (typed.find_first_not_of(L' ') == std::wstring::npos) return typed;
    std::wstring full = FullPathIn(folder, typed + L"\\");
    while (!full.empty() && IsSeparator(full.back())) full.pop_back();
    return full;
}

}  // namespace tunelift
