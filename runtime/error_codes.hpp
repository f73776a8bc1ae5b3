#pragma once
// Run-time error codes and the number map that turns them into the displayed numbers.
//
// A fault is named by a small code (0 to 110); the report shows 6000 plus the map's entry for
// that code, after the letter F. The map runs in consecutive blocks, so it is kept as the block
// table below rather than as 111 literal entries.

#include <array>
#include <cstdint>

namespace runtime {

enum class ErrorCode : std::uint8_t {
    IntegerOverflow = 4,      // 6100
    InvalidInteger = 5,       // 6101
    SecondBaseMark = 28,      // 6302
    BadBase = 29,             // 6303
    LineTooLong = 53,         // 6407
    OpenInvalidArgument = 58, // 6412
    OpenAccessDenied = 60,    // 6414
    OpenFileExists = 61,      // 6415
    OpenFileNotFound = 62,    // 6416
    OpenTooManyFiles = 63,    // 6417
    WriteAccessDenied = 67,   // 6421
    WriteDiskFull = 68,       // 6422
    ReadFailed = 72,          // 6500
    EndOfFile = 73,           // 6501
    ZeroRepeatFactor = 74,    // 6502
    SecondRepeatFactor = 75,  // 6503
    NotAnInteger = 76,        // 6504
    OutOfMemory = 92,         // 6700
};

inline constexpr int kErrorCodeCount = 111;

// FFtmap: the displayed number minus 6000 for every error code.
inline constexpr std::array<std::int16_t, kErrorCodeCount> FFtmap = [] {
    struct Block {
        int first_code, last_code, first_number;
    };
    constexpr Block blocks[] = {{0, 10, 96},   {11, 25, 200}, {26, 45, 300}, {46, 71, 400},
                                {72, 88, 500}, {89, 91, 600}, {92, 93, 700}, {94, 110, 980}};
    std::array<std::int16_t, kErrorCodeCount> map{};
    for (const Block& b : blocks)
        for (int c = b.first_code; c <= b.last_code; ++c)
            map[static_cast<std::size_t>(c)] =
                static_cast<std::int16_t>(b.first_number + (c - b.first_code));
    return map;
}();

// The number a report shows for a code, 6000 included (6101 for InvalidInteger).
constexpr int displayed_number(ErrorCode code) {
    return 6000 + FFtmap[static_cast<std::size_t>(code)];
}

// The first and last entries, and a code of each block that the program raises.
static_assert(FFtmap[0] == 96 && FFtmap[kErrorCodeCount - 1] == 996);
static_assert(displayed_number(ErrorCode::InvalidInteger) == 6101 &&
              displayed_number(ErrorCode::BadBase) == 6303 &&
              displayed_number(ErrorCode::WriteDiskFull) == 6422 &&
              displayed_number(ErrorCode::NotAnInteger) == 6504 &&
              displayed_number(ErrorCode::OutOfMemory) == 6700);

} // namespace runtime
