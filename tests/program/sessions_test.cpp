// Whole sessions as processes with redirected handles or at a terminal.
// The menu loop: every option but 3 shows the menu again; the report file is created, or an
// existing one left byte for byte, since no record is written; a fault of the option read ends
// the run with its report, and so does a full console.
// Options 1 and 2, every shown digit: the report and the console of whole sessions against the
// records of the references, and checks that trust neither.
// Faults that strike a running session, and hostile input: each case ends with its report and
// status, and the report file holds exactly the records written before, cut from the records
// of the references.

#include <filesystem>
#include <optional>

#include <gtest/gtest.h>

#include "tests/linalg/runs_reference.hpp"
#include "tests/support/run_program.hpp"

using namespace testsupport;

TEST(Runs, EveryShownDigitOfWholeSessions) {
    const reference::Shown one = reference::option_one(), two = reference::option_two();
    // The options, one line each (a null value keeps the option, at first 1), and whether they
    // are typed at a terminal.
    const std::pair<std::string, bool> runs[] = {{"123", false}, {"2113", false}, {",13", true}};
    for (const auto& [options, terminal] : runs) {
        if (terminal && !native_programs()) continue; // an emulator's console rewrites bytes
        SCOPED_TRACE(options);
        TempDir dir;
        dir.write("resul3.doc", "an older report, longer than this run's would be\r\n");
        std::string input, report, console = kMenu;
        for (char option : options) {
            const reference::Shown& shown = option == '2' ? two : one;
            input += option == ',' ? "," + session("1").substr(1) : session({option});
            if (option == '3') continue;
            report += shown.report, console += shown.console + "\r\n" + kMenu;
        }
        EXPECT_EQ(run_crout(dir, {.input = input, .terminal = terminal}).outcome(),
                  std::tuple(0, "", console + "\r\n"));
        EXPECT_EQ(dir.read("resul3.doc"), report);
    }

    // Trusting neither the program nor the reference's solver: the reference's inverse times A,
    // in long double, is the identity.
    for (int entry = 0; entry < 36; ++entry) {
        long double sum = 0;
        for (int k = 0; k < 6; ++k)
            sum += one.results[std::size_t(entry % 6 + 6 * k)] *
                   static_cast<long double>(reference::matrix_entry(k + 1, entry / 6 + 1, 6, 1));
        EXPECT_NEAR(static_cast<double>(sum), entry % 6 == entry / 6, 1e-13) << entry;
    }
}

