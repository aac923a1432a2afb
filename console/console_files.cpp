#include "console/console_files.h"

namespace tunelift::cli {

bool ConsoleFiles::FileExists(const std::wstring& file) {
    if (!dryRun_) return real_.FileExists(file);
    const std::wstring key = real_.NameKey(file);
    return !gone_.contains(key) && (made_.contains(key) || real_.FileExists(file));
}

bool ConsoleFiles::FileCopy(const std::wstring& source, const std::wstring& dest, const ProgressReport& progress) {
    if (!dryRun_) return real_.FileCopy(source, dest, progress);
    // A source that is not there would fail the real copy too.
    if (!FileExists(source)) return false;
    const std::wstring key = real_.NameKey(dest);
    gone_.erase(key);
    made_[key] = StampOf(source);  // a copy keeps its song's size and time
    return true;
}

std::optional<FileStamp> ConsoleFiles::StampOf(const std::wstring& file) {
    if (dryRun_) {
        const std::wstring key = real_.NameKey(file);
        if (const auto made = made_.find(key); made != made_.end()) return made->second;
        if (gone_.contains(key)) return std::nullopt;
    }
    return real_.StampOf(file);
}

bool ConsoleFiles::RemoveFile(const std::wstring& path) {
    if (!dryRun_) return real_.RemoveFile(path);
    if (!FileExists(path)) return false;
    const std::wstring key = real_.NameKey(path);
    made_.erase(key);
    gone_.insert(key);
    return true;
}

bool ConsoleFiles::RenameFile(const std::wstring& from, const std::wstring& to) {
    if (!dryRun_) return real_.RenameFile(from, to);
    const std::wstring fromKey = real_.NameKey(from), toKey = real_.NameKey(to);
    if (!FileExists(from) || (toKey != fromKey && FileExists(to))) return false;
    const std::optional<FileStamp> stamp = StampOf(from);
    made_.erase(fromKey);
    gone_.insert(fromKey);
    gone_.erase(toKey);
    made_[toKey] = stamp;
    return true;
}

// The run's end says what a dry run would have written.
bool ConsoleFiles::WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    if (!dryRun_) return real_.WriteWholeFile(path, bytes);
    written_.push_back(path);
    return true;
}

}  // namespace tunelift::cli
