// tunelift-cli.exe started as a shell starts it: what it prints, the code it ends with,
// and what it leaves on disk. Output goes to files, or to a pipe read only while the
// program runs: Wine's helper processes can hold a pipe open past its end.
#include <gtest/gtest.h>

#include <functional>

#include "scratch_folder.h"
#include "tests/win/faults/tree_snapshot.h"
#include "win/handles_win.h"

namespace tunelift::testing {
namespace {

// A program built beside this test, quoted for a command line.
std::wstring Beside(const wchar_t* program) {
    wchar_t self[MAX_PATH];
    std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    return L"\"" + path.substr(0, path.find_last_of(L'\\') + 1) + program + L"\"";
}

// Starts a process in `folder` with the given standard output and error.
win::FileHandle Start(const std::wstring& command, const std::wstring& folder, HANDLE out, HANDLE err,
                      DWORD flags = 0, DWORD* id = nullptr) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out, si.hStdError = err;
    PROCESS_INFORMATION pi{};
    std::wstring line = command;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, flags, nullptr, folder.c_str(), &si, &pi))
        return {};
    CloseHandle(pi.hThread);
    if (id) *id = pi.dwProcessId;
    return win::FileHandle(pi.hProcess);
}

// Runs a command to its end with its output in logs\out.txt; returns its exit code.
DWORD RunToEnd(const std::wstring& command, const std::wstring& folder, const std::wstring& logs) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    win::FileHandle out(CreateFileW((logs + L"\\out.txt").c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr));
    win::FileHandle process = Start(command, folder, out.get(), out.get());
    DWORD code = STILL_ACTIVE;
    if (process && WaitForSingleObject(process.get(), 120000) == WAIT_OBJECT_0) GetExitCodeProcess(process.get(), &code);
    return code;
}

// Polls until `done` holds; false after two minutes.
bool Await(const std::function<bool()>& done) {
    for (ULONGLONG start = GetTickCount64(); GetTickCount64() - start < 120000; Sleep(5))
        if (done()) return true;
    return false;
}

TEST(CliProcess, ADryRunChangesNothingAndTheRunThenDoesWhatItSaid) {
    ScratchFolder dir{L"tunelift-cli-"};
    for (const wchar_t* folder : {L"Lists", L"Lists\\Songs", L"Player", L"logs"}) dir.MakeFolder(folder);
    const std::string at = Utf8(dir.path()), kitchen = Utf8(L"K\u00fcche.mp3");
    dir.WriteFile(L"Lists\\Songs\\K\u00fcche.mp3", "kitchen song");
    dir.WriteFile(L"Player\\stray.mp3", "not in the list");
    dir.WriteFile(L"Lists\\mix.m3u", "#EXTM3U\r\nSongs\\" + kitchen + "\r\n");
    const TreeSnapshot before = Snapshot(dir.path(), {L"logs"});
    // Relative words mean the folder the shell is in, relative entries the playlist's.
    const std::wstring copy = Beside(L"tunelift-cli.exe") + L" copy Lists\\mix.m3u Player --sync";

    EXPECT_EQ(RunToEnd(copy + L" --dry-run", dir.path(), dir / L"logs"), 0u);
    EXPECT_EQ(SnapshotDiff(before, Snapshot(dir.path(), {L"logs"})), "");
    const std::string song = at + "\\Lists\\Songs\\" + kitchen;
    EXPECT_EQ(dir.Read(L"logs\\out.txt"), "would copy: " + song + " -> " + at + "\\Player\\" + kitchen +
                                               "\r\nwould delete: " + at + "\\Player\\stray.mp3\r\n" +
                                               "entries: 1, ok: 1, errors: 0, deleted: 1\r\n");

    EXPECT_EQ(RunToEnd(copy, dir.path(), dir / L"logs"), 0u);
    EXPECT_EQ(SnapshotDiff(before, Snapshot(dir.path(), {L"logs"})), "gone: Player\\stray.mp3\nnew: Player\\K?che.mp3\n");
    EXPECT_EQ(dir.Read(L"Player\\K\u00fcche.mp3"), "kitchen song");
    EXPECT_EQ(dir.Read(L"logs\\out.txt"), song + "\r\ncopied to:\r\n" + at + "\\Player\\" + kitchen +
                                               "\r\n1/1 ok\r\n---\r\nAll files copied!\r\n" +
                                               "entries: 1, ok: 1, errors: 0, deleted: 1\r\n");
}

