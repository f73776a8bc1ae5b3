// probe STEP...: each step is one of
//   open            connect unit 20 to "resul3.doc"
//   label:TEXT      a label record on the console, then the same on unit 20 when connected
//   row:COUNT       a record of COUNT characters "x" on unit 20 (fills the report's buffer)
//   pause           the pause prompt
//   read            read an option and write it back as a label record on the console
//   close           close unit 20
//   divide          divide 1 by 0 in the program's arithmetic
// The process then ends as the program does: status 0, units closed at exit.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/option_read.hpp"
#include "io/pause.hpp"
#include "io/records.hpp"
#include "io/startup.hpp"
#include "io/unit_table.hpp"
#include "runtime/termination.hpp"

int main(int argc, char** argv) {
    io::install_console_units();
    runtime::FFinit(io::unit_hooks());
    io::UnitTable& units = io::units();
    std::int32_t z = 0;
    for (int i = 1; i < argc; ++i) {
        std::string_view step = argv[i];
        if (step == "open") {
            units.open(20, "resul3.doc");
        } else if (step.starts_with("label:")) {
            io::write_label(units.console(), step.substr(6));
            if (io::Unit* report = units.find(20)) io::write_label(*report, step.substr(6));
        } else if (step.starts_with("row:")) {
            io::Unit* report = units.find(20);
            report->begin_write();
            report->put_chars(std::string(std::strtoul(argv[i] + 4, nullptr, 10), 'x'));
            report->end_record();
        } else if (step == "pause") {
            io::FFpPAUSE(units);
        } else if (step == "read") {
            io::FFrd(units, z);
            io::write_label(units.console(), std::to_string(z));
        } else if (step == "close") {
            units.close(20);
        } else if (step == "divide") {
            volatile double one = 1.0, zero = 0.0;
            volatile double quotient = one / zero;
            (void)quotient;
        } else {
            return 2;
        }
    }
    return 0;
}
