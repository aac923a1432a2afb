#include "ui/options_store_win.h"

#include <windows.h>
#include <shlobj.h>

#include "win/handles_win.h"

namespace tunelift::ui {
namespace {

constexpr wchar_t kSection[] = L"Options";
constexpr wchar_t kFileName[] = L"Tunelift.ini";

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The profile functions write a file in the encoding they find it in: a new file starts
// as a UTF-16 byte-order mark, so that any character a later key may hold survives.
bool StartUtf16File(const std::wstring& file) {
    const size_t slash = file.find_last_of(L"\\/");
    if (slash != std::wstring::npos) CreateDirectoryW(file.substr(0, slash).c_str(), nullptr);
    win::FileHandle handle(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!handle || !GetFileSizeEx(handle.get(), &size)) return false;
    if (size.QuadPart != 0) return true;
    static constexpr unsigned char kMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    return WriteFile(handle.get(), kMark, sizeof(kMark), &written, nullptr) && written == sizeof(kMark);
}

}  // namespace

std::wstring OptionsFileIn(const std::wstring& programFolder, const std::wstring& appDataFolder) {
    const std::wstring portable = programFolder + L"\\" + kFileName;
    if (IsFile(portable)) return portable;
    return appDataFolder + L"\\Tunelift\\" + kFileName;
}

std::wstring DefaultOptionsFile() {
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
        if (length < program.size()) {
            program.resize(length);
            break;
        }
        program.resize(program.size() * 2);
    }
    program.resize(program.find_last_of(L'\\') == std::wstring::npos ? 0 : program.find_last_of(L'\\'));
    win::CoTaskMem<wchar_t> appData;
    PWSTR path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path))) appData.reset(path);
    return OptionsFileIn(program, appData ? appData.get() : program);
}

RunOptions OptionsStore::Load() const {
    RunOptions options;
    // Only a plain 1 switches a choice on: whatever else a damaged file holds ("01x",
    // "yes") leaves it off.
    for (const OptionRow& row : kOptionRows) {
        wchar_t value[4] = {};
        GetPrivateProfileStringW(kSection, row.iniKey, L"", value, 4, file_.c_str());
        options.*row.member = value[0] == L'1' && value[1] == L'\0';
    }
    return options;
}

bool OptionsStore::Save(const RunOptions& options) const {
    if (file_.empty() || !StartUtf16File(file_)) return false;
    bool saved = true;
    for (const OptionRow& row : kOptionRows)
        saved = WritePrivateProfileStringW(kSection, row.iniKey, options.*row.member ? L"1" : L"0", file_.c_str()) && saved;
    return saved;
}

}  // namespace tunelift::ui
