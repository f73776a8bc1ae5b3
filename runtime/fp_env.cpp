#include "runtime/fp_env.hpp"

#include <string>

#include "runtime/error_report.hpp"
#include "runtime/statement.hpp"

namespace runtime {

// Placeholder until the math-error reports are complete: reports the trap and ends the run.
void MathSignal(platform::FloatTrap trap) {
    const char* word = "invalid";
    int number = 6101;
    switch (trap) {
    case platform::FloatTrap::DivideByZero: word = "divide by zero"; number = 6103; break;
    case platform::FloatTrap::Overflow: word = "overflow"; number = 6104; break;
    default: break;
    }
    set_math_flag(true);
    set_statement_kind(StatementKind::Math);
    FF_puterr(number, std::string("floating-point error: ") + word);
}

void FixMathExceptions() {
    platform::enable_float_traps();
    platform::set_float_trap_handler(&MathSignal);
}

} // namespace runtime
