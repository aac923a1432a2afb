// Whole Save runs with Sync over an in-memory file system: the input gives the names
// already in the destination and the playlist's bytes. Whatever they are, the run only
// ever writes and deletes plain names directly inside the destination, never deletes a
// file the playlist names, and ends every entry with an outcome.
//
// Input: byte 0 holds the options (bit 0 overwrite, bit 1 Check instead of Save,
// bit 2 destination typed with a trailing backslash); then destination file names
// separated by '\n', up to a 0x00 byte; the rest is the playlist file.
#include "engine/copy_bar.h"
#include "engine/export_run.h"
#include "engine/file_names.h"
#include "engine/playlist_rules.h"
#include "engine/playlist_text.h"
#include "tests/support/memory_files.h"
#include "tests/support/scripted_host.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

using namespace tunelift;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

const std::wstring kList = L"C:\\Lists\\mix.m3u";
const std::wstring kMusic = L"C:\\Music";
const std::wstring kDest = L"E:\\Player";

std::wstring Latin1(std::string_view bytes) {
    std::wstring out;
    for (const char c : bytes) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return out;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

// Paths are compared by their folded key, as the file system would.
std::wstring Key(const std::wstring& path) { return FoldNameCase(path); }

bool DirectlyInDestination(const std::wstring& path) {
    return Key(FolderOf(path)) == Key(kDest) &&
           IsPlainFileName(path.substr(path.find_last_of(L"\\/") + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t options = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t split = rest.find('\0');
    const std::string_view names = split == std::string_view::npos ? std::string_view() : rest.substr(0, split);
    const std::string_view list = split == std::string_view::npos ? rest : rest.substr(split + 1);

    testing::MemoryFiles files;
    files.ignoreCase = true;
    files.AddFile(kList, DecodePlaylistText(list, Latin1));
    for (const wchar_t* n : {L"a.mp3", L"b.mp3", L"B.MP3"}) files.AddFile(kMusic + L"\\" + n, std::wstring(L"song ") + n);
    files.AddFolder(kDest);
    for (size_t at = 0; at <= names.size();) {
        size_t end = names.find('\n', at);
        if (end == std::string_view::npos) end = names.size();
        const std::wstring name = Latin1(names.substr(at, end - at));
        // Only what a folder can hold: plain names.
        if (IsPlainFileName(name)) files.AddFile(kDest + L"\\" + name, L"old " + name);
        at = end + 1;
    }
    const auto before = files.folders;

    RunState state;
    testing::ScriptedHost host;
    host.pathFrom = kList;
    host.pathTo = (options & 4) ? kDest + L"\\" : kDest;
    host.overwrite = options & 1;
    host.sync = 1;
    state.sync.SetLeftoverTest([](const std::wstring& n) { return n.starts_with(L".") && n.ends_with(L".part"); });
    const bool copy = (options & 2) == 0;
    const RunEnd end = SaveFiles(host, files, state, copy);
    Check(end == RunEnd::Finished || end == RunEnd::NoPlaylist);
    Check(host.errors.empty() && host.refusedBarValues.empty());

    // Writes and deletions only directly inside the destination, only by a Save run.
    for (const auto& path : files.written) Check(copy && DirectlyInDestination(path));
    for (const auto& path : files.removed) Check(copy && DirectlyInDestination(path));
    for (const auto& [folder, entries] : before)
        if (Key(folder) != Key(kDest))
            for (const auto& e : entries)
                if (!(e.record.Attributes & kAttributeDirectory)) Check(files.Has(folder + L"\\" + e.record.Name));

    // The entries as the rules give them, over every line to the last, blank ones included;
    // and every file a line of an M3U list names.
    const auto kind = PlaylistKindOf(files.ReadPlaylistLine(kList, 1).Text);
    Check(kind.has_value() == (end != RunEnd::NoPlaylist));
    if (!kind) return 0;
    int entries = 0;
    std::set<std::wstring> named;
    for (int32_t n = 1;; ++n) {
        const PlaylistLine line = files.ReadPlaylistLine(kList, n);
        if (line.Status != LineStatus::Line) break;
        if (const auto entry = PlaylistEntryOf(*kind, line.Text)) {
            ++entries;
            named.insert(Key(entry->DestName));
        } else if (const auto file = NamedFileOf(line.Text)) {
            named.insert(Key(*file));
        }
    }
    // Sync never deletes a file the list names (leftover part names aside).
    if (*kind == PlaylistKind::M3u)
        for (const auto& path : files.removed) {
            const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
            Check(!named.count(Key(name)) || (name.starts_with(L".") && name.ends_with(L".part")));
        }
    // Every entry ends in an outcome: the last one counts them all.
    // A Save run with a failed entry says so instead of "All files copied!".
    const size_t endLine = host.logText.rfind(L"\r\n");
    Check(endLine != std::wstring::npos);
    const std::wstring tail = host.logText.substr(endLine);
    const bool failed = host.logText.find(L" error\r\n---") != std::wstring::npos;
    Check(!copy ? tail == L"\r\nSearch finished!"
                : failed ? tail.starts_with(L"\r\nFinished: ") && tail.ends_with(L" songs could not be copied!")
                         : tail == L"\r\nAll files copied!");
    if (entries > 0) {
        const std::wstring body = host.logText.substr(0, endLine);
        Check(body.ends_with(L" ok\r\n---") || body.ends_with(L" error\r\n---"));
        const size_t lineStart = body.rfind(L"\r\n", body.size() - 6);
        const std::wstring last = body.substr(lineStart + 2);
        const size_t slash = last.find(L'/');
        Check(slash != std::wstring::npos && std::stoi(last.substr(slash + 1)) == entries);
    }
    return 0;
}
