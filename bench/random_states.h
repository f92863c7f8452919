#pragma once

// The random states of the bulk benchmarks: dry bulb -40 to 50 degC, relative humidity 5 to
// 100 %, pressure 80 to 101.325 kPa, the same sequence in every run and every binary, so that
// another library's timing over the same air can be set beside Solve's.
#include <cstddef>
#include <random>
#include <vector>

namespace hygrovane::bench {

struct RandomState {
    double dryBulb;          // K
    double relativeHumidity; // fraction
    double pressure;         // Pa
};

inline std::vector<RandomState> RandomStates(std::size_t count = 4096) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<RandomState> states(count);
    for (RandomState& s : states) {
        s.dryBulb = 233.15 + 90 * unit(random);
        s.relativeHumidity = 0.05 + 0.95 * unit(random);
        s.pressure = 80000 + 21325 * unit(random);
    }
    return states;
}

} // namespace hygrovane::bench
