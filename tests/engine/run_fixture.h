// A run driven natively: the scripted window with both path boxes filled, over a memory
// file system that holds the destination folder.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "engine/export_run.h"
#include "tests/support/memory_files.h"
#include "tests/support/scripted_host.h"

namespace tunelift::testing {

inline const std::wstring kList = L"C:\\Lists\\mix.m3u";
inline const std::wstring kDest = L"E:\\Player";

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
