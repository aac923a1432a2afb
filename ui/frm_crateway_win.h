// frmCrateway: Tunelift's one window. It owns every control, the cancel flag and the
// run log, and binds the portable run to Win32 controls.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "engine/copy_bar.h"
#include "engine/export_run.h"
#include "engine/file_services.h"
#include "engine/run_host.h"
#include "ui/crateway_layout_win.h"
#include "ui/deferred_writes_win.h"
#include "ui/language.h"
#include "ui/modal_win.h"
#include "ui/options_store_win.h"
#include "ui/show_schedule.h"
#include "ui/taskbar_win.h"

namespace tunelift::ui {

class frmCrateway final : public RunHost,
                          public mdlLanguage::LanguageTarget {
public:
    // The Options menu's choices are kept in `optionsFile`.
    frmCrateway(FileServices& files, Modal& modal, std::wstring optionsFile = DefaultOptionsFile());
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

    // Public methods.
    void SaveFiles(bool Copy);
    std::wstring txt_ReadLine(const std::wstring& sFilename, int32_t LineToRead);
    std::wstring txt_ReadAll(const std::wstring& sFilename);
    bool FileCopy(const std::wstring& sSourceFile, const std::wstring& sDestFile);
    bool FileExists(const std::wstring& sFile);
    std::wstring TheLogData(int LineOut, int Line);
    // The playlist dialog into txtPathfrom, the folder picker into txtPathto.
    void OpenFile();
    void SearchDest();

    RunState& State() { return state_; }
    const RunLog& GetRunLog() const { return state_.runLog; }
    bool bCancel() const { return state_.bCancel; }

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

    // RunHost.
    std::wstring Text(RunText id) const override;
    std::wstring PathFrom() const override;
    std::wstring PathTo() const override;
    int OverwriteValue() const override;
    int SyncValue() const override;
    std::wstring LogText() const override { return writes_.LogText(); }
    void SetLogText(const std::wstring& text) override { writes_.SetLogText(text); }
    void SetPanel(int panel, const std::wstring& text) override { writes_.SetPanel(panel, text); }
    int BarValue() const override { return writes_.BarValue(); }
    int BarMax() const override { return writes_.BarMax(); }
    void SetBarValue(int value) override { writes_.SetBarValue(value); }
    void SetBarMax(int max) override { writes_.SetBarMax(max); }
    void SetLogScroll(int min, int max, int value) override;
    void LineHandled(const RunProgress& progress) override;
    void YieldToWindow() override;
    void YieldToWindowNow() override;
    void EntryDone() override;
    void ShowError(const std::wstring& text) override;
    RunOptions Options() const override;
    bool Ask(const std::wstring& question) override;

    // LanguageTarget.
    void SetPlaceText(mdlLanguage::Place place, const std::wstring& text) override;

    // Read-backs for tests and automation.
    std::wstring MenuText(int id) const;
    bool AboutVisible() const;
    // Writes deferred texts, panels and bar to their controls now (otherwise done
    // before the window handles messages).
    void FlushDeferredTexts() { writes_.Flush(); }

    // Seams for tests: the clock the show schedule reads (milliseconds), and a call
    // after every show a run's yields make.
    void SetClock(uint64_t (*clock)()) { clock_ = clock; }
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
    static void EnterPlaylistFolder(const std::wstring& playlist);
    // Puts what the run holds back on the screen when the schedule says so.
    void ShowWhenDue(uint64_t now);
    void RunEnded(RunEnd end);

    FileServices& files_;
    Modal& modal_;
    OptionsStore options_;
    HWND hwnd_ = nullptr;
    CratewayLayout layout_;
    RunState state_;
    // The log view, panels, bar and scroll bar as the run last set them.
    DeferredWrites writes_;
    ShowSchedule schedule_;
    uint64_t (*clock_)() = [] { return static_cast<uint64_t>(GetTickCount64()); };
    uint64_t lastLook_ = 0;  // when the run's yields last looked at the queue
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
};

}  // namespace tunelift::ui
