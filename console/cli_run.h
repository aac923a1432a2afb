// One run of tunelift-cli from its words to its exit code.
#pragma once
#include <string>
#include <vector>

#include "console/cli_system.h"
#include "engine/file_services.h"

namespace tunelift::cli {

enum ExitCode : int {
    kAllOk = 0,
    kEntryFailed = 1,
    kRefused = 2,
    kInterrupted = 3,
};

// `args` are the words after the program's name.
int RunCli(const std::vector<std::wstring>& args, FileServices& files, CliSystem& system);

}  // namespace tunelift::cli
