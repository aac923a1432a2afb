// The program killed at random moments of Save runs. A child process of this test exe
// creates the real window hidden and presses Save; the parent kills it at a random
// moment of that run and then inspects the destination. Only whole files may carry a
// destination name; part files may be left, and the next Save run with Sync removes them.
//
// TUNELIFT_KILLS=<n> sets the number of kills (default 50), e.g. for a soak.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>

#include "scratch_folder.h"
#include "tree_snapshot.h"
#include "window_fixture.h"
#include "win/file_copy_win.h"

namespace tunelift::testing {
namespace {

constexpr wchar_t kChildVariable[] = L"TUNELIFT_KILL_CHILD";
// Set by the child just before it presses Save and just after the run returns: the kills are
// timed from the first, and only a kill that comes before the second has cut a run.
std::wstring StartEventName(DWORD parent) { return L"Local\\tunelift-kill-" + std::to_wstring(parent); }
std::wstring EndEventName(DWORD parent) { return StartEventName(parent) + L"-done"; }

void Signal(const std::wstring& name) {
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str())) {
        SetEvent(event);
        CloseHandle(event);
    }
}

std::wstring Variable(const wchar_t* name) {
    wchar_t buffer[2048];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 2048);
    return n > 0 && n < 2048 ? std::wstring(buffer, n) : std::wstring();
}

// The child: "<playlist>|<destination>|<overwrite 0/1>|<sync 0/1>|<parent's process id>",
// and "|exit" for a child that closes its own window half-way through its first copy.
using KillChild = WindowTest;

