#include "engine/playlist_argument.h"

#include <iterator>

#include "engine/file_names.h"

namespace tunelift {

namespace {

constexpr const wchar_t* kEndings[] = {L"m3u", L"m3u8", L"txt", L"pls", L"xspf", L"wpl", L"zpl"};
// The first four are the endings the window has always taken as its argument.
constexpr size_t kPlainEndings = 4;

}  // namespace

bool IsPlaylistArgument(std::wstring_view path, bool allKinds) {
    const size_t dot = path.find_last_of(L".\\/");
    if (dot == std::wstring_view::npos || path[dot] != L'.') return false;
    const std::wstring ending = FoldNameCase(std::wstring(path.substr(dot + 1)));
    const size_t known = allKinds ? std::size(kEndings) : kPlainEndings;
    for (size_t i = 0; i < known; ++i)
        if (ending == FoldNameCase(kEndings[i])) return true;
    return false;
}

std::wstring AllKindsPattern() {
    std::wstring pattern;
    for (const wchar_t* ending : kEndings) pattern += (pattern.empty() ? L"*." : L";*.") + std::wstring(ending);
    return pattern;
}

}  // namespace tunelift
