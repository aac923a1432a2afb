#include "tests/support/reference_marking.h"

namespace tunelift::testing {

ComparisonMarking MarkByComparison(const std::vector<std::wstring>& listed,
                                   const std::vector<std::wstring>& recorded) {
    std::vector<bool> keeps;
    keeps.reserve(listed.size());
    int64_t killCount = 0;  // a local, so the loop keeps it in a register
    for (const std::wstring& name : listed) {
        bool keep = false;
        for (const std::wstring& r : recorded) {
            if (r == name) {
                keep = true;
                break;
            }
            ++killCount;
        }
        if (!keep) ++killCount;
        keeps.push_back(keep);
    }
    return {killCount, std::move(keeps)};
}

}  // namespace tunelift::testing
