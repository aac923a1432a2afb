// Stable control and menu IDs: automation and tests find controls by these.
#pragma once

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

    // The Options menu: behaviours beyond the plain run, each switched on by its item.
    mnuOptions = 2100,
    mnuAllAudio = 2101,
    mnuNumberSongs = 2102,
    mnuWritePlaylist = 2103,
    mnuOnlyChanged = 2104,
    mnuAskBeforeSync = 2105,
    mnuCheckFreeSpace = 2106,
};

// Resources.
enum : int {
    IDI_TUNELIFT = 1,
};

}  // namespace tunelift::ids
