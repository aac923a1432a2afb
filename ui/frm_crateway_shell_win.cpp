// frmCrateway and the shell: a playlist named on the command line, and the taskbar
// button during a run.
#include <windows.h>

#include <algorithm>

#include "engine/full_path.h"
#include "engine/playlist_argument.h"
#include "ui/control_ids.h"
#include "ui/frm_crateway_win.h"

namespace tunelift::ui {

void frmCrateway::TakeStartArgument(const std::wstring& argument) {
    if (!IsPlaylistArgument(argument)) return;
    // A relative name means the folder the program was started in, which is about to
    // stop being current.
    const std::wstring playlist = FullPathIn(files_.CurrentFolder(), argument);
    SetWindowTextW(Item(ids::txtPathfrom), playlist.c_str());
    EnterPlaylistFolder(playlist);
}

void frmCrateway::LineHandled(const RunProgress& progress) {
    // A playlist that grew during the run has more lines than it had: the button stays full.
    taskbar_->SetProgress(std::min(progress.line, progress.lines), progress.lines);
    if (progress.ok < progress.entries) taskbar_->SetError();
}

void frmCrateway::RunEnded(RunEnd end) {
    // A refused run never showed anything; a second run refused during one must leave
    // the first one's button alone.
    if (end == RunEnd::Busy || end == RunEnd::InputRefused) return;
    taskbar_->Clear();
    if (GetForegroundWindow() != hwnd_) taskbar_->Flash();
}

}  // namespace tunelift::ui
