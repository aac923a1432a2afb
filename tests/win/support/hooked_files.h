// The real file services, with hooks a test can hold a run at: before each copy, and
// once in each copy when half of it is written (on the run's own thread, so that a
// copy lasts until the test has seen or done what it waits for).
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "engine/file_services.h"
#include "win/file_services_win.h"

namespace tunelift::testing {

// Every service is passed on: one left to the base's default would quietly do nothing.
class HookedFiles : public FileServices {
public:
    std::function<void(int copyNumber)> beforeCopy;
    std::function<void(const std::wstring& source)> halfWay;

    bool FileCopy(const std::wstring& s, const std::wstring& d, const ProgressReport& progress) override {
        return real_->FileCopy(s, d, Hooked(s, progress));
    }
    VerifiedCopy FileCopyVerified(const std::wstring& s, const std::wstring& d, const ProgressReport& copying,
                                  const ProgressReport& verifying) override {
        return real_->FileCopyVerified(s, d, Hooked(s, copying), verifying);
    }
    std::optional<SongDigest> ReadBackDigest(const std::wstring& f, const ProgressReport& p) override {
        return real_->ReadBackDigest(f, p);
    }
    PlaylistLine ReadPlaylistLine(const std::wstring& f, int32_t n) override { return real_->ReadPlaylistLine(f, n); }
    std::wstring ReadAll(const std::wstring& f) override { return real_->ReadAll(f); }
    std::optional<std::string> ReadPlaylistBytes(const std::wstring& f) override { return real_->ReadPlaylistBytes(f); }
    ReaderServices PlaylistReaders() override { return real_->PlaylistReaders(); }
    bool FileExists(const std::wstring& f) override { return real_->FileExists(f); }
    std::unique_ptr<FileSearch> StartSearch(const std::wstring& p) override { return real_->StartSearch(p); }
    bool RemoveFile(const std::wstring& p) override { return real_->RemoveFile(p); }
    bool RenameFile(const std::wstring& f, const std::wstring& t) override { return real_->RenameFile(f, t); }
    std::wstring NameKey(const std::wstring& n) override { return real_->NameKey(n); }
    std::wstring CurrentFolder() override { return real_->CurrentFolder(); }
    std::optional<FileStamp> StampOf(const std::wstring& f) override { return real_->StampOf(f); }
    bool SetLastWriteTime(const std::wstring& f, uint64_t t) override { return real_->SetLastWriteTime(f, t); }
    std::optional<uint64_t> FreeBytes(const std::wstring& f) override { return real_->FreeBytes(f); }
    bool WriteWholeFile(const std::wstring& p, std::string_view b) override { return real_->WriteWholeFile(p, b); }
    std::optional<std::string> EncodeAnsi(const std::wstring& t) override { return real_->EncodeAnsi(t); }

    int Copies() const { return copies_; }

private:
    // Calls beforeCopy now, and halfWay once the copy of `source` is half written.
    ProgressReport Hooked(const std::wstring& source, const ProgressReport& progress) {
        ++copies_;
        if (beforeCopy) beforeCopy(copies_);
        return [this, source, progress, half = false](uint64_t total, uint64_t done) mutable {
            if (progress) progress(total, done);
            if (half || done * 2 < total || done == 0) return;
            half = true;
            if (halfWay) halfWay(source);
        };
    }

    std::unique_ptr<FileServices> real_ = win::CreateFileServices();
    int copies_ = 0;
};

// Waits up to 20 s for `done` on the run's thread; a test that never gets there fails
// on what it then sees, instead of hanging.
inline void WaitUntil(const std::function<bool()>& done) {
    for (int ms = 0; ms < 20000 && !done(); ms += 2) Sleep(2);
}

}  // namespace tunelift::testing
