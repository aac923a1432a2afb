// Each plan performed on a memory stick place by place, as the run will, with a copy for
// every place left as today (Overwrite ticked). The stick refuses a rename over a file,
// so a plan that would lose a song that way leaves a place without it.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>

#include "engine/numbered_names.h"
#include "engine/renumber_files.h"
#include "run_fixture.h"

namespace tunelift::testing {
namespace {

constexpr uint64_t kTime = 133'000'000'000'000'000, kSecond = 10'000'000;
// id -> name and size (0: the song is missing). t1..t9: four albums' first tracks.
std::map<std::wstring, std::pair<std::wstring, uint64_t>> songs = {
    {L"a", {L"a.mp3", 100}}, {L"b", {L"b.mp3", 200}}, {L"c", {L"c.mp3", 300}}, {L"x", {L"x.mp3", 600}},
    {L"i", {L"Intro.mp3", 700}}, {L"g", {L"Track 01.mp3", 0}}, {L"t1", {L"Track 01.mp3", 801}},
    {L"t2", {L"Track 01.mp3", 802}}, {L"t3", {L"Track 01.mp3", 803}}, {L"t9", {L"Track 01.mp3", 809}}};

// "07=a" is "07 - a.mp3" holding song a (a name with " - " stands as it is), marked where
// its stamp is not the song's: "'" another size (an older version), "+" 59:59 later, "-"
// 60:01 earlier, "~" 2 s later; "*" marks a copy the run made.
void Put(MemoryFiles& stick, std::wstring name, const std::wstring& content) {
    const auto& [song, size] = songs[content.substr(0, content.find_first_of(L"'+-~*"))];
    if (name.find(L" - ") == std::wstring::npos) name += L" - " + song;
    auto& file = stick.AddFile(kDest + L"\\" + name, content).record;
    file.Size = size + content.ends_with(L'\'');
    const int64_t off = content.ends_with(L'+') ? 3599 : content.ends_with(L'-') ? -3601 : content.ends_with(L'~') ? 2 : 0;
    file.LastWriteTime = kTime + static_cast<uint64_t>(off * int64_t{kSecond});
}
// The song a file is: a time off is still the song, another size is not.
std::wstring SongIn(const MemoryFiles& stick, const std::wstring& name) {
    std::wstring content = stick.Content(kDest + L"\\" + name);
    std::erase_if(content, [](wchar_t c) { return c == L'+' || c == L'-' || c == L'~' || c == L'*'; });
    return content;
}
std::vector<std::wstring> Split(const std::wstring& text, wchar_t by) {
    std::vector<std::wstring> parts;
    std::wstringstream in(text);
    for (std::wstring part; std::getline(in, part, by);) parts.push_back(part);
    return parts;
}

// One run over the song ids; with `killAfter` the stick is gone after that many renames.
// Returns the copies and the renames it made.
std::pair<int, int> RunPlaylist(MemoryFiles& stick, const std::vector<std::wstring>& ids, int killAfter = 0) {
    std::vector<WantedPlace> places;
    for (size_t i = 0; i < ids.size(); ++i) {
        const auto& [name, size] = songs[ids[i]];
        places.push_back({NumberedName(int(i + 1), int(ids.size()), name), name,
                          size ? std::optional(FileStamp{size, kTime}) : std::nullopt});
    }
    const MemoryFiles listed = stick;
    const auto key = [&](const std::wstring& n) { return stick.NameKey(n); };
    const auto plan = PlanRenumbering(ListDestination(stick, kDest), places, key);
    int copies = 0, renames = 0;
    stick.afterRename = [&] { stick.writeProtected = ++renames == killAfter; };
    std::vector<bool> placed(places.size());
    for (size_t p = 0; p < places.size() && !stick.writeProtected; ++p) {
        const auto& steps = plan[p].Steps;
        for (size_t s = 0, done = PerformRenames(stick, kDest, steps); s < done; ++s)
            if (steps[s].Places) placed[*steps[s].Places] = true;
        if (stick.writeProtected) break;
        if (const auto& from = plan[p].RenamedFrom) {
            EXPECT_TRUE(placed[p]) << "place " << p + 1 << " not renamed by the time it is reached";
            EXPECT_EQ(SongIn(listed, *from), ids[p]) << "the log would name another file than the song's";
        } else if (places[p].Source && SongIn(stick, places[p].Name) != ids[p]) {
            Put(stick, places[p].Name, ids[p] + L"*"), ++copies;
        }
    }
    for (size_t p = 0; p < places.size() && !stick.writeProtected; ++p)
        EXPECT_TRUE(!places[p].Source || SongIn(stick, places[p].Name) == ids[p]) << "place " << p + 1;
    stick.afterRename = nullptr, stick.writeProtected = false;
    return {copies, renames};
}

TEST(Renumbering, EachReorderEndsWithEverySongInPlaceByTheFewestCopies) {
    const struct { const char* proves; std::wstring stick, playlist, after; } rows[] = {
        {"a chain is freed from its end before the copy into its head", L"01=t1|02=t2", L"t3 t1 t2",
         L"01=t3*|02=t1|03=t2"},
        {"listed thrice: the copy in place stays, one renamed, one copied", L"02=a|05=a~", L"a a b a",
         L"01=a~|02=a|03=b*|04=a*"},
        {"a song whose size changed is copied", L"02=a'", L"a", L"01=a*|02=a'"},
        {"an hour off (daylight saving) and 2 s off (FAT) are the song", L"04=a+|05=b-|06=c~", L"a b c",
         L"01=a+|02=b-|03=c~"},
        {"a missing song keeps the file of its name in its place", L"01=t2", L"g t2", L"01=t2|02=t2*"},
        {"any letter case matches; a copy in place keeps its spelling", L"01 - A.MP3=a|03 - INTRO.mp3=i", L"a i",
         L"01 - A.MP3=a|02=i"},
        {"a killed run's temporary name is found again, and a ring's new one avoids it", L"0=t3|01=t2|02=t1",
         L"t1 t2 t3", L"01=t1|02=t2|03=t3"},
        {"no rename over a file nobody wants; the copy serves a later place", L"01=t9|05=t1", L"t1 x t1",
         L"01=t1*|02=x*|03=t1"},
    };
    for (const auto& row : rows) {
        MemoryFiles stick, expected;
        stick.ignoreCase = expected.ignoreCase = true;
        for (auto [files, layout] : {std::pair{&stick, row.stick}, {&expected, row.after}})
            for (const auto& f : Split(layout, L'|')) Put(*files, f.substr(0, f.find(L'=')), f.substr(f.find(L'=') + 1));
        RunPlaylist(stick, Split(row.playlist, L' '));
        EXPECT_EQ(FolderText(stick), FolderText(expected)) << row.proves;
    }
}

// Random orders of songs that share names, with older copies and leftovers, run whole and
// killed after a random rename and finished by a second run.
TEST(Renumbering, AnyReorderKilledAfterAnyRenameIsFinishedByTheNextRunWithoutMoreCopies) {
    std::mt19937 random(22);
    const auto below = [&](size_t n) { return static_cast<size_t>(random() % n); };
    const auto order = [&](size_t most) {
        std::vector<std::wstring> ids(below(most + 1));
        for (auto& id : ids) id = L"s" + std::to_wstring(below(10));
        return ids;
    };
    for (int round = 0; round < 400; ++round) {
        for (int s = 0; s < 10; ++s)
            songs[L"s" + std::to_wstring(s)] = {std::vector{L"a.mp3", L"B.mp3", L"b.MP3", L"Track 01.mp3"}[below(4)],
                                                s < 9 ? 90u + 10 * s : 0};
        const std::vector<std::wstring> before = order(9), after = order(12);
        MemoryFiles stick;
        stick.ignoreCase = true;
        for (size_t i = 0; i < before.size(); ++i) {
            const std::wstring name = NumberedName(int(i + 1), int(before.size()), songs[before[i]].first);
            if (songs[before[i]].second) Put(stick, name, before[i] + (below(6) ? L"" : L"'"));
        }
        if (below(3) == 0) Put(stick, std::wstring(1 + below(2), L'0'), L"s0");
        MemoryFiles whole = stick;
        const auto [copies, renames] = RunPlaylist(whole, after);
        if (renames == 0) continue;
        const int killedCopies = RunPlaylist(stick, after, 1 + static_cast<int>(below(renames))).first;
        EXPECT_LE(killedCopies + RunPlaylist(stick, after).first, copies) << "round " << round;
    }
}

}  // namespace
}  // namespace tunelift::testing
