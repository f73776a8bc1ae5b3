#include "runtime/math_messages.hpp"

#include <utility>

namespace runtime {

namespace {

struct Entry {
    std::string_view word;
    int number;
};

Entry entry_of(MathCode code) {
    switch (code) {
    case MathCode::Domain: return {"DOMAIN", 6201};
    case MathCode::Singularity: return {"SING", 6202};
    case MathCode::RangeOverflow: return {"OVERFLOW", 6203};
    case MathCode::RangeUnderflow: return {"UNDERFLOW", 6204};
    case MathCode::TotalLoss: return {"TLOSS", 6205};
    case MathCode::PartialLoss: return {"PLOSS", 6206};
    case MathCode::TrapInvalid: return {"invalid", 6101};
    case MathCode::TrapDenormal: return {"denormal", 6102};
    case MathCode::TrapDivideByZero: return {"divide by zero", 6103};
    case MathCode::TrapOverflow: return {"overflow", 6104};
    case MathCode::TrapUnderflow: return {"underflow", 6105};
    case MathCode::TrapInexact: return {"inexact", 6106};
    case MathCode::TrapSquareRoot: return {"square root", 6108};
    case MathCode::TrapStackOverflow: return {"stack overflow", 6110};
    case MathCode::TrapStackUnderflow: return {"stack underflow", 6111};
    }
    return {"invalid", 6101}; // not reached: every code has its entry
}

} // namespace

MathCode trap_code(platform::FloatTrap trap) {
    switch (trap) {
    case platform::FloatTrap::Invalid: return MathCode::TrapInvalid;
    case platform::FloatTrap::Denormal: return MathCode::TrapDenormal;
    case platform::FloatTrap::DivideByZero: return MathCode::TrapDivideByZero;
    case platform::FloatTrap::Overflow: return MathCode::TrapOverflow;
    case platform::FloatTrap::Underflow: return MathCode::TrapUnderflow;
    case platform::FloatTrap::Inexact: return MathCode::TrapInexact;
    case platform::FloatTrap::StackCheck: return MathCode::TrapStackOverflow;
    }
    return MathCode::TrapInvalid;
}

MathReport math_report(MathCode code, std::string_view operation) {
    Entry entry = entry_of(code);
    std::string text;
    if (is_library_class(code)) {
        text.append(operation).append(": ").append(entry.word).append(" error");
    } else {
        text.append("floating-point error: ").append(entry.word);
    }
    return {entry.number, std::move(text)};
}

} // namespace runtime