// The menu loop, then faults that strike a session, and hostile input.
TEST(Sessions, EachEndsCleanlyAndTheReportKeepsWhatWasWritten) {
    const reference::Shown shown_one = reference::option_one(), shown_two = reference::option_two();
    const std::string &one = shown_one.report, &two = shown_two.report;
    const std::string full = report("F6422: WRITE(resul3.doc)", "no space left on device"),
                      invalid = report("F6101: READ(CON)", "invalid character in integer"),
                      ended = report("F6501: READ(CON)", "end of file encountered"),
                      old("old report\r\n\x1a\0 binary", 21), none = "(no report file)",
                      menu = kMenu + "\r\n",
                      old_report =
                          "printf 'old report\\r\\n\\032\\000 binary' >resul3.doc; exec \"$0\"";
    // The last row of "Matriz LU" as the console shows it, then the second pause's prompt.
    const std::string second_pause =
        one.substr(0, shown_one.pauses[1]).substr(one.rfind("\r\n", shown_one.pauses[1] - 3) + 3);
    const struct {
        const char* what;
        std::string shell; // a shell command line, with the program as $0; none: at a terminal
        RunOptions run;
        int status; // -1: ended by Ctrl-C
        std::string err, kept;
        bool native_only = false; // the system's own faults: not under an emulator
        std::optional<std::string> out = {};
    } cases[] = {
        // clang-format off
        // Every option but 3 shows the menu again; the report file is created, or an existing
        // one left byte for byte, since no record is written; a fault of the option read ends
        // the run with its report.
        {"option 3", "", {.input = "3\n"}, 0, "", "", false, menu},
        {"options that are not 1, 2 or 3", "", {.input = "0\n4\n-1\n2147483647\n3\n"}, 0, "", "", false, menu + menu + menu + menu + menu},
        {"blank lines, and no line end at the end", "", {.input = "\r\n  \t\r\n3"}, 0, "", "", false, menu},
        {"a line of megabytes", "", {.input = std::string(4 << 20, ' ') + "3\n"}, 0, "", "", false, menu},
        {"an invalid option", "", {.input = "abc\n"}, 1, invalid, "", false, menu},
        {"the input used up", "", {.input = "0\n"}, 1, ended, "", false, menu + menu},
        {"an existing report", old_report, {.input = "0\n3\n"}, 0, "", old, false, menu + menu},
        {"an existing report, and a fault", old_report, {.input = "abc\n"}, 1, invalid, old, false, menu},
        // Typed at a terminal, where standard error shows among the menus: the menu's line is
        // ended before the read, and a typed line ends it. A fault met while the line is taken
        // leaves the line open, and the closing at exit ends it after the report.
        {"typed options", "", {.input = "0\n3\n", .terminal = true}, 0, "", "", false, menu + menu},
        {"a typed line of 131 characters", "", {.input = std::string(130, ' ') + "3\n", .terminal = true}, 1, "", "",
         false, menu + report("F6407: READ(CON)", "input line longer than 130 characters") + "\r\n"},
        {"Ctrl-D typed", "", {.input = "\x04", .terminal = true}, 1, "", "", false, menu + ended + "\r\n"},
        {"an invalid option typed", "", {.input = "abc\n", .terminal = true}, 1, "", "", false, menu + invalid},
        // Faults that strike a running session, and hostile input: each case ends with its report
        // and status, and the report file holds exactly the records written before.
        {"standard output closed", "exec \"$0\" >&-", {.input = session("123")}, 0, "", one + two},
        {"standard output a pipe whose reading end is closed before the program starts",
         "mkfifo p; exec 3<>p 4>p 3<&-; exec \"$0\" >&4 4>&-", {.input = session("123")}, 0, "", one + two},
        {"standard error closed: the report file is kept off it, and off a command's", "exec \"$0\" 2>&-",
         {.input = "1\nls -l /proc/self/fd | grep -q resul3 || echo cut-1\n\n\n\nx\n"}, 1, "", one, true},
        {"standard output full", "exec \"$0\" >/dev/full", {.input = "3\n"}, 1, report("F6422: WRITE(CON)", "no space left on device"), ""},
        {"standard input a folder", "exec \"$0\" <.", {}, 1, report("F6500: READ(CON)", "read failed"), "", true},
        // One stream on a terminal and the other not: each has its own mode.
        {"standard input a pipe, standard output a terminal", "printf '1\\n\\n\\n\\n\\n3\\n' | \"$0\"", {.terminal = true}, 0, "", one},
        {"standard output a file, standard input a terminal: a typed line of 131 characters", "exec \"$0\" >/dev/null",
         {.input = std::string(131, ' ') + "3\n", .terminal = true}, 1, "", ""},
        // The report file cannot be opened.
        {"resul3.doc a dangling link: not followed", "ln -s t resul3.doc; exec \"$0\"", {}, 1,
         report("F6415: OPEN(resul3.doc)", "file already exists"), none, true},
        {"the working folder removed", "mkdir w; cd w; rmdir ../w; exec \"$0\"", {}, 1,
         report("F6416: OPEN(resul3.doc)", "file not found"), none, true},
        {"no descriptor left", "exec <&- 3<&1; ulimit -n 4; exec \"$0\"", {}, 1,
         report("F6417: OPEN(resul3.doc)", "too many open files"), none, true},
        {"Ctrl-C at the second pause of option 1", "",
         {.input = "1\n\n", .terminal = true, .script = {{second_pause + kPrompt, "\x03"}}}, -1, "", one.substr(0, shown_one.pauses[1])},
        {"Ctrl-C at the menu after option 2", "",
         {.input = session("2"), .terminal = true, .script = {{kPrompt + "\r\n" + kMenu + "\r\n", "\x03"}}}, -1, "", two},
        // The command dies with the program, which ends at once: long before the command would.
        {"Ctrl-C while a command from a pause runs", "", {.input = "1\necho started; sleep 20\n", .terminal = true,
          .script = {{"started\n", "\x03"}}}, -1, "", one.substr(0, shown_one.pauses[0])},
        {"input used up at a pause of option 2", "exec \"$0\"", {.input = "2\n\n\n"}, 1,
         report("F6501: WRITE(CON)", "end of file encountered"), two.substr(0, shown_two.pauses[2])},
        {"the file-size limit (2 blocks of 512 bytes)", "ulimit -f 2; exec \"$0\" >/dev/null",
         {.input = session("13")}, 1, full, one.substr(0, 1024), true},
        {"an option in pieces", "(printf 3; sleep 0.3; printf '0\\n3\\n') | \"$0\"", {}, 0, "", ""},
        {"a pause reply in pieces", "(printf '1\\necho cut-1 >log-'; sleep 0.3; printf 'a\\n\\n\\n\\n3\\n') | \"$0\"; cat log-a",
         {}, 0, "", one},
        {"endless NUL bytes", "exec \"$0\" </dev/zero", {}, 1, invalid, ""},
        {"a 10 MB option line", "exec \"$0\"", {.input = std::string(10 << 20, 'x')}, 1, invalid, ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        // Under an emulator: no terminal sessions, and none of POSIX's own faults.
        if (!native_programs() && (c.run.terminal || c.native_only)) continue;
        // A command from a pause writes "cut-1"; a program that runs none leaves the row out.
        const bool runs_a_command = (c.shell + c.run.input).find("cut-1") != std::string::npos;
        if (runs_a_command && programs_lack("commands")) continue;
#ifdef __SANITIZE_ADDRESS__ // whose run-time needs descriptors of its own before the program runs
        if (c.shell.find("ulimit -n") != std::string::npos) continue;
#endif
        SCOPED_TRACE(c.what);
        TempDir dir;
        RunOptions run = c.run;
        if (!c.shell.empty()) run.args = {"-c", c.shell, crout_program()};
        const RunResult r = run_program(c.shell.empty() ? crout_program() : "/bin/sh", dir, run);
        EXPECT_EQ(c.status < 0 ? r.signal : r.status, c.status < 0 ? SIGINT : c.status);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(std::filesystem::exists(dir.file("resul3.doc")) ? dir.read("resul3.doc") : none,
                  c.kept);
        EXPECT_EQ(r.out, c.out.value_or(r.out));
        // What a command wrote, in the interpreter's own line end.
        EXPECT_EQ(r.out.find("cut-1") != std::string::npos, runs_a_command);
    }
}
