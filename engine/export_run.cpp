#include "engine/export_run.h"

#include <limits>

#include "engine/copy_bar.h"
#include "engine/file_names.h"
#include "engine/playlist_rules.h"

namespace tunelift {
namespace {

const std::wstring kCrLf = L"\r\n";

// The log scroll bar holds 16-bit positions: line 32770 is the last it can follow.
constexpr int kLastScrollLine = std::numeric_limits<int16_t>::max() + 3;

class ExportRun {
public:
    ExportRun(RunHost& host, FileServices& files, RunState& state, bool copy)
        : host_(host), files_(files), state_(state), copy_(copy) {}

    RunEnd Run();

private:
    std::wstring Text(RunText id) const { return host_.Text(id); }
    void YieldToWindow() { host_.YieldToWindow(); }

    // Lines past the last slot share it, each replacing the one before.
    static int SlotOf(int line) { return std::min(line, RunLog::kLastSlot); }
    void AppendToSlot(const std::wstring& piece) {
        state_.runLog.Append(SlotOf(logLine_), piece);
        ShowLog();
    }
    void ShowLog() {
        const int last = SlotOf(logLine_);
        const int first = logLine_ > RunLog::kLastSlot ? last - 100 : logWindowStart_;
        host_.SetLogText(state_.runLog.TheLogData(first, last, [this] { YieldToWindow(); }));
    }
    void AppendToBox(const std::wstring& piece) { host_.SetLogText(host_.LogText() + piece); }

    void AdvanceM3uLine();
    void KeepPlaylistInDestination();
    void HandleEntry(PlaylistKind kind, const PlaylistEntry& entry);
    RunEnd Finish(RunEnd end);

    RunHost& host_;
    FileServices& files_;
    RunState& state_;
    const bool copy_;

