#include "runtime/messages.hpp"

namespace runtime {

std::string_view FRerror(ErrorCode code) {
    switch (code) {
    case ErrorCode::IntegerOverflow: return "integer value too large";
    case ErrorCode::InvalidInteger: return "invalid character in integer";
    case ErrorCode::SecondBaseMark: return "more than one # in based integer";
    case ErrorCode::BadBase: return "base of integer not between 2 and 36";
    case ErrorCode::LineTooLong: return "input line longer than 130 characters";
    case ErrorCode::OpenInvalidArgument: return "invalid argument in opening file";
    case ErrorCode::OpenAccessDenied: return "access denied in opening file";
    case ErrorCode::OpenFileExists: return "file already exists";
    case ErrorCode::OpenFileNotFound: return "file not found";
    case ErrorCode::OpenTooManyFiles: return "too many open files";
    case ErrorCode::WriteAccessDenied: return "access denied in writing file";
    case ErrorCode::WriteDiskFull: return "no space left on device";
    case ErrorCode::ReadFailed: return "read failed";
    case ErrorCode::EndOfFile: return "end of file encountered";
    case ErrorCode::ZeroRepeatFactor: return "zero repeat factor";
    case ErrorCode::SecondRepeatFactor: return "more than one repeat factor";
    case ErrorCode::NotAnInteger: return "character or complex value read for integer";
    case ErrorCode::OutOfMemory: return "not enough memory";
    }
    return "unknown run-time error";
}

} // namespace runtime
