#pragma once
// Marks a place that the program's logic never reaches, such as the end of a switch that names
// every value of its enumeration. Debug builds stop there; others may assume it away.

#include <cassert>

namespace runtime {

[[noreturn]] inline void unreachable() {
    assert(false && "unreachable");
    __builtin_unreachable();
}

} // namespace runtime
