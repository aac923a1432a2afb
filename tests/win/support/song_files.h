// Songs of given bytes written where a test needs them (a stick, a scratch folder), and
// the fingerprint of those bytes as the copy's source would give it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/song_hash.h"

namespace tunelift::testing {

// `size` bytes that differ from every other seed's, so one song overwritten by another
// reads back changed.
inline std::string SongBytes(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    uint32_t x = seed * 2654435761u + 1;
    for (char& c : bytes) c = static_cast<char>((x = x * 1664525u + 1013904223u) >> 24);
    return bytes;
}

// Writes the file whole and flushed; false when the disk refused any of it.
inline bool WriteSong(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok = h != INVALID_HANDLE_VALUE &&
                    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(h);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return ok;
}

inline SongDigest DigestOf(const std::string& bytes) {
    SongHash hash;
    hash.Add(bytes.data(), bytes.size());
    return hash.Digest();
}

}  // namespace tunelift::testing
