#include "console/console_files.h"

namespace tunelift::cli {

bool ConsoleFiles::FileExists(const std::wstring& file) {
    bool exists = false;
    if (dryRun_) {
        const std::wstring key = real_.NameKey(file);
        exists = !gone_.contains(key) && (made_.contains(key) || real_.FileExists(file));
    } else {
        exists = real_.FileExists(file);
    }
    if (exists) line_.lastFound = file;
    return exists;
}

bool ConsoleFiles::FileCopy(const std::wstring& source, const std::wstring& dest) {
    bool copied = false;
    if (dryRun_) {
        // A source that is not there would fail the real copy too.
        copied = FileExists(source);
        if (copied) {
            const std::wstring key = real_.NameKey(dest);
            gone_.erase(key);
            made_.insert(key);
        }
    } else {
        copied = real_.FileCopy(source, dest);
    }
    if (copied) line_.copiedTo = dest;
    return copied;
}

std::optional<FileStamp> ConsoleFiles::StampOf(const std::wstring& file) {
    if (dryRun_) {
        const std::wstring key = real_.NameKey(file);
        if (made_.contains(key) || gone_.contains(key)) return std::nullopt;
    }
    return real_.StampOf(file);
}

bool ConsoleFiles::RemoveFile(const std::wstring& path) {
    if (!dryRun_) {
        const bool removed = real_.RemoveFile(path);
        if (removed) ++deleted_;
        return removed;
    }
    if (!FileExists(path)) return false;
    const std::wstring key = real_.NameKey(path);
    made_.erase(key);
    gone_.insert(key);
    ++deleted_;
    if (onDryDelete) onDryDelete(path);
    return true;
}

}  // namespace tunelift::cli
