#include "engine/shown_text.h"

namespace tunelift {

std::wstring ShownText(const std::wstring& text) {
    std::wstring shown;
    size_t start = 0;
    bool shortened = false;
    while (start <= text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        const size_t length = end - start;
        if (length > kShownLineChars) {
            if (!shortened) shown.assign(text, 0, start);
            shortened = true;
            const size_t half = kShownLineChars / 2;
            shown.append(text, start, half).append(L" \u2026 ").append(text, end - half, half);
        } else if (shortened) {
            shown.append(text, start, length);
        }
        if (end == text.size()) break;
        if (shortened) shown.push_back(text[end]);
        start = end + 1;
    }
    return shortened ? shown : text;
}

}  // namespace tunelift
