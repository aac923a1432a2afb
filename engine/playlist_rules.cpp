#include "engine/playlist_rules.h"
// Interim: the rules arrive with the playlist module.
namespace tunelift {
namespace {
bool EndsMp3(std::wstring_view s) {
    if (s.size() < 4) return false;
    auto e = s.substr(s.size() - 4);
    return e[0] == L'.' && (e[1] | 32) == L'm' && (e[2] | 32) == L'p' && e[3] == L'3';
}
std::wstring AfterLastSep(std::wstring_view s) {
    auto p = s.find_last_of(L"\\/");
    return std::wstring(p == std::wstring_view::npos ? s : s.substr(p + 1));
}
}  // namespace
std::optional<PlaylistKind> PlaylistKindOf(std::wstring_view l) {
    if (l.substr(0, 4) == L"#EXT") return PlaylistKind::M3u;
    if (l.size() >= 3 && l.substr(1, 2) == L":\\") return PlaylistKind::M3u;
    if (l == L"[playlist]") return PlaylistKind::Pls;
    return std::nullopt;
}
std::optional<PlaylistEntry> PlaylistEntryOf(PlaylistKind k, std::wstring_view l) {
    if (k == PlaylistKind::M3u) {
        if (!EndsMp3(l)) return std::nullopt;
        return PlaylistEntry{std::wstring(l), AfterLastSep(l), EntryForm::M3uPath};
    }
    if (l.substr(0, 4) != L"File") return std::nullopt;
    auto eq = l.find_last_of(L'=');
    std::wstring src(eq == std::wstring_view::npos ? l : l.substr(eq + 1));
    if (l.find(L":\\") != std::wstring_view::npos) return PlaylistEntry{src, AfterLastSep(src), EntryForm::PlsDrive};
    if (EndsMp3(l) && l.find(L'\\') == std::wstring_view::npos) return PlaylistEntry{src, src, EntryForm::PlsName};
    return std::nullopt;
}
}  // namespace tunelift
