#include "runtime/math_error.hpp"

#include <cstring>
#include <string_view>

#include "runtime/error_report.hpp"
#include "runtime/statement.hpp"

namespace runtime {

MathErrorState& math_error_state() {
    static MathErrorState state;
    return state;
}

int InIntrinsic() {
    return math_error_state().intrinsic != 0 ? 1 : 0;
}

void set_operation_name(MathErrorState& state, const char* library_name) {
    std::string_view name = library_name;
    if (name == "pow")
        name = "**";
    else if (name == "fmod")
        name = "mod";
    if (name.size() > state.name.size()) name = name.substr(0, state.name.size());
    state.name.fill(' ');
    std::memcpy(state.name.data(), name.data(), name.size());
    state.name_length = static_cast<int>(name.size());
}

int matherr(MathErrorRecord& record) {
    set_math_flag(true);
    if (record.type == MathCode::RangeUnderflow || record.type == MathCode::PartialLoss) {
        set_math_flag(false);
        return 1;
    }
    MathErrorState& state = math_error_state();
    state.code = record.type;
    set_operation_name(state, record.name);
    FF_mputerr();
    return 0;
}

void report_trap(MathCode trap) {
    math_error_state().code = trap;
    set_math_flag(true);
    FF_mputerr();
}

void FF_mputerr() {
    const MathErrorState& state = math_error_state();
    std::string_view operation(state.name.data(), static_cast<std::size_t>(state.name_length));
    MathReport report = math_report(state.code, operation);
    set_statement_kind(StatementKind::Math);
    FF_puterr(report.number, report.text);
}

} // namespace runtime
