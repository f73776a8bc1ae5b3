// Faults that strike a running session, and hostile input: each case ends with its report and
// status, and the report file holds exactly the records written before. The expected records
// are cut from clean runs of the same options.

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

const std::string kOne = "1\n\n\n\n\n", kTwo = "2" + std::string(13, '\n');

// The first count records of a report.
std::string records(const std::string& report, int count) {
    std::size_t end = 0;
    for (int i = 0; i < count; ++i) end = report.find("\r\n", end) + 2;
    return report.substr(0, end);
}

std::string clean_report(const std::string& input) {
    TempDir dir;
    run_crout(dir, {.input = input + "3\n"});
    return dir.read("resul3.doc");
}

TEST(SessionFaults, EachEndsCleanlyAndTheReportKeepsWhatWasWritten) {
    const std::string one = clean_report(kOne), two = clean_report(kTwo);
    const std::string full = report("F6422: WRITE(resul3.doc)", "no space left on device");
    const std::string invalid = report("F6101: READ(CON)", "invalid character in integer");
    // The last row of "Matriz LU" as the console shows it, then the second pause's prompt.
    const std::string second_pause = records(one, 14).substr(records(one, 13).size() + 1);
    const struct {
        const char* what;
        std::string shell; // a shell command line, with the program as $0; none: at a terminal
        RunOptions run;
        int status; // -1: ended by Ctrl-C
        std::string err, kept;
    } cases[] = {
        {"standard output closed",
         "exec \"$0\" >&-",
         {.input = kOne + kTwo + "3\n"},
         0,
         "",
         one + two},
        {"a broken pipe",
         "\"$0\" | head -c 100 >/dev/null",
         {.input = kOne + kTwo + "3\n"},
         0,
         "",
         one + two},
        {"Ctrl-C at the second pause of option 1",
         "",
         {.input = "1\n\n", .terminal = true, .script = {{second_pause + kPrompt, "\x03"}}},
         -1,
         "",
         records(one, 14)},
        {"Ctrl-C at the menu after option 2",
         "",
         {.input = kTwo, .terminal = true, .script = {{kPrompt + "\r\n" + kMenu + "\r\n", "\x03"}}},
         -1,
         "",
         two},
        {"input used up at a pause of option 2",
         "exec \"$0\"",
         {.input = "2\n\n\n"},
         1,
         report("F6501: WRITE(CON)", "end of file encountered"),
         records(two, 16)},
        {"the file-size limit (2 blocks of 512 bytes)",
         "ulimit -f 2; exec \"$0\" >/dev/null",
         {.input = kOne + "3\n"},
         1,
         full,
         one.substr(0, 1024)},
        {"an option in pieces", "(printf 3; sleep 0.3; printf '0\\n3\\n') | \"$0\"", {}, 0, "", ""},
        {"a pause reply in pieces",
         "(printf '1\\necho cut-1 >log-'; sleep 0.3; printf 'a\\n\\n\\n\\n3\\n') | \"$0\"; cat "
         "log-a",
         {},
         0,
         "",
         one},
        {"endless zeros", "exec \"$0\" </dev/zero", {}, 1, invalid, ""},
        {"a 10 MB option line",
         "exec \"$0\"",
         {.input = std::string(10 << 20, 'x')},
         1,
         invalid,
         ""},
        {"a 100 000-digit number",
         "exec \"$0\"",
         {.input = std::string(100000, '7') + "\n"},
         1,
         report("F6100: READ(CON)", "integer value too large"),
         ""},
        {"NUL bytes", "exec \"$0\"", {.input = std::string(3, '\0') + "\n"}, 1, invalid, ""},
    };
    for (const auto& c : cases) {
        // Under an emulator: no terminal sessions, and no file-size limit, which is POSIX's.
        if (!native_programs() && (c.run.terminal || c.shell.starts_with("ulimit"))) continue;
        SCOPED_TRACE(c.what);
        TempDir dir;
        RunOptions run = c.run;
        if (!c.shell.empty()) run.args = {"-c", c.shell, crout_program()};
        const RunResult r = run_program(c.shell.empty() ? crout_program() : "/bin/sh", dir, run);
        EXPECT_EQ(c.status < 0 ? r.signal : r.status, c.status < 0 ? SIGINT : c.status);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(dir.read("resul3.doc"), c.kept);
        // What the command wrote, in the interpreter's own line end.
        EXPECT_EQ(r.out.find("cut-1") != std::string::npos, c.shell.ends_with("cat log-a"));
    }
}

} // namespace
