#pragma once
// Reports made by the program itself: option 2 as it stands at each of its twelve pauses (a
// pause reply copies the report), options 2 then 2, options 1 then 2, option 1 alone, and the
// console output of a sweep.

#include "tests/support/run_program.hpp"

namespace testsupport {

struct RealReports {
    std::vector<std::string> cut; // at pause 1 to 12: the last one holds the whole sweep
    std::string twice, after_option1, option1, console;
};

inline const RealReports& real_reports() {
    static const RealReports reports = [] {
        RealReports made;
        TempDir dir;
        std::string input = "2\n", sweep = "2\n" + std::string(12, '\n');
        for (int k = 1; k <= 12; ++k) input += "cp resul3.doc cut" + std::to_string(k) + "\n";
        made.console = run_crout(dir, {.input = input + sweep + "3\n"}).out;
        for (int k = 1; k <= 12; ++k) made.cut.push_back(dir.read("cut" + std::to_string(k)));
        made.twice = dir.read("resul3.doc");
        run_crout(dir, {.input = "1\n\n\n\ncp resul3.doc option1\n" + sweep + "3\n"});
        made.option1 = dir.read("option1"), made.after_option1 = dir.read("resul3.doc");
        return made;
    }();
    return reports;
}

} // namespace testsupport
