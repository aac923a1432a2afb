// Every file and folder under a folder with its bytes, to prove that a run wrote or
// deleted nothing outside the places it may touch. Header-only: the badinput suite
// uses it too.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace tunelift::testing {

inline std::string ReadWhole(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<unreadable>";
    std::string bytes;
    std::vector<char> buffer(1 << 20);
    DWORD got = 0;
    while (ReadFile(h, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got)
        bytes.append(buffer.data(), got);
    CloseHandle(h);
    return bytes;
}

// Relative path -> bytes; folders map to "<folder>". Folders named in `skip`
// (relative, as listed) are left out with everything in them.
using TreeSnapshot = std::map<std::wstring, std::string>;

inline void SnapshotInto(const std::wstring& root, const std::wstring& relative, const std::vector<std::wstring>& skip,
                         TreeSnapshot& out) {
    const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring rel = relative.empty() ? name : relative + L"\\" + name;
        bool skipped = false;
        for (const auto& s : skip) skipped = skipped || s == rel;
        if (skipped) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[rel] = "<folder>";
            SnapshotInto(root, rel, skip, out);
        } else {
            out[rel] = ReadWhole(root + L"\\" + rel);
        }
    } while (FindNextFileW(search, &data));
    FindClose(search);
}

inline TreeSnapshot Snapshot(const std::wstring& root, const std::vector<std::wstring>& skip = {}) {
    TreeSnapshot out;
    SnapshotInto(root, L"", skip, out);
    return out;
}

// A readable list of what differs between two snapshots ("" when they are equal).
inline std::string SnapshotDiff(const TreeSnapshot& before, const TreeSnapshot& after) {
    std::string report;
    const auto narrow = [](const std::wstring& w) {
        std::string s;
        for (wchar_t c : w) s.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        return s;
    };
    for (const auto& [path, bytes] : before) {
        auto it = after.find(path);
        if (it == after.end()) report += "gone: " + narrow(path) + "\n";
        else if (it->second != bytes) report += "changed: " + narrow(path) + "\n";
    }
    for (const auto& [path, bytes] : after)
        if (!before.count(path)) report += "new: " + narrow(path) + "\n";
    return report;
}

}  // namespace tunelift::testing
