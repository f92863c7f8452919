#pragma once

#include <array>
#include <string_view>

namespace hygrovane::casefile {

// The unit lists stored in a case file, in file order; the single-item "%" lists are not.
inline constexpr std::array kStoredCombos = {1, 2, 3, 4, 6, 7, 10, 11, 12, 13, 14, 15, 16};

// The humidity inputs by file code, in the order the writer tests them.
struct HumidityCode {
    std::string_view code;
    int option;
    int textBox;
};

inline constexpr std::array<HumidityCode, 8> kHumidityCodes = {{{"1", 2, 4},
                                                                {"2", 1, 3},
                                                                {"3", 5, 7},
                                                                {"4", 3, 5},
                                                                {"5", 4, 6},
                                                                {"6", 10, 11},
                                                                {"7", 6, 8},
                                                                {"8", 7, 9}}};

inline constexpr std::string_view kBarometricCode = "1";
inline constexpr std::string_view kAltitudeCode = "2";

} // namespace hygrovane::casefile
