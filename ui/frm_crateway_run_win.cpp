// frmCrateway and its runs: a run goes on a thread of its own; the window hands it what
// the user chooses, shows what it tells, answers its questions and ends it.
#include <windows.h>

#include <algorithm>
#include <type_traits>

#include "ui/control_ids.h"
#include "ui/frm_crateway_win.h"
#include "ui/window_text_win.h"

namespace tunelift::ui {

void frmCrateway::SaveFiles(bool Copy) { StartRun(Copy, false); }

// Unlike the other ways to start a Save run, the button empties the log slots after it.
void frmCrateway::cmdSave_Click() { StartRun(true, true); }
void frmCrateway::cmdFind_Click() { StartRun(false, false); }
void frmCrateway::cmdCancel_Click() { run_.Cancel(); }

void frmCrateway::StartRun(bool copy, bool clearLogAfterwards) {
    // A second run during a run is refused.
    if (run_.Running()) {
        modal_.Beep();
        return;
    }
    clearLogAfterRun_ = clearLogAfterwards;
    run_.Start(copy, Choices());
    SetTimer(hwnd_, kShowTimer, kShowIntervalMs, nullptr);
}

void frmCrateway::WakeForRun() {
    if (HWND target = wakeTarget_.load()) PostMessageW(target, kRunWakes, 0, 0);
}

BackgroundRun::Choices frmCrateway::Choices() const {
    BackgroundRun::Choices choices;
    choices.texts = mdlLanguage::Current().Run;
    choices.playlist = PathFrom();
    choices.destination = PathTo();
    choices.overwrite = SendMessageW(Item(ids::chkExists), BM_GETCHECK, 0, 0) == BST_CHECKED;
    choices.sync = SendMessageW(Item(ids::chkKill), BM_GETCHECK, 0, 0) == BST_CHECKED;
    choices.options = Options();
    return choices;
}

void frmCrateway::ChoicesChanged() {
    if (run_.Running()) run_.Update(Choices());
}

void frmCrateway::ShowRun() {
    // A question or an error box runs a message loop of its own, where the timer goes on.
    if (showing_ || !run_.Running()) return;
    showing_ = true;
    // A box ticked without a click (by another program) still reaches the run.
    run_.Update(Choices());
    for (const RunEvent& event : run_.TakeEvents()) Told(event);
    if (const auto question = run_.Question()) {
        // The log shows how far the run got while the question waits.
        FlushDeferredTexts();
        run_.Answer(modal_.ShowMessage(hwnd_, *question, L"Tunelift", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) ==
                    IDYES);
    }
    if (const auto end = run_.TakeEnd()) {
        RunEnded(*end);
    } else if (writes_.IsDirty()) {
        // The controls hold what the run told, for whoever reads them.
        writes_.Show();
        PaintNow();
    }
    showing_ = false;
}

// Painted now, so that the screen is never behind the controls. Hidden or minimized,
// the window has no screen to paint on.
void frmCrateway::PaintNow() {
    if (!IsWindowVisible(hwnd_) || IsIconic(hwnd_)) return;
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // A look at the queue is what hands a painted window's surface to the screen.
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE);
    if (showObserver_) showObserver_();
}

void frmCrateway::Told(const RunEvent& event) {
    display_.Apply(event, mdlLanguage::Current());
    if (const auto* refused = std::get_if<run_event::Refused>(&event)) {
        FlushDeferredTexts();
        modal_.ErrorBox(hwnd_, refused->message);
    } else if (const auto* line = std::get_if<run_event::LineHandled>(&event)) {
        // A playlist that grew during the run has more lines than it had: the button stays full.
        const RunProgress& p = line->progress;
        taskbar_->SetProgress(std::min(p.line, p.lines), p.lines);
        if (p.ok < p.entries) taskbar_->SetError();
    }
}

void frmCrateway::RunEnded(RunEnd end) {
    KillTimer(hwnd_, kShowTimer);
    if (clearLogAfterRun_) display_.Log().Clear();
    FlushDeferredTexts();
    PaintNow();
    // A refused run never showed anything.
    if (end == RunEnd::Busy || end == RunEnd::InputRefused) return;
    taskbar_->Clear();
    if (GetForegroundWindow() != hwnd_) taskbar_->Flash();
}

}  // namespace tunelift::ui
