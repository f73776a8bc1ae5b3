#include "runtime/math_fault.hpp"

#include <algorithm>
#include <string>

#include "runtime/error_report.hpp"
#include "runtime/unreachable.hpp"

namespace runtime {

namespace {

std::string_view word_of(FloatException exception) {
    switch (exception) {
    case FloatException::Invalid: return "invalid";
    case FloatException::Denormal: return "denormal";
    case FloatException::DivideByZero: return "divide by zero";
    case FloatException::Overflow: return "overflow";
    case FloatException::Underflow: return "underflow";
    case FloatException::Inexact: return "inexact";
    case FloatException::StackFault: return "stack overflow";
    }
    unreachable();
}

std::string_view word_of(MathCode error_class) {
    switch (error_class) {
    case MathCode::Domain: return "DOMAIN";
    case MathCode::Singularity: return "SING";
    case MathCode::RangeOverflow: return "OVERFLOW";
    case MathCode::RangeUnderflow: return "UNDERFLOW";
    }
    unreachable();
}

// The exception of a trap as the processor reports it.
FloatException exception_of(platform::FloatTrap trap) {
    switch (trap) {
    case platform::FloatTrap::Invalid: return FloatException::Invalid;
    case platform::FloatTrap::Denormal: return FloatException::Denormal;
    case platform::FloatTrap::DivideByZero: return FloatException::DivideByZero;
    case platform::FloatTrap::Overflow: return FloatException::Overflow;
    case platform::FloatTrap::Underflow: return FloatException::Underflow;
    case platform::FloatTrap::Inexact: return FloatException::Inexact;
    case platform::FloatTrap::StackCheck: return FloatException::StackFault;
    }
    unreachable();
}

// The operation a report names: "pow" as "**", any other name as it is, up to 8 characters.
std::string_view operation_name(std::string_view function) {
    if (function == "pow") return "**";
    return function.substr(0, std::min<std::size_t>(function.size(), 8));
}

} // namespace

void report_math_fault(FloatException exception) {
    std::string text = "floating-point error: ";
    end_run_with_math_error(6000 + static_cast<int>(exception), text.append(word_of(exception)));
}

void on_float_trap(platform::FloatTrap trap) {
    report_math_fault(exception_of(trap));
}

void on_library_error(MathCode error_class, std::string_view function) {
    if (error_class == MathCode::RangeUnderflow) return;
    std::string text(operation_name(function));
    text.append(": ").append(word_of(error_class)).append(" error");
    end_run_with_math_error(6200 + static_cast<int>(error_class), text);
}

} // namespace runtime
