// Options 1 and 2 as processes: which records each shows, in which order, on the console and in
// the report, and where the pauses fall. The digits themselves are checked on the kernels.

#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;
using Kinds = std::vector<std::string>;

// The kind of one record as the report holds it (a console line gets its carriage-control
// blank back first), checked against the record's exact layout.
std::string kind_of(const std::string& record) {
    static const std::pair<std::regex, std::string> kinds[] = {
        {std::regex(" (Matriz A|Matriz LU|Inversa|Soluciones para n=10)"), "$1"},
        {std::regex("( [ -]\\.\\d{6}E[-+]\\d\\d){6}"), "row"},
        {std::regex(" determinante  [ -][ .\\d]{14}\\d{3}E[-+]\\d{3}"), "det"},
        {std::regex(" *-?\\d?\\.\\d{16}"), "solution"},
        {std::regex(" norma\\((\\d0\\.0)\\)"), "norma($1)"},
        {std::regex("   \\.\\d{7}E[-+]\\d\\d"), "norm"},
        {std::regex(" "), "empty"},
    };
    for (const auto& [pattern, name] : kinds) {
        std::smatch m;
        if (std::regex_match(record, m, pattern) && (name != "solution" || record.size() == 20))
            return m.format(name);
    }
    return "?" + record;
}

std::vector<std::string> lines(const std::string& bytes) {
    std::vector<std::string> out;
    for (std::size_t start = 0, end; start < bytes.size(); start = end + 2) {
        end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            out.push_back("unended:" + bytes.substr(start));
            break;
        }
        out.push_back(bytes.substr(start, end - start));
    }
    return out;
}

Kinds report_kinds(const std::string& report) {
    Kinds kinds;
    for (const std::string& record : lines(report)) kinds.push_back(kind_of(record));
    return kinds;
}

// The console: the menu, records without their first character, the prompts, and the empty
// line that each record after a pause starts with.
Kinds console_kinds(const std::string& out) {
    static const std::vector<std::string> menu = lines(kMenu + "\r\n");
    Kinds kinds;
    for (const std::string& line : lines(out)) {
        if (line.empty()) continue;
        if (line + "\r\n" == kPrompt)
            kinds.push_back("pause");
        else if (std::find(menu.begin(), menu.end(), line) != menu.end())
            kinds.push_back("menu");
        else
            kinds.push_back(kind_of(" " + line));
    }
    return kinds;
}

void add(Kinds& to, const Kinds& what, int times = 1) {
    for (int i = 0; i < times; ++i) to.insert(to.end(), what.begin(), what.end());
}

// What each option writes, in order; "pause" and "report-only" entries are left out of the
// report and the console respectively.
Kinds option_records(char option) {
    Kinds r;
    if (option == '1') {
        for (const char* caption : {"Matriz A", "Matriz LU"}) {
            r.push_back(caption);
            add(r, {"row"}, 6);
            r.push_back("pause");
            if (caption == std::string("Matriz LU")) add(r, {"det", "pause"});
        }
        r.push_back("Inversa");
        add(r, {"row"}, 6);
        r.push_back("pause");
    } else {
        for (int kind = 1; kind <= 2; ++kind) {
            add(r, {"Soluciones para n=10", "report-only"});
            add(r, {"solution"}, 10);
            r.push_back("pause");
            for (const char* order : {"10.0", "20.0", "30.0", "40.0", "50.0"})
                add(r, {std::string("norma(") + order + ")", "norm", "pause"});
        }
    }
    return r;
}

Kinds without(Kinds kinds, const std::string& dropped) {
    std::erase(kinds, dropped);
    return kinds;
}

// The dialogue for a list of options: each option line, then an empty reply for each pause.
std::string dialogue(const std::string& options) {
    std::string input;
    for (char option : options) {
        input += option == ',' ? ",\n" : std::string(1, option) + "\n";
        if (option == ',') option = '1'; // a null value leaves the option at its first value
        if (option != '3') input += std::string(option == '1' ? 4 : 12, '\n');
    }
    return input;
}

TEST(Runs, RecordsAndPausesOfEachDialogue) {
    for (std::string options : {"13", "23", "113", "213", ",3"}) {
        TempDir dir;
        dir.write("resul3.doc", "an older report, longer than this run's would be\r\n");
        RunResult r = run_crout(dir, {.input = dialogue(options)});
        SCOPED_TRACE(options);
        ASSERT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        Kinds console{"menu", "menu", "menu", "menu"}, report;
        for (char option : options.substr(0, options.size() - 1)) {
            Kinds records = option_records(option == ',' ? '1' : option);
            add(console, without(records, "report-only"));
            add(console, {"menu", "menu", "menu", "menu"});
            add(report, without(without(records, "pause"), "report-only"));
        }
        EXPECT_EQ(console_kinds(r.out), console);
        std::string doc = dir.read("resul3.doc");
        Kinds expected_report = report;
        // The report keeps the empty record after each solution label.
        for (auto it = expected_report.begin(); it != expected_report.end(); ++it)
            if (*it == "Soluciones para n=10") it = expected_report.insert(it + 1, "empty");
        EXPECT_EQ(report_kinds(doc), expected_report);
    }
}

// Every value a run reads is set within it: option 1 shows the same bytes alone, twice in a
// row, or after option 2.
TEST(Runs, OptionOneShowsTheSameBytesWhateverRanBefore) {
    TempDir alone, twice, after_sweep;
    RunResult one = run_crout(alone, {.input = dialogue("13")});
    run_crout(twice, {.input = dialogue("113")});
    run_crout(after_sweep, {.input = dialogue("213")});
    std::string report = alone.read("resul3.doc");
    EXPECT_EQ(twice.read("resul3.doc"), report + report);
    std::string sweep_then_one = after_sweep.read("resul3.doc");
    ASSERT_GE(sweep_then_one.size(), report.size());
    EXPECT_EQ(sweep_then_one.substr(sweep_then_one.size() - report.size()), report);
    // The first row of the matrix, from the rules of the E 13.6 field.
    EXPECT_EQ(lines(report).at(1),
              "  .100000E+01  .333333E+00  .111111E+00  .370370E-01  .123457E-01  .411523E-02");
}

// At a terminal each typed line is one reply, and the screen shows the same bytes as a
// redirected output: the menu's line, ended before the read, takes the place of the line break
// that the first record would bring.
TEST(Runs, OptionOneAtATerminal) {
    TempDir redirected;
    RunResult r = run_crout(redirected, {.input = dialogue("13")});
    TempDir dir;
    RunResult typed = run_crout(dir, {.input = dialogue("13"), .terminal = true});
    EXPECT_EQ(typed.status, 0);
    EXPECT_EQ(typed.out, r.out);
    EXPECT_EQ(dir.read("resul3.doc"), redirected.read("resul3.doc"));
}

} // namespace
