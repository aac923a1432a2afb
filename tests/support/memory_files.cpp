#include "tests/support/memory_files.h"

#include "engine/full_path.h"
#include "engine/written_playlist.h"
#include "tests/support/tiny_xml.h"

namespace tunelift::testing {

namespace {

// Windows wildcard match: "*" any run, "?" one character, letter case ignored.
bool Matches(const std::wstring& filter, const std::wstring& name) {
    if (filter == L"*.*" || filter == L"*") return true;
    const std::wstring f = FoldNameCase(filter), n = FoldNameCase(name);
    std::vector<std::vector<bool>> ok(f.size() + 1, std::vector<bool>(n.size() + 1, false));
    ok[0][0] = true;
    for (size_t i = 1; i <= f.size(); ++i) {
        ok[i][0] = ok[i - 1][0] && f[i - 1] == L'*';
        for (size_t j = 1; j <= n.size(); ++j) {
            if (f[i - 1] == L'*') ok[i][j] = ok[i - 1][j] || ok[i][j - 1];
            else ok[i][j] = ok[i - 1][j - 1] && (f[i - 1] == L'?' || f[i - 1] == n[j - 1]);
        }
    }
    return ok[f.size()][n.size()];
}

std::wstring NameOf(const std::wstring& path) {
    const size_t cut = path.rfind(L'\\');
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

SongDigest DigestOf(const std::wstring& content) {
    SongHash hash;
    hash.Add(content.data(), content.size() * sizeof(wchar_t));
    return hash.Digest();
}

bool IsFolder(const MemoryEntry& e) { return (e.record.Attributes & kAttributeDirectory) != 0; }

// Hands out the entries of a folder as they are when each is asked for, without
// copying the folder first: a listing of many thousand files costs one pass.
class FolderSearch : public FileSearch {
public:
    FolderSearch(const std::vector<MemoryEntry>& entries, std::wstring filter)
        : entries_(entries), filter_(std::move(filter)) {}
    bool Next(FindRecord& out) override {
        while (next_ < entries_.size()) {
            const MemoryEntry& e = entries_[next_++];
            if (!Matches(filter_, e.record.Name)) continue;
            out = e.record;
            return true;
        }
        return false;
    }

private:
    const std::vector<MemoryEntry>& entries_;
    const std::wstring filter_;
    size_t next_ = 0;
};

}  // namespace

std::wstring MemoryFiles::FolderOf(const std::wstring& path) {
    const size_t cut = path.rfind(L'\\');
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

bool MemoryFiles::SameName(const std::wstring& a, const std::wstring& b) const {
    return ignoreCase ? FoldNameCase(a) == FoldNameCase(b) : a == b;
}

const std::vector<MemoryEntry>* MemoryFiles::Folder(const std::wstring& asGiven) const {
    const std::wstring path =
        currentFolder.empty() ? asGiven : FullFolderIn(currentFolder, asGiven.empty() ? L"." : asGiven);
    const auto exact = folders.find(path);
    if (exact != folders.end()) return &exact->second;
    if (ignoreCase)
        for (const auto& [key, entries] : folders)
            if (SameName(key, path)) return &entries;
    return nullptr;
}

std::vector<MemoryEntry>* MemoryFiles::Folder(const std::wstring& path) {
    return const_cast<std::vector<MemoryEntry>*>(std::as_const(*this).Folder(path));
}

const MemoryEntry* MemoryFiles::FindEntry(const std::wstring& path) const {
    const auto* entries = Folder(FolderOf(path));
    if (entries == nullptr) return nullptr;
    const std::wstring name = NameOf(path);
    for (const MemoryEntry& e : *entries)
        if (SameName(e.record.Name, name)) return &e;
    return nullptr;
}

const MemoryEntry* MemoryFiles::FindFile(const std::wstring& path) const {
    const MemoryEntry* e = FindEntry(path);
    return e == nullptr || IsFolder(*e) ? nullptr : e;
}

void MemoryFiles::AddFolder(const std::wstring& path, uint32_t attributes) {
    if (Folder(path) != nullptr) return;
    auto& entries = folders[path];
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return;
    entries.push_back({{L".", L"", kAttributeDirectory}});
    entries.push_back({{L"..", L"", kAttributeDirectory}});
    if (auto* parent = Folder(path.substr(0, slash))) parent->push_back({{path.substr(slash + 1), L"", attributes}});
}

MemoryEntry& MemoryFiles::AddEntry(const std::wstring& folder, const std::wstring& name, uint32_t attributes,
                                   bool inUse) {
    AddFolder(folder);
    MemoryEntry e;
    e.record.Name = name;
    e.record.Attributes = attributes;
    e.inUse = inUse;
    e.content = L"data";
    e.record.Size = e.content.size();
    auto& entries = *Folder(folder);
    entries.push_back(std::move(e));
    return entries.back();
}

MemoryEntry& MemoryFiles::AddFile(const std::wstring& path, const std::wstring& content) {
    if (SameName(path, indexedFile_)) indexedFile_.clear();
    auto* existing = const_cast<MemoryEntry*>(FindFile(path));
    MemoryEntry& e = existing != nullptr ? *existing : AddEntry(FolderOf(path), NameOf(path));
    e.content = content;
    e.record.Size = content.size();
    return e;
}

std::wstring MemoryFiles::Content(const std::wstring& path) const {
    const MemoryEntry* e = FindFile(path);
    return e == nullptr ? std::wstring() : e->content;
}

std::vector<std::wstring> MemoryFiles::Names(const std::wstring& folder) const {
    std::vector<std::wstring> names;
    if (const auto* entries = Folder(folder))
        for (const MemoryEntry& e : *entries)
            if (e.record.Name != L"." && e.record.Name != L"..") names.push_back(e.record.Name);
    return names;
}

PlaylistLine MemoryFiles::ReadPlaylistLine(const std::wstring& file, int32_t lineToRead) {
    const MemoryEntry* e = FindFile(file);
    if (e == nullptr) return {LineStatus::Unreadable, {}};
    if (indexedFile_.empty() || !SameName(indexedFile_, file) || indexedText_.size() != e->content.size()) {
        indexedFile_ = file;
        indexedText_ = e->content;
        index_ = LineIndex(indexedText_);
    }
    if (lineToRead < 1 || static_cast<size_t>(lineToRead) > index_.Count()) return {LineStatus::End, {}};
    return {LineStatus::Line, std::wstring(index_.Line(indexedText_, lineToRead))};
}

bool MemoryFiles::FileCopy(const std::wstring& source, const std::wstring& dest, const ProgressReport& progress) {
    copies.emplace_back(source, dest);
    const MemoryEntry* from = FindFile(source);
    if (from == nullptr || Folder(FolderOf(dest)) == nullptr) return false;
    for (const MemoryEntry& e : *Folder(FolderOf(dest)))
        if (IsFolder(e) && SameName(e.record.Name, NameOf(dest))) return false;
    const std::wstring content = from->content;
    const uint64_t size = content.size(), time = from->record.LastWriteTime;
    const auto report = [&progress](uint64_t total, uint64_t done) {
        if (progress) progress(total, done);
    };
    report(size, 0);
    if (duringCopy) duringCopy(source);
    report(size, size / 2);
    report(size, size);
    // Like the real copy, the copy keeps the song's last-write time.
    AddFile(dest, content).record.LastWriteTime = copyTime.value_or(time);
    written.push_back(dest);
    return true;
}

bool MemoryFiles::FailsOnRead(const std::wstring& path) const {
    for (const std::wstring& failing : failingReads)
        if (SameName(failing, path)) return true;
    return false;
}

VerifiedCopy MemoryFiles::FileCopyVerified(const std::wstring& source, const std::wstring& dest,
                                           const ProgressReport& copying, const ProgressReport& verifying) {
    const MemoryEntry* from = FindFile(source);
    const std::optional<SongDigest> digest = from ? std::optional(DigestOf(from->content)) : std::nullopt;
    if (from && FailsOnRead(dest)) {
        copies.emplace_back(source, dest);
        readBacks.push_back(dest);
        if (verifying) verifying(from->content.size(), 0);
        return {VerifiedCopy::Differs, digest};
    }
    if (!FileCopy(source, dest, copying)) return {VerifiedCopy::Failed, digest};
    return {ReadBackDigest(dest, verifying) == digest ? VerifiedCopy::Copied : VerifiedCopy::Differs, digest};
}

std::optional<SongDigest> MemoryFiles::ReadBackDigest(const std::wstring& file, const ProgressReport& progress) {
    readBacks.push_back(file);
    const MemoryEntry* e = FindFile(file);
    if (e == nullptr) return std::nullopt;
    std::wstring bytes = e->content;
    if (FailsOnRead(file) && !bytes.empty()) bytes[bytes.size() / 2] ^= 1;
    if (progress) progress(bytes.size(), 0), progress(bytes.size(), bytes.size());
    return DigestOf(bytes);
}

std::optional<FileStamp> MemoryFiles::StampOf(const std::wstring& file) {
    const MemoryEntry* e = FindFile(file);
    if (e == nullptr) return std::nullopt;
    return FileStamp{e->record.Size, e->record.LastWriteTime};
}

bool MemoryFiles::SetLastWriteTime(const std::wstring& file, uint64_t time) {
    auto* e = const_cast<MemoryEntry*>(FindFile(file));
    if (e == nullptr) return false;
    e->record.LastWriteTime = time;
    return true;
}

bool MemoryFiles::WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    if (failWholeWrites || Folder(FolderOf(path)) == nullptr) return false;
    std::wstring content;
    for (const char b : bytes) content += static_cast<wchar_t>(static_cast<unsigned char>(b));
    AddFile(path, content);
    return true;
}

std::optional<std::string> MemoryFiles::ReadPlaylistBytes(const std::wstring& file) {
    const MemoryEntry* entry = FindFile(file);
    if (entry == nullptr) return std::nullopt;
    if (auto bytes = EncodeAnsi(entry->content)) return bytes;
    return EncodeUtf8(entry->content);
}

ReaderServices MemoryFiles::PlaylistReaders() { return TinyReaderServices(); }

std::optional<std::string> MemoryFiles::EncodeAnsi(const std::wstring& text) {
    std::string bytes;
    for (const wchar_t c : text) {
        if (static_cast<uint32_t>(c) > 0xFF) return std::nullopt;
        bytes += static_cast<char>(c);
    }
    return bytes;
}

std::unique_ptr<FileSearch> MemoryFiles::StartSearch(const std::wstring& pattern) {
    searches.push_back(pattern);
    const size_t slash = pattern.rfind(L'\\');
    if (slash == std::wstring::npos) return nullptr;
    const auto* entries = Folder(pattern.substr(0, slash));
    if (entries == nullptr) return nullptr;
    return std::make_unique<FolderSearch>(*entries, pattern.substr(slash + 1));
}

bool MemoryFiles::RemoveFile(const std::wstring& path) {
    removed.push_back(path);
    if (onRemove) onRemove(path);
    if (writeProtected) return false;
    auto* entries = Folder(FolderOf(path));
    if (entries == nullptr) return false;
    const std::wstring name = NameOf(path);
    for (auto it = entries->begin(); it != entries->end(); ++it) {
        if (!SameName(it->record.Name, name)) continue;
        if ((it->record.Attributes & (kAttributeDirectory | kAttributeReadOnly)) || it->inUse) return false;
        if (SameName(path, indexedFile_)) indexedFile_.clear();
        entries->erase(it);
        return true;
    }
    return false;
}

bool MemoryFiles::RenameFile(const std::wstring& from, const std::wstring& to) {
    auto* file = const_cast<MemoryEntry*>(FindFile(from));
    if (writeProtected || file == nullptr || file->inUse || !SameName(FolderOf(from), FolderOf(to)) ||
        !IsPlainFileName(NameOf(to)))
        return false;
    const MemoryEntry* there = FindEntry(to);
    if (there != nullptr && there != file) return false;
    if (SameName(from, indexedFile_)) indexedFile_.clear();
    file->record.Name = NameOf(to);
    file->record.ShortName.clear();
    if (copyTime) file->record.LastWriteTime = *copyTime;
    if (afterRename) afterRename();
    return true;
}

}  // namespace tunelift::testing
