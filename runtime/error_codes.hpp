#pragma once
// The run-time's fault codes, each with the number its report shows and its message.
//
// A code is the run-time's own small number for a fault (0 to 110); the number shown is 6000
// plus the entry of the run-time's number map for it, after the letter F; the message is the
// fault's text. Only the faults this program can meet are listed.

#include <cstdint>
#include <string_view>

#include "runtime/unreachable.hpp"

namespace runtime {

enum class ErrorCode : std::uint8_t {
    IntegerOverflow = 4,
    InvalidInteger = 5,
    SecondBaseMark = 28,
    BadBase = 29,
    LineTooLong = 53,
    OpenInvalidArgument = 58,
    OpenAccessDenied = 60,
    OpenFileExists = 61,
    OpenFileNotFound = 62,
    OpenTooManyFiles = 63,
    WriteAccessDenied = 67,
    WriteDiskFull = 68,
    ReadFailed = 72,
    EndOfFile = 73,
    ZeroRepeatFactor = 74,
    SecondRepeatFactor = 75,
    NotAnInteger = 76,
    OutOfMemory = 92,
};

struct ErrorInfo {
    ErrorCode code;
    int number; // as shown, 6000 included
    std::string_view message;
};

// The number map and the messages together: one row per fault.
inline constexpr ErrorInfo kErrors[] = {
    {ErrorCode::IntegerOverflow, 6100, "integer value too large"},
    {ErrorCode::InvalidInteger, 6101, "invalid character in integer"},
    {ErrorCode::SecondBaseMark, 6302, "more than one # in based integer"},
    {ErrorCode::BadBase, 6303, "base of integer not between 2 and 36"},
    {ErrorCode::LineTooLong, 6407, "input line longer than 130 characters"},
    {ErrorCode::OpenInvalidArgument, 6412, "invalid argument in opening file"},
    {ErrorCode::OpenAccessDenied, 6414, "access denied in opening file"},
    {ErrorCode::OpenFileExists, 6415, "file already exists"},
    {ErrorCode::OpenFileNotFound, 6416, "file not found"},
    {ErrorCode::OpenTooManyFiles, 6417, "too many open files"},
    {ErrorCode::WriteAccessDenied, 6421, "access denied in writing file"},
    {ErrorCode::WriteDiskFull, 6422, "no space left on device"},
    {ErrorCode::ReadFailed, 6500, "read failed"},
    {ErrorCode::EndOfFile, 6501, "end of file encountered"},
    {ErrorCode::ZeroRepeatFactor, 6502, "zero repeat factor"},
    {ErrorCode::SecondRepeatFactor, 6503, "more than one repeat factor"},
    {ErrorCode::NotAnInteger, 6504, "character or complex value read for integer"},
    {ErrorCode::OutOfMemory, 6700, "not enough memory"},
};

constexpr const ErrorInfo& error_info(ErrorCode code) {
    for (const ErrorInfo& info : kErrors)
        if (info.code == code) return info;
    unreachable(); // every code has its row (checked below)
}

// The number a report shows for a code (6101 for InvalidInteger).
constexpr int displayed_number(ErrorCode code) {
    return error_info(code).number;
}

// The number map runs in consecutive blocks of codes: within a block the number grows by one
// with the code.
constexpr bool follows_number_map(const ErrorInfo& info) {
    struct Block {
        int first_code, last_code, first_number;
    };
    constexpr Block blocks[] = {{0, 10, 96},   {11, 25, 200}, {26, 45, 300}, {46, 71, 400},
                                {72, 88, 500}, {89, 91, 600}, {92, 93, 700}, {94, 110, 980}};
    int code = static_cast<int>(info.code);
    for (const Block& b : blocks)
        if (code >= b.first_code && code <= b.last_code)
            return info.number == 6000 + b.first_number + (code - b.first_code);
    return false;
}

constexpr bool error_table_is_complete() {
    for (const ErrorInfo& info : kErrors)
        if (&error_info(info.code) != &info || !follows_number_map(info)) return false;
    return true;
}
static_assert(error_table_is_complete());

} // namespace runtime
