// The Options menu's choices between starts of the program: one INI file, saved the
// moment a choice changes. Nothing else of the window is remembered.
#pragma once
#include <string>

#include "engine/run_options.h"
#include "ui/control_ids.h"

namespace tunelift::ui {

// Each choice: its menu item, its place in RunOptions and its key in the file.
struct OptionItem {
    int menuId;
    bool RunOptions::*member;
    const wchar_t* key;
};
inline constexpr OptionItem kOptionItems[] = {
    {ids::mnuAllAudio, &RunOptions::allAudio, L"AllAudio"},
    {ids::mnuNumberSongs, &RunOptions::numberSongs, L"NumberSongs"},
    {ids::mnuWritePlaylist, &RunOptions::writePlaylist, L"WritePlaylist"},
    {ids::mnuOnlyChanged, &RunOptions::onlyChanged, L"OnlyChanged"},
    {ids::mnuAskBeforeSync, &RunOptions::askBeforeSync, L"AskBeforeSync"},
    {ids::mnuCheckFreeSpace, &RunOptions::checkFreeSpace, L"CheckFreeSpace"},
};

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
