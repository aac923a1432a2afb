#include "engine/renumber_plan.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>

#include "engine/file_names.h"
#include "engine/numbered_names.h"
#include "engine/unchanged_copy.h"

namespace tunelift {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

// A listed file on its way to a place.
struct Move {
    size_t file;
    size_t place;
    bool live = true;  // false once a name on its way is found held for good
};

// (last-write time, index) of files or places of one song name and size, so that the
// copies of a song are found by a search instead of a walk over every file.
using Stamped = std::set<std::pair<uint64_t, size_t>>;
using SongAndSize = std::pair<std::wstring, uint64_t>;

// The earliest of `stamped` within 2 s of `stamp`'s time, else an hour off: the windows
// of IsUnchangedCopy, which has the last word.
size_t FindUnchanged(const Stamped& stamped, const FileStamp& stamp) {
    constexpr uint64_t kTolerance = 2 * kTicksPerSecond, kHour = 3600 * kTicksPerSecond;
    const uint64_t t = stamp.LastWriteTime;
    const uint64_t centres[] = {t, t + kHour, t >= kHour ? t - kHour : 0};
    for (const uint64_t centre : centres) {
        const uint64_t from = centre >= kTolerance ? centre - kTolerance : 0;
        for (auto at = stamped.lower_bound({from, 0}); at != stamped.end() && at->first <= centre + kTolerance; ++at)
            if (IsUnchangedCopy(stamp, FileStamp{stamp.Size, at->first})) return at->second;
    }
    return kNone;
}

class Planner {
public:
    Planner(const std::vector<ListedFile>& listing, const std::vector<WantedPlace>& places, const NameKeyOf& nameKey)
        : listing_(listing), places_(places), key_(nameKey), plan_(places.size()) {}

    std::vector<PlannedPlace> Plan() {
        IndexNames();
        KeepFilesInPlace();
        IndexSongs();
        TakeFiles();
        DropBlockedMoves();
        OrderSteps();
        return std::move(plan_);
    }

private:
    size_t Occupant(const std::wstring& nameKey) const {
        const auto at = occupant_.find(nameKey);
        return at == occupant_.end() ? kNone : at->second;
    }

    void IndexNames() {
        for (size_t f = 0; f < listing_.size(); ++f) {
            const ListedFile& file = listing_[f];
            fileKey_.push_back(key_(file.Name));
            // Only a numbered file with a stamp may move, and only the one a look-up of
            // its name reaches (a folder can hold names that differ in case only).
            const bool reached = occupant_.try_emplace(fileKey_[f], f).second;
            const std::optional<NumberedParts> parts = SplitNumberedName(file.Name);
            fileSong_.push_back(reached && parts && file.Stamp && IsPlainFileName(file.Name)
                                    ? std::optional(key_(parts->Name))
                                    : std::nullopt);
        }
        for (size_t p = 0; p < places_.size(); ++p) {
            placeKey_.push_back(key_(places_[p].Name));
            placeSong_.push_back(key_(places_[p].SongName));
            // A name the run never writes, or wants a second time, goes as today.
            eligible_.push_back(IsPlainFileName(places_[p].Name) && wanter_.try_emplace(placeKey_[p], p).second);
        }
        kept_.assign(listing_.size(), false);
        moveOf_.assign(listing_.size(), kNone);
        settled_.assign(places_.size(), false);
    }

    void KeepFilesInPlace() {
        for (size_t p = 0; p < places_.size(); ++p) {
            const size_t f = eligible_[p] ? Occupant(placeKey_[p]) : kNone;
            if (f == kNone) continue;
            const auto& source = places_[p].Source;
            const bool itsSong = source ? listing_[f].Stamp && IsUnchangedCopy(*source, *listing_[f].Stamp)
                                        : fileSong_[f] == placeSong_[p];
            if (itsSong) kept_[f] = settled_[p] = true;
        }
    }

    void IndexSongs() {
        for (size_t f = 0; f < listing_.size(); ++f)
            if (!kept_[f] && fileSong_[f])
                files_[{*fileSong_[f], listing_[f].Stamp->Size}].emplace(listing_[f].Stamp->LastWriteTime, f);
        for (size_t p = 0; p < places_.size(); ++p)
            if (eligible_[p] && !settled_[p] && places_[p].Source)
                waiting_[{placeSong_[p], places_[p].Source->Size}].emplace(places_[p].Source->LastWriteTime, p);
    }

    // Whether file `f` is taken already or a place not reached yet might take it; one
    // that none could take holds its name for good.
    bool MayMove(size_t f) const {
        if (moveOf_[f] != kNone) return true;
        if (!fileSong_[f]) return false;
        const auto places = waiting_.find({*fileSong_[f], listing_[f].Stamp->Size});
        return places != waiting_.end() && FindUnchanged(places->second, *listing_[f].Stamp) != kNone;
    }

    void TakeFiles() {
        for (size_t p = 0; p < places_.size(); ++p) {
            if (!eligible_[p] || settled_[p] || !places_[p].Source) continue;
            waiting_[{placeSong_[p], places_[p].Source->Size}].erase({places_[p].Source->LastWriteTime, p});
            // A name held for good is not worth a file of the song: a later place of the
            // same song may use it.
            const size_t holder = Occupant(placeKey_[p]);
            if (holder != kNone && !MayMove(holder)) continue;
            const auto files = files_.find({placeSong_[p], places_[p].Source->Size});
            if (files == files_.end()) continue;
            const size_t f = FindUnchanged(files->second, *places_[p].Source);
            if (f == kNone) continue;
            files->second.erase({listing_[f].Stamp->LastWriteTime, f});
            moveOf_[f] = moves_.size();
            movingTo_[placeKey_[p]] = moves_.size();
            moves_.push_back({f, p});
        }
    }

