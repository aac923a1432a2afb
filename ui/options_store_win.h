// The Options menu's choices between starts of the program: one INI file, saved the
// moment a choice changes. Nothing else of the window is remembered.
#pragma once
#include <string>

#include "engine/run_options.h"

namespace tunelift::ui {

// Tunelift.ini in `programFolder` when that file is there (the program carried on a
// stick keeps its choices with it), else `appDataFolder`\Tunelift\Tunelift.ini.
std::wstring OptionsFileIn(const std::wstring& programFolder, const std::wstring& appDataFolder);

// OptionsFileIn for this program's folder and the user's roaming application data.
std::wstring DefaultOptionsFile();

class OptionsStore {
public:
    explicit OptionsStore(std::wstring file) : file_(std::move(file)) {}

    // The saved choices; all off for a missing, unreadable or garbled file, never an error.
    RunOptions Load() const;
    // False when the file cannot be written; the choices then last until the program ends.
    bool Save(const RunOptions& options) const;

private:
    std::wstring file_;
};

}  // namespace tunelift::ui
