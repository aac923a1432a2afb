// Check and Save runs through the real window over playlists of 1,000 to 32,770
// entries, beside a bare loop of the existence tests a Check run makes.
// Usage (under Wine, with a display): export_run_bench_win.exe [max-entries] [max-save-entries]
// Save runs stop at 4,000 entries by default: under Wine every look-up of a name that
// does not exist yet reads the whole destination folder, so Save runs into one folder
// grow quadratically there (Windows indexes folders).
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_clock_win.h"
#include "tests/win/support/remove_tree_win.h"
#include "ui/control_ids.h"
#include "ui/frm_crateway_win.h"
#include "win/file_services_win.h"

namespace {

using tunelift::bench::Now;

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

}  // namespace

using tunelift::testing::RemoveTree;

// A run goes on by itself: the window's messages are handled until it has ended.
void WaitForRun(tunelift::ui::frmCrateway& window) {
    while (window.RunInProgress()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
}

int wmain(int argc, wchar_t** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int maxEntries = argc > 1 ? _wtoi(argv[1]) : 32770;
    const int maxSaveEntries = argc > 2 ? _wtoi(argv[2]) : 4000;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"tunelift-run-bench";
    RemoveTree(root);
    CreateDirectoryW(root.c_str(), nullptr);
    const std::wstring music = root + L"\\Music";
    CreateDirectoryW(music.c_str(), nullptr);
    // A thousand songs per folder: Wine creates and looks up names in time that grows
    // with the folder, and real libraries are split into albums anyway.
    auto song = [&](int n) { return music + L"\\" + std::to_wstring(n / 1000) + L"\\" + std::to_wstring(n) + L".mp3"; };
    for (int n = 1; n <= maxEntries; ++n) {
        if (n % 1000 == 0 || n == 1) CreateDirectoryW((music + L"\\" + std::to_wstring(n / 1000)).c_str(), nullptr);
        WriteBytes(song(n), "id3");
    }

    auto files = tunelift::win::CreateFileServices();
    tunelift::ui::Modal modal;
    tunelift::ui::frmCrateway window(*files, modal);
    window.Create(SW_HIDE);

    std::printf("| entries | bare existence loop (s) | Check run (s) | Check / loop | Save run (s) | Save per entry (ms) |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|\n");
    const int sizes[] = {1000, 4000, 16000, 32770};
    for (int entries : sizes) {
        if (entries > maxEntries) break;
        std::string text = "#EXTM3U\r\n";
        for (int n = 1; n <= entries; ++n) text += Narrow(song(n)) + "\r\n";
        WriteBytes(root + L"\\list" + std::to_wstring(entries) + L".m3u", text);
    }
    // The reader distrusts a file written within the last seconds and reads it again;
    // let the playlists settle as a saved playlist has.
    Sleep(3500);
    for (int entries : sizes) {
        if (entries > maxEntries) break;
        const std::wstring list = root + L"\\list" + std::to_wstring(entries) + L".m3u";
        const std::wstring dest = root + L"\\Player" + std::to_wstring(entries);
        CreateDirectoryW(dest.c_str(), nullptr);

        // The tests a Check run makes per entry: the copy in the destination, then the source.
        double t = Now();
        int found = 0;
        for (int n = 1; n <= entries; ++n) {
            found += files->FileExists(dest + L"\\" + std::to_wstring(n) + L".mp3") || files->FileExists(song(n));
        }
        const double loop = Now() - t;

        SetWindowTextW(window.Item(tunelift::ids::txtPathfrom), list.c_str());
        SetWindowTextW(window.Item(tunelift::ids::txtPathto), dest.c_str());
        t = Now();
        window.cmdFind_Click();
        WaitForRun(window);
        const double check = Now() - t;

        bool ok = window.Screen().LogText().find(std::to_wstring(entries) + L"/" + std::to_wstring(entries) + L" ok") !=
                   std::wstring::npos;
        if (entries > maxSaveEntries) {
            std::printf("| %d | %.3f | %.3f | %.2f | - | - |%s\n", entries, loop, check, check / loop,
                        ok && found == entries ? "" : " (outcome mismatch!)");
            std::fflush(stdout);
            continue;
        }

        SetWindowTextW(window.Item(tunelift::ids::txtPathfrom), list.c_str());
        SetWindowTextW(window.Item(tunelift::ids::txtPathto), dest.c_str());
        t = Now();
        window.cmdSave_Click();
        WaitForRun(window);
        const double save = Now() - t;
        ok = ok && window.Screen().LogText().find(std::to_wstring(entries) + L"/" + std::to_wstring(entries) + L" ok") !=
                       std::wstring::npos;
        std::printf("| %d | %.3f | %.3f | %.2f | %.3f | %.3f |%s\n", entries, loop, check, check / loop, save,
                    save * 1000.0 / entries, ok && found == entries ? "" : " (outcome mismatch!)");
        std::fflush(stdout);
    }
    RemoveTree(root);
    CoUninitialize();
    return 0;
}
