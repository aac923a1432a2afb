#include "engine/numbered_names.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace tunelift {

std::wstring NumberedName(int position, int count, const std::wstring& name) {
    const size_t width = std::max<size_t>(2, std::to_wstring(std::max(count, 0)).size());
    std::wstring number = std::to_wstring(position);
    if (number.size() < width) number.insert(0, width - number.size(), L'0');
    return number + L" - " + name;
}

std::optional<NumberedParts> SplitNumberedName(std::wstring_view name) {
    constexpr std::wstring_view kDash = L" - ";
    size_t digits = 0;
    int64_t number = 0;
    for (; digits < name.size() && name[digits] >= L'0' && name[digits] <= L'9'; ++digits) {
        number = number * 10 + (name[digits] - L'0');
        if (number > INT_MAX) return std::nullopt;
    }
    if (digits == 0 || name.substr(digits, kDash.size()) != kDash || digits + kDash.size() == name.size())
        return std::nullopt;
    return NumberedParts{static_cast<int>(number), std::wstring(name.substr(digits + kDash.size()))};
}

}  // namespace tunelift
