// The program's one input statement (option_read.hpp): the console's open line ended, one
// integer item scanned, and a read fault turned into the run-time's report.

#include "io/option_read.hpp"

#include "io/input/option_scanner.hpp"
#include "io/input/read_fault.hpp"
#include "runtime/error_report.hpp"
#include "runtime/statement.hpp"

namespace io {

void read_option(UnitTable& table, std::int32_t& item) {
    // The user may leave the program waiting here for good: the report must not.
    table.flush_files();

    Unit& console = table.console();
    runtime::begin_statement(runtime::StatementKind::Read, console.name());

    // With one descriptor for both directions, the menu's last line is still open: end it so
    // the user types on the line below.
    ConsoleReader& reader = table.reader();
    LineState& line = reader.line();
    if (line.open_line) {
        if (!line.control_done) console.write_direct("\r\n");
        line.control_done = false;
        reader.discard();
    }

    // The fault is reported once the handler has finished, so the process never ends from
    // inside it.
    std::optional<runtime::ErrorCode> fault;
    try {
        if (std::optional<std::int32_t> value = scan_integer_item(reader)) item = *value;
    } catch (const ReadFault& read_fault) {
        fault = read_fault.code;
    }
    if (fault) runtime::end_run_with_error(*fault);
}

} // namespace io
