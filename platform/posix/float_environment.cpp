#include "platform/float_environment.hpp"

#include <cfenv>
#include <cstring>

namespace platform {

static_assert(sizeof(std::fenv_t) <= sizeof(FloatState::bytes));

namespace {
// The exceptions fatal to the program's arithmetic.
constexpr int kFatal = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
} // namespace

void enable_float_traps() {
    std::feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(kFatal);
}

FloatState hold_float_state() {
    FloatState state{};
    std::fenv_t env;
    std::feholdexcept(&env); // saves, clears the flags, masks everything
    std::memcpy(state.bytes, &env, sizeof env);
    return state;
}

void restore_float_state(const FloatState& state) {
    std::fenv_t env;
    std::memcpy(&env, state.bytes, sizeof env);
    std::fesetenv(&env); // the flags raised meanwhile are dropped with the masked state
}

bool fatal_float_flags_raised() {
    return std::fetestexcept(kFatal) != 0;
}

} // namespace platform
