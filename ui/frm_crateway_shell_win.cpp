// frmCrateway and the shell: a playlist named on the command line.
#include <windows.h>

#include "engine/full_path.h"
#include "engine/playlist_argument.h"
#include "ui/control_ids.h"
#include "ui/frm_crateway_win.h"

namespace tunelift::ui {

void frmCrateway::TakeStartArgument(const std::wstring& argument) {
    if (!IsPlaylistArgument(argument, Options().allKinds)) return;
    // A relative name means the folder the program was started in, which is about to
    // stop being current.
    const std::wstring playlist = FullPathIn(files_.CurrentFolder(), argument);
    SetWindowTextW(Item(ids::txtPathfrom), playlist.c_str());
    EnterPlaylistFolder(playlist);
}

}  // namespace tunelift::ui
