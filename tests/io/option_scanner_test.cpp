#include "io/option_scanner.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/read_fault.hpp"
#include "tests/support/scripted_source.hpp"

namespace io {
namespace {

using namespace std::string_literals;
using testsupport::ScriptedSource;

// How the input arrives: typed at a terminal (LF alone, or CR LF), or redirected from a file
// with LF or CR LF line ends.
enum Mode { TerminalLf = 1, TerminalCrLf = 2, RedirectedLf = 4, RedirectedCrLf = 8 };
constexpr int kTerminal = TerminalLf | TerminalCrLf;
constexpr int kRedirected = RedirectedLf | RedirectedCrLf;
constexpr int kAll = kTerminal | kRedirected;

// The outcome of one read: the value, "null", or "F" and the displayed fault number.
std::string read_one(ConsoleReader& reader) {
    try {
        const auto value = FF_ldin(reader);
        return value ? std::to_string(*value) : "null";
    } catch (const ReadFault& fault) {
        return "F" + std::to_string(runtime::displayed_number(fault.code));
    }
}

// Reads as many values as expected, or up to the first fault.
std::vector<std::string> read_all(const std::string& text, Mode mode, std::size_t reads) {
    std::string input = text;
    if (mode & (TerminalCrLf | RedirectedCrLf))
        for (std::size_t at = 0; (at = input.find('\n', at)) != std::string::npos; at += 2)
            input.insert(at, "\r");
    ScriptedSource source(mode & kTerminal ? testsupport::typed_lines(input)
                                           : std::vector<std::string>{input});
    LineState line{.open_line = true};
    ConsoleReader reader(source, (mode & kTerminal) != 0, line);
    std::vector<std::string> outcomes;
    while (outcomes.size() < reads && (outcomes.empty() || outcomes.back()[0] != 'F'))
        outcomes.push_back(read_one(reader));
    if (outcomes.back()[0] != 'F') {
        EXPECT_FALSE(line.open_line);
    }
    return outcomes;
}

struct Row {
    std::string input; // lines, each ended by LF
    std::vector<std::string> reads;
    int modes = kAll;
};

std::string blanks(std::size_t count) {
    return std::string(count, ' ');
}

TEST(OptionScanner, Lines) {
    const std::string zeros(300, '0');
    // clang-format off
    const Row rows[] = {
        {"3\n", {"3"}}, {" \t2\t \n", {"2"}}, {"+2\n", {"2"}}, {"-1\n0\n4\n", {"-1", "0", "4"}},
        // The rest of the line is thrown away; the next read takes the next line.
        {"2 9\n4\n", {"2", "4"}}, {"2,9\n4\n", {"2", "4"}}, {"2/\n4\n", {"2", "4"}},
        // Empty and blank lines are passed over; null values leave the option as it was.
        {"\n \t\n1\n", {"1"}}, {",\n4\n", {"null", "4"}}, {"  /\n4\n", {"null", "4"}},
        {"2147483647\n", {"2147483647"}}, {"2147483648\n", {"F6100"}},
        {"-2147483648\n", {"F6100"}}, {"2.5\n", {"F6101"}}, {"2e0\n", {"F6101"}},
        {"abc\n", {"F6101"}}, {"3x\n", {"F6101"}}, {"16#1F\n", {"31"}}, {"#10\n", {"16"}},
        {"2#101\n", {"5"}}, {"16#FFFFFFFF\n", {"-1"}}, {"2#12\n", {"F6101"}},
        {"1#1\n", {"F6303"}}, {"37#1\n", {"F6303"}}, {"2#1#0\n", {"F6302"}},
        {"1\0002\n"s, {"F6101"}}, {"\0\n"s, {"F6101"}},
        // Repeat factors: only the value after "1*" is not null; a null value at the line end
        // takes one more line and throws it away.
        {"3*2\n", {"2"}}, {"0*2\n", {"F6502"}}, {"*2\n", {"F6502"}}, {"2*3*4\n", {"F6503"}},
        {"3*\njunk\n5\n", {"null", "5"}}, {"3*\n", {"F6501"}}, {"3* 5\n4\n", {"null", "4"}},
        {"3*,\n4\n", {"null", "4"}}, {"1*\n\n7\n", {"7"}}, {"1* 7\n", {"7"}},
        {"-2*7\n", {"7"}}, {"1*2*3\n", {"3"}},
        // Character and complex values; an unclosed apostrophe goes on over the next lines,
        // passing over the first byte of each, even the closing apostrophe.
        {"'3'\n", {"F6504"}}, {"(3)\n", {"F6504"}}, {"( 1, 2 )\n", {"F6504"}},
        {"(3\n4)\n", {"F6504"}}, {"'it''s'\n", {"F6504"}}, {"'ab\nx'\n", {"F6504"}},
        {"'ab\n'\n", {"F6501"}}, {"''\n4\n", {"null", "4"}}, {"()\n4\n", {"null", "4"}},
        // Ctrl-Z before the line end ends the input, whatever stands before it.
        {"\x1a\n", {"F6501"}}, {"3\x1a\n", {"F6501"}}, {"3 9\x1a\n", {"F6501"}},
        {"1\n\x1a\n", {"1", "F6501"}}, {"\x1a"s + "3\n", {"F6101"}},
        // End of input, and a last line with no line end.
        {"", {"F6501"}}, {"1\n", {"1", "F6501"}}, {"2", {"2"}},
        // 130 characters fit in a typed line; redirected lines have no limit, and values and
        // line ends may straddle two reads.
        {blanks(129) + "3\n4\n", {"3", "4"}},
        {blanks(130) + "3\n4\n", {"F6407"}, kTerminal},
        {blanks(130) + "3\n4\n", {"3", "4"}, kRedirected},
        {blanks(128) + "12345678\n4\n", {"12345678", "4"}, kRedirected},
        {blanks(500) + "7\n" + blanks(500) + "\n8\n", {"7", "8"}, kRedirected},
        {blanks(131) + "\x1a\n", {"F6501"}, kRedirected},
        {blanks(131) + "\x1a" + "5\n", {"F6101"}, kRedirected},
        // Values longer than the 259 characters kept.
        {zeros + "\n", {"F6100"}, kRedirected},
        {zeros.substr(0, 258) + "x" + zeros + "\n", {"F6101"}, kRedirected},
        {zeros.substr(0, 259) + "x\n", {"F6100"}, kRedirected},
        {"'" + zeros + "'\n", {"F6504"}, kRedirected},
    };
    // clang-format on
    for (const Row& row : rows)
        for (const Mode mode : {TerminalLf, TerminalCrLf, RedirectedLf, RedirectedCrLf})
            if (row.modes & mode) {
                EXPECT_EQ(read_all(row.input, mode, row.reads.size()), row.reads)
                    << "input: " << row.input << "\nmode: " << mode;
            }
}

} // namespace
} // namespace io
