// The list-directed read of one integer item (option_scanner.hpp): the value's characters are
// scanned from the console's reading side, then converted.
//
// Sections, in order:
//   value text      the characters of one value, kept up to the buffer's length
//   quoted values   the text between apostrophes
//   value scan      blanks, blank lines, repeat factors, separators and brackets
//   interface       scan_integer_item: one value, then the end of the read

#include "io/input/option_scanner.hpp"

#include <array>
#include <cstddef>
#include <string_view>

#include "io/input/integer_conversion.hpp"
#include "io/input/read_fault.hpp"

namespace io {

using runtime::ErrorCode;

namespace {

// The characters of one value. The buffer holds 259 of them: a 260th settles the value (only
// redirected input has lines that long), and nothing more of it is read.
class ValueText {
public:
    bool empty() const { return size_ == 0; }
    void clear() {
        size_ = 0;
        overflowed_ = false;
    }
    void append(unsigned char c) {
        if (size_ < chars_.size())
            chars_[size_++] = static_cast<char>(c);
        else
            overflowed_ = true;
    }
    // A character came past what the buffer holds.
    bool settled() const { return overflowed_; }

    // The integer the characters stand for. When one did not fit, a fault of the kept ones
    // is reported as it is; otherwise the value cannot fit, which is an overflow.
    std::int32_t convert() const {
        const std::int32_t value = parse_integer(std::string_view(chars_.data(), size_));
        if (overflowed_) fault(ErrorCode::IntegerOverflow);
        return value;
    }

private:
    std::array<char, 259> chars_{};
    std::size_t size_ = 0;
    bool overflowed_ = false;
};

enum class Kind { Plain, Parenthesised, Quoted };

struct Value {
    Kind kind = Kind::Plain;
    ValueText text;
    bool line_ended = false; // the value was ended by the end of its line
};

// Takes the rest of a quoted value after its opening apostrophe. Two apostrophes stand for
// one; a single one closes the value and the byte after it separates. A line end there is
// left for the end of the read, which ends that same line.
void scan_quoted(ConsoleReader& reader, ValueText& text) {
    for (;;) {
        const unsigned char c = reader.next();
        if (is_line_end(c)) {
            // The value goes on over the next line, whose first byte is passed over.
            reader.step_back();
            reader.end_input_line();
            reader.next();
        } else if (c != '\'') {
            text.append(c);
            if (text.settled()) return;
        } else {
            const unsigned char after = reader.next();
            if (after != '\'') {
                if (is_line_end(after)) reader.step_back();
                return;
            }
            text.append('\'');
            if (text.settled()) return;
        }
    }
}

// Scans one value: leading blanks, blank lines and repeat factors are passed over; the value
// ends at a separator (blank, comma, slash), at its line end, or with its closing bracket or
// apostrophe.
Value scan_value(ConsoleReader& reader) {
    Value value;
    ValueText& text = value.text;
    std::int64_t repeat = 0; // the repeat factor less one: a value follows only when 0
    for (;;) {
        unsigned char c = reader.next();
        if (is_line_end(c)) {
            reader.step_back();
            reader.end_input_line();
            if (!text.empty()) value.line_ended = true;
            c = ' ';
        }
        switch (c) {
        case ' ':
        case '\t':
            if ((text.empty() && repeat == 0) || value.kind == Kind::Parenthesised) continue;
            return value;
        case '(':
            if (!text.empty()) break;
            value.kind = Kind::Parenthesised;
            continue;
        case ')':
            if (value.kind != Kind::Parenthesised) break;
            return value;
        case '\'':
            if (!text.empty()) break;
            value.kind = Kind::Quoted;
            scan_quoted(reader, text);
            return value;
        case '*': {
            if (repeat != 0) fault(ErrorCode::SecondRepeatFactor);
            const std::int32_t factor = text.convert();
            if (factor == 0) fault(ErrorCode::ZeroRepeatFactor);
            repeat = std::int64_t{factor} - 1;
            text.clear();
            continue;
        }
        case ',':
            if (value.kind == Kind::Parenthesised) break;
            return value;
        case '/': return value;
        default: break;
        }
        text.append(c);
        if (text.settled()) return value;
    }
}

} // namespace

std::optional<std::int32_t> scan_integer_item(ConsoleReader& reader) {
    bool settled = false; // by a character past the buffer: nothing more of the line is read
    try {
        const Value value = scan_value(reader);
        settled = value.text.settled();
        std::optional<std::int32_t> result;
        if (!value.text.empty()) {
            // A character or complex value cannot be stored in an integer.
            if (value.kind != Kind::Plain) fault(ErrorCode::NotAnInteger);
            result = value.text.convert();
        }
        // Whatever stands on the line after the value is thrown away.
        if (!value.line_ended && !settled) reader.end_input_line();
        return result;
    } catch (const ReadFault& found) {
        // A line ended by Ctrl-Z ends the input whatever stands before the Ctrl-Z: a fault
        // found earlier in the line gives way to the end of file.
        if (!settled && found.code != ErrorCode::EndOfFile && found.code != ErrorCode::ReadFailed)
            reader.finish_line();
        throw;
    }
}

} // namespace io
