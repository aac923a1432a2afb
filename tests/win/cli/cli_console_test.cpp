// tunelift-cli.exe in a real console: Ctrl+C pressed during a run, and text written to the
// console itself. A console that can take Ctrl+C needs a display under Wine, and a process
// that joins one leaves its own: both are done by this test exe started again as a helper.
#include <gtest/gtest.h>

#include <regex>

#include "cli_process.h"
#include "scratch_folder.h"
#include "tests/win/faults/tree_snapshot.h"
#include "win/file_copy_win.h"
#include "win/handles_win.h"

namespace tunelift::testing {
namespace {

constexpr wchar_t kCtrlCTo[] = L"TUNELIFT_CTRL_C_TO";          // a process id
constexpr wchar_t kConsoleRun[] = L"TUNELIFT_CONSOLE_RUN";     // a command line
constexpr wchar_t kScreenFile[] = L"TUNELIFT_CONSOLE_SCREEN";  // where its screen goes

std::wstring Variable(const wchar_t* name) {
    wchar_t buffer[4096];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
    return n > 0 && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

// Runs one helper test of this exe with `name` set to `value`; passes when it passed.
::testing::AssertionResult Helper(const wchar_t* test, const wchar_t* name, const std::wstring& value, const std::wstring& folder) {
    SetEnvironmentVariableW(name, value.c_str());
    const Finished helper = RunToEnd(Quoted(ProgramBeside(L"win_cli_tests.exe")) + L" --gtest_filter=ConsoleHelper." +
                                         test + L" --gtest_also_run_disabled_tests",
                                     folder, folder);
    SetEnvironmentVariableW(name, nullptr);
    if (helper.ended && helper.code == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << helper.out;
}

// Helper: Ctrl+C in the console of the process named in the environment, as a user
// presses it there.
TEST(ConsoleHelper, DISABLED_PressCtrlC) {
    const DWORD target = static_cast<DWORD>(_wtoi(Variable(kCtrlCTo).c_str()));
    ASSERT_NE(target, 0u);
    FreeConsole();
    ASSERT_TRUE(AttachConsole(target)) << GetLastError();
    SetConsoleCtrlHandler(nullptr, TRUE);  // this helper lives on to report
    ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) << GetLastError();
}

// Helper: runs a command line in a console of its own and writes what the console then
// shows, one UTF-8 line per screen row, into a file.
TEST(ConsoleHelper, DISABLED_ShowInConsole) {
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    win::FileHandle screen(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       &inherit, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(screen);
    win::FileHandle run(Start(Variable(kConsoleRun), L".", screen.get(), screen.get(), 0));
    ASSERT_TRUE(run);
    ASSERT_EQ(WaitForSingleObject(run.get(), 120000), WAIT_OBJECT_0);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    ASSERT_TRUE(GetConsoleScreenBufferInfo(screen.get(), &info));
    const SHORT width = info.dwSize.X;
    std::wstring text;
    for (SHORT row = 0; row <= info.dwCursorPosition.Y; ++row) {
        std::wstring line(static_cast<size_t>(width), L' ');
        DWORD got = 0;
        ReadConsoleOutputCharacterW(screen.get(), line.data(), static_cast<DWORD>(width), COORD{0, row}, &got);
        line.erase(line.find_last_not_of(L' ') + 1);
        text += line + L"\n";
    }
    std::string bytes = Utf8(text);
    win::FileHandle file(
        CreateFileW(Variable(kScreenFile).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

class CliConsole : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* folder : {L"Music", L"Player", L"logs"}) dir.MakeFolder(folder);
    }
    ScratchFolder dir{L"tunelift-cli-console-"};
};

TEST_F(CliConsole, WritesWideTextThatShowsEveryNameAsTyped) {
    // Omega is in no Western code page: only wide console output shows it.
    const std::wstring omega = L"\u03a9mega.mp3";
    dir.WriteFile(L"Music\\" + omega, "song");
    dir.WriteFile(L"list.m3u", "#EXTM3U\r\nMusic\\" + Utf8(omega) + "\r\n");
    const std::wstring command =
        Quoted(ProgramBeside(L"tunelift-cli.exe")) + L" check " + Quoted(dir / L"list.m3u") + L" Player --lang de";
    SetEnvironmentVariableW(kScreenFile, (dir / L"logs\\screen.txt").c_str());
    ASSERT_TRUE(Helper(L"DISABLED_ShowInConsole", kConsoleRun, command, dir.path()));
    SetEnvironmentVariableW(kScreenFile, nullptr);
    EXPECT_EQ(dir.Read(L"logs\\screen.txt"),
              Utf8(L"Music\\" + omega + L"\n1/1 ok\n---\nSuche abgeschlossen!\n"
                   L"Eintr\u00e4ge: 1, ok: 1, Fehler: 0, gel\u00f6scht: 0\n\n"));
}

TEST_F(CliConsole, CtrlCStopsAfterTheSongBeingCopiedAndLeavesOnlyWholeSongs) {
    // Enough songs that the log fills the pipe long before the end: the program waits in
    // its output until the test reads on, so the run is still going when Ctrl+C comes.
    constexpr int kSongs = 100;
    std::string list = "#EXTM3U\r\n";
    for (int i = 0; i < kSongs; ++i) {
        const std::wstring name = L"song " + std::to_wstring(i) + L".mp3";
        dir.WriteFile(L"Music\\" + name, std::string(2000 + i, static_cast<char>('a' + i % 26)));
        list += Utf8(dir / L"Music\\" + name) + "\r\n";
    }
    dir.WriteFile(L"list.m3u", list);

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, &inherit, 4096));
    win::FileHandle pipeOut(read), pipeIn(write);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    const std::wstring errPath = dir / L"logs\\err.txt";
    win::FileHandle err(CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    DWORD id = 0;
    win::FileHandle run(Start(Quoted(ProgramBeside(L"tunelift-cli.exe")) + L" copy list.m3u Player", dir.path(),
                              pipeIn.get(), err.get(), CREATE_NEW_CONSOLE, &id));
    ASSERT_TRUE(run);
    pipeIn.reset();
    err.reset();

    const auto waiting = [&] {
        DWORD bytes = 0;
        return PeekNamedPipe(pipeOut.get(), nullptr, 0, nullptr, &bytes, nullptr) && bytes > 0;
    };
    ASSERT_TRUE(AwaitTrue(waiting)) << "the run never started";
    ASSERT_TRUE(Helper(L"DISABLED_PressCtrlC", kCtrlCTo, std::to_wstring(id), dir / L"logs"));
    ASSERT_TRUE(AwaitTrue([&] { return ReadWhole(errPath).find("Interrupted") != std::string::npos; }));
    EXPECT_EQ(ReadWhole(errPath), "Interrupted: stopping after the song being copied.\r\n");

    std::string out;
    const auto drain = [&] {
        DWORD bytes = 0;
        while (PeekNamedPipe(pipeOut.get(), nullptr, 0, nullptr, &bytes, nullptr) && bytes > 0) {
            std::string chunk(bytes, '\0');
            if (!ReadFile(pipeOut.get(), chunk.data(), bytes, &bytes, nullptr)) break;
            out.append(chunk.data(), bytes);
        }
        return WaitForSingleObject(run.get(), 0) == WAIT_OBJECT_0;
    };
    ASSERT_TRUE(AwaitTrue(drain)) << "the run did not stop";
    drain();
    DWORD code = 0;
    GetExitCodeProcess(run.get(), &code);
    EXPECT_EQ(code, 3u);

    std::smatch summary;
    ASSERT_TRUE(std::regex_search(out, summary, std::regex("---\r\nCanceled!\r\nentries: (\\d+), ok: \\1, "
                                                           "errors: 0, deleted: 0\r\n$")))
        << out.substr(out.size() > 300 ? out.size() - 300 : 0);
    const int copied = std::stoi(summary[1]);
    EXPECT_LT(copied, kSongs) << "Ctrl+C came before the end";
    const TreeSnapshot player = Snapshot(dir / L"Player");
    EXPECT_EQ(static_cast<int>(player.size()), copied) << "no part file is left, and only copied songs are there";
    for (const auto& [name, bytes] : player) {
        EXPECT_FALSE(win::IsCopyLeftover(name));
        EXPECT_EQ(bytes, dir.Read(L"Music\\" + name)) << "a whole song under every name";
    }
}

}  // namespace
}  // namespace tunelift::testing
