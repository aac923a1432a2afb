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
};

namespace {
const Texts kUnset = {L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"",
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
};

constexpr bool EveryRunTextInItsRow() {
    for (size_t i = 0; i < std::size(kRunTexts); ++i)
        if (static_cast<size_t>(kRunTexts[i].id) != i) return false;
    return std::size(kRunTexts) == static_cast<size_t>(RunText::PlaylistUnreadable) + 1;
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
}

}  // namespace tunelift::mdlLanguage
