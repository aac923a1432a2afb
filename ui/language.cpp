#include "ui/language.h"

#include <iterator>

// A text left out of a language would show as an empty caption: refuse to build instead.
#if defined(__GNUC__)
#pragma GCC diagnostic error "-Wmissing-field-initializers"
#endif

namespace tunelift::mdlLanguage {

// Each text by its name: rows in another order than the struct's do not compile.
const Texts kEnglish = {
    .Run = &kRunEnglish,
    .CapSearch = L"Search",
    .CapCopy = L"Copy!",
    .CapCancel = L"Cancel",
    .CapPanelFile = L"File",
    .CapPanelFilename = L"Filename",
    .CapPanelProgress = L"Progress",
    .CapMenuFile = L"File",
    .CapMenuAbout = L"About",
    .CapMenuOpen = L"Open playlist",
    .CapMenuDest = L"Search destination",
    .CapMenuOpenSearch = L"Open and search",
    .CapMenuOSR = L"Open, search and run",
    .CapMenuExit = L"Exit",
    .CapOverwrite = L"Overwrite existing files",
    .CapSync = L"Sync playlist and directory (Deletes files in the destination dir, that are not in the playlist!)",
    .CapMenuOptions = L"Options",
    .CapAllPlaylists = L"All playlists",
    .CapPanelVerifying = L"Verifying",
    .german = false,
};

const Texts kGerman = {
    .Run = &kRunGerman,
    .CapSearch = L"Durchsuchen",
    .CapCopy = L"Kopieren",
    .CapCancel = L"Abbrechen",
    .CapPanelFile = L"Datei",
    .CapPanelFilename = L"Dateiname",
    .CapPanelProgress = L"Fortschritt",
    .CapMenuFile = L"Datei",
    .CapMenuAbout = L"\u00dcber",
    .CapMenuOpen = L"Playlist \u00f6ffnen",
    .CapMenuDest = L"Ziel suchen",
    .CapMenuOpenSearch = L"\u00d6ffnen und suchen",
    .CapMenuOSR = L"\u00d6ffnen, suchen und starten",
    .CapMenuExit = L"Beenden",
    .CapOverwrite = L"\u00dcberschreibe existierende Dateien",
    .CapSync = L"Synchronisiere Playlist und Verzeichnis (L\u00f6scht Dateien im Ziel-Ordner, die nicht in der Playlist sind!)",
    .CapMenuOptions = L"Optionen",
    .CapAllPlaylists = L"Alle Playlisten",
    .CapPanelVerifying = L"Pr\u00fcfe",
    .german = true,
};

namespace {
// Before the first SetLanguage every text is empty.
const RunTexts kRunUnset = {L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L""};
const Texts kUnset = {&kRunUnset, L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", false};
const Texts* current = &kUnset;
}  // namespace

const Texts& Current() { return *current; }

void SetLanguage(LanguageTarget& target, std::wstring_view name) {
    current = (name == L"Deutsch") ? &kGerman : &kEnglish;
    for (const Placement& row : kPlacements) {
        std::wstring text = row.runText ? current->Run->*row.runText : current->*row.text;
        // A panel shows its label and ": "; a run writes its value after them.
        if (row.place.panel != 0) text += L": ";
        target.SetPlaceText(row.place, text);
    }
    target.SetPlaceText({ids::mnuOptions}, current->CapMenuOptions);
    for (const OptionRow& row : kOptionRows) target.SetPlaceText({row.menuId}, current->german ? row.german : row.english);
}

}  // namespace tunelift::mdlLanguage
