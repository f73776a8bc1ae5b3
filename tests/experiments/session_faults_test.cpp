// Faults that strike a running session, and hostile input: each case ends with its report and
// status, and the report file holds exactly the records written before, cut from the records
// of the references.

#include <gtest/gtest.h>

#include "tests/experiments/runs_reference.hpp"
#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

const std::string kOne = "1\n\n\n\n\n", kTwo = "2" + std::string(13, '\n'),
                  kAll = kOne + kTwo + "3\n";

// The first count records of a report.
std::string records(const std::string& report, int count) {
    std::size_t end = 0;
    for (int i = 0; i < count; ++i) end = report.find("\r\n", end) + 2;
    return report.substr(0, end);
}

TEST(SessionFaults, EachEndsCleanlyAndTheReportKeepsWhatWasWritten) {
    const std::string one = reference::option_one().report, two = reference::option_two().report;
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
        // clang-format off
        {"standard output closed", "exec \"$0\" >&-", {.input = kAll}, 0, "", one + two},
        {"standard output a pipe whose reading end is closed before the program starts",
         "mkfifo p; exec 3<>p 4>p 3<&-; exec \"$0\" >&4 4>&-", {.input = kAll}, 0, "", one + two},
        {"standard error closed: the report file is kept off it", "exec \"$0\" 2>&-",
         {.input = kOne + "x\n"}, 1, "", one},
        {"Ctrl-C at the second pause of option 1", "",
         {.input = "1\n\n", .terminal = true, .script = {{second_pause + kPrompt, "\x03"}}}, -1,
         "", records(one, 14)},
        {"Ctrl-C at the menu after option 2", "",
         {.input = kTwo, .terminal = true, .script = {{kPrompt + "\r\n" + kMenu + "\r\n", "\x03"}}},
         -1, "", two},
        // The command dies with the program, which ends at once: long before the command would.
        {"Ctrl-C while a command from a pause runs", "",
         {.input = "1\necho started; sleep 20\n", .terminal = true,
          .script = {{"started\n", "\x03"}}, .timeout_seconds = 10},
         -1, "", records(one, 7)},
        {"input used up at a pause of option 2", "exec \"$0\"", {.input = "2\n\n\n"}, 1,
         report("F6501: WRITE(CON)", "end of file encountered"), records(two, 16)},
        {"the file-size limit (2 blocks of 512 bytes)", "ulimit -f 2; exec \"$0\" >/dev/null",
         {.input = kOne + "3\n"}, 1, full, one.substr(0, 1024)},
        {"an option in pieces", "(printf 3; sleep 0.3; printf '0\\n3\\n') | \"$0\"", {}, 0, "", ""},
        {"a pause reply in pieces",
         "(printf '1\\necho cut-1 >log-'; sleep 0.3; printf 'a\\n\\n\\n\\n3\\n') | \"$0\";"
         " cat log-a",
         {}, 0, "", one},
        {"endless NUL bytes", "exec \"$0\" </dev/zero", {}, 1, invalid, ""},
        {"a 10 MB option line", "exec \"$0\"", {.input = std::string(10 << 20, 'x')}, 1,
         invalid, ""},
        // clang-format on
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
