// The texts only the command line shows, in English and German. The run's own lines
// come from the window's language tables, so both front ends say the same.
#pragma once
#include <string>

#include "console/cli_args.h"
#include "engine/run_options.h"

namespace tunelift::cli {

struct CliTexts {
    const wchar_t* UsageHead;  // the usage up to the options' switches
    const wchar_t* UsageTail;  // and after them
    const wchar_t* MsgNoCommand;
    const wchar_t* MsgUnknownCommand;      // followed by the word
    const wchar_t* MsgMissingPlaylist;
    const wchar_t* MsgMissingDestination;
    const wchar_t* MsgTooManyArguments;    // followed by the word
    const wchar_t* MsgUnknownSwitch;       // followed by the word
    const wchar_t* MsgBadLanguage;         // followed by the word
    const wchar_t* MsgDryRunWithCheck;
    const wchar_t* MsgPlaylistNotFound;    // followed by the path
    const wchar_t* MsgDestinationNotFound; // followed by the path
    const wchar_t* MsgInterrupted;
    const wchar_t* WouldCopy;              // followed by source, " -> ", destination file
    const wchar_t* WouldLeave;             // followed by the destination file
    const wchar_t* WouldDelete;            // followed by the file
    const wchar_t* WouldFail;              // followed by the source
    const wchar_t* WouldRename;            // followed by the old file, " -> ", the new one
    const wchar_t* WouldWrite;             // followed by the file
    const wchar_t* SumEntries;
    const wchar_t* SumOk;
    const wchar_t* SumErrors;
    const wchar_t* SumDeleted;
};

extern const CliTexts kCliEnglish;
extern const CliTexts kCliGerman;

inline const CliTexts& CliTextsFor(bool german) { return german ? kCliGerman : kCliEnglish; }

// The whole usage: its head, a line per option switch, its tail.
std::wstring UsageText(bool german);

// Why a command line is refused, as one line without its end.
std::wstring RefusalText(const CliTexts& t, CliError error, const std::wstring& culprit);

// "entries: 3, ok: 2, errors: 1, deleted: 0"
std::wstring SummaryLine(const CliTexts& t, int entries, int ok, int deleted);

}  // namespace tunelift::cli
