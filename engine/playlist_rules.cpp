#include "engine/playlist_rules.h"

namespace tunelift {

namespace {

constexpr wchar_t kBackslash = L'\\';

// Players write the extension in either case, so only the four letters of ".mp3"
// are compared without case; every other test of a line stays exact.
bool EndsWithMp3(std::wstring_view line) {
    if (line.size() < 4) return false;
    const std::wstring_view tail = line.substr(line.size() - 4);
    return tail[0] == L'.' && (tail[1] == L'm' || tail[1] == L'M') &&
           (tail[2] == L'p' || tail[2] == L'P') && tail[3] == L'3';
}

// The part after the last "\" or "/", whichever comes later; all of it when it has neither.
std::wstring_view AfterLastSlash(std::wstring_view path) {
    const size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring_view::npos ? path : path.substr(cut + 1);
}

// The value of a "FileN=" line: the part after its first "=", so that a folder named
// with "=" stays in the path; all of the line when it has none.
std::wstring_view ValueOf(std::wstring_view line) {
    const size_t cut = line.find(L'=');
    return cut == std::wstring_view::npos ? line : line.substr(cut + 1);
}

std::optional<PlaylistEntry> M3uEntryOf(std::wstring_view line, bool allAudio) {
    if (!IsSongName(line, allAudio)) return std::nullopt;
    return PlaylistEntry{std::wstring(line), std::wstring(AfterLastSlash(line)), EntryForm::M3uPath};
}

std::optional<PlaylistEntry> PlsEntryOf(std::wstring_view line) {
    if (!line.starts_with(L"File")) return std::nullopt;
    // The drive form wins over the name form: File1=C:\a.mp3 is a drive entry.
    if (line.find(L":\\") != std::wstring_view::npos) {
        const std::wstring_view source = ValueOf(line);
        return PlaylistEntry{std::wstring(source), std::wstring(AfterLastSlash(source)), EntryForm::PlsDrive};
    }
    if (EndsWithMp3(line) && line.find(kBackslash) == std::wstring_view::npos) {
        const std::wstring source(ValueOf(line));
        return PlaylistEntry{source, source, EntryForm::PlsName};
    }
    return std::nullopt;
}

}  // namespace

std::optional<PlaylistKind> PlaylistKindOf(std::wstring_view firstLine) {
    if (firstLine.starts_with(L"#EXT")) return PlaylistKind::M3u;
    if (firstLine.size() >= 3 && firstLine[1] == L':' && firstLine[2] == kBackslash) return PlaylistKind::M3u;
    if (firstLine == L"[playlist]") return PlaylistKind::Pls;
    return std::nullopt;
}

std::optional<PlaylistEntry> PlaylistEntryOf(PlaylistKind kind, std::wstring_view line, bool allAudio) {
    return kind == PlaylistKind::M3u ? M3uEntryOf(line, allAudio) : PlsEntryOf(line);
}

bool IsAudioFileLine(std::wstring_view line) {
    static constexpr std::wstring_view kEndings[] = {L".mp3", L".m4a", L".aac", L".ogg", L".oga", L".opus",
                                                     L".flac", L".wma", L".wav", L".aif", L".aiff"};
    for (const std::wstring_view ending : kEndings) {
        if (line.size() < ending.size()) continue;
        const std::wstring_view tail = line.substr(line.size() - ending.size());
        bool same = true;
        for (size_t i = 0; i < ending.size() && same; ++i) {
            const wchar_t c = tail[i];
            same = (c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c) == ending[i];
        }
        if (same) return true;
    }
    return false;
}

bool IsSongName(std::wstring_view name, bool allAudio) {
    return allAudio ? IsAudioFileLine(name) : EndsWithMp3(name);
}

std::optional<std::wstring> NamedFileOf(std::wstring_view line) {
    if (line.empty() || line.front() == L'#') return std::nullopt;
    const std::wstring_view name = AfterLastSlash(line);
    if (name.empty()) return std::nullopt;
    return std::wstring(name);
}

}  // namespace tunelift
