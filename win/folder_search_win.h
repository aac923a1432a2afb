// The kernel's folder search and file deletion over the W entry points, and the
// file system's name comparison key.
#pragma once
#include <memory>
#include <string>

#include "engine/file_services.h"

namespace tunelift::win {

// A search over a pattern such as L"E:\\Player\\*.*" (FindFirstFileExW, with 8.3
// names); null when it cannot start, which includes a folder with no match.
std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern);

// DeleteFileW on the path as given: no wildcards, fails on a read-only file, on a
// folder and on a file held open without delete sharing.
bool DeleteFileLiteral(const std::wstring& path);

// Upper-cases a name the way the file system does when it compares names.
std::wstring NameKey(const std::wstring& name);

}  // namespace tunelift::win
