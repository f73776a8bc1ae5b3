#pragma once
// The unsigned 128-bit integer that GCC and Clang give: exact sums and products of 64-bit
// significands.

namespace runtime {

__extension__ typedef unsigned __int128 u128;

} // namespace runtime
