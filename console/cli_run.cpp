#include "console/cli_run.h"

#include "console/cli_args.h"
#include "console/cli_texts.h"
#include "console/console_files.h"
#include "console/console_host.h"
#include "engine/export_run.h"
#include "engine/full_path.h"
#include "engine/run_texts.h"
#include "tunelift_version.h"

namespace tunelift::cli {
namespace {

int Refuse(CliSystem& system, const CliTexts& t, const std::wstring& why) {
    system.WriteError((why.empty() ? std::wstring() : why + L"\n\n") + UsageText(&t == &kCliGerman));
    return kRefused;
}

// The line a run ends on when it does not end at the playlist's end.
const wchar_t* EndText(const RunTexts& run, RunEnd end) {
    switch (end) {
        case RunEnd::NoPlaylist: return run.MsgNoPlaylist;
        case RunEnd::Canceled: return run.MsgCanceled;
        case RunEnd::PlaylistUnreadable: return run.MsgPlaylistUnreadable;
        default: return nullptr;
    }
}

// The folder a playlist's relative entries mean, as a drop onto the window makes it current.
std::wstring FolderOf(const std::wstring& playlist) {
    const size_t slash = playlist.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    std::wstring folder = playlist.substr(0, slash);
    // "C:" alone would mean that drive's own current folder.
    if (folder.empty() || folder.back() == L':') folder += L'\\';
    return folder;
}

}  // namespace

int RunCli(const std::vector<std::wstring>& args, FileServices& files, CliSystem& system) {
    const CliParse parse = ParseCliArgs(args);
    const CliCommand& command = parse.command;
    const CliTexts& t = CliTextsFor(command.german);
    if (command.help) {
        system.Write(UsageText(command.german));
        return kAllOk;
    }
    if (command.version) {
        system.Write(L"tunelift-cli " TUNELIFT_VERSION_W L"\n");
        return kAllOk;
    }
    if (parse.error != CliError::None) return Refuse(system, t, RefusalText(t, parse.error, parse.culprit));

    // Both paths are made full where the user typed them, before the playlist's folder
    // becomes current.
    const std::wstring here = files.CurrentFolder();
    const std::wstring playlist = FullPathIn(here, command.playlist);
    const std::wstring destination = FullFolderIn(here, command.destination);
    if (!files.FileExists(playlist)) return Refuse(system, t, t.MsgPlaylistNotFound + playlist);
    // A copy into a folder that is not there would only log an error per song.
    if (command.copy && !system.FolderExists(destination))
        return Refuse(system, t, t.MsgDestinationNotFound + destination);
    if (const std::wstring folder = FolderOf(playlist); !folder.empty()) system.EnterFolder(folder);

    ConsoleFiles watched(files, command.dryRun);
    RunState state;
    ConsoleHost host(command, playlist, destination, system, state);
    system.ListenForInterrupt(t.MsgInterrupted);
    const RunEnd end = SaveFiles(host, watched, state, command.copy);

    // A dry run printed no log; it still says how the run ended.
    if (command.dryRun) {
        host.EndOutput();
        for (const std::wstring& path : watched.Written()) system.Write(t.WouldWrite + path + L"\n");
        if (const wchar_t* last = EndText(host.Texts(), end))
            system.Write(std::wstring(last) + L"\n");
    }
    host.EndOutput();
    // The run's own line said why ("No playlist found!").
    if (end == RunEnd::NoPlaylist || end == RunEnd::InputRefused || end == RunEnd::Busy)
        return Refuse(system, t, {});

    const RunProgress& p = host.Progress();
    system.Write(SummaryLine(t, p.entries, p.ok, host.Deleted()) + L"\n");
    if (end == RunEnd::Canceled) return kInterrupted;
    if (end == RunEnd::PlaylistUnreadable || p.ok < p.entries) return kEntryFailed;
    return kAllOk;
}

}  // namespace tunelift::cli
