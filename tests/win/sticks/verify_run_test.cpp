// tunelift-cli copy --verify onto the misbehaving sticks sticks_test.sh mounts: what
// arrives, what it says, the code it ends with, and what it never deletes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "scratch_folder.h"
#include "tests/win/faults/tree_snapshot.h"
#include "win/handles_win.h"

namespace tunelift::testing {
namespace {

std::string SongBytes(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>((seed = seed * 1664525u + 1013904223u) >> 24);
    return bytes;
}

std::wstring Stick(const wchar_t* variable) {
    const wchar_t* at = _wgetenv(variable);
    return at ? at : L"";
}

// tunelift-cli.exe, built beside this suite, run to its end in `folder` with its output
// in out.txt there; its exit code.
DWORD RunCli(const std::wstring& arguments, const ScratchFolder& folder) {
    wchar_t self[MAX_PATH];
    const std::wstring exe(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    std::wstring line = L"\"" + exe.substr(0, exe.find_last_of(L'\\') + 1) + L"tunelift-cli.exe\" " + arguments;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const win::FileHandle out(
        CreateFileW((folder / L"out.txt").c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = out.get();
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.path().c_str(), &si, &pi))
        return ~0u;
    const win::FileHandle process(pi.hProcess), thread(pi.hThread);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.get(), 300000) == WAIT_OBJECT_0) GetExitCodeProcess(process.get(), &code);
    return code;
}

// Songs of `size` bytes under Music in `folder`, and list.m3u naming them in order.
void WriteSongs(const ScratchFolder& folder, const std::vector<std::wstring>& names, size_t size) {
    folder.MakeFolder(L"Music");
    std::string list = "#EXTM3U\r\n";
    for (size_t i = 0; i < names.size(); ++i) {
        folder.WriteFile(L"Music\\" + names[i], SongBytes(size, static_cast<uint32_t>(i + 1)));
        list += Utf8(folder / (L"Music\\" + names[i])) + "\r\n";
    }
    folder.WriteFile(L"list.m3u", list);
}

class VerifyRun : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"TUNELIFT_FAILING_STICK", L"TUNELIFT_STICK_CONTROL", L"TUNELIFT_COUNTERFEIT_STICK",
                                    L"TUNELIFT_COUNTERFEIT_REAL_MIB"})
            ASSERT_TRUE(_wgetenv(name)) << "run through tests/win/sticks/sticks_test.sh, which mounts the sticks";
    }
    ScratchFolder here{L"tunelift-verify-"};
};

TEST_F(VerifyRun, ACopyTheFailingStickReadsBackOtherwiseIsAnErrorAndNeverTakesItsName) {
    // The stick changes a byte of what it returns of these songs' part files only, so
    // that the older copy under one of their names reads back as it was written.
    std::ofstream(std::filesystem::path(Stick(L"TUNELIFT_STICK_CONTROL"))) << "flip .bad*.tunelift-part\n";
    const std::wstring player = Stick(L"TUNELIFT_FAILING_STICK") + L"\\Player";
    ASSERT_TRUE(CreateDirectoryW(player.c_str(), nullptr));
    const size_t size = 3 << 20 | 5;
    WriteSongs(here, {L"a.mp3", L"bad1.mp3", L"bad2.mp3", L"c.mp3"}, size);
    std::ofstream(std::filesystem::path(player + L"\\bad2.mp3"), std::ios::binary) << "older copy";

    EXPECT_EQ(RunCli(L"copy list.m3u \"" + player + L"\" --overwrite --verify", here), 1u);

    const TreeSnapshot expected = {{L"a.mp3", SongBytes(size, 1)}, {L"bad2.mp3", "older copy"}, {L"c.mp3", SongBytes(size, 4)}};
    EXPECT_EQ(SnapshotDiff(expected, Snapshot(player)), "") << "only whole songs, no part file left";
    const std::string out = here.Read(L"out.txt");
    EXPECT_NE(out.find("bad1.mp3\r\nThe copy differs from the song!\r\n1/2 error\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("bad2.mp3\r\nThe copy differs from the song!\r\n1/3 error\r\n"), std::string::npos) << out;
    EXPECT_TRUE(out.ends_with("\r\nFinished: 2 of 4 songs could not be copied!\r\n"
                              "entries: 4, ok: 2, errors: 2, deleted: 0\r\n"))
        << out;
}

TEST_F(VerifyRun, SongsTheCounterfeitStickOverwroteAreNamedAndSyncDeletesNothing) {
    const std::wstring player = Stick(L"TUNELIFT_COUNTERFEIT_STICK") + L"\\Player";
    ASSERT_TRUE(CreateDirectoryW(player.c_str(), nullptr));
    std::ofstream(std::filesystem::path(player + L"\\stray.txt")) << "not in the list";
    // Four songs fill the stick's real flash: the fifth and sixth land on the first two.
    const size_t size = (static_cast<size_t>(_wtoi(Stick(L"TUNELIFT_COUNTERFEIT_REAL_MIB").c_str())) << 20) / 4;
    std::vector<std::wstring> songs;
    for (int i = 1; i <= 6; ++i) songs.push_back(L"song " + std::to_wstring(i) + L".mp3");
    WriteSongs(here, songs, size);

    EXPECT_EQ(RunCli(L"copy list.m3u \"" + player + L"\" --sync --verify", here), 1u);

    std::string names;
    for (const auto& [name, bytes] : Snapshot(player)) names += Utf8(name) + "|";
    EXPECT_EQ(names, "song 1.mp3|song 2.mp3|song 3.mp3|song 4.mp3|song 5.mp3|song 6.mp3|stray.txt|");
    const std::string out = here.Read(L"out.txt"), at = Utf8(player);
    EXPECT_TRUE(out.ends_with("6/6 ok\r\n---\r\n"
                              "Changed on the stick: " + at + "\\song 1.mp3\r\n"
                              "Changed on the stick: " + at + "\\song 2.mp3\r\n"
                              "2 songs changed on the stick after they were written. The stick may be failing or "
                              "smaller than it claims.\r\nSync deleted nothing.\r\n"
                              "Finished: 2 of 6 songs could not be copied!\r\n"
                              "entries: 6, ok: 4, errors: 2, deleted: 0\r\n"))
        << out;
}

}  // namespace
}  // namespace tunelift::testing
