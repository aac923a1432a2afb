#include "ui/language.h"

#include <iterator>

// A text left out of a language would show as an empty caption: refuse to build instead.
#if defined(__GNUC__)
#pragma GCC diagnostic error "-Wmissing-field-initializers"
#endif

namespace tunelift::mdlLanguage {

// Each text by its name: rows in another order than the struct's do not compile.
const Texts kEnglish = {
    .CapSearch = L"Search",
    .CapCopy = L"Copy!",
    .MsgCopiedTo = L"copied to:",
    .MsgNoPlaylist = L"No playlist found!",
    .MsgAllCopied = L"All files copied!",
    .MsgSearchFinished = L"Search finished!",
    .CapCancel = L"Cancel",
    .MsgCanceled = L"Canceled!",
    .CapPanelFile = L"File",
    .CapPanelFilename = L"Filename",
    .CapPanelProgress = L"Progress",
    .CapPromptPlaylist = L"Open playlist",
    .CapPromptDestination = L"Destination",
    .CapMenuFile = L"File",
    .CapMenuAbout = L"About",
    .CapMenuOpen = L"Open playlist",
    .CapMenuDest = L"Search destination",
    .CapMenuOpenSearch = L"Open and search",
    .CapMenuOSR = L"Open, search and run",
    .CapMenuExit = L"Exit",
    .CapOverwrite = L"Overwrite existing files",
    .CapSync = L"Sync playlist and directory (Deletes files in the destination dir, that are not in the playlist!)",
    .MsgSelectPlaylist = L"Please select a playlist!",
    .MsgSelectDestination = L"Please select a destination directory!",
    .MsgPlaylistUnreadable = L"The playlist can no longer be read!",
    .CapMenuOptions = L"Options",
    .CapOptAllAudio = L"Copy all audio files, not only MP3",
    .CapOptNumberSongs = L"Number songs in playlist order",
    .CapOptWritePlaylist = L"Write the playlist into the destination",
    .CapOptOnlyChanged = L"Overwrite only changed files",
    .CapOptAskBeforeSync = L"Ask before Sync deletes",
    .CapOptCheckFreeSpace = L"Check free space before copying",
    .MsgPlaylistWritten = L"Playlist written: ",
    .MsgPlaylistNotWritten = L"Playlist not written: ",
    .MsgAskSync = L"Sync is about to delete these files from the destination folder (%1):\r\n\r\n%2\r\n\r\nDelete them?",
    .MsgSyncDeclined = L"Sync deleted nothing.",
    .MsgAskFreeSpace = L"%1 MB needed, %2 MB free. Copy anyway?",
};

const Texts kGerman = {
    .CapSearch = L"Durchsuchen",
    .CapCopy = L"Kopieren",
    .MsgCopiedTo = L"wird kopiert nach:",
    .MsgNoPlaylist = L"Kein Playlist gefunden",
    .MsgAllCopied = L"Alle Dateien kopiert!",
    .MsgSearchFinished = L"Suche abgeschlossen!",
    .CapCancel = L"Abbrechen",
    .MsgCanceled = L"Kopiervorgang wurde abgebrochen!",
    .CapPanelFile = L"Datei",
    .CapPanelFilename = L"Dateiname",
    .CapPanelProgress = L"Fortschritt",
    .CapPromptPlaylist = L"Playlist \u00f6ffnen",
    .CapPromptDestination = L"Ziel",
    .CapMenuFile = L"Datei",
    .CapMenuAbout = L"\u00dcber",
    .CapMenuOpen = L"Playlist \u00f6ffnen",
    .CapMenuDest = L"Ziel suchen",
    .CapMenuOpenSearch = L"\u00d6ffnen und suchen",
    .CapMenuOSR = L"\u00d6ffnen, suchen und starten",
    .CapMenuExit = L"Beenden",
    .CapOverwrite = L"\u00dcberschreibe existierende Dateien",
    .CapSync = L"Synchronisiere Playlist und Verzeichnis (L\u00f6scht Dateien im Ziel-Ordner, die nicht in der Playlist sind!)",
    .MsgSelectPlaylist = L"Bitte w\u00e4hlen Sie eine Playlist aus!",
    .MsgSelectDestination = L"Bitte w\u00e4hlen Sie einen Zielordner aus!",
    .MsgPlaylistUnreadable = L"Die Playlist kann nicht mehr gelesen werden!",
    .CapMenuOptions = L"Optionen",
    .CapOptAllAudio = L"Alle Audiodateien kopieren, nicht nur MP3",
    .CapOptNumberSongs = L"Titel in Playlist-Reihenfolge nummerieren",
    .CapOptWritePlaylist = L"Playlist in den Zielordner schreiben",
    .CapOptOnlyChanged = L"Nur ge\u00e4nderte Dateien \u00fcberschreiben",
    .CapOptAskBeforeSync = L"Vor dem L\u00f6schen durch Sync fragen",
    .CapOptCheckFreeSpace = L"Vor dem Kopieren freien Platz pr\u00fcfen",
    .MsgPlaylistWritten = L"Playlist geschrieben: ",
    .MsgPlaylistNotWritten = L"Playlist nicht geschrieben: ",
    .MsgAskSync = L"Sync l\u00f6scht diese Dateien aus dem Zielordner (%1):\r\n\r\n%2\r\n\r\nL\u00f6schen?",
    .MsgSyncDeclined = L"Sync hat nichts gel\u00f6scht.",
    .MsgAskFreeSpace = L"%1 MB ben\u00f6tigt, %2 MB frei. Trotzdem kopieren?",
};

namespace {
const Texts kUnset = {L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"",
                      L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"",
                      L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L""};
const Texts* current = &kUnset;
}  // namespace

const Texts& Current() { return *current; }

// The run's texts, one row per RunText in the enum's order.
struct RunTextRow {
    RunText id;
    const wchar_t* Texts::*text;
};
constexpr RunTextRow kRunTexts[] = {
    {RunText::CopiedTo, &Texts::MsgCopiedTo},
    {RunText::NoPlaylist, &Texts::MsgNoPlaylist},
    {RunText::AllCopied, &Texts::MsgAllCopied},
    {RunText::SearchFinished, &Texts::MsgSearchFinished},
    {RunText::Canceled, &Texts::MsgCanceled},
    {RunText::SelectPlaylist, &Texts::MsgSelectPlaylist},
    {RunText::SelectDestination, &Texts::MsgSelectDestination},
    {RunText::PanelFile, &Texts::CapPanelFile},
    {RunText::PanelFilename, &Texts::CapPanelFilename},
    {RunText::PanelProgress, &Texts::CapPanelProgress},
    {RunText::PromptPlaylist, &Texts::CapPromptPlaylist},
    {RunText::PromptDestination, &Texts::CapPromptDestination},
    {RunText::PlaylistUnreadable, &Texts::MsgPlaylistUnreadable},
    {RunText::PlaylistWritten, &Texts::MsgPlaylistWritten},
    {RunText::PlaylistNotWritten, &Texts::MsgPlaylistNotWritten},
    {RunText::AskSync, &Texts::MsgAskSync},
    {RunText::SyncDeclined, &Texts::MsgSyncDeclined},
    {RunText::AskFreeSpace, &Texts::MsgAskFreeSpace},
};

constexpr bool EveryRunTextInItsRow() {
    for (size_t i = 0; i < std::size(kRunTexts); ++i)
        if (static_cast<size_t>(kRunTexts[i].id) != i) return false;
    return std::size(kRunTexts) == static_cast<size_t>(RunText::AskFreeSpace) + 1;
}
static_assert(EveryRunTextInItsRow(), "kRunTexts holds each RunText once, in the enum's order");

const wchar_t* TextFor(const Texts& t, RunText id) {
    const auto row = static_cast<size_t>(id);
    return row < std::size(kRunTexts) ? t.*kRunTexts[row].text : L"";
}

void SetLanguage(LanguageTarget& target, std::wstring_view name) {
    current = (name == L"Deutsch") ? &kGerman : &kEnglish;
    for (const Placement& row : kPlacements) {
        std::wstring text = current->*row.text;
        // A panel shows its label and ": "; a run writes its value after them.
        if (row.place.panel != 0) text += L": ";
        target.SetPlaceText(row.place, text);
    }
    for (const Placement& row : kOptionPlacements) target.SetPlaceText(row.place, current->*row.text);
}

}  // namespace tunelift::mdlLanguage
