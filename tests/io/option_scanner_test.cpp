// The list-directed read of the option over the console's reading side, on lines typed at a
// terminal or redirected from a file, with LF or CR LF line ends. What the collected characters
// convert to is checked by the integer conversion's fuzz target against a reference.

#include "io/input/option_scanner.hpp"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "io/input/read_fault.hpp"
#include "tests/io/scripted_source.hpp"

constexpr int kRedirected = 1, kTerminal = 2;

// The outcome of each read, up to reads of them or the first fault: the value, "null", or F
// and the fault's number.
static std::string read_all(std::string input, bool terminal, bool cr_lf, std::size_t reads) {
    for (std::size_t at = 0; cr_lf && (at = input.find('\n', at)) != std::string::npos; at += 2)
        input.insert(at, "\r");
    testsupport::ScriptedSource source(input, terminal ? source.Terminal : source.File);
    io::LineState line{.open_line = true};
    io::ConsoleReader reader(source, terminal, line);
    std::string outcomes;
    try {
        while (reads-- > 0) {
            const auto value = io::scan_integer_item(reader);
            outcomes += " " + (value ? std::to_string(*value) : "null");
            EXPECT_FALSE(line.open_line);
        }
    } catch (const io::ReadFault& fault) {
        outcomes += " F" + std::to_string(runtime::displayed_number(fault.code));
    }
    return outcomes.substr(1);
}

TEST(OptionScanner, Lines) {
    const std::string zeros(300, '0'), blanks(500, ' ');
    const struct {
        std::string input; // lines, each ended by LF
        std::string reads;
        int modes = kTerminal | kRedirected;
    } rows[] = {
        // clang-format off
        {"3\n", "3"}, {" \t2\t \n", "2"}, {"#A\n", "10"}, {"-1\n0\n4\n", "-1 0 4"}, {std::string("1\0002\n", 4), "F6101"},
        // Based integers: base 2 to 36, none or 0 meaning 16, after an optional sign.
        {"+36#Zz\n", "1295"}, {"-2#101\n", "-5"}, {"0#ff\n", "255"}, {"16#1#1\n", "F6302"}, {"37#1\n", "F6303"},
        // The rest of the line is thrown away; the next read takes the next line.
        {"2 9\n4\n", "2 4"}, {"2,9\n4\n", "2 4"}, {"2/\n4\n", "2 4"}, {"x 4\n", "F6101"},
        // Empty and blank lines are passed over; null values leave the option as it was.
        {"\n \t\n1\n", "1"}, {",\n4\n", "null 4"}, {"  /\n4\n", "null 4"},
        // Repeat factors: only the value after "1*" is not null; a null value at the line end
        // takes one more line and throws it away.
        {"3*2\n", "2"}, {"0*2\n", "F6502"}, {"*2\n", "F6502"}, {"2*3*4\n", "F6503"}, {"3*\njunk\n5\n", "null 5"},
        {"3*\n", "F6501"}, {"3* 5\n4\n", "null 4"}, {"3*,\n4\n", "null 4"}, {"1*\n\n7\n", "7"}, {"1* 7\n", "7"},
        {"-2*7\n", "7"}, {"1*2*3\n", "3"},
        // Character and complex values; an unclosed apostrophe goes on over the next lines,
        // passing over the first byte of each, even the closing apostrophe.
        {"'3'\n", "F6504"}, {"(3)\n", "F6504"}, {"( 1, 2 )\n", "F6504"}, {"(3\n4)\n", "F6504"}, {"'it''s'\n", "F6504"},
        {"'ab\nx'\n", "F6504"}, {"'ab\n'\n", "F6501"}, {"''\n4\n", "null 4"}, {"()\n4\n", "null 4"},
        // A line whose last byte before its end is Ctrl-Z ends the input, whatever stands
        // before the Ctrl-Z, a fault included; elsewhere Ctrl-Z is an ordinary byte.
        {"\x1a\n", "F6501"}, {"3\x1a\n", "F6501"}, {"3 9\x1a\n", "F6501"}, {"1\n\x1a\n", "1 F6501"}, {"x \x1a\n", "F6501"},
        {"4\n(3) \x1a\n", "4 F6501"}, {"0*2 \x1a\n", "F6501"}, {"\x1a" "3\n", "F6101"},
        // End of input, a last line with no line end, a read that fails.
        {"", "F6501"}, {"1\n", "1 F6501"}, {"2", "2"}, {"1\n\xff", "1 F6500"},
        // 130 characters fit in a typed line; redirected lines have no limit, and values and
        // line ends may straddle two reads.
        {blanks.substr(0, 129) + "3\n4\n", "3 4"}, {blanks.substr(0, 130) + "3\n4\n", "F6407", kTerminal},
        {blanks.substr(0, 130) + "3\n4\n", "3 4", kRedirected}, {blanks + "7\n" + blanks + "\n8\n", "7 8", kRedirected},
        {blanks.substr(0, 128) + "12345678\n4\n", "12345678 4", kRedirected},
        {std::string(131, '0') + "3", "3", kRedirected}, // a last line that fills the read
        {blanks.substr(0, 131) + "\x1a\n", "F6501", kRedirected}, {blanks.substr(0, 131) + "\x1a" "5\n", "F6101", kRedirected},
        {blanks.substr(0, 131) + "x  \x1a\n", "F6501", kRedirected},
        {blanks.substr(0, 128) + "'a'\x1a\x1a\n", "F6501", kRedirected}, // a fault at a read's end
        // Values longer than the 259 characters kept.
        {zeros + "\n", "F6100", kRedirected}, {zeros.substr(0, 258) + "x" + zeros + "\n", "F6101", kRedirected},
        {zeros.substr(0, 259) + "x\n", "F6100", kRedirected}, {"'" + zeros + "'\n", "F6504", kRedirected},
        // clang-format on
    };
    for (const auto& row : rows) {
        for (int mode = 0; mode < 4; ++mode) { // terminal or not, LF or CR LF line ends
            if (!(row.modes & (mode & 1 ? kTerminal : kRedirected))) continue;
            const auto reads = static_cast<std::size_t>(std::ranges::count(row.reads, ' ') + 1);
            EXPECT_EQ(read_all(row.input, mode & 1, mode & 2, reads), row.reads)
                << "input: " << row.input << "\nmode: " << mode;
        }
    }
}
