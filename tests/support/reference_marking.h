// The sync's marking as the plain comparison loop: each listed name against the
// recorded names in recording order, up to the first equal one. The sync itself finds
// the same answer by lookup; tests and the benchmark hold the two side by side.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tunelift::testing {

struct ComparisonMarking {
    int64_t killCount = 0;   // every failed comparison, and one more per name never matched
    std::vector<bool> keep;  // per listed name, in listing order
};

// Names are compared exactly: fold them first where the file system ignores case.
ComparisonMarking MarkByComparison(const std::vector<std::wstring>& listed,
                                   const std::vector<std::wstring>& recorded);

}  // namespace tunelift::testing
