// A run's side of renumbering: the plan made before the first copy from what lies in
// the destination, and its renames performed place by place as the run reaches them.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/file_services.h"
#include "engine/playlist_rules.h"
#include "engine/renumber_plan.h"

namespace tunelift {

class Renumbering {
public:
    explicit Renumbering(FileServices& files) : files_(files) {}

    // `entries` in playlist order, numbered to `total` places; relative sources mean
    // `startFolder`.
    void Plan(const std::wstring& destination, const std::wstring& startFolder,
              const std::vector<PlaylistEntry>& entries, int total);

    // Whether place `index` (from 0) is planned to get its song by a rename, not a copy.
    bool Renames(size_t index) const { return index < plan_.size() && plan_[index].RenamedFrom.has_value(); }

    // Performs the renames due when place `index` is reached by an entry that wants
    // `name`; returns the name its song had when a rename has put it there. A place
    // whose entry is no longer the planned one (the playlist was edited meanwhile)
    // renames nothing: its own entry is copied as ever.
    std::optional<std::wstring> Reach(size_t index, const std::wstring& name);

    // Whether the plan takes the file under this name key away (before its place is reached).
    bool MovesAway(const std::wstring& nameKey) const { return movedAway_.contains(nameKey); }

    // The names renames took files away from: files Sync listed under them are gone.
    const std::vector<std::wstring>& Vacated() const { return vacated_; }

private:
    FileServices& files_;
    std::wstring folder_;
    std::vector<std::wstring> nameKeys_;  // per place: the key of the name it was planned for
    std::vector<PlannedPlace> plan_;
    std::vector<bool> placed_;            // per place: a performed rename put its song there
    std::vector<std::wstring> vacated_;
    std::unordered_set<std::wstring> movedAway_;  // keys of the names the plan renames from
};

}  // namespace tunelift