    // The move whose name is held by the file of `m`, or kNone.
    size_t MoveInto(size_t m) const {
        const auto at = movingTo_.find(fileKey_[moves_[m].file]);
        return at == movingTo_.end() || !moves_[at->second].live ? kNone : at->second;
    }
    // The move that must go before `m` to free its name, or kNone when the name is free.
    size_t Blocker(size_t m) const {
        const size_t holder = Occupant(placeKey_[moves_[m].place]);
        return holder == kNone ? kNone : moveOf_[holder];
    }
    bool NameHeldForGood(size_t m) const {
        const size_t holder = Occupant(placeKey_[moves_[m].place]);
        return holder != kNone && moveOf_[holder] == kNone;
    }

    // A move onto a name whose file stays is dropped; its file then stays too, which
    // may hold the name another move waits for.
    void DropBlockedMoves() {
        std::vector<size_t> blocked;
        for (size_t m = 0; m < moves_.size(); ++m)
            if (NameHeldForGood(m)) blocked.push_back(m);
        while (!blocked.empty()) {
            const size_t m = blocked.back();
            blocked.pop_back();
            const size_t waiting = MoveInto(m);
            moves_[m].live = false;
            moveOf_[moves_[m].file] = kNone;
            if (waiting != kNone) blocked.push_back(waiting);
        }
    }

    // Chains start at a move nothing waits on and end at a free name; they are renamed
    // from that end back. What is left over are rings.
    void OrderSteps() {
        std::vector<bool> done(moves_.size(), false);
        for (size_t m = 0; m < moves_.size(); ++m) {
            if (!moves_[m].live || done[m] || MoveInto(m) != kNone) continue;
            std::vector<size_t> chain;
            for (size_t at = m; at != kNone; at = Blocker(at)) chain.push_back(at), done[at] = true;
            std::reverse(chain.begin(), chain.end());
            Emit(chain, false);
        }
        for (size_t m = 0; m < moves_.size(); ++m) {
            if (!moves_[m].live || done[m]) continue;
            std::vector<size_t> ring{m};
            done[m] = true;
            for (size_t at = Blocker(m); at != m; at = Blocker(at)) ring.push_back(at), done[at] = true;
            Emit(ring, true);
        }
    }

    // A chain in the order its renames can go; a ring in the order it waits, so that its
    // first file goes aside, the rest follow from the last back, and the first comes last.
    void Emit(const std::vector<size_t>& order, bool ring) {
        size_t at = places_.size();
        for (const size_t m : order) {
            at = std::min(at, moves_[m].place);
            if (const auto wanter = wanter_.find(fileKey_[moves_[m].file]); wanter != wanter_.end())
                at = std::min(at, wanter->second);
            plan_[moves_[m].place].RenamedFrom = listing_[moves_[m].file].Name;
        }
        std::vector<RenameStep>& steps = plan_[at].Steps;
        const auto step = [&](const Move& move, const std::wstring& from) {
            steps.push_back({from, places_[move.place].Name, move.place});
        };
        if (!ring) {
            for (const size_t m : order) step(moves_[m], listing_[moves_[m].file].Name);
            return;
        }
        const Move& first = moves_[order[0]];
        const std::wstring aside = TemporaryName(places_[first.place].SongName);
        steps.push_back({listing_[first.file].Name, aside, std::nullopt});
        for (size_t i = order.size() - 1; i > 0; --i) step(moves_[order[i]], listing_[moves_[order[i]].file].Name);
        step(first, aside);
    }

    // One per song name, shared by its rings: each ring takes it back before its place's
    // steps end, and rings go at different places.
    const std::wstring& TemporaryName(const std::wstring& song) {
        const auto [at, made] = temporary_.try_emplace(key_(song));
        for (size_t zeros = 1; made; ++zeros) {
            std::wstring name = std::wstring(zeros, L'0') + L" - " + song;
            const std::wstring nameKey = key_(name);
            if (Occupant(nameKey) == kNone && !wanter_.contains(nameKey)) {
                at->second = std::move(name);
                break;
            }
        }
        return at->second;
    }

    const std::vector<ListedFile>& listing_;
    const std::vector<WantedPlace>& places_;
    const NameKeyOf& key_;
    std::vector<PlannedPlace> plan_;

    std::vector<std::wstring> fileKey_, placeKey_, placeSong_;
    std::vector<std::optional<std::wstring>> fileSong_;  // per file: its song's key, when it may move
    std::unordered_map<std::wstring, size_t> occupant_;  // name key -> first listed file of it
    std::unordered_map<std::wstring, size_t> wanter_;    // name key -> the place that wants it
    std::vector<bool> eligible_;                         // per place: may take a file at all
    std::vector<bool> settled_;                          // per place: keeps the file in its name
    std::vector<bool> kept_;                             // per file: stays in its name for its place
    std::vector<size_t> moveOf_;                         // per file: its live move, or kNone
    std::map<SongAndSize, Stamped> files_;               // files that may still be taken
    std::map<SongAndSize, Stamped> waiting_;             // places that may take one
    std::vector<Move> moves_;
    std::unordered_map<std::wstring, size_t> movingTo_;  // a move's target name key -> the move
    std::unordered_map<std::wstring, std::wstring> temporary_;  // song key -> its temporary name
};

}  // namespace

std::vector<PlannedPlace> PlanRenumbering(const std::vector<ListedFile>& listing,
                                          const std::vector<WantedPlace>& places, const NameKeyOf& nameKey) {
    return Planner(listing, places, nameKey).Plan();
}

}  // namespace tunelift
