#include "engine/run_questions.h"

namespace tunelift {

std::wstring FillIn(std::wstring_view text, std::initializer_list<std::wstring> values) {
    std::wstring filled;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t n = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - L'1') : values.size();
        if (text[i] == L'%' && n < values.size()) {
            filled += values.begin()[n];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

std::wstring SyncQuestion(std::wstring_view text, const std::vector<std::wstring>& names) {
    std::wstring list;
    for (size_t i = 0; i < names.size() && i < kNamesAsked; ++i) list += (i ? L"\r\n" : L"") + names[i];
    if (names.size() > kNamesAsked) list += L"\r\n\u2026";
    return FillIn(text, {std::to_wstring(names.size()), list});
}

std::wstring FreeSpaceQuestion(std::wstring_view text, uint64_t neededBytes, uint64_t freeBytes) {
    constexpr uint64_t kMegabyte = uint64_t{1} << 20;
    const uint64_t needed = neededBytes / kMegabyte + (neededBytes % kMegabyte != 0);
    return FillIn(text, {std::to_wstring(needed), std::to_wstring(freeBytes / kMegabyte)});
}

}  // namespace tunelift
