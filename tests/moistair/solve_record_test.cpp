// Every result of the core, bit for bit, against a record written by the core before its searches
// were made faster: 64,000 random conditions over every humidity input, both formulations,
// barometric pressure and altitude, from dry air to a little beyond saturation, the ends of every
// range and values outside them. Solve, the steps the main window calls (StateOf also beyond the
// limits, as the window computes a value typed at a rounded Maximum) and LimitsOf all take part.
//
// The record holds one FNV-1a digest per block of kBlock conditions. To write it again (only after
// a change that is meant to alter results): HYGROVANE_WRITE_SOLVE_RECORD=<file> solve_record_test.
#include "hygrovane/moist_air.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace hygrovane {
namespace {

constexpr int kConditions = 64000;
constexpr int kBlock = 50;
const char* const kRecord = HYGROVANE_SOURCE_DIR "/tests/moistair/solve_record.txt";

// splitmix64: the same numbers with every compiler and library, unlike <random>'s distributions.
class Numbers {
  public:
    double Unit() { // [0, 1)
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1p-53;
    }
    int Below(int n) { return static_cast<int>(Unit() * n); }

  private:
    std::uint64_t state_ = 20261206;
};

class Digest {
  public:
    template <typename T> void Add(const T& value) {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        for (const unsigned char b : bytes) {
            hash_ = (hash_ ^ b) * 0x100000001B3ULL;
        }
    }
    void Add(const std::string& text) {
        for (const char c : text) {
            Add(c);
        }
    }
    void Add(const std::optional<double>& value) {
        Add(value.has_value());
        Add(value.value_or(0.0));
    }
    void Add(const Composition& c) { Add(c.N2), Add(c.O2), Add(c.Ar), Add(c.CO2), Add(c.H2O); }
    void Add(const Ambient& a) {
        Add(static_cast<int>(a.pressureInput)), Add(a.dryBulb), Add(a.pressure), Add(a.altitude);
    }
    void Add(const Saturation& s) {
        Add(static_cast<int>(s.formulation)), Add(s.pressure), Add(s.humidityRatio);
        Add(s.moleFraction), Add(s.absoluteHumidity), Add(s.molecularWeight), Add(s.massFraction);
        Add(s.dryAirWetBulb);
    }
    void Add(const SolveFailure& f) {
        Add(static_cast<int>(f.kind)), Add(static_cast<int>(f.field));
        Add(static_cast<int>(f.humidityInput)), Add(f.value), Add(f.allowed.minimum);
        Add(f.allowed.maximum), Add(f.detail);
    }
    void Add(const MoistAirState& s) {
        Add(s.ambient), Add(s.saturation), Add(s.humidityRatio), Add(s.relativeHumidity);
        Add(s.dewPoint), Add(s.wetBulb), Add(s.partialPressure), Add(s.moleFraction);
        Add(s.massFraction), Add(s.absoluteHumidity), Add(s.molecularWeight), Add(s.gasConstant);
        Add(s.density), Add(s.specificVolume), Add(s.enthalpy), Add(s.byVolume), Add(s.byMass);
    }
    template <typename T> void Add(const Result<T>& result) {
        Add(result.has_value());
        if (result.has_value()) {
            Add(*result);
        } else {
            Add(result.error());
        }
    }
    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = 0xCBF29CE484222325ULL;
};

// Conditions of every kind: the dry bulb and pressure over their ranges with their ends and a
// little beyond, the humidity at a random place of its limits, at either end, or past them.
Conditions Draw(Numbers& n, int i) {
    Conditions c;
    c.formulation = i % 2 == 0 ? SatFormulation::IAPWS : SatFormulation::HylandWexler;
    c.pressureInput = (i / 2) % 2 == 0 ? PressureInput::Barometric : PressureInput::Altitude;
    c.humidityInput = kHumidityInputs[static_cast<std::size_t>((i / 4) % 8)];
    const double dryBulbs[] = {kLowestDryBulb, kHighestDryBulb, 273.15, 273.16, 173.14};
    c.dryBulb = n.Below(10) == 0  ? dryBulbs[n.Below(5)]
                : n.Below(3) == 0 ? 233.15 + 90 * n.Unit()
                                  : kLowestDryBulb + 200 * n.Unit();
    const double pressures[] = {kLowestPressure, kHighestPressure, 101325, 4999};
    c.pressure = n.Below(10) == 0 ? pressures[n.Below(4)] : 5000 * std::pow(200.0, n.Unit());
    c.altitude = n.Below(10) == 0 ? (n.Below(2) == 0 ? kLowestAltitude : kHighestAltitude)
                                  : kLowestAltitude + 16000 * n.Unit();
    const Result<Ambient> ambient = AmbientOf(c);
    const Result<Saturation> saturation =
        ambient ? SaturationOf(*ambient, c.formulation) : Result<Saturation>(Fail(ambient.error()));
    const Range limits =
        saturation ? LimitsOf(c.humidityInput, *ambient, *saturation) : Range{0, 0.01};
    const double share[] = {0, 1, -1e-6, 1 + 1e-6, 1 + 1e-3, 1e-9};
    const double f = n.Below(5) == 0 ? share[n.Below(6)] : n.Unit();
    c.humidity = limits.minimum + f * (limits.maximum - limits.minimum);
    return c;
}

// Solve, the steps and the limits of one set of conditions; whether Solve gave a state.
bool AddEverything(Digest& d, const Conditions& c) {
    const Result<MoistAirState> solved = Solve(c);
    d.Add(solved);
    const Result<Ambient> ambient = AmbientOf(c);
    d.Add(ambient);
    if (!ambient) {
        return solved.has_value();
    }
    const Result<Saturation> saturation = SaturationOf(*ambient, c.formulation);
    d.Add(saturation);
    if (!saturation) {
        return solved.has_value();
    }
    for (const HumidityInput input : kHumidityInputs) {
        const Range limits = LimitsOf(input, *ambient, *saturation);
        d.Add(limits.minimum), d.Add(limits.maximum);
    }
    d.Add(StateOf(*ambient, *saturation, c.humidityInput, c.humidity));
    return solved.has_value();
}

std::vector<std::uint64_t> Digests(int& solved) {
    Numbers numbers;
    std::vector<std::uint64_t> digests;
    for (int block = 0; block < kConditions / kBlock; ++block) {
        Digest d;
        for (int k = 0; k < kBlock; ++k) {
            solved += AddEverything(d, Draw(numbers, block * kBlock + k)) ? 1 : 0;
        }
        digests.push_back(d.value());
    }
    return digests;
}

TEST(SolveRecord, EveryResultAsRecordedBitForBit) {
    int solved = 0;
    const std::vector<std::uint64_t> digests = Digests(solved);
    // Both states and failures of every kind take part.
    EXPECT_GT(solved, kConditions / 2) << solved;
    EXPECT_GT(kConditions - solved, kConditions / 10);
    if (const char* path = std::getenv("HYGROVANE_WRITE_SOLVE_RECORD")) {
        std::ofstream out(path);
        for (const std::uint64_t d : digests) {
            char line[24];
            std::snprintf(line, sizeof line, "%016" PRIx64 "\n", d);
            out << line;
        }
        GTEST_SKIP() << "record written to " << path;
    }
    std::ifstream in(kRecord);
    ASSERT_TRUE(in) << kRecord;
    std::vector<std::uint64_t> recorded;
    std::string line;
    while (std::getline(in, line)) {
        recorded.push_back(std::strtoull(line.c_str(), nullptr, 16));
    }
    ASSERT_EQ(recorded.size(), digests.size());
    int differing = 0;
    for (std::size_t b = 0; b < digests.size(); ++b) {
        if (digests[b] != recorded[b] && ++differing <= 5) {
            ADD_FAILURE() << "conditions " << b * kBlock << " to " << (b + 1) * kBlock - 1
                          << " give other results than recorded";
        }
    }
    EXPECT_EQ(differing, 0);
}

} // namespace
} // namespace hygrovane
