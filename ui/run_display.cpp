#include "ui/run_display.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "engine/copy_bar.h"

namespace tunelift::ui {
namespace {

// The log scroll bar holds 16-bit positions: line 32770 is the last it can follow.
constexpr int kLastScrollLine = std::numeric_limits<int16_t>::max() + 3;

std::wstring PanelText(const wchar_t* label, const std::wstring& value) { return label + (L": " + value); }

}  // namespace

void RunDisplay::Apply(const RunEvent& event, const mdlLanguage::Texts& texts) {
    using namespace run_event;
    std::visit(
        [&](const auto& e) {
            using E = std::decay_t<decltype(e)>;
            if constexpr (std::is_same_v<E, Started>) {
                screen_.SetBarValue(0);
            } else if constexpr (std::is_same_v<E, LogCleared>) {
                kind_.reset();
                screen_.SetLogText(L"");
                screen_.SetBarValue(0);
            } else if constexpr (std::is_same_v<E, PlaylistOpened>) {
                kind_ = e.kind;
            } else if constexpr (std::is_same_v<E, LogPiece>) {
                if (e.place == LogPlace::Slot) AppendToSlot(e.line, e.text);
                else if (e.place == LogPlace::Appended) screen_.SetLogText(screen_.LogText() + e.text);
                else screen_.SetLogText(e.text);
            } else if constexpr (std::is_same_v<E, EntryStarted>) {
                screen_.SetPanel(1, PanelText(texts.CapPanelFile, e.source));
                screen_.SetPanel(2, PanelText(texts.CapPanelFilename, e.destName));
                screen_.SetBarValue(0);
                // Lines past the last slot share it, each replacing the one before.
                if (kind_ == PlaylistKind::M3u && e.line > RunLog::kLastSlot) log_.ClearSlot(RunLog::kLastSlot);
            } else if constexpr (std::is_same_v<E, Verifying>) {
                // The copy being read back, in place of its song; the bar starts again.
                screen_.SetPanel(1, PanelText(texts.CapPanelVerifying, e.destination));
                screen_.SetPanel(2, PanelText(texts.CapPanelFilename, e.destName));
                screen_.SetBarValue(0);
            } else if constexpr (std::is_same_v<E, CopyProgress>) {
                ShowProgress(e.total, e.done, texts);
            } else if constexpr (std::is_same_v<E, LineHandled>) {
                if (kind_ == PlaylistKind::M3u) FollowLine(e.progress.line);
            } else if constexpr (std::is_same_v<E, DeletionsStarted>) {
                screen_.SetBarMax(e.killCount);
                screen_.SetBarValue(0);
            } else if constexpr (std::is_same_v<E, Deleting>) {
                // The bar counts failed comparisons, not files: a place past it is refused.
                if (e.index <= static_cast<size_t>(screen_.BarMax())) screen_.SetBarValue(static_cast<int>(e.index));
                screen_.SetPanel(1, kPanelKillingFiles);
                screen_.SetPanel(2, kPanelKilling + e.name);
            } else if constexpr (std::is_same_v<E, DeletionsEnded>) {
                if (screen_.BarMax() >= 100) screen_.SetBarValue(100);
                screen_.SetBarMax(100);
            } else if constexpr (std::is_same_v<E, Ended>) {
                if (!e.finishStep) return;
                screen_.SetBarValue(0);
                screen_.SetPanel(3, PanelText(texts.CapPanelProgress, std::to_wstring(screen_.BarValue()) + L"%"));
            }
        },
        event);
}

// Every piece goes into the slot of its line, and the view shows the slots of the last
// hundred lines up to it.
void RunDisplay::AppendToSlot(int line, const std::wstring& piece) {
    const int last = std::min(line, RunLog::kLastSlot);
    log_.Append(last, piece);
    const int first = line > RunLog::kLastSlot ? last - 100 : std::max(1, line - 100);
    screen_.SetLogText(log_.TheLogData(first, last));
}

void RunDisplay::ShowProgress(uint64_t total, uint64_t done, const mdlLanguage::Texts& texts) {
    screen_.SetBarValue(mdlCopyBar::Percent(total, done));
    screen_.SetPanel(3, PanelText(texts.CapPanelProgress, std::to_wstring(screen_.BarValue()) + L"%"));
}

// Past line 100 the scroll bar follows the run: its range ends three slots before the
// next line, and the position there shows the four slots up to it.
void RunDisplay::FollowLine(int handled) {
    const int next = handled + 1;
    if (next <= 100 || next > kLastScrollLine) return;
    if (screen_.SetScroll(1, next - 3, next - 3)) ScrollRefresh(next - 3);
}

void RunDisplay::ScrollRefresh(int position) {
    if (auto text = ScrollRefreshText(log_, position)) screen_.SetLogText(*text);
}

}  // namespace tunelift::ui
