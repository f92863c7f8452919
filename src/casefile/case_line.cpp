#include "casefile/case_line.h"

#include "casefile/case_file.h"

#include <algorithm>

namespace hygrovane::casefile {

Expected<Done, CaseFailure> CheckCaseLine(std::string_view line) {
    if (line.find_first_of("\r\n") != std::string_view::npos) {
        return Fail(CaseFailure{CaseFailureKind::LineBreak, "holds a line break"});
    }
    if (std::any_of(line.begin(), line.end(),
                    [](unsigned char c) { return c < 0x20 || c == 0x7F; })) {
        return Fail(CaseFailure{CaseFailureKind::ControlCharacter, "holds a control character"});
    }
    if (line.size() > kMaxCaseLineLength) {
        return Fail(
            CaseFailure{CaseFailureKind::LongLine,
                        "is longer than " + std::to_string(kMaxCaseLineLength) + " characters"});
    }
    return Done{};
}

} // namespace hygrovane::casefile
