// A scratch folder per test on the real file system, and a progress bar that records.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/copy_bar.h"

namespace copytest {

namespace fs = std::filesystem;

class RecordingBar : public tunelift::mdlCopyBar::ProgressBar {
public:
    explicit RecordingBar(std::wstring label = L"Progress") : label(std::move(label)) {}
    void SetValue(int v) override { value = v; values.push_back(v); }
    int Value() const override { return value; }
    std::wstring ProgressLabel() const override { return label; }
    void SetProgressPanel(const std::wstring& text) override { panel = text; }
    void YieldToWindow() override {
        ++yields;
        if (onYield) onYield();
    }

    std::wstring label;
    int value = -1;
    std::vector<int> values;
    std::wstring panel;
    int yields = 0;
    std::function<void()> onYield;
};

std::string Bytes(size_t size, unsigned seed);
void WriteBytes(const fs::path& path, const std::string& bytes);
std::string ReadBytes(const fs::path& path);
// Last-write time as the kernel reports it, in 100 ns units.
uint64_t LastWrite(const fs::path& path);
void SetLastWrite(const fs::path& path, uint64_t time);
std::vector<std::wstring> Names(const fs::path& folder);

class CopyTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    fs::path dir;  // empty scratch folder
};

}  // namespace copytest
