#include "scratch_folder.h"

#include <vector>

namespace tunelift::testing {

ScratchFolder::ScratchFolder(const wchar_t* prefix) {
    static int counter = 0;
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp) + prefix + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void ScratchFolder::MakeFolder(const std::wstring& relative) const {
    ASSERT_TRUE(CreateDirectoryW((*this / relative).c_str(), nullptr));
}

void ScratchFolder::MakeFile(const std::wstring& relative, DWORD attributes) const {
    HANDLE h = CreateFileW((*this / relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot create file, error " << GetLastError();
    DWORD written = 0;
    ::WriteFile(h, "data", 4, &written, nullptr);
    CloseHandle(h);
}

void ScratchFolder::WriteFile(const std::wstring& relative, std::string_view bytes) const {
    HANDLE h = CreateFileW((*this / relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot create file, error " << GetLastError();
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

void ScratchFolder::WriteSizedFile(const std::wstring& relative, uint64_t size) const {
    HANDLE h = CreateFileW((*this / relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot create file, error " << GetLastError();
    std::vector<char> chunk(1 << 20);
    for (size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    while (size > 0) {
        const DWORD n = static_cast<DWORD>(std::min<uint64_t>(size, chunk.size()));
        DWORD written = 0;
        ::WriteFile(h, chunk.data(), n, &written, nullptr);
        size -= n;
    }
    CloseHandle(h);
}

bool ScratchFolder::Exists(const std::wstring& relative) const {
    return GetFileAttributesW((*this / relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ScratchFolder::Read(const std::wstring& relative) const {
    HANDLE h = CreateFileW((*this / relative).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
    CloseHandle(h);
    return bytes;
}

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

}  // namespace tunelift::testing
