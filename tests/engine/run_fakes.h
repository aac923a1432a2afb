// A scripted window and an in-memory file system for driving runs natively.
#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/copy_bar.h"
#include "engine/export_run.h"
#include "engine/file_services.h"
#include "engine/run_host.h"
#include "ui/language.h"

namespace tunelift::testing {

// Files keyed by their full path; folders are listed explicitly.
class MemoryFiles : public FileServices {
public:
    std::map<std::wstring, std::wstring> files;
    std::set<std::wstring> folders;
    std::vector<std::pair<std::wstring, std::wstring>> copies;  // (source, dest) per FileCopy call
    std::vector<std::wstring> removed;
    std::function<void(const std::wstring& source)> duringCopy;  // runs between progress reports

    void AddFile(const std::wstring& path, const std::wstring& content = L"data");
    static std::wstring FolderOf(const std::wstring& path);

    std::wstring ReadLine(const std::wstring& file, int32_t lineToRead) override;
    std::wstring ReadAll(const std::wstring& file) override;
    bool FileExists(const std::wstring& file) override;
    bool FileCopy(const std::wstring& source, const std::wstring& dest) override;
    std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) override;
    bool RemoveFile(const std::wstring& path) override;

private:
    // Playlists change only through AddFile, which drops the index.
    std::wstring indexedFile_;
    size_t indexedSize_ = 0;
    std::vector<std::wstring> lines_;
};

class ScriptedHost : public RunHost, public mdlCopyBar::ProgressBar {
public:
    explicit ScriptedHost(RunState& state) : state_(state) {}

    const mdlLanguage::Texts* texts = &mdlLanguage::kEnglish;
    std::wstring pathFrom, pathTo;
    int overwrite = 0, sync = 0;
    std::wstring logText;
    std::wstring panels[4];
    int barValue = 100, barMax = 100;
    int scrollMin = 0, scrollMax = 32767, scrollValue = 0;
    int yields = 0;
    std::vector<std::wstring> errors;
    std::vector<int> barValues;  // every value the bar was given
    std::function<void(ScriptedHost&)> onYield;

    // The window's scroll refresh, as a user moving the scroll bar triggers it.
    void MoveScrollTo(int value);
    // The language switch of the window: texts, prompts into both boxes, bare panel labels.
    void SwitchLanguage(const mdlLanguage::Texts& t);

    std::wstring Text(RunText id) const override;
    std::wstring PathFrom() const override { return pathFrom; }
    std::wstring PathTo() const override { return pathTo; }
    int OverwriteValue() const override { return overwrite; }
    int SyncValue() const override { return sync; }
    std::wstring LogText() const override { return logText; }
    void SetLogText(const std::wstring& text) override { logText = text; }
    void SetPanel(int panel, const std::wstring& text) override { panels[panel] = text; }
    int BarValue() const override { return barValue; }
    int BarMax() const override { return barMax; }
    void SetBarValue(int value) override { barValue = value; barValues.push_back(value); }
    void SetBarMax(int max) override { barMax = max; if (barValue > max) barValue = max; }
    mdlCopyBar::ProgressBar& CopyProgressBar() override { return *this; }
    void SetLogScroll(int min, int max, int value) override;
    void YieldToWindow() override;
    void ShowError(const std::wstring& text) override { errors.push_back(text); }

    void SetValue(int value) override { SetBarValue(value); }
    int Value() const override { return barValue; }
    std::wstring ProgressLabel() const override { return texts->CapPanelProgress; }
    void SetProgressPanel(const std::wstring& text) override { panels[3] = text; }

private:
    RunState& state_;
    bool inYield_ = false;
};

}  // namespace tunelift::testing
