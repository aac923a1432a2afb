// The command line of tunelift-cli: its words in, a command or the reason it is refused
// out. Pure, so every spelling a user may type is tested without a process.
#pragma once
#include <string>
#include <vector>

#include "engine/run_options.h"

namespace tunelift::cli {

struct CliCommand {
    bool help = false;
    bool version = false;
    bool copy = true;          // copy: a Save run; check: a Check run
    std::wstring playlist;     // as typed
    std::wstring destination;  // as typed
    bool overwrite = false;
    bool sync = false;
    bool dryRun = false;
    bool german = false;
    RunOptions options;

    bool operator==(const CliCommand&) const = default;
};

enum class CliError {
    None,
    NoCommand,
    UnknownCommand,
    MissingPlaylist,
    MissingDestination,
    TooManyArguments,
    UnknownSwitch,
    BadLanguage,
    DryRunWithCheck,
};

struct CliParse {
    CliCommand command;  // in force when error is None; its language always is
    CliError error = CliError::None;
    std::wstring culprit;  // the word at fault, where there is one
};

// The words after the program's name. Commands, switches and language names are taken in
// any letter case, as everything else on Windows; "--" makes every later word a path.
CliParse ParseCliArgs(const std::vector<std::wstring>& args);

}  // namespace tunelift::cli
