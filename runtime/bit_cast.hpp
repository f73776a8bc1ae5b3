#pragma once
// The bits of one value read as another type of the same size, in constant expressions too:
// the compiler's own built-in, which every compiler the program is built with has, so that no
// build depends on its standard library having std::bit_cast.

#include <type_traits>

namespace runtime {

template <typename To, typename From>
requires(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
         std::is_trivially_copyable_v<From>) constexpr To bit_cast(const From& from) noexcept {
    return __builtin_bit_cast(To, from);
}

} // namespace runtime
