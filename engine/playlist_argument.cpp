#include "engine/playlist_argument.h"

#include "engine/file_names.h"

namespace tunelift {

bool IsPlaylistArgument(std::wstring_view path) {
    const size_t dot = path.find_last_of(L".\\/");
    if (dot == std::wstring_view::npos || path[dot] != L'.') return false;
    const std::wstring ending = FoldNameCase(std::wstring(path.substr(dot + 1)));
    for (const wchar_t* known : {L"M3U", L"M3U8", L"TXT", L"PLS"})
        if (ending == known) return true;
    return false;
}

}  // namespace tunelift
