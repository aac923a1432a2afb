// A FileServices over real folders, a window stand-in that records what it would
// show, and a scratch folder that removes itself.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "scratch_folder.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/copy_bar.h"
#include "engine/file_services.h"
#include "engine/run_host.h"
#include "win/folder_search_win.h"

namespace synctest {

using namespace tunelift;

// The entries of a real search in name order, for tests that need one.
inline std::unique_ptr<FileSearch> SortedSearch(std::unique_ptr<FileSearch> search) {
    std::vector<FindRecord> records;
    FindRecord r;
    while (search->Next(r)) records.push_back(r);
    std::sort(records.begin(), records.end(), [](const FindRecord& a, const FindRecord& b) { return a.Name < b.Name; });
    return std::make_unique<RecordListSearch>(std::move(records));
}

class FolderServices : public FileServices {
public:
    bool sortSearches = false;
    std::vector<std::wstring> deleteCalls;
    std::function<void(const std::wstring&)> onDelete;

    std::wstring ReadLine(const std::wstring&, int32_t) override {
        ADD_FAILURE() << "the sync reads no playlist";
        return L"";
    }
    std::wstring ReadAll(const std::wstring&) override {
        ADD_FAILURE() << "the sync reads no playlist";
        return L"";
    }
    bool FileExists(const std::wstring& file) override {
        const DWORD a = GetFileAttributesW(file.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool FileCopy(const std::wstring& source, const std::wstring& dest) override {
        return CopyFileW(source.c_str(), dest.c_str(), FALSE) != FALSE;
    }
    std::unique_ptr<FileSearch> StartSearch(const std::wstring& pattern) override {
        auto search = win::StartSearch(pattern);
        if (search && sortSearches) return SortedSearch(std::move(search));
        return search;
    }
    bool RemoveFile(const std::wstring& path) override {
        deleteCalls.push_back(path);
        if (onDelete) onDelete(path);
        return win::DeleteFileLiteral(path);
    }
    std::wstring NameKey(const std::wstring& name) override { return win::NameKey(name); }
};

class NullBar : public mdlCopyBar::ProgressBar {
public:
    void SetValue(int) override {}
    int Value() const override { return 0; }
    std::wstring ProgressLabel() const override { return L"Progress"; }
    void SetProgressPanel(const std::wstring&) override {}
    void YieldToWindow() override {}
};

class RecordingHost : public RunHost {
public:
    int value = 100;
    int max = 100;
    std::vector<int> barValues;
    std::map<int, std::wstring> panels;
    NullBar bar;

    std::wstring Text(RunText) const override { return L""; }
    std::wstring PathFrom() const override { return L""; }
    std::wstring PathTo() const override { return L""; }
    int OverwriteValue() const override { return 0; }
    int SyncValue() const override { return 1; }
    std::wstring LogText() const override { return L""; }
    void SetLogText(const std::wstring&) override {}
    void SetPanel(int panel, const std::wstring& text) override { panels[panel] = text; }
    int BarValue() const override { return value; }
    int BarMax() const override { return max; }
    void SetBarValue(int v) override {
        if (v < 0 || v > max) ADD_FAILURE() << "bar value " << v << " above its maximum " << max;
        else value = v;
        barValues.push_back(v);
    }
    void SetBarMax(int m) override {
        max = m;
        value = std::min(value, m);
    }
    mdlCopyBar::ProgressBar& CopyProgressBar() override { return bar; }
    void SetLogScroll(int, int, int) override {}
    void YieldToWindow() override {}
    void ShowError(const std::wstring&) override {}
};

using ScratchFolder = tunelift::testing::ScratchFolder;

}  // namespace synctest
