// Faults that strike a running session, and hostile input: each case ends as the rules say,
// with its report and status, and the report file holds exactly the records written before.
// The expected records are cut from clean runs of the same options.

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

const std::string kOptionOne = "1\n\n\n\n\n", kOptionTwo = "2" + std::string(13, '\n');

// The first count records of a report (all of them for -1).
std::string records(const std::string& report, int count) {
    std::size_t end = 0;
    for (int i = 0; i != count && end < report.size(); ++i) end = report.find("\r\n", end) + 2;
    return count < 0 ? report : report.substr(0, end);
}

// Record number n (from 1) as the console shows it, without its first character.
std::string shown(const std::string& report, int n) {
    const std::string upto = records(report, n), before = records(report, n - 1);
    return upto.substr(before.size() + 1, upto.size() - before.size() - 3);
}

std::string clean_report(const std::string& input) {
    TempDir dir;
    run_crout(dir, {.input = input + "3\n"});
    return dir.read("resul3.doc");
}

// A shell command line that runs crout.
RunOptions shell(const std::string& line, const std::string& input = "") {
    return {.args = {"-c", line}, .input = input};
}

TEST(SessionFaults, EachEndsCleanlyAndTheReportKeepsWhatWasWritten) {
    const std::string one = clean_report(kOptionOne), two = clean_report(kOptionTwo);
    const std::string crout = CROUT_BINARY;
    const std::string full = report("F6422: WRITE(resul3.doc)", "no space left on device");
    struct Case {
        const char* what;
        RunOptions run;
        int status; // -1: ended by SIGINT
        std::string err;
        std::string kept; // the report afterwards
        std::function<void(const TempDir&)> setup = {};
        bool shell = false; // run is a shell command line
    };
    const Case cases[] = {
        {"the report on a full device",
         {.input = kOptionOne + "3\n"},
         1,
         full,
         "",
         [](const TempDir& d) { symlink("/dev/full", d.file("resul3.doc").c_str()); }},
        {"a read-only report, without privileges",
         {.input = kOptionOne + "3\n", .as_nobody = true},
         1,
         report("F6421: WRITE(resul3.doc)", "access denied in writing file"),
         "kept",
         [](const TempDir& d) {
             d.write("resul3.doc", "kept");
             chmod(d.file("resul3.doc").c_str(), 0444);
         }},
        {"standard output closed",
         {.input = kOptionOne + kOptionTwo + "3\n", .close_stdout = true},
         0,
         "",
         one + two},
        {"a broken pipe",
         shell(crout + " | head -c 100 >/dev/null", kOptionOne + kOptionTwo + "3\n"),
         0,
         "",
         one + two,
         {},
         true},
        {"Ctrl-C at the second pause of option 1",
         {.input = "1\n\n",
          .terminal = true,
          .script = {{shown(one, 14) + "\r\n" + kPrompt, "\x03"}}},
         -1,
         "",
         records(one, 14)},
        {"Ctrl-C at the menu after option 2",
         {.input = kOptionTwo,
          .terminal = true,
          .script = {{kPrompt + "\r\n" + kMenu + "\r\n", "\x03"}}},
         -1,
         "",
         two},
        {"input used up at a pause of option 2",
         {.input = "2\n\n\n"},
         1,
         report("F6501: WRITE(CON)", "end of file encountered"),
         records(two, 16)},
        {"the file-size limit, 2 blocks of 512 bytes",
         shell("ulimit -f 2; exec " + crout + " >/dev/null", kOptionOne + "3\n"),
         1,
         full,
         one.substr(0, 1024),
         {},
         true},
        {"an option in two pieces",
         shell("(printf 3; sleep 0.3; printf '0\\n3\\n') | " + crout),
         0,
         "",
         "",
         {},
         true},
        {"a pause reply in two pieces",
         shell("(printf '1\\necho cut-1 > log-'; sleep 0.3; printf 'a\\n\\n\\n\\n3\\n') | " +
               crout),
         0,
         "",
         one,
         {},
         true},
        {"132 bytes without a line end", {.input = std::string(131, '0') + "3"}, 0, "", ""},
        {"endless zeros",
         shell(crout + " </dev/zero"),
         1,
         report("F6101: READ(CON)", "invalid character in integer"),
         "",
         {},
         true},
        {"a 10 MB option line",
         {.input = std::string(10 << 20, 'x') + "\n"},
         1,
         report("F6101: READ(CON)", "invalid character in integer"),
         ""},
        {"a 100 000-digit number",
         {.input = std::string(100000, '7') + "\n"},
         1,
         report("F6100: READ(CON)", "integer value too large"),
         ""},
        {"NUL bytes",
         {.input = std::string(3, '\0') + "\n"},
         1,
         report("F6101: READ(CON)", "invalid character in integer"),
         ""},
        {"a 1 MB line of blanks", {.input = std::string(1 << 20, ' ') + "3\n"}, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        if (c.setup) c.setup(dir);
        const RunResult r = run_program(c.shell ? "/bin/sh" : crout, dir, c.run);
        EXPECT_EQ(c.status < 0 ? r.signal : r.status, c.status < 0 ? SIGINT : c.status);
        if (!c.run.terminal) {
            EXPECT_EQ(r.err, c.err);
        }
        struct stat st;
        if (lstat(dir.file("resul3.doc").c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            EXPECT_EQ(dir.read("resul3.doc"), c.kept);
        }
    }
}

TEST(SessionFaults, PiecesOfAReplyMakeOneCommand) {
    TempDir dir;
    run_program("/bin/sh", dir,
                shell("(printf '1\\necho cut-1 > log-'; sleep 0.3; printf 'a\\n\\n\\n\\n3\\n') | " +
                      std::string(CROUT_BINARY)));
    EXPECT_EQ(dir.read("log-a"), "cut-1\n");
}

// Random bytes end with status 0 or a run-time error report, never with a signal.
TEST(SessionFaults, RandomBytes) {
    std::mt19937 random(7);
    for (int run = 0; run < 20; ++run) {
        std::string input(4096, '\0');
        for (char& c : input) c = static_cast<char>(random());
        TempDir dir;
        const RunResult r = run_crout(dir, {.input = input});
        EXPECT_EQ(r.signal, 0);
        EXPECT_TRUE(r.status == 0 || (r.status == 1 && r.err.starts_with("\r\nrun-time error")))
            << r.status << r.err;
    }
}

} // namespace
