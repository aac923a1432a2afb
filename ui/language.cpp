#include "ui/language.h"

namespace tunelift::mdlLanguage {

// Order follows the struct; keep both columns side by side when editing.
const Texts kEnglish = {
    L"Search",
    L"Copy!",
    L"copied to:",
    L"No playlist found!",
    L"All files copied!",
    L"Search finished!",
    L"Cancel",
    L"Canceled!",
    L"File",
    L"Filename",
    L"Progress",
    L"Open playlist",
    L"Destination",
    L"File",
    L"About",
    L"Open playlist",
    L"Search destination",
    L"Open and search",
    L"Open, search and run",
    L"Exit",
    L"Overwrite existing files",
    L"Sync playlist and directory (Deletes files in the destination dir, that are not in the playlist!)",
    L"Please select a playlist!",
    L"Please select a destination directory!",
};

const Texts kGerman = {
    L"Durchsuchen",
    L"Kopieren",
    L"wird kopiert nach:",
    L"Kein Playlist gefunden",
    L"Alle Dateien kopiert!",
    L"Suche abgeschlossen!",
    L"Abbrechen",
    L"Kopiervorgang wurde abgebrochen!",
    L"Datei",
    L"Dateiname",
    L"Fortschritt",
    L"Playlist \u00f6ffnen",
    L"Ziel",
    L"Datei",
    L"\u00dcber",
    L"Playlist \u00f6ffnen",
    L"Ziel suchen",
    L"\u00d6ffnen und suchen",
    L"\u00d6ffnen, suchen und starten",
    L"Beenden",
    L"\u00dcberschreibe existierende Dateien",
    L"Synchronisiere Playlist und Verzeichnis (L\u00f6scht Dateien im Ziel-Ordner, die nicht in der Playlist sind!)",
    L"Bitte w\u00e4hlen Sie eine Playlist aus!",
    L"Bitte w\u00e4hlen Sie einen Zielordner aus!",
};

namespace {
const Texts kUnset = {L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"",
                      L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L""};
const Texts* current = &kUnset;
}  // namespace

const Texts& Current() { return *current; }

const wchar_t* TextFor(const Texts& t, RunText id) {
    switch (id) {
        case RunText::CopiedTo: return t.MsgCopiedTo;
        case RunText::NoPlaylist: return t.MsgNoPlaylist;
        case RunText::AllCopied: return t.MsgAllCopied;
        case RunText::SearchFinished: return t.MsgSearchFinished;
        case RunText::Canceled: return t.MsgCanceled;
        case RunText::SelectPlaylist: return t.MsgSelectPlaylist;
        case RunText::SelectDestination: return t.MsgSelectDestination;
        case RunText::PanelFile: return t.CapPanelFile;
        case RunText::PanelFilename: return t.CapPanelFilename;
        case RunText::PanelProgress: return t.CapPanelProgress;
        case RunText::PromptPlaylist: return t.CapPromptPlaylist;
        case RunText::PromptDestination: return t.CapPromptDestination;
    }
    return L"";
}

void SetLanguage(LanguageTarget& target, std::wstring_view name) {
    current = (name == L"Deutsch") ? &kGerman : &kEnglish;
    const Texts& t = *current;
    auto label = [](const wchar_t* caption) { return std::wstring(caption) + L": "; };

    target.SetPlaceText(Place::CmdSearch, t.CapSearch);
    target.SetPlaceText(Place::CmdSearch2, t.CapSearch);
    target.SetPlaceText(Place::CmdSave, t.CapCopy);
    target.SetPlaceText(Place::CmdCancel, t.CapCancel);
    target.SetPlaceText(Place::Panel1, label(t.CapPanelFile));
    target.SetPlaceText(Place::Panel2, label(t.CapPanelFilename));
    target.SetPlaceText(Place::Panel3, label(t.CapPanelProgress));
    target.SetPlaceText(Place::TxtPathfrom, t.CapPromptPlaylist);
    target.SetPlaceText(Place::TxtPathto, t.CapPromptDestination);
    target.SetPlaceText(Place::MnuAbout, t.CapMenuAbout);
    target.SetPlaceText(Place::MnuDest, t.CapMenuDest);
    target.SetPlaceText(Place::MnuExit, t.CapMenuExit);
    target.SetPlaceText(Place::MnuFile, t.CapMenuFile);
    target.SetPlaceText(Place::MnuOpen, t.CapMenuOpen);
    target.SetPlaceText(Place::MnuOpenSearch, t.CapMenuOpenSearch);
    target.SetPlaceText(Place::MnuOSR, t.CapMenuOSR);
    target.SetPlaceText(Place::ChkExists, t.CapOverwrite);
    target.SetPlaceText(Place::ChkKill, t.CapSync);
}

}  // namespace tunelift::mdlLanguage
