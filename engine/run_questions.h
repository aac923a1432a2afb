// The texts of the questions a run asks before it does something the user may not
// want: Sync deleting files, a copy onto a volume that is too full. Pure functions.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tunelift {

// A language text with "%1", "%2", ... replaced by the values, in order.
std::wstring FillIn(std::wstring_view text, std::initializer_list<std::wstring> values);

// The names a question lists: the first ten, one per line, and "…" when more follow.
inline constexpr size_t kNamesAsked = 10;
std::wstring SyncQuestion(std::wstring_view text, const std::vector<std::wstring>& names);

// Whole megabytes (2^20 bytes): what is needed rounded up and what is free rounded
// down, so that a shortfall never reads as enough room.
std::wstring FreeSpaceQuestion(std::wstring_view text, uint64_t neededBytes, uint64_t freeBytes);

}  // namespace tunelift
