// crout-plot: its reading of a report, the norms read back from reports as the program writes
// them, cut short and put together as a user's reports may be; and the program as a user runs it.
// The picture itself is checked on real sessions by real_session.sh.

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/linalg/runs_reference.hpp"
#include "tests/support/run_program.hpp"
#include "tools/plot/sweep_report.hpp"

using namespace testsupport;
using plot::read_report;

// Reports as the program writes them (the reference's records, which the whole-session test
// holds the program to): option 2 as it stands at each of its pauses, then options 2 and 2;
// option 1 alone, then options 1 and 2; a console's output; and the norms of the sweep.
struct Reports {
    std::vector<std::string> cut; // at each pause: the last one holds the whole sweep
    std::string twice, option1, after_option1, console;
    std::vector<double> norms;
};

static Reports reports() {
    const reference::Shown one = reference::option_one(), two = reference::option_two();
    Reports r{{},         two.report + two.report, one.report, one.report + two.report, two.console,
              two.results};
    for (const std::size_t size : two.pauses) r.cut.push_back(two.report.substr(0, size));
    return r;
}

// The norms of a whole sweep read back are the shown ones of the reference's runs, each the
// nearest double to its seven digits; each other report gives the first norms of the whole
// sweep, and a note.
TEST(SweepReport, WholeCutShortPutTogetherOrWithoutNorms) {
    const Reports r = reports();
    const std::string& whole = r.cut.back();
    const std::size_t order20 = whole.find(" norma(20.0)"), norm20 = order20 + 14;
    std::string lf_only = whole;
    std::erase(lf_only, '\r');
    const std::string two = "the report holds 2 runs of option 2: drawn run ",
                      cut = "option 2 was cut short: ", bad = "not a report of crout: ";
    std::vector<std::tuple<std::string, long, std::string>> cases = {
        // clang-format off
        {r.after_option1, 10, ""}, {lf_only, 10, ""}, {r.twice, 10, two + "2, the last complete one"},
        {r.cut[4] + whole, 10, two + "2, the last complete one"},
        {whole + r.cut[4], 10, two + "1, the last complete one"},
        {whole + r.cut[0], 10, two + "1, the last complete one"},
        {whole.substr(0, whole.size() - 2), 9, cut + "9 of its 10 error norms drawn, missing kind 2 from order 50"},
        {"", 0, "the report is empty"}, {r.option1, 0, "the report holds option 1's results only"},
        {r.console, 0, bad + "no record of option 1 or 2"},
        {whole.substr(0, order20) + whole.substr(norm20 + 17), 0, bad + "line 15 should be norma(20.0)"},
        {whole.substr(0, norm20) + whole.substr(norm20 + 17), 0, bad + "line 16 should hold the error norm"},
        // clang-format on
    };
    // A norm before each pause of option 2 but each kind's first, which follows its solution.
    for (long pause = 1, n = 0; pause <= 12; n += pause++ % 6 != 0) {
        std::string note =
            cut + std::to_string(n) + " of its 10 error norms drawn, missing " +
            (n < 5 ? "kind 1 from order " + std::to_string(10 * n + 10) + ", " : "") +
            "kind 2 from order " + std::to_string(n < 5 ? 10 : 10 * n - 40);
        if (n == 0 || n == 10) note = n ? "" : "option 2 was cut short before its first error norm";
        cases.emplace_back(r.cut[static_cast<std::size_t>(pause - 1)], n, note);
    }

    const plot::SweepNorms all = read_report(whole).sweep.value();
    ASSERT_EQ(std::pair(all.kind[0].size(), all.kind[1].size()), std::pair(5ul, 5ul));
    for (std::size_t k = 0; k < 10; ++k) // kind 1's five, then kind 2's
        EXPECT_EQ(all.kind[k / 5].at(k % 5),
                  std::stod(reference::exponent(reference::decimal_form(r.norms[k]), 15, 7)));
    for (const auto& [report, norms, note] : cases) {
        const plot::ReportReading reading = read_report(report);
        EXPECT_EQ(reading.note, note);
        ASSERT_EQ(reading.sweep.has_value(), norms > 0) << note;
        if (norms == 0) continue;
        const long first[] = {std::min(norms, 5L), std::max(norms - 5, 0L)}; // kind 1's five
        for (std::size_t k = 0; k < 2; ++k)
            EXPECT_EQ(reading.sweep->kind[k],
                      std::vector(all.kind[k].begin(), all.kind[k].begin() + first[k]));
    }
}

// crout-plot as a user runs it: its status, its one line on standard error and whether a
// picture is written, for a whole sweep, a part of one or none, and for files it cannot read
// or write.
TEST(CroutPlot, StatusMessageAndPicture) {
    const std::string whole = reports().cut.back();
    const std::string cut = whole.substr(0, whole.find(" norma(40.0)"));
    const std::string usage = "usage: crout-plot [REPORT] [-o FILE]";
    // The report; the arguments, in a shell after a file-size limit (512-byte blocks) if any.
    const std::tuple<std::string, std::string, int, std::string> cases[] = {
        // clang-format off
        {whole, "", 0, ""}, {cut, "", 2, "resul3.doc: " + plot::read_report(cut).note},
        {"a letter\n", "", 1, "resul3.doc: not a report of crout: no record of option 1 or 2"},
        {whole, "none.doc", 1, "cannot read none.doc: No such file or directory"},
        {whole, ".", 1, "cannot read .: Is a directory"},
        {whole, "-o /dev/full", 1, "cannot write /dev/full: No space left on device"},
        {whole, "ulimit -f 1;", 1, "cannot write resul3.svg: File too large"}, // none half written
        {whole, "a b", 1, usage}, {whole, "-o", 1, usage}, {whole, "-v", 1, usage},
        {whole, "-o ./resul3.doc", 1, "will not write the picture over the report resul3.doc"},
        // clang-format on
    };
    for (const auto& [report, args, status, message] : cases) {
        TempDir dir;
        dir.write("resul3.doc", report);
        const std::size_t limit = args.find(';') + 1;
        const RunResult run = run_program(
            "/bin/sh", dir,
            {.args = {"-c", args.substr(0, limit) + " exec \"$0\" " + args.substr(limit),
                      CROUT_PLOT_BINARY}});
        EXPECT_EQ(run.outcome(),
                  std::tuple(status, message.empty() ? "" : "crout-plot: " + message + "\n", ""));
        EXPECT_EQ(std::filesystem::exists(dir.file("resul3.svg")), status != 1) << message;
    }
    // Asked for, the usage goes to standard output, and nothing failed.
    EXPECT_EQ(run_program(CROUT_PLOT_BINARY, TempDir(), {.args = {"--help"}}).outcome(),
              std::tuple(0, "", usage + "\n"));
}
