// tunelift-cli copy --verify onto the misbehaving sticks: what arrives, what it says, the
// code it ends with, and what it never deletes.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "scratch_folder.h"
#include "sticks_fixture.h"
#include "tests/win/faults/tree_snapshot.h"
#include "win/handles_win.h"

namespace tunelift::testing {
namespace {

class VerifyRun : public Sticks {
protected:
    // Songs of `size` bytes, seeded 1, 2, ... in order, and a playlist naming them.
    void WriteSongs(const std::vector<std::wstring>& names, size_t size) {
        std::string list;
        for (size_t i = 0; i < names.size(); ++i) {
            here.WriteFile(names[i], SongBytes(size, static_cast<uint32_t>(i + 1)));
            list += Utf8(here / names[i]) + "\r\n";
        }
        here.WriteFile(L"list.m3u", list);
    }

    // tunelift-cli.exe, built beside this suite, run to its end with its output in out.txt.
    DWORD CopyOnto(const std::wstring& player, const std::wstring& switches) {
        wchar_t self[MAX_PATH];
        const std::wstring exe(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
        std::wstring line = L"\"" + exe.substr(0, exe.find_last_of(L'\\') + 1) + L"tunelift-cli.exe\" copy list.m3u \"" +
                            player + L"\" --verify " + switches;
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const win::FileHandle out(CreateFileW((here / L"out.txt").c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr));
        STARTUPINFOW si{};
        si.cb = sizeof si, si.dwFlags = STARTF_USESTDHANDLES, si.hStdOutput = si.hStdError = out.get();
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, here.path().c_str(), &si, &pi))
            return ~0u;
        const win::FileHandle process(pi.hProcess), thread(pi.hThread);
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(process.get(), 300000) == WAIT_OBJECT_0) GetExitCodeProcess(process.get(), &code);
        return code;
    }

    ScratchFolder here{L"tunelift-verify-"};
};

TEST_F(VerifyRun, ACopyTheFailingStickReadsBackOtherwiseIsAnErrorAndNeverTakesItsName) {
    // Only the part files of these songs read back changed, so the older copy under one
    // of their names reads as it was written.
    std::ofstream(std::filesystem::path(Env(L"TUNELIFT_STICK_CONTROL"))) << "flip .bad*.tunelift-part\n";
    const std::wstring player = Env(L"TUNELIFT_FAILING_STICK") + L"\\Player";
    ASSERT_TRUE(CreateDirectoryW(player.c_str(), nullptr));
    std::ofstream(std::filesystem::path(player + L"\\bad2.mp3"), std::ios::binary) << "older copy";
    const size_t size = 3 << 20 | 5;
    WriteSongs({L"a.mp3", L"bad1.mp3", L"bad2.mp3", L"c.mp3"}, size);

    EXPECT_EQ(CopyOnto(player, L"--overwrite"), 1u);
    const TreeSnapshot whole = {{L"a.mp3", SongBytes(size, 1)}, {L"bad2.mp3", "older copy"}, {L"c.mp3", SongBytes(size, 4)}};
    EXPECT_EQ(SnapshotDiff(whole, Snapshot(player)), "") << "only whole songs, no part file left";
    const std::string out = here.Read(L"out.txt");
    EXPECT_NE(out.find("bad1.mp3\r\nThe copy differs from the song!\r\n1/2 error\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("bad2.mp3\r\nThe copy differs from the song!\r\n1/3 error\r\n"), std::string::npos) << out;
    EXPECT_TRUE(out.ends_with("Finished: 2 of 4 songs could not be copied!\r\nentries: 4, ok: 2, errors: 2, deleted: 0\r\n"));
}

TEST_F(VerifyRun, SongsTheCounterfeitStickOverwroteAreNamedAndSyncDeletesNothing) {
    const std::wstring player = Env(L"TUNELIFT_COUNTERFEIT_STICK") + L"\\Player";
    ASSERT_TRUE(CreateDirectoryW(player.c_str(), nullptr));
    std::ofstream(std::filesystem::path(player + L"\\stray.txt")) << "not in the list";
    // Four songs fill the stick's real flash: the fifth and sixth land on the first two.
    const size_t size = (static_cast<size_t>(_wtoi(Env(L"TUNELIFT_COUNTERFEIT_REAL_MIB").c_str())) << 20) / 4;
    WriteSongs({L"1.mp3", L"2.mp3", L"3.mp3", L"4.mp3", L"5.mp3", L"6.mp3"}, size);

    EXPECT_EQ(CopyOnto(player, L"--sync"), 1u);
    std::string names;
    for (const auto& [name, bytes] : Snapshot(player)) names += Utf8(name) + " ";
    EXPECT_EQ(names, "1.mp3 2.mp3 3.mp3 4.mp3 5.mp3 6.mp3 stray.txt ");
    const std::string out = here.Read(L"out.txt"), at = Utf8(player);
    EXPECT_TRUE(out.ends_with("6/6 ok\r\n---\r\nChanged on the stick: " + at + "\\1.mp3\r\nChanged on the stick: " + at +
                              "\\2.mp3\r\n2 songs changed on the stick after they were written. The stick may be "
                              "failing or smaller than it claims.\r\nSync deleted nothing.\r\n"
                              "Finished: 2 of 6 songs could not be copied!\r\nentries: 6, ok: 4, errors: 2, deleted: 0\r\n"))
        << out;
}

}  // namespace
}  // namespace tunelift::testing
