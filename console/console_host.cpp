#include "console/console_host.h"

#include <type_traits>
#include <utility>

namespace tunelift::cli {

ConsoleHost::ConsoleHost(const CliCommand& command, std::wstring playlist, std::wstring destination,
                         CliSystem& system, RunState& state)
    : command_(command),
      playlist_(std::move(playlist)),
      destination_(std::move(destination)),
      system_(system),
      state_(state) {}

RunOptions ConsoleHost::Options() const {
    RunOptions options = command_.options;
    // Sync was asked for on the command line itself: there is nobody to ask again.
    options.askBeforeSync = false;
    // A dry run keeps --write-playlist, so that its Sync spares the playlist the real run
    // writes anew; ConsoleFiles writes nothing.
    // No window rule binds the command line: it reads every kind the readers know.
    options.allKinds = true;
    return options;
}

// The run writes its log as the window shows it: every piece starts a new line with
// CR LF. The console gets plain line ends, and no empty first line.
void ConsoleHost::Print(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        out += text[i];
    }
    if (!printed_ && out.starts_with(L'\n')) out.erase(0, 1);
    if (out.empty()) return;
    printed_ = true;
    atLineStart_ = out.back() == L'\n';
    system_.Write(out);
}

void ConsoleHost::EndOutput() {
    if (!atLineStart_) system_.Write(L"\n");
    atLineStart_ = true;
}

void ConsoleHost::Tell(const RunEvent& event) {
    // The run clears its cancel flag after listing the destination: an interrupt stays
    // noted here and reaches the run with its next event.
    if (system_.Interrupted()) state_.bCancel = true;
    std::visit(
        [this](const auto& e) {
            using E = std::decay_t<decltype(e)>;
            using namespace run_event;
            if constexpr (std::is_same_v<E, Refused>) {
                system_.WriteError(e.message + L"\n");
            } else if constexpr (std::is_same_v<E, LogPiece>) {
                // A dry run copies nothing: "copied to:" would be untrue, so it tells what it would do.
                if (!command_.dryRun) Print(e.text);
            } else if constexpr (std::is_same_v<E, EntryStarted>) {
                entry_ = e;
            } else if constexpr (std::is_same_v<E, EntryEnded>) {
                progress_ = e.progress;
                if (command_.dryRun) DryRunLine(e);
            } else if constexpr (std::is_same_v<E, LineHandled>) {
                progress_ = e.progress;
            } else if constexpr (std::is_same_v<E, Deleting>) {
                if (command_.dryRun) Print(L"\n" + (CliText().WouldDelete + e.path));
            } else if constexpr (std::is_same_v<E, Ended>) {
                progress_ = e.progress;
                deleted_ = e.deleted;
            }
        },
        event);
}

void ConsoleHost::DryRunLine(const run_event::EntryEnded& ended) {
    const CliTexts& t = CliText();
    // The destination folder, as the copy's full path begins.
    const std::wstring folder = entry_.destination.substr(0, entry_.destination.size() - entry_.destName.size());
    if (!ended.ok) Print(L"\n" + (t.WouldFail + entry_.source));
    else if (ended.outcome == run_event::Outcome::Copied) Print(L"\n" + (t.WouldCopy + entry_.source + L" -> " + entry_.destination));
    else if (ended.outcome == run_event::Outcome::Renamed) Print(L"\n" + (t.WouldRename + folder + ended.renamedFrom + L" -> " + entry_.destination));
    else Print(L"\n" + (t.WouldLeave + entry_.destination));
}

}  // namespace tunelift::cli
