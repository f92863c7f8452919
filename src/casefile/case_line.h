#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hygrovane::casefile {

// Why a text cannot be one line of a case file, or nothing when it can: it holds a line break
// ("holds a line break"), another control character ("holds a control character"; a tab too,
// since the boxes drop it) or is longer than kMaxCaseLineLength. The reader and the writer use the
// same test, so that whatever is saved opens again.
std::optional<std::string> CaseLineProblem(std::string_view line);

} // namespace hygrovane::casefile
