// A folder search over records already at hand: the test file systems and sorted
// listings hand it out where the kernel would hand out a real search.
#pragma once
#include <utility>
#include <vector>

#include "engine/file_services.h"

namespace tunelift::testing {

class RecordListSearch : public FileSearch {
public:
    explicit RecordListSearch(std::vector<FindRecord> records) : records_(std::move(records)) {}
    bool Next(FindRecord& out) override {
        if (next_ >= records_.size()) return false;
        out = records_[next_++];
        return true;
    }

private:
    std::vector<FindRecord> records_;
    size_t next_ = 0;
};

}  // namespace tunelift::testing
