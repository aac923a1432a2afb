// A scratch folder per test on the real file system; the scripted window stands in for
// the one whose bar the copies drive.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/copy_bar.h"
#include "tests/support/scripted_host.h"

namespace copytest {

namespace fs = std::filesystem;

using tunelift::testing::ScriptedHost;

std::string Bytes(size_t size, unsigned seed);
void WriteBytes(const fs::path& path, const std::string& bytes);
std::string ReadBytes(const fs::path& path);
// Last-write time as the kernel reports it, in 100 ns units.
uint64_t LastWrite(const fs::path& path);
void SetLastWrite(const fs::path& path, uint64_t time);
std::vector<std::wstring> Names(const fs::path& folder);
// A copy's progress reports, told to `window` as a run tells them.
inline tunelift::ProgressReport Watch(ScriptedHost& window) {
    return [&window](uint64_t total, uint64_t done) { window.Tell(tunelift::run_event::CopyProgress{total, done}); };
}

class CopyTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    fs::path dir;  // empty scratch folder
};

}  // namespace copytest
