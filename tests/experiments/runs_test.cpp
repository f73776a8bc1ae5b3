// Options 1 and 2 as processes: which records each writes, in which order and layout, where
// the pauses fall, and how the console shows the same records. The digits themselves are
// checked on the kernels and in number editing.

#include <regex>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

// A report record's caption, or the name of its layout.
std::string kind_of(const std::string& record) {
    static const std::pair<std::regex, std::string> kinds[] = {
        {std::regex(" (Matriz A|Matriz LU|Inversa|Soluciones para n=10)"), "$1"},
        {std::regex("( [ -]\\.\\d{6}E[-+]\\d\\d){6}"), "row"},
        {std::regex(" determinante  [ -][ .\\d]{14}\\d{3}E[-+]\\d{3}"), "det"},
        {std::regex("  \\d\\.\\d{16}|   \\.\\d{16}"), "x"}, // F 20.16 near 1
        {std::regex(" norma\\((\\d0\\.0)\\)"), "norma($1)"},
        {std::regex("   \\.\\d{7}E[-+]\\d\\d"), "norm"},
        {std::regex(" "), "empty"},
    };
    for (const auto& [pattern, name] : kinds)
        if (std::smatch m; std::regex_match(record, m, pattern)) return m.format(name);
    return "?" + record;
}

// The records of an option in order, each followed by a comma, with P where a pause stands.
std::string option_kinds(char option) {
    std::string rows, solutions;
    for (int i = 0; i < 10; ++i) solutions += "x,", rows += i < 6 ? "row," : "";
    if (option == '1')
        return "Matriz A," + rows + "P,Matriz LU," + rows + "P,det,P,Inversa," + rows + "P,";
    std::string sweep = "Soluciones para n=10,empty," + solutions + "P,";
    for (char order = '1'; order <= '5'; ++order)
        sweep += std::string("norma(") + order + "0.0),norm,P,";
    return sweep + sweep;
}

// Each option line, then an empty reply for each pause (a null value runs option 1).
std::string dialogue(const std::string& options) {
    std::string input;
    for (char option : options)
        input += option + std::string(option == '2' ? 13 : option == '3' ? 1 : 5, '\n');
    return input;
}

// The report holds the records of each option; the console shows the same records without
// their first character, each after a line break, with the pause prompts and the menus, and
// without the report's empty record.
TEST(Runs, RecordsAndPausesOfEachDialogue) {
    for (std::string options : {"13", "23", "113", "213", ",3"}) {
        TempDir dir;
        dir.write("resul3.doc", "an older report, longer than this run's would be\r\n");
        const RunResult r = run_crout(dir, {.input = dialogue(options)});
        SCOPED_TRACE(options);
        const std::string report = dir.read("resul3.doc");
        std::vector<std::string> records;
        for (std::size_t at = 0, end; (end = report.find("\r\n", at)) != std::string::npos;)
            records.push_back(report.substr(at, end - at)), at = end + 2;
        std::string kinds, expected, console = kMenu;
        std::size_t next = 0;
        for (char option : options.substr(0, options.size() - 1)) {
            std::istringstream names(option_kinds(option == ',' ? '1' : option));
            for (std::string kind; std::getline(names, kind, ',');) {
                if (kind == "P") {
                    console += "\r\n" + kPrompt;
                    continue;
                }
                const std::string record = next < records.size() ? records[next++] : "?";
                kinds += kind_of(record) + ",", expected += kind + ",";
                if (kind != "empty") console += "\r\n" + record.substr(1);
            }
            console += "\r\n" + kMenu;
        }
        EXPECT_EQ(kinds, expected);
        EXPECT_EQ(next, records.size());
        EXPECT_TRUE(report.ends_with("\r\n"));
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, console + "\r\n");
    }
}

// Every value a run reads is set within it: option 1 shows the same bytes alone, twice in a
// row, after option 2, and at a terminal, where each typed line is one reply and the screen
// shows the same bytes as a redirected output.
TEST(Runs, OptionOneShowsTheSameBytesWhateverRanBefore) {
    TempDir alone, twice, after_sweep, terminal;
    const RunResult one = run_crout(alone, {.input = dialogue("13")});
    run_crout(twice, {.input = dialogue("113")});
    run_crout(after_sweep, {.input = dialogue("213")});
    const std::string report = alone.read("resul3.doc");
    EXPECT_EQ(twice.read("resul3.doc"), report + report);
    EXPECT_TRUE(after_sweep.read("resul3.doc").ends_with(report));
    if (native_programs()) {
        const RunResult typed = run_crout(terminal, {.input = dialogue("13"), .terminal = true});
        EXPECT_EQ(typed.out, one.out);
        EXPECT_EQ(terminal.read("resul3.doc"), report);
    }
    // The first row of the matrix, from the rules of the E 13.6 field.
    EXPECT_NE(report.find("\r\n  .100000E+01  .333333E+00  .111111E+00  .370370E-01  "
                          ".123457E-01  .411523E-02\r\n"),
              std::string::npos);
}

} // namespace
