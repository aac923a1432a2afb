#include "win/destination_files_win.h"

#include <windows.h>

#include <climits>

#include "engine/file_names.h"
#include "win/file_copy_win.h"
#include "win/folder_search_win.h"
#include "win/handles_win.h"

namespace tunelift::win {
namespace {

uint64_t Join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

// c_str() would cut a path at an embedded NUL and so name another file.
bool Usable(const std::wstring& path) { return !path.empty() && path.find(L'\0') == std::wstring::npos; }

}  // namespace

std::optional<FileStamp> StampOf(const std::wstring& file) {
    if (!Usable(file) || file.find_first_of(L"*?", file.starts_with(L"\\\\?\\") ? 4 : 0) != std::wstring::npos)
        return std::nullopt;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return FileStamp{Join(data.nFileSizeHigh, data.nFileSizeLow),
                     Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

bool SetLastWriteTime(const std::wstring& file, uint64_t time) {
    if (!Usable(file)) return false;
    FileHandle handle(CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    const FILETIME written{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    // Both times: a FUSE FAT driver drops a write time set without an access time.
    return handle && SetFileTime(handle.get(), nullptr, &written, &written);
}

std::optional<uint64_t> FreeBytes(const std::wstring& folder) {
    if (!Usable(folder)) return std::nullopt;
    // "E:" alone would mean the current folder of drive E, which may lie elsewhere.
    const std::wstring path = folder.back() == L'\\' ? folder : folder + L"\\";
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExW(path.c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    const size_t nameAt = path.find_last_of(L"\\/");
    if (!Usable(path) || nameAt == std::wstring::npos || nameAt + 1 == path.size() || bytes.size() > UINT_MAX)
        return false;
    // Like a song's copy, a read-only file is the user's to keep.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    const std::wstring part = path.substr(0, nameAt + 1) + CopyPartName(std::wstring_view(path).substr(nameAt + 1));
    bool written = false;
    {
        FileHandle file(CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD done = 0;
        written = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                  done == bytes.size() && FlushFileBuffers(file.get());
    }
    if (written && MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(part.c_str());
    return false;
}

bool RenameFile(const std::wstring& from, const std::wstring& to) {
    const size_t fromCut = from.find_last_of(L"\\/"), toCut = to.find_last_of(L"\\/");
    if (!Usable(from) || !Usable(to) || fromCut == std::wstring::npos || toCut == std::wstring::npos) return false;
    const std::wstring folder = from.substr(0, fromCut + 1), fromName = from.substr(fromCut + 1),
                       toName = to.substr(toCut + 1);
    if (NameKey(folder) != NameKey(to.substr(0, toCut + 1)) || !IsPlainFileName(fromName) || !IsPlainFileName(toName))
        return false;
    const DWORD attributes = GetFileAttributesW(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // Without MOVEFILE_REPLACE_EXISTING a name that is taken refuses the rename.
    const auto move = [](const std::wstring& a, const std::wstring& b) {
        return MoveFileExW(a.c_str(), b.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
    };
    if (fromName == toName) return true;
    if (NameKey(fromName) != NameKey(toName)) return move(from, to);
    // A new spelling of the same name goes through a name of its own: Wine reports the
    // one-step rename done and keeps the old spelling, and refuses it on a FAT stick
    // through FUSE. Windows does it in one step, and in two just as well.
    const std::wstring aside = folder + L"." + toName + L".tunelift-case";
    if (!move(from, aside)) return false;
    if (move(aside, to)) return true;
    move(aside, from);
    return false;
}

std::optional<std::string> EncodeAnsi(const std::wstring& text) {
    const UINT codePage = GetACP();
    if (codePage == CP_UTF8 || text.size() > INT_MAX) return std::nullopt;
    if (text.empty()) return std::string();
    const int chars = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), chars, nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), chars, bytes.data(), size, nullptr,
                            &usedDefault) != size || usedDefault)
        return std::nullopt;
    return bytes;
}

}  // namespace tunelift::win
