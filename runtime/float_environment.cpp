#include "runtime/float_environment.hpp"

#include "runtime/checked.hpp"
#include "runtime/math_fault.hpp"

namespace runtime {

void set_up_float_environment() {
    platform::set_float_trap_handler(&on_float_trap);
    // Where the arithmetic checks itself, the traps stay masked: the checks alone report, in the
    // order of the operations, also on a processor that would trap an operation the compiler
    // has moved ahead of an earlier one's check.
    if (!kArithmeticChecked) platform::enable_float_traps();
}

} // namespace runtime
