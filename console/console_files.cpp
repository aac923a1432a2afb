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
    made_.insert(key);
    return true;
}

std::optional<FileStamp> ConsoleFiles::StampOf(const std::wstring& file) {
    if (dryRun_) {
        const std::wstring key = real_.NameKey(file);
        if (made_.contains(key) || gone_.contains(key)) return std::nullopt;
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

}  // namespace tunelift::cli
