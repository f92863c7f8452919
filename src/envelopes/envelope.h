#pragma once

// An envelope of moist air: the states that satisfy every one of its edges. Each edge bounds one
// quantity from below or above, both ends included, so an envelope holds at any pressure: the
// same edges give a different outline on the chart of each pressure, never different limits.

#include "hygrovane/sat_formulation.h"

#include <optional>
#include <string>
#include <vector>

namespace hygrovane::envelopes {

enum class Quantity {
    DryBulb,          // K
    DewPoint,         // K, over liquid water or over ice as the edge states
    RelativeHumidity, // fraction, over water or ice as the core reckons it at the dry bulb
    HumidityRatio,    // kg/kg dry air
    Enthalpy,         // kJ/kg dry air
};

enum class Side { Lowest, Highest };

// How a dew-point limit below 0 degC is read: a dew point over supercooled liquid water, or a
// frost point (saturation over ice). Above the triple point the two are the same.
enum class DewReading { OverWater, OverIce };

struct Edge {
    Quantity quantity = Quantity::DryBulb;
    Side side = Side::Lowest;
    double value = 0;                         // in the quantity's unit above
    DewReading reading = DewReading::OverIce; // read for dew points only
};

// ASHRAE 55-2020's PMV comfort zone (|PMV| <= 0.5, the standard's cooling effect above 0.1 m/s,
// mean radiant temperature equal to the air's), judged by the comfort library: a zone no edges
// describe, since its dry-bulb limits move with the humidity.
struct PmvInputs {
    double clothing = 0.5;  // clo
    double metabolic = 1.1; // met
    double airSpeed = 0.1;  // m/s

    friend bool operator==(const PmvInputs&, const PmvInputs&) = default;
};

// A collection class's rule on a series (collections.h): its limits, and the set point and
// short-term window they apply to.
struct CollectionRule {
    std::optional<double> humidityFluctuation, temperatureFluctuation;              // %RH, K
    std::optional<double> humidityUp, humidityDown, temperatureUp, temperatureDown; // %RH, K
    std::optional<double> temperatureCeiling;                                       // degC
    std::optional<double> humiditySetPoint, temperatureSetPoint;                    // %RH, degC
    double windowHours = 24;
};

struct Envelope {
    std::string name;    // "ashrae-tc99-2021-a1"
    std::string edition; // "ASHRAE TC 9.9 Thermal Guidelines, 2021 (5th edition)"
    std::string title;   // "Class A1, allowable"
    std::vector<Edge> edges;
    // Inside also needs the PMV zone's verdict, when set.
    std::optional<PmvInputs> pmv{};
    // Judged on the whole series (collections.h), after the edges, when set.
    std::optional<CollectionRule> collection{};
};

// One reading of measured air, in the core's internal units.
struct Air {
    double dryBulb = 0;       // K
    double humidityRatio = 0; // kg/kg dry air
    double pressure = 101325; // Pa
};

// The vapour pressure (Pa) at which a dew point limit lies, read as the edge says. None throws;
// non-finite for a temperature outside the formulation's range.
double DewLimitPressure(double dewPoint, DewReading reading, SatFormulation formulation);

// What an envelope says of a reading.
enum class Verdict : unsigned char {
    Inside,
    Outside,
    Invalid, // not air the core accepts (out of its ranges, above saturation): never inside
};

struct Judgement {
    Verdict verdict = Verdict::Invalid;
    // Outside only: how far beyond the envelope, K. The larger of how far the dry bulb lies beyond
    // the dry-bulb edges and how far the dew point lies beyond the dew points the other edges
    // allow at the reading's own dry bulb (relative humidity, humidity ratio and enthalpy edges
    // taken as dew-point limits there), on the core's dew-point scale (a frost point below 0 degC).
    double beyond = 0;
    // Outside only: how far the humidity ratio lies beyond the humidity-ratio and dew-point edges
    // (g/kg, at the reading's pressure), and the relative humidity beyond the relative-humidity
    // edges (%RH); 0 for an envelope without such edges or a reading within them.
    double gramsBeyond = 0;
    double percentBeyond = 0;
};

// An envelope with each edge's limits worked out once, for judging many readings.
class Judge {
  public:
    explicit Judge(const Envelope& envelope, SatFormulation formulation = SatFormulation::IAPWS);

    // Whether the reading lies inside, both ends of every edge included.
    Verdict Test(const Air& air) const;
    // Test, and how far beyond when outside.
    Judgement Assess(const Air& air) const;

    const Envelope& envelope() const { return envelope_; }
    SatFormulation formulation() const { return formulation_; }

  private:
    bool Satisfies(const Edge& edge, double limit, const Air& air, double vapourPressure,
                   double saturation) const;
    // Test, with the reading's vapour pressure and saturation pressure for Assess.
    Verdict Test(const Air& air, double& vapourPressure, double& saturation) const;
    double DewPointBeyond(const Air& air, double vapourPressure, double saturation) const;
    // The PMV zone's verdict (Invalid for inputs the model refuses), and how far (K) the dry
    // bulb lies beyond the zone's edges at the reading's relative humidity.
    Verdict TestPmv(const Air& air) const;
    double PmvBeyond(const Air& air, double relativeHumidity) const;
    // Judgement's gramsBeyond and percentBeyond.
    void MoistureBeyond(const Air& air, double vapourPressure, double saturation,
                        Judgement& judgement) const;

    Envelope envelope_;
    SatFormulation formulation_;
    std::vector<double> limits_; // per edge: the dew point's vapour pressure, else the value
};

// The reading's water-vapour pressure, Pa: W P / (0.62198 + W).
double VapourPressureOf(const Air& air);

} // namespace hygrovane::envelopes
