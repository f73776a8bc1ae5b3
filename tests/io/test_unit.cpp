// The units: carriage control on the console, the report file's buffer, cut and close, and
// the faults of writing.

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/unit.hpp"

namespace {

using io::Unit;
using io::UnitKind;

// Records what a unit does to its handle.
struct Log {
    std::vector<std::string> writes;
    std::vector<long> cuts;
    int closes = 0;
    int fail_with = 0; // errno for every write, 0 to succeed
    std::string bytes() const {
        std::string all;
        for (const auto& w : writes) all += w;
        return all;
    }
};

class RecordingChannel final : public io::Channel {
public:
    explicit RecordingChannel(Log& log) : log_(log) {}
    platform::IoResult write(const char* data, std::size_t size) override {
        if (log_.fail_with) return {0, log_.fail_with};
        log_.writes.emplace_back(data, size);
        return {static_cast<long>(size), 0};
    }
    int cut(std::int64_t length) override {
        log_.cuts.push_back(static_cast<long>(length));
        return 0;
    }
    int close() override {
        ++log_.closes;
        return 0;
    }

private:
    Log& log_;
};

std::unique_ptr<Unit> console(Log& log) {
    return std::make_unique<Unit>(0, "CON", UnitKind::Terminal, io::kConsoleBufferSize,
                                  std::make_unique<RecordingChannel>(log));
}

std::unique_ptr<Unit> report(Log& log, bool existing) {
    auto unit = std::make_unique<Unit>(20, "resul3.doc", UnitKind::Sequential, io::kFileBufferSize,
                                       std::make_unique<RecordingChannel>(log));
    unit->line().open_line = !existing;
    return unit;
}

void record(Unit& unit, const std::string& text) {
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
            Log log;
            auto con = console(log);
            con->line().open_line = open;
            record(*con, std::string(1, c.control) + "abc");
            EXPECT_EQ(log.bytes(), std::string(open ? c.open : c.closed) + "abc")
                << "control '" << c.control << "' line " << (open ? "open" : "closed");
            EXPECT_TRUE(con->line().open_line);
            EXPECT_FALSE(con->line().control_done);
        }
    }
}

TEST(ConsoleUnit, RecordsFollowEachOtherWithTheBreakBeforeEachOne) {
    Log log;
    auto con = console(log);
    record(*con, " first");
    record(*con, " second");
    record(*con, ""); // a record with no characters is a blank: an empty line
    con->close();
    EXPECT_EQ(log.bytes(), "first\r\nsecond\r\n\r\n");
}

TEST(ConsoleUnit, ALongRecordIsWrittenInChunksWithControlTakenOnce) {
    Log log;
    auto con = console(log);
    std::string text = "0" + std::string(200, 'a');
    record(*con, text);
    ASSERT_EQ(log.writes.size(), 2u);
    EXPECT_EQ(log.writes[0], "\r\n" + std::string(131, 'a'));
    EXPECT_EQ(log.writes[1], std::string(69, 'a'));
}

TEST(ConsoleUnit, PendingBlanksAreStoredBeforeTheNextCharacters) {
    Log log;
    auto con = console(log);
    con->begin_write();
    con->put_chars("x");
    con->add_pending_blanks(3);
    con->put_chars("y");
    con->add_pending_blanks(2);
    con->end_record();
    EXPECT_EQ(log.bytes(), "   y  ");
}

TEST(ReportUnit, KeepsEveryCharacterAndEndsRecordsWithCrLf) {
    Log log;
    auto file = report(log, false);
    record(*file, " Matriz A");
    record(*file, " ");
    EXPECT_TRUE(log.writes.empty()) << "records wait in the buffer";
    EXPECT_TRUE(file->close());
    EXPECT_EQ(log.bytes(), " Matriz A\r\n \r\n");
    EXPECT_TRUE(log.cuts.empty()) << "a new file is never cut";
    EXPECT_EQ(log.closes, 1);
}

TEST(ReportUnit, WritesTheBufferWhenItFills) {
    Log log;
    auto file = report(log, false);
    std::string row(78, 'r'); // 80 bytes a record with CR LF
    for (int i = 0; i < 13; ++i) record(*file, row);
    ASSERT_EQ(log.writes.size(), 1u);
    EXPECT_EQ(log.writes[0].size(), 1024u);
    file->close();
    std::string expected;
    for (int i = 0; i < 13; ++i) expected += row + "\r\n";
    EXPECT_EQ(log.bytes(), expected);
}

TEST(ReportUnit, AnExistingFileIsCutAtTheFirstWriteOnly) {
    Log log;
    auto file = report(log, true);
    record(*file, " a");
    record(*file, " b");
    EXPECT_EQ(log.cuts, std::vector<long>{0});
    file->close();
    EXPECT_EQ(log.bytes(), " a\r\n b\r\n");
}

TEST(ReportUnit, AnExistingFileWithoutRecordsIsLeftAlone) {
    Log log;
    auto file = report(log, true);
    EXPECT_TRUE(file->close());
    EXPECT_TRUE(log.cuts.empty());
    EXPECT_TRUE(log.writes.empty());
}

TEST(ReportUnit, FlushWritesWhatIsBufferedAndFillingGoesOn) {
    Log log;
    auto file = report(log, false);
    record(*file, " one");
    file->flush();
    EXPECT_EQ(log.bytes(), " one\r\n");
    record(*file, " two");
    file->close();
    EXPECT_EQ(log.bytes(), " one\r\n two\r\n");
}

// A failed write ends the run with its report; which report depends on the system error.
TEST(UnitFaultsDeathTest, FailedWritesEndTheRunWithTheirReport) {
    struct Case {
        int error;
        bool on_console;
        const char* report; // regular expression for standard error
    };
    const Case cases[] = {
        {ENOSPC, false, "run-time error F6422: WRITE\\(resul3.doc\\)"},
        {EDQUOT, false, "run-time error F6422: WRITE\\(resul3.doc\\)"},
        {EACCES, false, "run-time error F6421: WRITE\\(resul3.doc\\)"},
        {EIO, false, "run-time error F6421: WRITE\\(resul3.doc\\)"},
        {ENOSPC, true, "run-time error F6422: WRITE\\(CON\\)"},
        {EROFS, true, "run-time error F6421: WRITE\\(CON\\)"},
    };
    for (const Case& c : cases) {
        EXPECT_EXIT(
            {
                Log log;
                log.fail_with = c.error;
                auto unit = c.on_console ? console(log) : report(log, false);
                record(*unit, " x");
                unit->close();
            },
            testing::ExitedWithCode(1), c.report)
            << "errno " << c.error;
    }
}

TEST(UnitFaults, ABrokenConsoleLosesItsOutputAndTheRunGoesOn) {
    Log log;
    log.fail_with = EPIPE;
    auto con = console(log);
    record(*con, " x");
    EXPECT_TRUE(con->line().open_line);
}

TEST(UnitFaultsDeathTest, AReadOnlyReportEndsTheRunAtItsFirstWrite) {
    EXPECT_EXIT(
        {
            Log log;
            auto file = report(log, true);
            file->set_read_only(true);
            record(*file, " x");
        },
        testing::ExitedWithCode(1),
        "^\r\nrun-time error F6421: WRITE\\(resul3.doc\\)\r\n- access denied in writing file\r\n$");
}

} // namespace
