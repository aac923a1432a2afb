// The texts a run writes into its log, asks and refuses with, in English and German.
// Both front ends read them from here: the window and the command line say the same.
#pragma once

namespace tunelift {

struct RunTexts {
    const wchar_t* MsgCopiedTo;
    const wchar_t* MsgNoPlaylist;
    const wchar_t* MsgAllCopied;
    const wchar_t* MsgNotAllCopied;        // %1 entries that failed, %2 entries
    const wchar_t* MsgSearchFinished;
    const wchar_t* MsgCanceled;
    const wchar_t* MsgSelectPlaylist;
    const wchar_t* MsgSelectDestination;
    // A path box that still shows its prompt holds no path.
    const wchar_t* CapPromptPlaylist;
    const wchar_t* CapPromptDestination;
    const wchar_t* MsgPlaylistUnreadable;
    const wchar_t* MsgPlaylistWritten;     // followed by the written playlist's name
    const wchar_t* MsgPlaylistNotWritten;  // followed by the written playlist's name
    const wchar_t* MsgAskSync;             // %1 the number of files, %2 their names
    const wchar_t* MsgSyncDeclined;
    const wchar_t* MsgAskFreeSpace;        // %1 megabytes needed, %2 megabytes free
    const wchar_t* MsgCopyDiffers;
    const wchar_t* MsgSongChanged;         // followed by the copy's path
    const wchar_t* MsgSongsChanged;        // %1 songs that changed after they were written
    const wchar_t* MsgRenamedFrom;         // followed by the name a renamed song had
};

extern const RunTexts kRunEnglish;
extern const RunTexts kRunGerman;

}  // namespace tunelift
