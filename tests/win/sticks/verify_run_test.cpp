// tunelift-cli copy --verify onto a stick whose flash gives back other bytes than it was
// given: what arrives, what it says, the code it ends with. The counterfeit stick's
// overwritten songs are found by ReadBack (read_back_test.cpp); what a run then says and
// spares is the engine's (tests/engine/verify_run_test.cpp).
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "scratch_folder.h"
#include "sticks_fixture.h"
#include "tests/win/faults/tree_snapshot.h"
#include "win/handles_win.h"

namespace tunelift::testing {
namespace {

// tunelift-cli.exe, built beside this suite, run in `folder` to its end with its output
// in out.txt there.
DWORD RunCli(const std::wstring& folder, std::wstring arguments) {
    wchar_t self[MAX_PATH];
    const std::wstring exe(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    std::wstring line = L"\"" + exe.substr(0, exe.find_last_of(L'\\') + 1) + L"tunelift-cli.exe\" " + arguments;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const win::FileHandle out(
        CreateFileW((folder + L"\\out.txt").c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr));
    STARTUPINFOW si{};
    si.cb = sizeof si, si.dwFlags = STARTF_USESTDHANDLES, si.hStdOutput = si.hStdError = out.get();
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &si, &pi)) return ~0u;
    const win::FileHandle process(pi.hProcess), thread(pi.hThread);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.get(), 300000) == WAIT_OBJECT_0) GetExitCodeProcess(process.get(), &code);
    return code;
}

TEST_F(Sticks, ACopyTheFailingStickReadsBackOtherwiseIsAnErrorAndNeverTakesItsName) {
    // Only the part files of these songs read back changed, so the older copy under one
    // of their names reads as it was written.
    std::ofstream(std::filesystem::path(Env(L"TUNELIFT_STICK_CONTROL"))) << "flip .bad*.tunelift-part\n";
    const std::wstring player = Env(L"TUNELIFT_FAILING_STICK") + L"\\Player";
    ASSERT_TRUE(CreateDirectoryW(player.c_str(), nullptr));
    std::ofstream(std::filesystem::path(player + L"\\bad2.mp3"), std::ios::binary) << "older copy";
    ScratchFolder here{L"tunelift-verify-"};
    const size_t size = 3 << 20 | 5;
    const wchar_t* songs[] = {L"a.mp3", L"bad1.mp3", L"bad2.mp3", L"c.mp3"};
    std::string list;
    for (uint32_t i = 0; i < 4; ++i) {
        here.WriteFile(songs[i], SongBytes(size, i));
        list += Utf8(here / songs[i]) + "\r\n";
    }
    here.WriteFile(L"list.m3u", list);

    EXPECT_EQ(RunCli(here.path(), L"copy list.m3u \"" + player + L"\" --verify --overwrite"), 1u);
    const TreeSnapshot whole = {
        {L"a.mp3", SongBytes(size, 0)}, {L"bad2.mp3", "older copy"}, {L"c.mp3", SongBytes(size, 3)}};
    EXPECT_EQ(SnapshotDiff(whole, Snapshot(player)), "") << "only whole songs, no part file left";
    const std::string out = here.Read(L"out.txt");
    EXPECT_NE(out.find("bad1.mp3\r\nThe copy differs from the song!\r\n1/2 error\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("bad2.mp3\r\nThe copy differs from the song!\r\n1/3 error\r\n"), std::string::npos) << out;
    EXPECT_TRUE(out.ends_with("Finished: 2 of 4 songs could not be copied!\r\n"
                              "entries: 4, ok: 2, errors: 2, deleted: 0\r\n")) << out;
}

}  // namespace
}  // namespace tunelift::testing
