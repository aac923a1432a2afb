#include "engine/renumber_run.h"

#include "engine/full_path.h"
#include "engine/numbered_names.h"
#include "engine/renumber_files.h"

namespace tunelift {

void Renumbering::Plan(const std::wstring& destination, const std::wstring& startFolder,
                       const std::vector<PlaylistEntry>& entries, int total) {
    folder_ = destination;
    std::vector<WantedPlace> places;
    places.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::wstring name = NumberedName(static_cast<int>(i + 1), total, entries[i].DestName);
        nameKeys_.push_back(files_.NameKey(name));
        places.push_back({name, entries[i].DestName, files_.StampOf(FullPathIn(startFolder, entries[i].SourcePath))});
    }
    const NameKeyOf key = [this](const std::wstring& name) { return files_.NameKey(name); };
    plan_ = PlanRenumbering(ListDestination(files_, folder_), places, key);
    placed_.assign(plan_.size(), false);
    for (const PlannedPlace& place : plan_)
        for (const RenameStep& step : place.Steps) movedAway_.insert(files_.NameKey(step.From));
}

std::optional<std::wstring> Renumbering::Reach(size_t index, const std::wstring& name) {
    if (index >= plan_.size() || nameKeys_[index] != files_.NameKey(name)) return std::nullopt;
    const std::vector<RenameStep>& steps = plan_[index].Steps;
    const size_t done = PerformRenames(files_, folder_, steps);
    for (size_t s = 0; s < done; ++s) {
        vacated_.push_back(steps[s].From);
        if (steps[s].Places) placed_[*steps[s].Places] = true;
    }
    if (!placed_[index]) return std::nullopt;
    return plan_[index].RenamedFrom;
}

}  // namespace tunelift
