#pragma once

#include "hygrovane/expected.h"

#include <string>
#include <string_view>

namespace hygrovane::casefile {

enum class CaseFailureKind {
    NotText,          // a NUL byte
    Empty,            // no bytes at all
    NoTitle,          // the first line is not "Hygrovane" and a version number
    LineBreak,        // a CR or LF inside a line
    ControlCharacter, // another control character, a tab too
    LongLine,         // a line longer than kMaxCaseLineLength
    Incomplete,       // it ends before the value of its humidity input
};

// Why a text is not a case file or a value cannot be kept in one: the reason alone, for the
// caller's sentence ("line 17 holds a line break").
struct CaseFailure {
    CaseFailureKind kind = CaseFailureKind::NotText;
    std::string message;
};

// Refuses a text that cannot be one line of a case file: it holds a line break ("holds a line
// break"), another control character ("holds a control character"; a tab too, since the boxes
// drop it) or is longer than kMaxCaseLineLength. The reader and the writer use the same test, so
// that whatever is saved opens again.
Expected<Done, CaseFailure> CheckCaseLine(std::string_view line);

} // namespace hygrovane::casefile
