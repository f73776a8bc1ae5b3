// crout-plot as a user runs it, on a report of a whole sweep made by the program. The picture
// itself is checked on real sessions by real_session.sh.

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"
#include "tools/plot/sweep_report.hpp"

namespace {

using namespace testsupport;

// crout-plot as a user runs it: its status, its one line on standard error and whether a
// picture is written, for a whole sweep, a part of one or none, and for files it cannot read
// or write.
TEST(CroutPlot, StatusMessageAndPicture) {
    TempDir session;
    run_crout(session, {.input = "2\n" + std::string(12, '\n') + "3\n"});
    const std::string whole = session.read("resul3.doc"),
                      cut = whole.substr(0, whole.find(" norma(40.0)"));
    const std::string usage = "usage: crout-plot [REPORT] [-o FILE]";
    // The report; the arguments, in a shell after a file-size limit (512-byte blocks) if any.
    const std::tuple<std::string, std::string, int, std::string> cases[] = {
        {whole, "", 0, ""},
        {cut, "", 2, "resul3.doc: " + plot::read_report(cut).note},
        {"a letter\n", "", 1, "resul3.doc: not a report of crout: no record of option 1 or 2"},
        {whole, "none.doc", 1, "cannot read none.doc: No such file or directory"},
        {whole, ".", 1, "cannot read .: Is a directory"},
        {whole, "-o /dev/full", 1, "cannot write /dev/full: No space left on device"},
        {whole, "ulimit -f 1;", 1, "cannot write resul3.svg: File too large"}, // none half written
        {whole, "a b", 1, usage},
        {whole, "-o", 1, usage},
        {whole, "-v", 1, usage},
        {whole, "-o ./resul3.doc", 1, "will not write the picture over the report resul3.doc"}};
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
    EXPECT_EQ(run_program(CROUT_PLOT_BINARY, session, {.args = {"--help"}}).outcome(),
              std::tuple(0, "", usage + "\n"));
}

} // namespace