// Helper: Ctrl+C in the console of the process named in TUNELIFT_CTRL_C_TO, as a user
// presses it there. Joining a console means leaving one's own: a process of its own does it.
TEST(CliProcess, DISABLED_PressCtrlC) {
    wchar_t id[32] = L"";
    GetEnvironmentVariableW(L"TUNELIFT_CTRL_C_TO", id, 32);
    FreeConsole();
    ASSERT_TRUE(AttachConsole(static_cast<DWORD>(_wtoi(id)))) << GetLastError();
    SetConsoleCtrlHandler(nullptr, TRUE);  // this helper lives on to report
    ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) << GetLastError();
}

TEST(CliProcess, CtrlCStopsAfterTheSongBeingCopiedAndLeavesOnlyWholeSongs) {
    ScratchFolder dir{L"tunelift-cli-"};
    for (const wchar_t* folder : {L"Music", L"Player", L"logs"}) dir.MakeFolder(folder);
    constexpr size_t kSongs = 100;
    std::string list = "#EXTM3U\r\n";
    for (size_t i = 0; i < kSongs; ++i) {
        const std::wstring song = L"Music\\song " + std::to_wstring(i) + L".mp3";
        dir.WriteFile(song, std::string(2000 + i, static_cast<char>('a' + i % 26)));
        list += Utf8(dir / song) + "\r\n";
    }
    dir.WriteFile(L"list.m3u", list);

    // The log of 100 songs overfills a 4 KB pipe: the program waits in its output until
    // the test reads on, so its run is still going when Ctrl+C comes. Under Wine only a
    // new console takes Ctrl+C.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, &inherit, 4096));
    win::FileHandle readEnd(read), writeEnd(write);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    const std::wstring errPath = dir / L"logs\\err.txt";
    win::FileHandle err(CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    DWORD id = 0;
    win::FileHandle run = Start(Beside(L"tunelift-cli.exe") + L" copy list.m3u Player", dir.path(), write, err.get(),
                                CREATE_NEW_CONSOLE, &id);
    ASSERT_TRUE(run);
    writeEnd.reset(), err.reset();

    std::string out;
    const auto drain = [&] {  // true once the program has ended and all it wrote is read
        const bool ended = WaitForSingleObject(run.get(), 0) == WAIT_OBJECT_0;
        DWORD bytes = 0;
        while (PeekNamedPipe(read, nullptr, 0, nullptr, &bytes, nullptr) && bytes > 0) {
            std::string chunk(bytes, '\0');
            if (!ReadFile(read, chunk.data(), bytes, &bytes, nullptr)) break;
            out.append(chunk.data(), bytes);
        }
        return ended;
    };
    DWORD waiting = 0;
    ASSERT_TRUE(Await([&] { return PeekNamedPipe(read, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0; }));
    SetEnvironmentVariableW(L"TUNELIFT_CTRL_C_TO", std::to_wstring(id).c_str());
    ASSERT_EQ(RunToEnd(Beside(L"win_cli_tests.exe") +
                           L" --gtest_filter=CliProcess.DISABLED_PressCtrlC --gtest_also_run_disabled_tests",
                       dir.path(), dir / L"logs"),
              0u);
    ASSERT_TRUE(Await([&] { return !ReadWhole(errPath).empty(); }));
    EXPECT_EQ(ReadWhole(errPath), "Interrupted: stopping after the song being copied.\r\n");
    ASSERT_TRUE(Await(drain)) << "the run did not stop";
    DWORD code = 0;
    GetExitCodeProcess(run.get(), &code);
    EXPECT_EQ(code, 3u);

    // Every file on the player is a whole song the log counts; a part file would be one more.
    const TreeSnapshot player = Snapshot(dir / L"Player");
    const std::string copied = std::to_string(player.size());
    EXPECT_LT(player.size(), kSongs) << "Ctrl+C came before the end";
    EXPECT_TRUE(out.ends_with("---\r\nCanceled!\r\nentries: " + copied + ", ok: " + copied +
                              ", errors: 0, deleted: 0\r\n"));
    for (const auto& [name, bytes] : player) EXPECT_EQ(bytes, dir.Read(L"Music\\" + name));
}

}  // namespace
}  // namespace tunelift::testing
