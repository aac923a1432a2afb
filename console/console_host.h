// The run's host on the command line: the choices are the arguments and switches, and
// the log goes to standard output piece by piece as the run tells it. It never asks
// anything; Ctrl+C does what the Cancel button does.
#pragma once
#include <string>

#include "console/cli_args.h"
#include "console/cli_system.h"
#include "console/cli_texts.h"
#include "engine/export_run.h"
#include "engine/run_host.h"

namespace tunelift::cli {

class ConsoleHost final : public RunHost {
public:
    // `playlist` and `destination` are full paths.
    ConsoleHost(const CliCommand& command, std::wstring playlist, std::wstring destination, CliSystem& system,
                RunState& state);

    // Ends the last line the run printed, if any.
    void EndOutput();
    // The counts of the run's last handled line, and the files Sync deleted.
    const RunProgress& Progress() const { return progress_; }
    int Deleted() const { return deleted_; }
    const CliTexts& CliText() const { return CliTextsFor(command_.german); }

    const RunTexts& Texts() const override { return command_.german ? kRunGerman : kRunEnglish; }
    std::wstring Playlist() const override { return playlist_; }
    std::wstring Destination() const override { return destination_; }
    bool Overwrite() const override { return command_.overwrite; }
    bool Sync() const override { return command_.sync; }
    RunOptions Options() const override;
    void Tell(const RunEvent& event) override;

private:
    void Print(const std::wstring& text);
    void DryRunLine(const run_event::EntryEnded& ended);

    const CliCommand& command_;
    const std::wstring playlist_;
    const std::wstring destination_;
    CliSystem& system_;
    RunState& state_;
    run_event::EntryStarted entry_;  // the entry being handled
    RunProgress progress_;
    int deleted_ = 0;
    bool printed_ = false;
    bool atLineStart_ = true;
};

}  // namespace tunelift::cli
