#include "engine/run_texts.h"

// A text left out of a language would show as an empty line: refuse to build instead.
#if defined(__GNUC__)
#pragma GCC diagnostic error "-Wmissing-field-initializers"
#endif

namespace tunelift {

// Each text by its name: rows in another order than the struct's do not compile.
const RunTexts kRunEnglish = {
    .MsgCopiedTo = L"copied to:",
    .MsgNoPlaylist = L"No playlist found!",
    .MsgAllCopied = L"All files copied!",
    .MsgNotAllCopied = L"Finished: %1 of %2 songs could not be copied!",
    .MsgSearchFinished = L"Search finished!",
    .MsgCanceled = L"Canceled!",
    .MsgSelectPlaylist = L"Please select a playlist!",
    .MsgSelectDestination = L"Please select a destination directory!",
    .CapPromptPlaylist = L"Open playlist",
    .CapPromptDestination = L"Destination",
    .MsgPlaylistUnreadable = L"The playlist can no longer be read!",
    .MsgPlaylistWritten = L"Playlist written: ",
    .MsgPlaylistNotWritten = L"Playlist not written: ",
    .MsgAskSync = L"Sync is about to delete these files from the destination folder (%1):\r\n\r\n%2\r\n\r\nDelete them?",
    .MsgSyncDeclined = L"Sync deleted nothing.",
    .MsgAskFreeSpace = L"%1 MB needed, %2 MB free. Copy anyway?",
    .MsgCopyDiffers = L"The copy differs from the song!",
    .MsgSongChanged = L"Changed on the stick: ",
    .MsgSongsChanged = L"%1 songs changed on the stick after they were written. "
                       L"The stick may be failing or smaller than it claims.",
    .MsgRenamedFrom = L"renamed from: ",
};

const RunTexts kRunGerman = {
    .MsgCopiedTo = L"wird kopiert nach:",
    .MsgNoPlaylist = L"Kein Playlist gefunden",
    .MsgAllCopied = L"Alle Dateien kopiert!",
    .MsgNotAllCopied = L"Fertig: %1 von %2 Titeln konnten nicht kopiert werden!",
    .MsgSearchFinished = L"Suche abgeschlossen!",
    .MsgCanceled = L"Kopiervorgang wurde abgebrochen!",
    .MsgSelectPlaylist = L"Bitte w\u00e4hlen Sie eine Playlist aus!",
    .MsgSelectDestination = L"Bitte w\u00e4hlen Sie einen Zielordner aus!",
    .CapPromptPlaylist = L"Playlist \u00f6ffnen",
    .CapPromptDestination = L"Ziel",
    .MsgPlaylistUnreadable = L"Die Playlist kann nicht mehr gelesen werden!",
    .MsgPlaylistWritten = L"Playlist geschrieben: ",
    .MsgPlaylistNotWritten = L"Playlist nicht geschrieben: ",
    .MsgAskSync = L"Sync l\u00f6scht diese Dateien aus dem Zielordner (%1):\r\n\r\n%2\r\n\r\nL\u00f6schen?",
    .MsgSyncDeclined = L"Sync hat nichts gel\u00f6scht.",
    .MsgAskFreeSpace = L"%1 MB ben\u00f6tigt, %2 MB frei. Trotzdem kopieren?",
    .MsgCopyDiffers = L"Die Kopie weicht vom Titel ab!",
    .MsgSongChanged = L"Auf dem Stick ver\u00e4ndert: ",
    .MsgSongsChanged = L"%1 Titel wurden auf dem Stick ver\u00e4ndert, nachdem sie geschrieben wurden. "
                       L"Der Stick ist wom\u00f6glich defekt oder kleiner, als er angibt.",
    .MsgRenamedFrom = L"umbenannt von: ",
};

}  // namespace tunelift
