// Connecting the report unit to "resul3.doc", run without privileges: an existing report is cut
// at the first record; a read-only one is kept until a record must be written; a write-only one
// is used; a folder in its place, or a folder that takes no new file, ends the run before the
// menu.

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

using namespace testsupport;

TEST(ReportFile, OpeningWithoutPrivileges) {
    const std::string denied = report("F6414: OPEN(resul3.doc)", "access denied in opening file");
    const std::string kept(5000, 'o');
    // The mode of an existing report (0: a folder in its place; -1: no report, in a folder that
    // takes no new file); the probe's steps (none: the program, with option 3); standard error;
    // the report.
    const std::tuple<int, std::string, std::string, std::string> cases[] = {
        // clang-format off
        {0666, "open label:A", "", " A\r\n"}, {0444, "", "", kept},
        {0444, "open label:A", report("F6421: WRITE(resul3.doc)", "access denied in writing file"), kept},
        {0222, "open label:A", "", " A\r\n"}, // write-only
        {0, "", denied, ""}, {-1, "", denied, ""},
        // clang-format on
    };
    for (const auto& [mode, steps, err, report] : cases) {
        TempDir dir; // with a copy of the program, since the build folder may be closed to others
        std::filesystem::copy_file(steps.empty() ? crout_program() : probe_program(),
                                   dir.file("program"));
        if (mode > 0) dir.write("resul3.doc", kept);
        const int set_up = mode > 0    ? chmod(dir.file("resul3.doc").c_str(), mode_t(mode))
                           : mode == 0 ? mkdir(dir.file("resul3.doc").c_str(), 0777)
                                       : chmod(dir.path.c_str(), 0555);
        ASSERT_EQ(set_up, 0);
        const RunResult r =
            run_program("/usr/bin/setpriv", dir,
                        {.args = words("--reuid=nobody --regid=nogroup --clear-groups " +
                                       dir.file("program") + " " + steps),
                         .input = "3\n"});
        const std::string out = !steps.empty() ? "A\r\n" : err.empty() ? kMenu + "\r\n" : "";
        EXPECT_EQ(r.outcome(), std::tuple(err.empty() ? 0 : 1, err, out)) << mode;
        EXPECT_EQ(dir.read("resul3.doc"), report) << mode;
    }
}
