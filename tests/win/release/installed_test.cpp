// Tunelift as its installer leaves the machine, and as its uninstaller leaves it again.
// release_test.sh installs silently into a Wine prefix of its own, runs Installed.*,
// writes the user's settings, uninstalls silently and runs Uninstalled.*.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "scratch_folder.h"
#include "tests/win/faults/tree_snapshot.h"
#include "ui/control_ids.h"
#include "win/handles_win.h"

namespace tunelift::testing {
namespace {

std::wstring Known(REFKNOWNFOLDERID id) {
    win::CoTaskMem<wchar_t> path;
    PWSTR raw = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &raw))) path.reset(raw);
    return path ? path.get() : L"";
}

const std::wstring kProgramFolder = Known(FOLDERID_LocalAppData) + L"\\Programs\\Tunelift";
const std::wstring kWindowProgram = kProgramFolder + L"\\tunelift.exe";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tunelift";
// The project's version, as CMake hands it to this suite.
const std::string kVersionBytes = std::getenv("TUNELIFT_VERSION") ? std::getenv("TUNELIFT_VERSION") : "";
const std::wstring kVersion(kVersionBytes.begin(), kVersionBytes.end());

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The version resource as Explorer's Details tab reads it: the file and product numbers,
// then the file and product version texts of the first language the resource names.
std::wstring VersionOf(const std::wstring& file) {
    std::vector<BYTE> bytes(GetFileVersionInfoSizeW(file.c_str(), nullptr));
    if (bytes.empty() || !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(bytes.size()), bytes.data()))
        return L"<no version resource>";
    const auto find = [&bytes](const std::wstring& key) -> const void* {
        void* value = nullptr;
        UINT size = 0;
        return VerQueryValueW(bytes.data(), key.c_str(), &value, &size) && size ? value : nullptr;
    };
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(find(L"\\"));
    const auto* language = static_cast<const WORD*>(find(L"\\VarFileInfo\\Translation"));
    if (!fixed || !language) return L"<no numbers or no language>";
    const DWORD numbers[] = {fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                             fixed->dwProductVersionLS};
    std::wstring out;
    for (int i = 0; i < 4; ++i)
        out += std::to_wstring(HIWORD(numbers[i])) + L"." + std::to_wstring(LOWORD(numbers[i])) + (i % 2 ? L" " : L".");
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion"}) {
        wchar_t key[80];
        swprintf(key, 80, L"\\StringFileInfo\\%04x%04x\\%ls", language[0], language[1], name);
        const auto* text = static_cast<const wchar_t*>(find(key));
        out += (text ? text : L"<none>") + std::wstring(L" ");
    }
    return out;
}

// A shortcut's target as Explorer reads it.
std::wstring LinkTarget(const std::wstring& shortcut) {
    win::ComPtr<IShellLinkW> link;
    win::ComPtr<IPersistFile> file;
    wchar_t target[MAX_PATH] = L"<unreadable>";
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.put_void())) &&
        SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)))
        link->GetPath(target, MAX_PATH, nullptr, 0);
    return target;
}

std::wstring AppsListText(const wchar_t* name) {
    wchar_t value[512] = L"<missing>";
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

TEST(Installed, BothProgramsCarryTheProjectVersion) {
    std::wstring four = kVersion;
    for (auto dots = std::count(four.begin(), four.end(), L'.'); dots < 3; ++dots) four += L".0";
    const std::wstring expected = four + L" " + four + L" " + kVersion + L" " + kVersion + L" ";
    for (const wchar_t* program : {L"tunelift.exe", L"tunelift-cli.exe"})
        EXPECT_EQ(VersionOf(kProgramFolder + L"\\" + program), expected) << ::testing::PrintToString(program);
}

TEST(Installed, StartMenuAndSendToStartTheInstalledWindow) {
    win::ComApartment com;
    for (REFKNOWNFOLDERID folder : {FOLDERID_Programs, FOLDERID_SendTo})
        EXPECT_EQ(LinkTarget(Known(folder) + L"\\Tunelift.lnk"), kWindowProgram) << Utf8(Known(folder));
}

TEST(Installed, AppsListShowsTheVersionTheSizeAndHowToUninstall) {
    const std::wstring uninstaller = L"\"" + kProgramFolder + L"\\uninstall.exe\"";
    const struct { const wchar_t* name; std::wstring expected; } rows[] = {
        {L"DisplayName", L"Tunelift"},       {L"DisplayVersion", kVersion}, {L"DisplayIcon", kWindowProgram},
        {L"InstallLocation", kProgramFolder}, {L"UninstallString", uninstaller},
        {L"QuietUninstallString", uninstaller + L" /S"},
    };
    for (const auto& row : rows) EXPECT_EQ(AppsListText(row.name), row.expected) << ::testing::PrintToString(row.name);
    EXPECT_TRUE(Exists(kProgramFolder + L"\\uninstall.exe"));
    DWORD kb = 0, size = sizeof kb;
    RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, L"EstimatedSize", RRF_RT_REG_DWORD, nullptr, &kb, &size);
    WIN32_FILE_ATTRIBUTE_DATA program{};
    GetFileAttributesExW(kWindowProgram.c_str(), GetFileExInfoStandard, &program);
    // The apps list counts in KB; the window's program alone is most of it.
    EXPECT_GE(kb, program.nFileSizeLow / 1024) << "EstimatedSize";
}

// Send to starts the program with the chosen file as its one argument.
TEST(Installed, WindowStartsWithThePlaylistSentToIt) {
    ScratchFolder dir{L"tunelift-sendto-"};
    dir.WriteFile(L"Car.m3u", "#EXTM3U\r\n");
    std::wstring line = L"\"" + kWindowProgram + L"\" \"" + (dir / L"Car.m3u") + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    win::FileHandle process(pi.hProcess), thread(pi.hThread);
    // The prefix is this suite's own: the one Tunelift window is the one just started.
    HWND window = nullptr;
    for (int i = 0; i < 600 && !window; ++i, Sleep(100)) window = FindWindowW(L"TuneliftCrateway", nullptr);
    ASSERT_TRUE(window) << "the installed tunelift.exe showed no window";
    // The argument is taken once the window exists, before the program waits for input.
    WaitForInputIdle(process.get(), 60000);
    wchar_t playlist[MAX_PATH] = L"";
    // GetWindowText cannot read a control of another process; the message can.
    SendMessageW(GetDlgItem(window, ids::txtPathfrom), WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(playlist));
    EXPECT_EQ(std::wstring(playlist), dir / L"Car.m3u");
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
}

TEST(Uninstalled, OnlyTheUsersSettingsRemain) {
    // release_test.sh wrote the settings beside the program and in the profile.
    EXPECT_EQ(SnapshotDiff({{L"Tunelift.ini", "[Options]\r\n"}}, Snapshot(kProgramFolder)), "") << "only the settings";
    const struct { std::wstring path; bool stays; } rows[] = {
        {Known(FOLDERID_RoamingAppData) + L"\\Tunelift\\Tunelift.ini", true},
        {Known(FOLDERID_Programs) + L"\\Tunelift.lnk", false},
        {Known(FOLDERID_SendTo) + L"\\Tunelift.lnk", false},
    };
    for (const auto& row : rows) EXPECT_EQ(Exists(row.path), row.stays) << ::testing::PrintToString(row.path);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    if (key) RegCloseKey(key);
}

}  // namespace
}  // namespace tunelift::testing
