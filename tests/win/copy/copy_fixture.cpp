#include "copy_fixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "win/file_copy_win.h"

namespace copytest {

std::string Bytes(size_t size, unsigned seed) {
    std::string s(size, '\0');
    uint32_t x = seed * 2654435761u + 1;
    for (auto& c : s) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>(x >> 24);
    }
    return s;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

uint64_t LastWrite(const fs::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

void SetLastWrite(const fs::path& path, uint64_t time) {
    HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    FILETIME ft{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &ft));
    CloseHandle(h);
}

std::vector<std::wstring> Names(const fs::path& folder) {
    std::vector<std::wstring> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) names.push_back(e.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

void CopyTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    dir = fs::temp_directory_path() / ("tunelift_copy_" + std::to_string(GetCurrentProcessId())) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
}

void CopyTest::TearDown() {
    tunelift::win::copy_seam::FailNthWrite(0);
    tunelift::win::copy_seam::SetChunkBytes(0);
    tunelift::win::copy_seam::SetFlushBeforeRename(true);
    tunelift::win::copy_seam::SetObserver(nullptr);
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(dir, ec))
        SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(dir.parent_path(), ec);
}

}  // namespace copytest
