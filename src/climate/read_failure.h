#pragma once

#include <cstddef>
#include <string>

namespace hygrovane::climate {

enum class ReadFailureKind {
    CannotOpen,    // the file could not be opened or read
    TooLarge,      // larger than the reader accepts
    MissingHeader, // a header record is absent or out of its place
    BadHeader,     // a header record that cannot be understood
    ShortRow,      // fewer fields than the row needs
    NotANumber,    // text where a number belongs
    OutOfRange,    // a date or time field outside its range
    OutOfOrder,    // a row that is not the next hour of its data period
    Truncated,     // the file ends inside a data period
    ExtraRow,      // a row after the last data period
    Empty,         // nothing but blanks
    NotText,       // UTF-16, UTF-32 or binary bytes
    OutOfMemory,   // the rows did not fit in the memory the process may use
};

// Why a file was refused. Nothing of a refused file is kept.
struct ReadFailure {
    ReadFailureKind kind = ReadFailureKind::CannotOpen;
    std::size_t line = 0;  // 1-based; 0 when the failure is not on one line
    std::size_t field = 0; // 1-based field of the line; 0 when not one field
    std::string detail;
};

// "line 12, field 7: dry bulb temperature is not a number ("abc")" and the like.
std::string Describe(const ReadFailure& failure);

} // namespace hygrovane::climate
