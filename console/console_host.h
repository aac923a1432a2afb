// The run's host on the command line: the boxes are the arguments, the options the
// switches, and the log view is standard output, written piece by piece as the run goes.
// It never asks anything; Ctrl+C does what the Cancel button does.
#pragma once
#include <string>

#include "console/cli_args.h"
#include "console/cli_system.h"
#include "console/cli_texts.h"
#include "console/console_files.h"
#include "engine/export_run.h"
#include "engine/run_host.h"

namespace tunelift::cli {

class ConsoleHost final : public RunHost {
public:
    // `playlist` and `destination` are full paths.
    ConsoleHost(const CliCommand& command, std::wstring playlist, std::wstring destination, CliSystem& system,
                RunState& state, ConsoleFiles& files);

    // Ends the last line the run printed, if any.
    void EndOutput();
    // The counts of the run's last handled line.
    const RunProgress& Progress() const { return progress_; }
    const CliTexts& CliText() const { return CliTextsFor(command_.german); }

    std::wstring Text(RunText id) const override;
    std::wstring PathFrom() const override { return playlist_; }
    std::wstring PathTo() const override { return destination_; }
    int OverwriteValue() const override { return command_.overwrite ? 1 : 0; }
    int SyncValue() const override { return command_.sync ? 1 : 0; }
    RunOptions Options() const override;
    std::wstring LogText() const override { return logText_; }
    void SetLogText(const std::wstring& text) override { logText_ = text; }
    void LogAppended(const std::wstring& piece) override;
    void LineHandled(const RunProgress& progress) override;
    void SetPanel(int panel, const std::wstring& text) override;
    int BarValue() const override { return barValue_; }
    int BarMax() const override { return barMax_; }
    void SetBarValue(int value) override { barValue_ = value; }
    void SetBarMax(int max) override { barMax_ = max; }
    void SetLogScroll(int, int, int) override {}
    void YieldToWindow() override;
    void ShowError(const std::wstring& text) override { system_.WriteError(text + L"\n"); }

private:
    void Print(const std::wstring& text);

    const CliCommand& command_;
    const std::wstring playlist_;
    const std::wstring destination_;
    CliSystem& system_;
    RunState& state_;
    ConsoleFiles& files_;
    std::wstring logText_;
    std::wstring entrySource_;  // S of the entry being handled, as the playlist writes it
    RunProgress progress_;
    int barValue_ = 0;
    int barMax_ = 100;
    bool printed_ = false;
    bool atLineStart_ = true;
};

}  // namespace tunelift::cli
