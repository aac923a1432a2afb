#include "temp_folder.h"

#include <gtest/gtest.h>

#include "remove_tree_win.h"

namespace reader_test {

using tunelift::testing::RemoveTree;

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    path_ = std::wstring(temp) + L"tunelift_reader_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++counter);
    RemoveTree(path_);
    EXPECT_TRUE(CreateDirectoryW(path_.c_str(), nullptr));
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void WriteBytes(const std::wstring& file, const std::string& bytes) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    ASSERT_TRUE(ok);
    ASSERT_EQ(written, bytes.size());
}

FILETIME SecondsAgo(int64_t seconds) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t;
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart -= static_cast<uint64_t>(seconds) * 10'000'000;
    return FILETIME{t.LowPart, t.HighPart};
}

void SetWriteTime(const std::wstring& file, const FILETIME& time) {
    HANDLE h = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const BOOL ok = SetFileTime(h, nullptr, nullptr, &time);
    CloseHandle(h);
    ASSERT_TRUE(ok);
}

void SetAge(const std::wstring& file, int64_t seconds) { SetWriteTime(file, SecondsAgo(seconds)); }

}  // namespace reader_test
