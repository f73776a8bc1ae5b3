// The console and the report unit in processes run through the probe or the program.
// The option read on a terminal, where standard input and output are one pseudo-terminal and one
// line state serves both directions; and the report written out before the read waits.
// The pause prompt: the reply, the command it runs and the layout around it. (Ctrl-C while a
// command runs is a session fault.)
// Connecting the report unit to "resul3.doc", run without privileges: an existing report is cut
// at the first record; a read-only one is kept until a record must be written; a write-only one
// is used; a folder in its place, or a folder that takes no new file, ends the run before the
// menu.

#include <sys/stat.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

// The menu's line is ended before the read, and a typed line ends the line state: nothing
// follows the menu after 3, and the next menu starts on the line below the typed one.
TEST(OptionRead, LinesTypedAtTheMenu) {
    const struct {
        std::string typed;
        std::string tail; // what follows the menu and its line end
    } cases[] = {
        {"3\n", ""},
        {"0\n3\n", kMenu + "\r\n"},
        // A fault met while the line is taken leaves the console line open: the closing at
        // exit ends it after the report.
        {std::string(130, ' ') + "3\n",
         report("F6407: READ(CON)", "input line longer than 130 characters") + "\r\n"},
        {"\x04", report("F6501: READ(CON)", "end of file encountered") + "\r\n"},
        // A fault found after the line has ended leaves nothing open.
        {"abc\n", report("F6101: READ(CON)", "invalid character in integer")},
    };
    for (const auto& c : cases) {
        TempDir dir;
        RunResult r = run_crout(dir, {.input = c.typed, .terminal = true});
        SCOPED_TRACE(c.typed.size());
        EXPECT_EQ(r.status, c.tail.find("error") == std::string::npos ? 0 : 1);
        EXPECT_EQ(r.out, kMenu + "\r\n" + c.tail);
    }
}

// While the read waits, the report holds every record written before it.
TEST(OptionRead, TheReportIsWrittenOutBeforeTheReadWaits) {
    TempDir dir;
    std::string seen;
    RunResult r =
        run_probe(dir, {.args = {"open", "label:A", "read"},
                        .terminal = true,
                        .script = {{"A\r\n", "3\n", [&] { seen = dir.read("resul3.doc"); }}}});
    EXPECT_EQ(seen, " A\r\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "A\r\n3\r\n");
}

// Each case is the reply to the first of two pauses, typed at a terminal or redirected from a
// file; the second reply is "echo two". What the first command shows stands between the two
// prompts; a reply that does not fit is consumed whole and runs nothing.
TEST(Pause, Replies) {
    enum { kRedirected = 1, kTerminal = 2, kBoth = 3 };
    const std::string a121(121, 'a');
    const struct {
        std::string reply;
        std::string shown;
        int modes = kBoth;
    } cases[] = {
        {"\n", ""},
        {" \t  \n", ""},
        {" \t  \r\n", "", kRedirected},
        {"x   \n", ""},
        {"  echo   hi \t\n", "hi\n"},
        {"printf '%s' \"$0\"\n", "sh"},
        {"exit 3\n", ""},                     // the command's status is ignored
        {"yes | head -c1\n", "y"},            // the command gets the default action for SIGPIPE
        {"echo one\r", "one\n"},              // a CR alone ends the reply; the next byte is kept
        {"echo " + a121 + "\n", a121 + "\n"}, // 126 characters
        {"echo " + a121 + "a\n", a121 + "a\n", kRedirected}, // 127
        {"echo " + a121 + "a\n", "", kTerminal},
        {"echo " + a121 + "aa\n", "", kRedirected}, // 128
        {"echo " + std::string(300, 'a') + "\n", ""},
        {std::string("echo hi\0 there\n", 15), "", kRedirected}, // cannot be passed whole
        {"\x04", "", kTerminal},                         // a closed console is a blank reply
        {std::string(200, 'x') + "\x04", "", kTerminal}, // too long, and ended by Ctrl-D
    };
    for (const auto& c : cases) {
        for (bool terminal : {false, true}) {
            if (!(c.modes & (terminal ? kTerminal : kRedirected))) continue;
            TempDir dir;
            RunResult r = run_probe(dir, {.args = {"label:A", "pause", "pause", "label:B"},
                                          .input = c.reply + "echo two\n",
                                          .terminal = terminal,
                                          .timeout_seconds = 10});
            SCOPED_TRACE(c.reply.substr(0, 20) + (terminal ? " at a terminal" : ""));
            EXPECT_EQ(r.status, 0);
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(r.out, "A\r\n" + kPrompt + c.shown + "\r\n" + kPrompt + "two\n\r\nB\r\n");
        }
    }
}

TEST(ReportFile, OpeningWithoutPrivileges) {
    const std::string denied = report("F6414: OPEN(resul3.doc)", "access denied in opening file");
    const std::string kept(5000, 'o');
    const struct {
        int mode; // of an existing report; 0: a folder in its place; -1: no report, in a folder
                  // that takes no new file
        std::string steps; // for the probe; none: the program, with option 3
        std::string err, report;
    } cases[] = {
        {0666, "open label:A", "", " A\r\n"},
        {0444, "", "", kept},
        {0444, "open label:A", report("F6421: WRITE(resul3.doc)", "access denied in writing file"),
         kept},
        {0222, "open label:A", "", " A\r\n"}, // write-only
        {0, "", denied, ""},
        {-1, "", denied, ""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        if (c.mode > 0) dir.write("resul3.doc", kept);
        const int set_up = c.mode > 0
                               ? chmod(dir.file("resul3.doc").c_str(), static_cast<mode_t>(c.mode))
                           : c.mode == 0 ? mkdir(dir.file("resul3.doc").c_str(), 0777)
                                         : chmod(dir.path.c_str(), 0555);
        ASSERT_EQ(set_up, 0);
        RunResult r = c.steps.empty() ? run_crout(dir, {.input = "3\n", .as_nobody = true})
                                      : run_probe(dir, {.args = words(c.steps), .as_nobody = true});
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(r.status, c.err.empty() ? 0 : 1);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, !c.steps.empty() ? "A\r\n" : c.err.empty() ? kMenu + "\r\n" : "");
        EXPECT_EQ(dir.read("resul3.doc"), c.report);
    }
}

} // namespace
