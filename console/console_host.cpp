#include "console/console_host.h"

#include <utility>

#include "ui/language.h"

namespace tunelift::cli {

ConsoleHost::ConsoleHost(const CliCommand& command, std::wstring playlist, std::wstring destination,
                         CliSystem& system, RunState& state, ConsoleFiles& files)
    : command_(command),
      playlist_(std::move(playlist)),
      destination_(std::move(destination)),
      system_(system),
      state_(state),
      files_(files) {
    if (command_.dryRun) {
        files_.onDryDelete = [this](const std::wstring& path) { Print(L"\n" + (CliText().WouldDelete + path)); };
    }
}

std::wstring ConsoleHost::Text(RunText id) const {
    return mdlLanguage::TextFor(command_.german ? mdlLanguage::kGerman : mdlLanguage::kEnglish, id);
}

RunOptions ConsoleHost::Options() const {
    RunOptions options = command_.options;
    // Sync was asked for on the command line itself: there is nobody to ask again.
    options.askBeforeSync = false;
    // A dry run changes nothing, the playlist beside the songs included.
    if (command_.dryRun) options.writePlaylist = false;
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

void ConsoleHost::LogAppended(const std::wstring& piece) {
    // A dry run copies nothing: "copied to:" would be untrue, so it tells what it would do.
    if (!command_.dryRun) Print(piece);
}

void ConsoleHost::SetPanel(int panel, const std::wstring& text) {
    const std::wstring label = Text(RunText::PanelFile) + L": ";
    if (panel == 1 && text.starts_with(label)) entrySource_ = text.substr(label.size());
}

void ConsoleHost::LineHandled(const RunProgress& progress) {
    const bool entry = progress.entries > progress_.entries;
    const bool ok = progress.ok > progress_.ok;
    progress_ = progress;
    const LineActions actions = files_.TakeLineActions();
    if (!command_.dryRun || !entry) return;
    const CliTexts& t = CliText();
    if (!ok) Print(L"\n" + (t.WouldFail + entrySource_));
    else if (!actions.copiedTo.empty()) Print(L"\n" + (t.WouldCopy + entrySource_ + L" -> " + actions.copiedTo));
    else Print(L"\n" + (t.WouldLeave + actions.lastFound));
}

void ConsoleHost::YieldToWindow() {
    // The run clears its cancel flag after listing the destination: an interrupt stays
    // noted here and reaches it at the next yield.
    if (system_.Interrupted()) state_.bCancel = true;
}

}  // namespace tunelift::cli
