// A fresh folder under %TEMP% for one test, removed with everything in it
// (read-only files too) when the test ends.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "remove_tree_win.h"

namespace tunelift::testing {

class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* prefix = L"tunelift-test-");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

    void MakeFolder(const std::wstring& relative) const;
    // A new four-byte file with the given attributes (read-only, hidden, ...).
    void MakeFile(const std::wstring& relative, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;
    // Writes the bytes as they are (no encoding, no line-end translation).
    void WriteFile(const std::wstring& relative, std::string_view bytes) const;
    // A file of `size` bytes of a repeating pattern.
    void WriteSizedFile(const std::wstring& relative, uint64_t size) const;
    bool Exists(const std::wstring& relative) const;
    std::string Read(const std::wstring& relative) const;

private:
    std::wstring path_;
};

// UTF-8 bytes of a wide string, for writing playlists with non-ASCII names.
std::string Utf8(const std::wstring& text);

}  // namespace tunelift::testing
