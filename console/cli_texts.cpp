#include "console/cli_texts.h"

#include <algorithm>

// A text left out of a language would print as nothing: refuse to build instead.
#if defined(__GNUC__)
#pragma GCC diagnostic error "-Wmissing-field-initializers"
#endif

namespace tunelift::cli {

const CliTexts kCliEnglish = {
    .UsageHead =
        L"Usage: tunelift-cli copy|check PLAYLIST DESTINATION [switches]\n"
        L"\n"
        L"  copy              copies every song the playlist names into the folder DESTINATION\n"
        L"  check             tells which songs are there; writes nothing\n"
        L"\n"
        L"  --overwrite       replaces songs already in DESTINATION\n"
        L"  --sync            also deletes the files in DESTINATION the playlist does not name\n",
    .UsageTail =
        L"  --dry-run         shows what copy would copy, leave and delete; changes nothing\n"
        L"  --lang en|de      English (the default) or German texts\n"
        L"  --help            shows this text\n"
        L"  --version         shows the program's version\n"
        L"\n"
        L"PLAYLIST may be of any of these kinds: M3U and M3U8 (.m3u, .m3u8, .txt), PLS,\n"
        L"XSPF, WPL and ZPL, and tab-separated UTF-16 text with a header row (.txt).\n"
        L"Relative paths in the playlist mean the playlist's own folder.\n"
        L"--verify reads every song it copies back from DESTINATION and compares it with the song,\n"
        L"and reads them all once more after the last one, which finds a stick that fails or is\n"
        L"smaller than it claims. Songs left alone because they are there already are not read.\n"
        L"Exit codes: 0 every entry ok, 1 an entry failed, 2 refused, 3 interrupted (Ctrl+C).\n",
    .MsgNoCommand = L"Say copy or check.",
    .MsgUnknownCommand = L"Unknown command: ",
    .MsgMissingPlaylist = L"The playlist is missing.",
    .MsgMissingDestination = L"The destination folder is missing.",
    .MsgTooManyArguments = L"One word too many: ",
    .MsgUnknownSwitch = L"Unknown switch: ",
    .MsgBadLanguage = L"--lang takes en or de, not ",
    .MsgDryRunWithCheck = L"--dry-run goes with copy; check writes nothing anyway.",
    .MsgPlaylistNotFound = L"Playlist not found: ",
    .MsgDestinationNotFound = L"Destination folder not found: ",
    .MsgInterrupted = L"Interrupted: stopping after the song being copied.",
    .WouldCopy = L"would copy: ",
    .WouldLeave = L"would leave: ",
    .WouldDelete = L"would delete: ",
    .WouldFail = L"would fail: ",
    .WouldRename = L"would rename: ",
    .WouldWrite = L"would write: ",
    .SumEntries = L"entries",
    .SumOk = L"ok",
    .SumErrors = L"errors",
    .SumDeleted = L"deleted",
};

const CliTexts kCliGerman = {
    .UsageHead =
        L"Aufruf: tunelift-cli copy|check PLAYLIST ZIEL [Schalter]\n"
        L"\n"
        L"  copy              kopiert jedes Lied der Playlist in den Ordner ZIEL\n"
        L"  check             sagt, welche Lieder da sind; schreibt nichts\n"
        L"\n"
        L"  --overwrite       ersetzt Lieder, die schon in ZIEL liegen\n"
        L"  --sync            l\u00f6scht auch die Dateien in ZIEL, die die Playlist nicht nennt\n",
    .UsageTail =
        L"  --dry-run         zeigt, was copy kopieren, lassen und l\u00f6schen w\u00fcrde; \u00e4ndert nichts\n"
        L"  --lang en|de      englische (Vorgabe) oder deutsche Texte\n"
        L"  --help            zeigt diesen Text\n"
        L"  --version         zeigt die Version des Programms\n"
        L"\n"
        L"PLAYLIST darf jeder dieser Arten sein: M3U und M3U8 (.m3u, .m3u8, .txt), PLS,\n"
        L"XSPF, WPL und ZPL und UTF-16-Text mit Tabulatoren und Kopfzeile (.txt).\n"
        L"Relative Pfade in der Playlist meinen den Ordner der Playlist.\n"
        L"--verify liest jedes kopierte Lied aus ZIEL zur\u00fcck und vergleicht es mit dem Lied,\n"
        L"und liest nach dem letzten alle noch einmal; so f\u00e4llt ein Stick auf, der defekt oder\n"
        L"kleiner ist, als er angibt. Lieder, die schon da sind und bleiben, werden nicht gelesen.\n"
        L"R\u00fcckgabewerte: 0 alles ok, 1 ein Eintrag fehlgeschlagen, 2 abgelehnt, 3 abgebrochen (Strg+C).\n",
    .MsgNoCommand = L"Sagen Sie copy oder check.",
    .MsgUnknownCommand = L"Unbekannter Befehl: ",
    .MsgMissingPlaylist = L"Die Playlist fehlt.",
    .MsgMissingDestination = L"Der Zielordner fehlt.",
    .MsgTooManyArguments = L"Ein Wort zu viel: ",
    .MsgUnknownSwitch = L"Unbekannter Schalter: ",
    .MsgBadLanguage = L"--lang nimmt en oder de, nicht ",
    .MsgDryRunWithCheck = L"--dry-run geh\u00f6rt zu copy; check schreibt ohnehin nichts.",
    .MsgPlaylistNotFound = L"Playlist nicht gefunden: ",
    .MsgDestinationNotFound = L"Zielordner nicht gefunden: ",
    .MsgInterrupted = L"Abbruch: Tunelift h\u00f6rt nach dem Lied auf, das gerade kopiert wird.",
    .WouldCopy = L"w\u00fcrde kopieren: ",
    .WouldLeave = L"w\u00fcrde lassen: ",
    .WouldDelete = L"w\u00fcrde l\u00f6schen: ",
    .WouldFail = L"w\u00fcrde scheitern: ",
    .WouldRename = L"w\u00fcrde umbenennen: ",
    .WouldWrite = L"w\u00fcrde schreiben: ",
    .SumEntries = L"Eintr\u00e4ge",
    .SumOk = L"ok",
    .SumErrors = L"Fehler",
    .SumDeleted = L"gel\u00f6scht",
};

std::wstring RefusalText(const CliTexts& t, CliError error, const std::wstring& culprit) {
    switch (error) {
        case CliError::None: return {};
        case CliError::NoCommand: return t.MsgNoCommand;
        case CliError::UnknownCommand: return t.MsgUnknownCommand + culprit;
        case CliError::MissingPlaylist: return t.MsgMissingPlaylist;
        case CliError::MissingDestination: return t.MsgMissingDestination;
        case CliError::TooManyArguments: return t.MsgTooManyArguments + culprit;
        case CliError::UnknownSwitch: return t.MsgUnknownSwitch + culprit;
        case CliError::BadLanguage: return t.MsgBadLanguage + culprit;
        case CliError::DryRunWithCheck: return t.MsgDryRunWithCheck;
    }
    return {};
}

std::wstring UsageText(bool german) {
    const CliTexts& t = CliTextsFor(german);
    std::wstring usage = t.UsageHead;
    // The options' switches, with their captions from the window's Options menu.
    for (const OptionRow& row : kOptionRows) {
        if (!row.cliSwitch) continue;
        std::wstring line = L"  " + std::wstring(row.cliSwitch);
        line.resize(std::max<size_t>(line.size() + 2, 20), L' ');
        usage += line + (german ? row.german : row.english) + L"\n";
    }
    return usage + t.UsageTail;
}

std::wstring SummaryLine(const CliTexts& t, int entries, int ok, int deleted) {
    const auto part = [](const wchar_t* name, int n) { return std::wstring(name) + L": " + std::to_wstring(n); };
    return part(t.SumEntries, entries) + L", " + part(t.SumOk, ok) + L", " + part(t.SumErrors, entries - ok) + L", " +
           part(t.SumDeleted, deleted);
}

}  // namespace tunelift::cli
