// The file system's side of renumbering: the destination's listing the plan is made
// from, and the plan's renames performed one place at a time.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "engine/file_services.h"
#include "engine/renumber_plan.h"

namespace tunelift {

// Every entry directly in `folder` but "." and "..", with the stamp of each file
// (folders have none). Empty when the folder cannot be searched.
std::vector<ListedFile> ListDestination(FileServices& files, const std::wstring& folder);

// Performs one place's steps in order inside `folder`, stopping at the first rename that
// fails (every later step needs it); what is done stays done, each file whole under a
// name and with the time it had. Returns how many steps were performed: the first ones.
size_t PerformRenames(FileServices& files, const std::wstring& folder,
                                   const std::vector<RenameStep>& steps);

}  // namespace tunelift
