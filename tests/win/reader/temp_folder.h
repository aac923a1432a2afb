// A fresh folder under %TEMP% for one test, removed with everything in it afterwards.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace reader_test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Writes bytes under the name, replacing the file; fails the test when it cannot.
void WriteBytes(const std::wstring& file, const std::string& bytes);

// Sets the last-write time to this many seconds before now.
void SetAge(const std::wstring& file, int64_t seconds);

// Sets the last-write time to the given one.
void SetWriteTime(const std::wstring& file, const FILETIME& time);

// The time this many seconds before now.
FILETIME SecondsAgo(int64_t seconds);

}  // namespace reader_test
