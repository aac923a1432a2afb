// What the sticks suite's tests share: the sticks sticks_test.sh mounted, and songs of
// bytes that no other seed gives.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace tunelift::testing {

inline std::string SongBytes(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>((seed = seed * 1664525u + 1013904223u) >> 24);
    return bytes;
}

// sticks_test.sh names the mounted sticks in the environment.
class Sticks : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"TUNELIFT_FAILING_STICK", L"TUNELIFT_STICK_CONTROL", L"TUNELIFT_COUNTERFEIT_STICK",
                                    L"TUNELIFT_COUNTERFEIT_REAL_MIB"})
            ASSERT_TRUE(_wgetenv(name)) << "run through tests/win/sticks/sticks_test.sh, which mounts the sticks";
    }
    static std::wstring Env(const wchar_t* name) { return _wgetenv(name); }
};

}  // namespace tunelift::testing
