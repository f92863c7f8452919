#include "casefile/case_line.h"

#include "casefile/case_file.h"

#include <algorithm>

namespace hygrovane::casefile {

std::optional<std::string> CaseLineProblem(std::string_view line) {
    if (line.find_first_of("\r\n") != std::string_view::npos) {
        return "holds a line break";
    }
    if (std::any_of(line.begin(), line.end(),
                    [](unsigned char c) { return c < 0x20 || c == 0x7F; })) {
        return "holds a control character";
    }
    if (line.size() > kMaxCaseLineLength) {
        return "is longer than " + std::to_string(kMaxCaseLineLength) + " characters";
    }
    return std::nullopt;
}

} // namespace hygrovane::casefile
