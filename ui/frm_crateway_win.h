// frmCrateway: Tunelift's one window. It owns every control, the cancel flag and the
// run log, starts runs on a thread of their own and shows what they tell.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "engine/background_run.h"
#include "engine/export_run.h"
#include "engine/file_services.h"
#include "ui/crateway_layout_win.h"
#include "ui/deferred_writes_win.h"
#include "ui/language.h"
#include "ui/modal_win.h"
#include "ui/options_store_win.h"
#include "ui/run_display.h"
#include "ui/taskbar_win.h"

namespace tunelift::ui {

class frmCrateway final : public mdlLanguage::LanguageTarget {
public:
    // The Options menu's choices are kept in `optionsFile`.
    frmCrateway(FileServices& files, Modal& modal, std::wstring optionsFile = DefaultOptionsFile());
    // A run still under way is cancelled and waited for.
    ~frmCrateway() override;
    frmCrateway(const frmCrateway&) = delete;
    frmCrateway& operator=(const frmCrateway&) = delete;

    // Creates the window and runs Form_Load; false when the window cannot be created.
    bool Create(int showCommand);
    HWND hwnd() const { return hwnd_; }
    // A control by its ID (txtAbout1 included, which lives inside pcbAbout).
    HWND Item(int id) const;

    // Replaces ending the process, so that tests can use Exit.
    void SetExitAction(std::function<void()> action) { exitAction_ = std::move(action); }
    // Replaces the shell's taskbar button, so that tests can watch it.
    void UseTaskbarButton(TaskbarButton& button) { taskbar_ = &button; }
    // A playlist named on the command line: taken as if dropped on the playlist box.
    void TakeStartArgument(const std::wstring& argument);

    // Public methods. SaveFiles starts a run and returns; the run goes on by itself.
    void SaveFiles(bool Copy);
    std::wstring TheLogData(int LineOut, int Line) const { return display_.Log().TheLogData(LineOut, Line); }
    // The playlist dialog into txtPathfrom, the folder picker into txtPathto.
    void OpenFile();
    void SearchDest();

    const RunLog& GetRunLog() const { return display_.Log(); }
    bool RunInProgress() const { return run_.Running(); }

    // Event handlers.
    void Form_Load();
    void cmdSave_Click();
    void cmdFind_Click();
    void cmdCancel_Click();
    void cmbLang_Click();
    void cmbLang_KeyUp();
    void txtPathfrom_KeyDown();
    void txtPathto_KeyDown();
    void Escape_Press();
    void txtPathfrom_OLEDragDrop(HDROP drop);
    void mnuAbout_Click();
    void mnuExit_Click();
    void vsbListLog_Change();
    void vsbListLog_Scroll();
    void txtPlaylist_Change();
    void cmdSearch_Click();
    void cmdSearch2_Click();
    void mnuOpen_Click();
    void mnuDest_Click();
    void mnuOpenSearch_Click();
    void mnuOSR_Click();
    void mnuOption_Click(int id);  // any item of the Options menu

    // The menu's check marks: the options a run started now would take.
    RunOptions Options() const;

    // LanguageTarget.
    void SetPlaceText(mdlLanguage::Place place, const std::wstring& text) override;

    // Read-backs for tests and automation.
    std::wstring MenuText(int id) const;
    bool AboutVisible() const;
    // The log view, panels, bar and scroll bar as the window will next write them.
    RunScreen& Screen() { return writes_; }
    // Writes held-back texts, panels and bar to their controls now.
    void FlushDeferredTexts() { writes_.Flush(); }
    // A seam for tests: called after every time a run's progress went to the screen.
    void SetShowObserver(std::function<void()> observer) { showObserver_ = std::move(observer); }

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
    // Tab and Shift+Tab for the whole window, before the dialog keys see them.
    static bool DialogKeys(void* self, const MSG& msg);
    bool OnDialogKey(const MSG& msg);
    // A key release in cmbLang that belongs to a Tab or to Alt, not to the box.
    bool KeyOfFocusMove(WPARAM key) const;
    void RememberFocus();
    void RestoreFocus();
    void OnCommand(int id, int code);
    void OnVScroll(int code);
    std::wstring CmbLangText() const;
    std::wstring PathFrom() const;
    std::wstring PathTo() const;
    static void EnterPlaylistFolder(const std::wstring& playlist);

    // The run's side of the window (frm_crateway_run_win.cpp). While a run goes on, the
    // window looks at it on a timer, and at once when the run wakes it.
    static constexpr UINT_PTR kShowTimer = 1;
    static constexpr UINT kShowIntervalMs = 80;
    static constexpr UINT kRunWakes = WM_APP + 1;
    void StartRun(bool copy, bool clearLogAfterwards);
    // Called on the run's thread.
    void WakeForRun();
    BackgroundRun::Choices Choices() const;
    // Hands what the user just changed to a run under way.
    void ChoicesChanged();
    // Shows what the run told since the last look, answers its question, ends it.
    void ShowRun();
    void Told(const RunEvent& event);
    void PaintNow();
    void RunEnded(RunEnd end);

    FileServices& files_;
    Modal& modal_;
    OptionsStore options_;
    HWND hwnd_ = nullptr;
    CratewayLayout layout_;
    RunState state_;
    // The log view, panels, bar and scroll bar as the run last set them.
    DeferredWrites writes_;
    RunDisplay display_{writes_};
    // Where the run's thread posts its wake-ups; nobody once the window is gone.
    std::atomic<HWND> wakeTarget_{nullptr};
    BackgroundRun run_;
    bool clearLogAfterRun_ = false;  // the run was started by the Save button
    bool showing_ = false;           // ShowRun is under way (a question box runs a message loop)
    std::function<void()> showObserver_;
    std::function<void()> exitAction_;
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus_ = nullptr;
    // cmbLang got the focus by Tab and has seen no key pressed since: the releases of
    // Tab and Shift that reach it belong to the move.
    bool cmbLangTabbedInto_ = false;
    std::unique_ptr<TaskbarButton> shellTaskbar_;
    TaskbarButton* taskbar_ = nullptr;
    // CommonDialog1.FileName: the last confirmed playlist, kept for the window's life.
    std::wstring commonDialog1FileName_;
    // CommonDialog1.FilterIndex: the file type last chosen, shown first the next time.
    int commonDialog1FilterIndex_ = 1;
    // Whether the dialog last listed every kind first.
    bool commonDialog1AllKinds_ = false;
};

}  // namespace tunelift::ui
