#pragma once

// A text as lines and back, for tests that edit one line of a file.
#include <string>
#include <vector>

namespace hygrovane::testing {

// The lines without their ends ("\n"); a last line without an end counts too.
inline std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

// Each line ended by "\n".
inline std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

} // namespace hygrovane::testing
