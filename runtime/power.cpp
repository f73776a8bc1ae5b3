#include "runtime/power.hpp"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "runtime/bit_cast.hpp"
#include "runtime/library_pow.hpp"
#include "runtime/math_fault.hpp"

namespace runtime {

namespace {

// The powers already computed, by their arguments' bits. The power is a pure function, so a
// repeated call takes the bits computed before: the program's matrices and right-hand sides ask
// for the same hundred and fifty powers at every order. A fixed table with a few probes from a
// hashed slot; arguments that find no room are computed every time.
struct MemoSlot {
    std::uint64_t x_bits, y_bits;
    Extended power;
    bool filled;
};
constexpr int kMemoBits = 8;
constexpr std::size_t kMemoSlots = std::size_t{1} << kMemoBits;
constexpr std::size_t kMemoProbes = 8;
std::array<MemoSlot, kMemoSlots> memo{};

// The slot that holds the power of x and y, or the empty one to put it in; null when neither
// is within reach.
MemoSlot* memo_slot(double x, double y) {
    auto x_bits = runtime::bit_cast<std::uint64_t>(x);
    auto y_bits = runtime::bit_cast<std::uint64_t>(y);
    // The top bits of a multiplicative hash; the arguments' own low bits are mostly zero.
    std::size_t start = ((x_bits ^ std::rotl(y_bits, 32)) * 0x9E3779B97F4A7C15) >> (64 - kMemoBits);
    for (std::size_t probe = 0; probe < kMemoProbes; ++probe) {
        MemoSlot& slot = memo[(start + probe) % kMemoSlots];
        if (!slot.filled || (slot.x_bits == x_bits && slot.y_bits == y_bits)) return &slot;
    }
    return nullptr;
}

} // namespace

Extended power(double x, double y) {
    MemoSlot* slot = memo_slot(x, y);
    if (slot != nullptr && slot->filled) return slot->power;
    PowResult power = library_pow(x, y);
    if (power.error) {
        // At every call: only an UNDERFLOW comes back, with its default result.
        on_library_error(*power.error, "pow");
        return power.value;
    }
    if (slot != nullptr)
        *slot = {runtime::bit_cast<std::uint64_t>(x), runtime::bit_cast<std::uint64_t>(y), power.value,
                 true};
    return power.value;
}

} // namespace runtime
