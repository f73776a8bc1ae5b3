// The units: carriage control on the console, the report file's buffer, and the faults of
// writing.

#include <cerrno>
#include <string>

#include <gtest/gtest.h>

#include "io/unit.hpp"
#include "tests/support/recording_channel.hpp"
#include "tests/support/run_program.hpp"

namespace {

using testsupport::ChannelLog;
using testsupport::recording_unit;

void record(io::Unit& unit, const std::string& text) {
    unit.begin_write();
    unit.put_chars(text);
    unit.end_record();
}

TEST(ConsoleUnit, CarriageControlBytesWithTheLineOpenAndClosed) {
    struct Case {
        char control;
        const char* closed;
        const char* open;
    };
    const Case cases[] = {
        {' ', "", "\r\n"},         {'x', "", "\r\n"},
        {'0', "\r\n", "\r\n\r\n"}, {'1', "\r\n\f\b \r", "\r\n\f\b \r"},
        {'+', "\r", "\r"},
    };
    for (const Case& c : cases) {
        for (bool open : {false, true}) {
            ChannelLog log;
            io::Unit con = recording_unit(true, log);
            con.line().open_line = open;
            record(con, std::string(1, c.control) + "abc");
            EXPECT_EQ(log.bytes, std::string(open ? c.open : c.closed) + "abc")
                << "control '" << c.control << "' line " << (open ? "open" : "closed");
            EXPECT_TRUE(con.line().open_line);
            EXPECT_FALSE(con.line().control_done);
        }
    }
}

TEST(ConsoleUnit, LongRecordsEmptyRecordsAndPendingBlanks) {
    ChannelLog log;
    io::Unit con = recording_unit(true, log);
    record(con, "0" + std::string(200, 'a')); // two chunks; the control is taken once
    EXPECT_EQ(log.writes, 2);
    record(con, ""); // shown as a blank: an empty line
    con.begin_write();
    con.put_chars("x"); // taken as carriage control: a line break
    con.add_pending_blanks(3);
    con.put_chars("y");
    con.add_pending_blanks(2);
    con.end_record();
    EXPECT_TRUE(con.close());
    EXPECT_EQ(log.bytes, "\r\n" + std::string(200, 'a') + "\r\n\r\n   y  \r\n");
}

TEST(ReportUnit, WritesTheBufferOnlyWhenItFills) {
    ChannelLog log;
    io::Unit file = recording_unit(false, log);
    std::string row(78, 'r'); // 80 bytes a record with its CR LF
    for (int i = 0; i < 13; ++i) record(file, row);
    EXPECT_EQ(log.writes, 1);
    EXPECT_EQ(log.bytes.size(), 1024u);
    EXPECT_TRUE(file.close());
    std::string expected;
    for (int i = 0; i < 13; ++i) expected += row + "\r\n";
    EXPECT_EQ(log.bytes, expected);
}

// A failed write ends the run with its report, chosen by the system error; a console that has
// gone away only loses its output.
TEST(UnitFaultsDeathTest, FailedWrites) {
    struct Case {
        int error;
        bool console;
        const char* report; // regular expression for standard error, or nullptr: no report
    };
    const Case cases[] = {
        {ENOSPC, false, "F6422: WRITE\\(resul3.doc\\)"},
        {EDQUOT, false, "F6422: WRITE\\(resul3"},
        {EACCES, false, "F6421: WRITE\\(resul3.doc\\)"},
        {EIO, false, "F6421: WRITE\\(resul3"},
        {ENOSPC, true, "F6422: WRITE\\(CON\\)"},
        {EROFS, true, "F6421: WRITE\\(CON\\)"},
        {EPIPE, true, nullptr},
        {EBADF, true, nullptr},
    };
    for (const Case& c : cases) {
        auto write_and_close = [&] {
            ChannelLog log;
            log.fail_with = c.error;
            io::Unit unit = recording_unit(c.console, log);
            record(unit, " x");
            unit.close();
        };
        if (c.report) {
            EXPECT_EXIT(write_and_close(), testing::ExitedWithCode(1), c.report) << c.error;
        } else {
            write_and_close();
        }
    }
}

TEST(ConsoleUnit, AClosedOrFullStandardOutput) {
    for (bool closed : {true, false}) {
        testsupport::TempDir dir;
        testsupport::RunResult r = testsupport::run_crout(
            dir, {.input = "3\n", .close_stdout = closed, .stdout_full = !closed});
        // A console that has gone away loses its output; a full one is reported.
        EXPECT_EQ(r.status, closed ? 0 : 1);
        EXPECT_EQ(r.err, closed
                             ? ""
                             : testsupport::report("F6422: WRITE(CON)", "no space left on device"));
        EXPECT_EQ(dir.read("resul3.doc"), "");
    }
}

} // namespace
