// A run driven natively: the scripted window with both path boxes filled, over a memory
// file system that holds the destination folder.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/export_run.h"
#include "tests/support/memory_files.h"
#include "tests/support/scripted_host.h"

namespace tunelift::testing {

inline const std::wstring kList = L"C:\\Lists\\mix.m3u";
inline const std::wstring kDest = L"E:\\Player";

// The files directly in a folder as "name=content|...", by name.
inline std::wstring FolderText(const MemoryFiles& files, const std::wstring& folder = kDest) {
    std::vector<std::wstring> names = files.Names(folder);
    std::sort(names.begin(), names.end());
    std::wstring text;
    for (const auto& n : names) text += (text.empty() ? L"" : L"|") + n + L"=" + files.Content(folder + L"\\" + n);
    return text;
}

// A Save run of `list` into kDest, the host's other choices as the test set them.
inline RunEnd SaveInto(ScriptedHost& host, MemoryFiles& files, RunState& state, const std::wstring& list = kList) {
    host.pathFrom = list;
    host.pathTo = kDest;
    return SaveFiles(host, files, state, true);
}

template <class Files = MemoryFiles>
class RunFixture : public ::testing::Test {
protected:
    void SetUp() override {
        host.pathFrom = kList;
        host.pathTo = kDest;
        files.AddFolder(kDest);
    }
    RunEnd Save() { return SaveFiles(host, files, state, true); }
    RunEnd Check() { return SaveFiles(host, files, state, false); }

    RunState state;
    ScriptedHost host;
    Files files;
};

}  // namespace tunelift::testing