    std::wstring playlist_;
    std::wstring destination_;
    int logLine_ = 1;
    int logWindowStart_ = 1;
    int okCount_ = 0;
    int entryCount_ = 0;
};

RunEnd ExportRun::Run() {
    // An empty or prompt-only box refuses the run before anything on the window changes.
    const std::wstring from = host_.PathFrom();
    if (from.empty() || from == Text(RunText::PromptPlaylist)) {
        host_.ShowError(Text(RunText::SelectPlaylist));
        return RunEnd::InputRefused;
    }
    const std::wstring to = host_.PathTo();
    if (to.empty() || to == Text(RunText::PromptDestination)) {
        host_.ShowError(Text(RunText::SelectDestination));
        return RunEnd::InputRefused;
    }

    host_.SetBarValue(0);
    okCount_ = entryCount_ = 0;

    // The listing is taken before any copy, so a file this run copies is never a
    // deletion candidate; a listing of an earlier run is never used.
    state_.sync.BeginRun();
    if (host_.SyncValue() == 1) state_.sync.List(files_, [this] { YieldToWindow(); }, to);

    // A Cancel pressed while the destination was listed is forgotten.
    state_.bCancel = false;
    host_.SetLogText(L"");
    playlist_ = host_.PathFrom();
    // The destination is read once: a box edited or a language switched during the run
    // must not send later copies, or the deletion, to another folder.
    destination_ = host_.PathTo();
    if (destination_ != to) state_.sync.BeginRun();
    logLine_ = logWindowStart_ = 1;
    state_.sync.ResetEntries();
    host_.SetBarValue(0);
    mdlCopyBar::CopyBar = &host_;
    if (copy_ && destination_.empty()) return RunEnd::Finished;

    // The first line alone decides what kind of playlist this is.
    const auto kind = PlaylistKindOf(files_.ReadLine(playlist_, 1));
    if (!kind) {
        host_.SetLogText(Text(RunText::NoPlaylist));
        return Finish(RunEnd::NoPlaylist);
    }
    if (*kind == PlaylistKind::M3u) {
        for (;;) {
            const std::wstring line = files_.ReadLine(playlist_, logLine_);
            if (line.empty()) break;
            YieldToWindow();
            if (state_.bCancel) return Finish(RunEnd::Canceled);
            if (auto entry = PlaylistEntryOf(PlaylistKind::M3u, line)) HandleEntry(*kind, *entry);
            AdvanceM3uLine();
        }
        if (copy_ && host_.SyncValue() == 1) {
            KeepPlaylistInDestination();
            state_.sync.SyncDestination(files_, host_);
        }
        AppendToSlot(kCrLf + Text(copy_ ? RunText::AllCopied : RunText::SearchFinished));
        return Finish(RunEnd::Finished);
    }

    // "[playlist]": the header line is read again and is no entry; the log goes straight
    // into the view.
    for (logLine_ = 1;; ++logLine_) {
        const std::wstring line = files_.ReadLine(playlist_, logLine_);
        if (line.empty()) {
            AppendToBox(kCrLf + Text(copy_ ? RunText::AllCopied : RunText::SearchFinished));
            return Finish(RunEnd::Finished);
        }
        YieldToWindow();
        if (state_.bCancel) return Finish(RunEnd::Canceled);
        if (auto entry = PlaylistEntryOf(PlaylistKind::Pls, line)) HandleEntry(*kind, *entry);
    }
}

void ExportRun::AdvanceM3uLine() {
    ++logLine_;
    if (logLine_ <= 100) return;
    logWindowStart_ = logLine_ - 100;
    if (logLine_ <= kLastScrollLine) host_.SetLogScroll(1, logLine_ - 3, logLine_ - 3);
}

// A playlist kept in the folder it is copied into is no stray file: Sync must not
// delete the list the user is running, named in it or not.
void ExportRun::KeepPlaylistInDestination() {
    const auto folderKey = [this](std::wstring path) {
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        while (!path.empty() && path.back() == L'\\') path.pop_back();
        return files_.NameKey(path);
    };
    const size_t cut = playlist_.find_last_of(L"\\/");
    if (cut == std::wstring::npos || !state_.sync.HasListing()) return;
    if (folderKey(playlist_.substr(0, cut)) == folderKey(state_.sync.ListedFolder()))
        state_.sync.Record(playlist_.substr(cut + 1));
}

void ExportRun::HandleEntry(PlaylistKind kind, const PlaylistEntry& entry) {
    const std::wstring& S = entry.SourcePath;
    const std::wstring& N = entry.DestName;
    const bool slotForm = kind == PlaylistKind::M3u;

    host_.SetPanel(1, Text(RunText::PanelFile) + L": " + S);
    host_.SetPanel(2, Text(RunText::PanelFilename) + L": " + N);
    host_.SetBarValue(0);

    if (copy_ && slotForm && host_.SyncValue() == 1) state_.sync.Record(N);

    if (slotForm && logLine_ > RunLog::kLastSlot) state_.runLog.ClearSlot(RunLog::kLastSlot);
    std::wstring entryText = kCrLf + S;
    if (copy_) {
        entryText += kCrLf + Text(RunText::CopiedTo) + kCrLf + destination_ + L"\\";
        if (slotForm) entryText += N;
    }
    if (slotForm) AppendToSlot(entryText); else AppendToBox(entryText);

    const std::wstring D = destination_ + L"\\" + N;
    // A name that is no plain file name (a path, a stream colon, a device) would be
    // written outside the destination folder: such an entry is never copied.
    const bool safeName = IsPlainFileName(N);
    // A copy that was tried and failed (disk full, read-only or locked file, unreadable
    // source) is an error even when an older copy still lies under the name.
    bool copyFailed = false;
    if (copy_ && safeName) {
        if (entry.Form == EntryForm::PlsName || !files_.FileExists(D) || host_.OverwriteValue() == 1)
            copyFailed = !files_.FileCopy(S, D);
    }

    const bool ok = (safeName && !copyFailed && files_.FileExists(D)) || (!copy_ && files_.FileExists(S));
    if (ok) ++okCount_;
    ++entryCount_;
    const std::wstring outcome = kCrLf + std::to_wstring(okCount_) + L"/" +
                                 std::to_wstring(entryCount_) + (ok ? L" ok" : L" error") +
                                 kCrLf + L"---";
    if (slotForm) AppendToSlot(outcome); else AppendToBox(outcome);
    host_.EntryDone();
}

RunEnd ExportRun::Finish(RunEnd end) {
    if (state_.bCancel) {
        AppendToBox(kCrLf + Text(RunText::Canceled));
        end = RunEnd::Canceled;
    }
    host_.SetBarValue(0);
    host_.SetPanel(3, Text(RunText::PanelProgress) + L": " + std::to_wstring(host_.BarValue()) + L"%");
    return end;
}

struct RunningFlag {
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    bool& flag_;
};

}  // namespace

RunEnd SaveFiles(RunHost& host, FileServices& files, RunState& state, bool copy) {
    // A run started during another run's yield would interleave with it: refuse it.
    if (state.running) return RunEnd::Busy;
    RunningFlag running(state.running);
    return ExportRun(host, files, state, copy).Run();
}

}  // namespace tunelift
