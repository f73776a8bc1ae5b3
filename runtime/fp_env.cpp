#include "runtime/fp_env.hpp"

#include "runtime/math_error.hpp"

namespace runtime {

void MathSignal(platform::FloatTrap trap) {
    if (InIntrinsic() == 1) {
        FixMathExceptions();
        return;
    }
    report_trap(trap_code(trap));
}

void FixMathExceptions() {
    platform::enable_float_traps();
    platform::set_float_trap_handler(&MathSignal);
}

} // namespace runtime
