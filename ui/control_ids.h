// Stable control and menu IDs: automation and tests find controls by these.
#pragma once
#include "engine/run_options.h"

namespace tunelift::ids {

enum : int {
    // Controls, in tab order.
    cmdSearch = 1001,
    txtPlaylist = 1002,
    txtPathfrom = 1003,
    cmdSave = 1004,
    txtPathto = 1005,
    cmdSearch2 = 1006,
    cmbLang = 1007,
    cmdCancel = 1008,
    pgbCopy = 1009,
    stbStatus = 1010,
    pcbAbout = 1011,
    txtAbout1 = 1012,
    cmdFind = 1013,
    vsbListLog = 1014,
    chkExists = 1015,
    chkKill = 1016,

    // Menu items.
    mnuFile = 2001,
    mnuOpen = 2002,
    mnuDest = 2003,
    mnuOpenSearch = 2004,
    mnuOSR = 2005,
    mnuempty = 2006,
    mnuExit = 2007,
    mnuAbout = 2008,

    // The Options menu: behaviours beyond the plain run, each switched on by its item;
    // the items are the option table's (engine/run_options.h).
    mnuOptions = 2100,
    mnuAllAudio = MenuIdOf(&RunOptions::allAudio),
    mnuNumberSongs = MenuIdOf(&RunOptions::numberSongs),
    mnuWritePlaylist = MenuIdOf(&RunOptions::writePlaylist),
    mnuOnlyChanged = MenuIdOf(&RunOptions::onlyChanged),
    mnuAskBeforeSync = MenuIdOf(&RunOptions::askBeforeSync),
    mnuCheckFreeSpace = MenuIdOf(&RunOptions::checkFreeSpace),
    mnuAllKinds = MenuIdOf(&RunOptions::allKinds),
    mnuVerify = MenuIdOf(&RunOptions::verify),
};

// Resources.
enum : int {
    IDI_TUNELIFT = 1,
};

}  // namespace tunelift::ids
