// What a run needs from the window that drives it: box texts, options, the log
// view, the status panels, the bar, the log scroll bar, the message loop and the
// error message box. frmCrateway implements it; tests script it.
#pragma once
#include <string>

#include "engine/run_options.h"

namespace tunelift {

// The language texts a run reads, always at the moment it shows them.
enum class RunText {
    CopiedTo, NoPlaylist, AllCopied, SearchFinished, Canceled,
    SelectPlaylist, SelectDestination,
    PanelFile, PanelFilename, PanelProgress,
    PromptPlaylist, PromptDestination,
    PlaylistUnreadable,
    PlaylistWritten, PlaylistNotWritten,  // followed by the written playlist's name
    AskSync,         // %1 the number of files, %2 their names
    SyncDeclined,
    AskFreeSpace,    // %1 megabytes needed, %2 megabytes free
};

// Where a run stands after a playlist line it has handled.
struct RunProgress {
    int line = 0;     // the line just handled, from 1
    int lines = 0;    // the lines the playlist had when the run began
    int entries = 0;  // entries handled so far
    int ok = 0;       // of them, those whose outcome was " ok"
};

class RunHost {
public:
    virtual ~RunHost() = default;

    virtual std::wstring Text(RunText id) const = 0;

    virtual std::wstring PathFrom() const = 0;      // txtPathfrom.Text
    virtual std::wstring PathTo() const = 0;        // txtPathto.Text
    virtual int OverwriteValue() const = 0;         // chkExists.Value (1 ticked)
    virtual int SyncValue() const = 0;              // chkKill.Value (1 ticked)
    // The options beyond the plain run; read once when a run starts.
    virtual RunOptions Options() const { return {}; }

    virtual std::wstring LogText() const = 0;       // txtPlaylist.Text
    virtual void SetLogText(const std::wstring& text) = 0;
    // Every piece of text the run adds to the log, in the order it adds them, joined
    // just as the view gets them: a front end without a log view prints them as they come.
    virtual void LogAppended(const std::wstring& /*piece*/) {}
    // After each playlist line, entry or not: how far the run has come.
    virtual void LineHandled(const RunProgress& /*progress*/) {}

    virtual void SetPanel(int panel, const std::wstring& text) = 0;  // panels 1..3

    // pgbCopy. SetBarValue is only called with values within 0..BarMax().
    virtual int BarValue() const = 0;
    virtual int BarMax() const = 0;
    virtual void SetBarValue(int value) = 0;
    virtual void SetBarMax(int max) = 0;            // keeps the value when it still fits

    // vsbListLog: sets range and position; a changed position raises the
    // scroll refresh (vsbListLog_Change) before this returns.
    virtual void SetLogScroll(int min, int max, int value) = 0;

    // Handles every pending window message, then returns.
    virtual void YieldToWindow() = 0;
    // The last progress report of a copy handles what is pending at once, so that a
    // Cancel pressed during the copy stops the run at the very next line.
    virtual void YieldToWindowNow() { YieldToWindow(); }
    // An entry's outcome line is in the log: the window puts the entry on the screen
    // soon, so a copy that took visible time never ends unseen.
    virtual void EntryDone() {}

    // Message box with the title "Error", the critical-stop icon and OK.
    virtual void ShowError(const std::wstring& text) = 0;

    // A Yes/No question; true for Yes. No is the answer that deletes and writes
    // nothing, so a window that cannot ask gets it.
    virtual bool Ask(const std::wstring& /*question*/) { return false; }
};

}  // namespace tunelift
