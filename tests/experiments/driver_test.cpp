// The menu loop as a process with redirected handles: every option but 3 shows the menu again;
// the report file is created, or an existing one left byte for byte, since no record is
// written; a fault of the option read ends the run with its report, and so does a full console.

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

TEST(Menu, OptionsUntilThreeOrAFault) {
    const struct {
        RunOptions run;
        int menus; // shown
        std::string err;
    } cases[] = {
        {{.input = "3\n"}, 1, ""},
        {{.input = "0\n4\n-1\n2147483647\n3\n"}, 5, ""},
        {{.input = "\r\n  \t\r\n3"}, 1, ""}, // blank lines skipped; no line end at the end
        {{.input = std::string(4 << 20, ' ') + "3\n"}, 1, ""}, // a line of megabytes
        {{.input = "abc\n"}, 1, report("F6101: READ(CON)", "invalid character in integer")},
        {{.input = "0\n"}, 2, report("F6501: READ(CON)", "end of file encountered")},
        {{.input = "3\n", .stdout_full = true},
         0,
         report("F6422: WRITE(CON)", "no space left on device")},
    };
    const std::string old("old report\r\n\x1a\0 binary", 21);
    for (bool existing : {false, true}) {
        for (const auto& c : cases) {
            TempDir dir;
            if (existing) dir.write("resul3.doc", old);
            RunResult r = run_crout(dir, c.run);
            std::string menus;
            for (int i = 0; i < c.menus; ++i) menus += kMenu + "\r\n";
            EXPECT_EQ(r.outcome(), std::tuple(c.err.empty() ? 0 : 1, c.err, menus));
            EXPECT_TRUE(std::filesystem::exists(dir.file("resul3.doc")));
            EXPECT_EQ(dir.read("resul3.doc"), existing ? old : "");
        }
    }
}

} // namespace
