#include "engine/numbered_names.h"

#include <algorithm>

namespace tunelift {

std::wstring NumberedName(int position, int count, const std::wstring& name) {
    const size_t width = std::max<size_t>(2, std::to_wstring(std::max(count, 0)).size());
    std::wstring number = std::to_wstring(position);
    if (number.size() < width) number.insert(0, width - number.size(), L'0');
    return number + L" - " + name;
}

}  // namespace tunelift