TEST_F(KillChild, DISABLED_SaveRunFromEnvironment) {
    const std::wstring job = Variable(kChildVariable);
    ASSERT_FALSE(job.empty());
    std::vector<std::wstring> parts;
    for (size_t at = 0;;) {
        const size_t bar = job.find(L'|', at);
        parts.push_back(job.substr(at, bar - at));
        if (bar == std::wstring::npos) break;
        at = bar + 1;
    }
    ASSERT_GE(parts.size(), 5u);
    if (parts.size() > 5 && parts[5] == L"exit") {
        // Exit as the program does it, while a copy is under way on the run's thread.
        window->SetExitAction([] { ExitProcess(0); });
        HWND hwnd = window->hwnd();
        hooked->halfWay = [hwnd](const std::wstring&) {
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
            Sleep(30000);
        };
    }
    SetText(ids::txtPathfrom, parts[0]);
    SetText(ids::txtPathto, parts[1]);
    SendMessageW(Item(ids::chkExists), BM_SETCHECK, parts[2] == L"1" ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(Item(ids::chkKill), BM_SETCHECK, parts[3] == L"1" ? BST_CHECKED : BST_UNCHECKED, 0);
    const DWORD parent = static_cast<DWORD>(_wtoi(parts[4].c_str()));
    Signal(StartEventName(parent));
    Click(ids::cmdSave);
    Signal(EndEventName(parent));
}

struct Song {
    std::wstring name;
    std::string bytes;
};

// Picks each kill's moment as a random point of the run it is meant to cut. How long a run
// takes on this machine right now is learnt as the kills go, in milliseconds per unit of
// work (the bytes a run writes plus an allowance for its fixed part): the rate is nudged so
// that about four kills in five land inside their run, and pulled down at once to a run
// that ended well before its kill, so one slow or fast moment of a loaded machine neither
// spends the kills after the runs nor crowds them into the runs' first milliseconds.
class KillClock {
public:
    // Reading the list and looking at the destination cost about as much as copying this.
    static constexpr uint64_t kFixedWork = 4 << 20;

    explicit KillClock(double msPerWork) : msPerWork_(msPerWork) {}
    DWORD Pick(uint64_t work, std::mt19937& random) const {
        const double longest = msPerWork_ * static_cast<double>(work + kFixedWork);
        return std::uniform_int_distribution<DWORD>(0, static_cast<DWORD>(std::ceil(longest)))(random);
    }
    void CutTheRun() { msPerWork_ *= std::exp(kStep * (1 - kInside)); }
    void CameAfterTheRun(double runMs, uint64_t work) {
        msPerWork_ = std::min(msPerWork_ * std::exp(-kStep * kInside),
                              2 * runMs / static_cast<double>(work + kFixedWork));
    }

private:
    static constexpr double kInside = 0.8, kStep = 0.5;
    double msPerWork_;
};

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::string Pattern(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

class KilledSaveRuns : public ::testing::Test {
protected:
    void SetUp() override {
        dir.MakeFolder(L"Music");
        dir.MakeFolder(L"Player");
        const struct { const wchar_t* name; size_t size; } sizes[] = {
            {L"big one.mp3", 6 << 20}, {L"s1.mp3", 1000},      {L"big two.mp3", 3 << 20},
            {L"s2.mp3", 64 << 10},     {L"s3.mp3", 0},          {L"mid.mp3", 700 << 10},
            {L"s4.mp3", 5},            {L"big three.mp3", 2 << 20},
        };
        unsigned seed = 1;
        std::string list = "#EXTM3U\r\n";
        for (const auto& s : sizes) {
            songs.push_back({s.name, Pattern(s.size, seed++)});
            dir.WriteFile(L"Music\\" + songs.back().name, songs.back().bytes);
            list += Utf8(dir / L"Music" + L"\\" + s.name) + "\r\n";
        }
        dir.WriteFile(L"list.m3u", list);
    }

    // Starts the child and returns its process handle.
    HANDLE StartChild(bool overwrite, bool sync, const wchar_t* mode = L"") {
        const std::wstring job = dir / L"list.m3u" + L"|" + dir / L"Player" + L"|" + (overwrite ? L"1" : L"0") +
                                 L"|" + (sync ? L"1" : L"0") + L"|" + std::to_wstring(GetCurrentProcessId()) + mode;
        SetEnvironmentVariableW(kChildVariable, job.c_str());
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(exe) +
                               L"\" --gtest_filter=KillChild.DISABLED_SaveRunFromEnvironment "
                               L"--gtest_also_run_disabled_tests --gtest_brief=1";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                 0, nullptr);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = nul;
        si.hStdOutput = nul;
        si.hStdError = nul;
        PROCESS_INFORMATION pi{};
        const BOOL started = CreateProcessW(exe, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
        startError = started ? 0 : GetLastError();
        CloseHandle(nul);
        SetEnvironmentVariableW(kChildVariable, nullptr);
        if (!started) return nullptr;
        CloseHandle(pi.hThread);
        return pi.hProcess;
    }

    // Waits until the child presses Save; false when it ended or hung before that.
    bool AwaitStart(HANDLE child) {
        const HANDLE both[] = {started, child};
        return WaitForMultipleObjects(2, both, FALSE, 60000) == WAIT_OBJECT_0;
    }

    // Milliseconds an uncut run takes from the press of Save until it returns.
    double WholeRun(bool overwrite, bool sync) {
        ResetEvent(started);
        ResetEvent(ended);
        HANDLE child = StartChild(overwrite, sync);
        EXPECT_NE(child, nullptr) << "cannot start the child, error " << startError;
        if (!child) return 0;
        EXPECT_TRUE(AwaitStart(child));
        const auto start = std::chrono::steady_clock::now();
        const HANDLE either[] = {ended, child};
        EXPECT_EQ(WaitForMultipleObjects(2, either, FALSE, 120000), WAIT_OBJECT_0) << "the run never returned";
        const double ms = MsSince(start);
        EXPECT_EQ(WaitForSingleObject(child, 120000), WAIT_OBJECT_0);
        DWORD code = 1;
        GetExitCodeProcess(child, &code);
        EXPECT_EQ(code, 0u) << "the uncut child run failed";
        CloseHandle(child);
        return ms;
    }

    // The bytes a run writes: every song when it overwrites, else the missing ones.
    uint64_t Work(bool overwrite) const {
        uint64_t bytes = 0;
        for (const Song& s : songs)
            if (overwrite || !dir.Exists(L"Player\\" + s.name)) bytes += s.bytes.size();
        return bytes;
    }

    const Song* Named(const std::wstring& name) const {
        for (const Song& s : songs)
            if (s.name == name) return &s;
        return nullptr;
    }

    void TearDown() override {
        CloseHandle(started);
        CloseHandle(ended);
    }

    ScratchFolder dir{L"tunelift-kill-"};
    HANDLE started = CreateEventW(nullptr, TRUE, FALSE, StartEventName(GetCurrentProcessId()).c_str());
    HANDLE ended = CreateEventW(nullptr, TRUE, FALSE, EndEventName(GetCurrentProcessId()).c_str());
    DWORD startError = 0;
    std::vector<Song> songs;
};

TEST_F(KilledSaveRuns, LeaveOnlyWholeFilesUnderDestinationNamesAndSyncClearsTheParts) {
    int kills = 50;
    if (const std::wstring n = Variable(L"TUNELIFT_KILLS"); !n.empty()) kills = std::max(1, _wtoi(n.c_str()));
    const std::wstring player = dir / L"Player";

    const double uncut = WholeRun(true, false);
    ASSERT_GT(uncut, 0.0);
    KillClock clock(uncut / static_cast<double>(Work(true) + KillClock::kFixedWork));
    std::mt19937 random(20261207);
    int midRun = 0, cutCopies = 0, partsSeen = 0, olderKept = 0, replaced = 0;

    for (int i = 0; i < kills; ++i) {
        const bool overwrite = i % 2 == 1, sync = (i / 2) % 2 == 1;
        SCOPED_TRACE(::testing::Message() << "kill " << i << " overwrite " << overwrite << " sync " << sync);
        // Each named file is missing, an older (shorter, different) copy, or already whole;
        // part files of earlier kills stay where they are.
        TreeSnapshot before;
        for (const Song& s : songs) {
            const std::wstring path = player + L"\\" + s.name;
            switch (random() % 3) {
            case 0: DeleteFileW(path.c_str()); break;
            case 1: dir.WriteFile(L"Player\\" + s.name, "older copy of " + Utf8(s.name)); break;
            default: break;
            }
        }
        dir.WriteFile(L"Player\\stray.txt", "not in the list");
        before = Snapshot(player);
        const uint64_t work = Work(overwrite);

        ResetEvent(started);
        ResetEvent(ended);
        HANDLE child = StartChild(overwrite, sync);
        ASSERT_NE(child, nullptr) << "cannot start the child, error " << startError;
        ASSERT_TRUE(AwaitStart(child)) << "the child never pressed Save";
        const auto start = std::chrono::steady_clock::now();
        // The chosen moment, or the end of the run if that comes first.
        WaitForSingleObject(ended, clock.Pick(work, random));
        const double killedAt = MsSince(start);
        TerminateProcess(child, 9);
        ASSERT_EQ(WaitForSingleObject(child, 30000), WAIT_OBJECT_0);
        CloseHandle(child);
        // The child is gone: an unset end event means the kill came before the run returned.
        if (WaitForSingleObject(ended, 0) == WAIT_TIMEOUT) {
            ++midRun;
            clock.CutTheRun();
        } else {
            clock.CameAfterTheRun(killedAt, work);
        }

        bool cut = false;
        for (const auto& [name, bytes] : Snapshot(player)) {
            const auto old = before.find(name);
            if (win::IsCopyLeftover(name)) {
                ++partsSeen;
                cut = cut || old == before.end() || old->second != bytes;
                continue;
            }
            if (const Song* song = Named(name)) {
                const bool whole = bytes == song->bytes;
                const bool untouched = old != before.end() && bytes == old->second;
                EXPECT_TRUE(whole || untouched) << "a destination name holds neither the source nor the older file";
                if (untouched && !whole) ++olderKept;
                if (whole && old != before.end() && old->second != song->bytes) ++replaced;
            } else {
                ASSERT_NE(old, before.end()) << "an unknown file appeared";
                EXPECT_EQ(bytes, old->second);
            }
        }
        for (const auto& [name, bytes] : before)
            if (Named(name)) {
                EXPECT_TRUE(dir.Exists(L"Player\\" + name)) << "Sync deleted a named file";
            }
        if (cut) ++cutCopies;
    }

    // The next Save run with Sync (and overwrite, to compare bytes) ends with exactly the list.
    WholeRun(true, true);
    TreeSnapshot expected;
    for (const Song& s : songs) expected[s.name] = s.bytes;
    EXPECT_EQ(SnapshotDiff(expected, Snapshot(player)), "");

    std::printf("[ kills ] %d kills (%d mid-run, %d in the middle of a copy), uncut run %.0f ms; %d part files "
                "seen, %d older copies kept, %d replaced\n",
                kills, midRun, cutCopies, uncut, partsSeen, olderKept, replaced);
    EXPECT_GE(midRun, kills / 2) << "most kills must land inside a run";
    EXPECT_GE(cutCopies, 1) << "no kill cut a file in the middle of its copy";
}

// Closing the window (or File > Exit) during a run ends the program at once, its copy
// under way too: the song's name then holds the older copy or nothing, never a torn song.
TEST_F(KilledSaveRuns, ExitDuringACopyEndsTheProgramWithoutATornSong) {
    dir.WriteFile(L"Player\\big one.mp3", "older copy");
    ResetEvent(started);
    ResetEvent(ended);
    HANDLE child = StartChild(true, false, L"|exit");
    ASSERT_NE(child, nullptr) << "cannot start the child, error " << startError;
    ASSERT_TRUE(AwaitStart(child));
    ASSERT_EQ(WaitForSingleObject(child, 20000), WAIT_OBJECT_0) << "the program did not end";
    DWORD code = 1;
    GetExitCodeProcess(child, &code);
    CloseHandle(child);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(WaitForSingleObject(ended, 0), WAIT_TIMEOUT) << "the run ended before the program";
    TreeSnapshot left = Snapshot(dir / L"Player");
    std::erase_if(left, [](const auto& file) { return win::IsCopyLeftover(file.first); });
    EXPECT_EQ(SnapshotDiff({{L"big one.mp3", "older copy"}}, left), "");
}

}  // namespace
}  // namespace tunelift::testing
