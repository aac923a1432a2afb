// RunLog: one text slot per playlist line, joined into the log view's text.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tunelift {

class RunLog {
public:
    static constexpr int kLastSlot = 65536;  // slots 0..65536

    RunLog() : slots_(kLastSlot + 1) {}

    static bool IsSlot(int n) { return n >= 0 && n <= kLastSlot; }
    const std::wstring& Slot(int n) const { return slots_.at(static_cast<size_t>(n)); }
    void Append(int n, std::wstring_view piece) { slots_.at(static_cast<size_t>(n)).append(piece); }
    void ClearSlot(int n) { slots_.at(static_cast<size_t>(n)).clear(); }
    void Clear();

    // TheLogData: slots lineOut..line joined; when lineOut is not below line, slot
    // `line` alone. Indices outside 0..65536 throw.
    std::wstring TheLogData(int lineOut, int line) const;

private:
    std::vector<std::wstring> slots_;
};

// The view text of the scroll refresh at position p (slots p..p+3), or nothing when
// p+3 leaves the scroll bar's 16-bit range and the view must keep its text.
std::optional<std::wstring> ScrollRefreshText(const RunLog& log, int position);

}  // namespace tunelift
