// Plans the renames of a numbered player at growing sizes, in two shapes: one song
// inserted at the top (every file moves to a free name), and one name for every song
// ("Track 01.mp3" of N albums) played in reverse, where every pair swaps through a
// temporary name. The time per place should stay about flat (n log n).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/file_names.h"
#include "engine/numbered_names.h"
#include "engine/renumber_plan.h"

using namespace tunelift;
using Clock = std::chrono::steady_clock;

namespace {

constexpr uint64_t kTime = 133'000'000'000'000'000;

struct Shape {
    std::vector<ListedFile> listing;
    std::vector<WantedPlace> places;
    size_t renames = 0;  // what the plan must come to
};

Shape InsertedAtTop(int n) {
    Shape s;
    for (int i = 0; i < n; ++i) {
        const std::wstring song = L"Artist " + std::to_wstring(i) + L" - Song.mp3";
        s.listing.push_back({NumberedName(i + 1, n, song), FileStamp{1000u + i, kTime}});
    }
    s.places.push_back({NumberedName(1, n + 1, L"New.mp3"), L"New.mp3", FileStamp{1, kTime}});
    for (int i = 0; i < n; ++i) {
        const std::wstring song = L"Artist " + std::to_wstring(i) + L" - Song.mp3";
        s.places.push_back({NumberedName(i + 2, n + 1, song), song, FileStamp{1000u + i, kTime}});
    }
    s.renames = static_cast<size_t>(n);
    return s;
}

Shape OneNameReversed(int n) {
    Shape s;
    for (int i = 0; i < n; ++i)
        s.listing.push_back({NumberedName(i + 1, n, L"Track 01.mp3"), FileStamp{1000u + i, kTime}});
    for (int i = 0; i < n; ++i) {
        const uint64_t size = 1000u + static_cast<uint64_t>(n - 1 - i);
        s.places.push_back({NumberedName(i + 1, n, L"Track 01.mp3"), L"Track 01.mp3", FileStamp{size, kTime}});
    }
    s.renames = static_cast<size_t>(n / 2 * 3);  // a pair is three renames; the middle one of an odd n stays
    return s;
}

}  // namespace

int main() {
    const NameKeyOf key = [](const std::wstring& name) { return FoldNameCase(name); };
    bool right = true;
    std::printf("%-22s %8s %10s %12s %14s\n", "shape", "places", "renames", "plan (best)", "per place");
    for (const auto& [label, make] : {std::pair{"inserted at the top", &InsertedAtTop},
                                      std::pair{"one name, reversed", &OneNameReversed}}) {
        for (const int n : {500, 5000, 50000}) {
            const Shape shape = make(n);
            double best = 1e9;
            size_t renames = 0;
            for (int round = 0; round < 5; ++round) {
                const auto start = Clock::now();
                const std::vector<PlannedPlace> plan = PlanRenumbering(shape.listing, shape.places, key);
                best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
                renames = 0;
                for (const PlannedPlace& p : plan) renames += p.Steps.size();
            }
            right = right && renames == shape.renames;
            std::printf("%-22s %8zu %10zu %10.4f s %11.2f us%s\n", label, shape.places.size(), renames, best,
                        best * 1e6 / static_cast<double>(shape.places.size()),
                        renames == shape.renames ? "" : "  WRONG COUNT");
        }
    }
    return right ? 0 : 1;
}
