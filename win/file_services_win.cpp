#include "win/file_services_win.h"

#include <windows.h>

// Interim implementation; replaced by the reader, copy and search modules.
namespace tunelift::win {
namespace {

class FileServicesWin final : public FileServices {
public:
    std::wstring ReadLine(const std::wstring& file, int32_t lineToRead) override {
        const std::wstring all = ReadAll(file);
        if (lineToRead <= 0) return L"";
        size_t start = 0;
        for (int32_t n = 1; start <= all.size(); ++n) {
            size_t end = all.find_first_of(L"\r\n", start);
            if (end == std::wstring::npos) end = all.size();
            if (n == lineToRead) return all.substr(start, end - start);
            if (end == all.size()) break;
            start = end + ((all[end] == L'\r' && end + 1 < all.size() && all[end + 1] == L'\n') ? 2 : 1);
        }
        return L"";
    }
    std::wstring ReadAll(const std::wstring& file) override {
        HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return L"";
        std::string bytes;
        char buffer[65536];
        DWORD got = 0;
        while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
        CloseHandle(h);
        const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring text(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
        return text;
    }
    bool FileExists(const std::wstring& file) override {
        WIN32_FILE_ATTRIBUTE_DATA data;
        return !file.empty() && GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) &&
               !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool FileCopy(const std::wstring& source, const std::wstring& dest) override {
        return CopyFileW(source.c_str(), dest.c_str(), FALSE) != FALSE;
    }
    std::unique_ptr<FileSearch> StartSearch(const std::wstring&) override { return nullptr; }
    bool RemoveFile(const std::wstring&) override { return false; }
};

}  // namespace

std::unique_ptr<FileServices> CreateFileServices() { return std::make_unique<FileServicesWin>(); }

}  // namespace tunelift::win
