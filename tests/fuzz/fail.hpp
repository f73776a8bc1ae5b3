#pragma once
// A failed check of a fuzz target: says what failed, then stops so that libFuzzer keeps the input.

#include <cstdio>
#include <string>

[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    __builtin_trap();
}
