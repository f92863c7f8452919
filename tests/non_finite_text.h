#pragma once

// Whether a text the program shows holds a non-finite number: "nan" or "inf" in any letter case.
// Shared by the calculator's tests and the fuzz targets.
#include <algorithm>
#include <cctype>
#include <string>

namespace hygrovane::testing {

inline bool NonFinite(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

} // namespace hygrovane::testing
